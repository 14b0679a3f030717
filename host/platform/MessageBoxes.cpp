#include "host/platform/MessageBoxes.h"

#include "host/platform/HeadlessMessageBoxes.h"

namespace host {

namespace {
std::shared_ptr<MessageBoxes>& CurrentService() {
    static std::shared_ptr<MessageBoxes> service = std::make_shared<HeadlessMessageBoxes>();
    return service;
}
}  // namespace

MessageBoxes& MessageBoxes::Current() { return *CurrentService(); }

std::shared_ptr<MessageBoxes> MessageBoxes::Install(std::shared_ptr<MessageBoxes> service) {
    if (!service) service = std::make_shared<HeadlessMessageBoxes>();
    std::shared_ptr<MessageBoxes> previous = std::move(CurrentService());
    CurrentService() = std::move(service);
    return previous;
}

void ShowMessage(std::string_view text) { MessageBoxes::Current().Message(text); }

MessageBoxAnswer AskYesNo(std::string_view text) { return MessageBoxes::Current().Question(text); }

void HeadlessMessageBoxes::Message(std::string_view text) {
    shown_.push_back({MessageBoxKind::OkOnly, std::string(text), MessageBoxAnswer::Ok});
    if (OnShow) OnShow(shown_.back());
}

MessageBoxAnswer HeadlessMessageBoxes::Question(std::string_view text) {
    MessageBoxAnswer answer = MessageBoxAnswer::No;
    if (!answers_.empty()) {
        answer = answers_.front();
        answers_.pop_front();
    }
    shown_.push_back({MessageBoxKind::YesNo, std::string(text), answer});
    if (OnShow) OnShow(shown_.back());
    return answer;
}

std::vector<std::string> HeadlessMessageBoxes::Texts() const {
    std::vector<std::string> texts;
    texts.reserve(shown_.size());
    for (const auto& box : shown_) texts.push_back(box.text);
    return texts;
}

}  // namespace host

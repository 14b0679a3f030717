#include "host/platform/MessageBoxes.h"

#include "host/platform/HeadlessMessageBoxes.h"
#include "host/platform/ServiceSlot.h"

namespace host {

namespace {
using Slot = ServiceSlot<MessageBoxes, HeadlessMessageBoxes>;
}  // namespace

MessageBoxes& MessageBoxes::Current() { return Slot::Current(); }

std::shared_ptr<MessageBoxes> MessageBoxes::Install(std::shared_ptr<MessageBoxes> service) {
    return Slot::Install(std::move(service));
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

#include "host/framework/StepProgressor.h"

#include <algorithm>
#include <utility>

namespace host {

std::string StepProgressor::Event::ToString() const {
    if (operation == "Show" || operation == "Hide") return operation;
    if (operation == "Message") return operation + " \"" + text + "\"";
    return operation + " " + std::to_string(value);
}

void StepProgressor::SetMinRange(long value) { Set(minRange_, value, "MinRange"); }
void StepProgressor::SetMaxRange(long value) { Set(maxRange_, value, "MaxRange"); }
void StepProgressor::SetStepValue(long value) { Set(stepValue_, value, "StepValue"); }
void StepProgressor::SetPosition(long value) { Set(position_, value, "Position"); }

void StepProgressor::Set(long& property, long value, const char* operation) {
    property = value;
    Record(operation, value);
}

void StepProgressor::SetMessage(std::string text) {
    message_ = std::move(text);
    Record("Message", 0, message_);
}

void StepProgressor::Step() {
    long next = position_ + stepValue_;
    // A full bar stays full; a position set beyond the bound by hand is not pulled back.
    if (stepValue_ > 0 && next > maxRange_) next = std::max(maxRange_, position_);
    position_ = next;
    Record("Step", position_);
}

void StepProgressor::Show() {
    visible_ = true;
    Record("Show", 0);
}

void StepProgressor::Hide() {
    visible_ = false;
    Record("Hide", 0);
}

std::vector<std::string> StepProgressor::HistoryLines() const {
    std::vector<std::string> lines;
    lines.reserve(history_.size());
    for (const Event& e : history_) lines.push_back(e.ToString());
    return lines;
}

void StepProgressor::Record(std::string operation, long value, std::string text) {
    // A long-running host would otherwise keep one entry per step of every list it ever
    // loaded; the older half goes once the history is this long.
    constexpr std::size_t kHistoryLimit = 100000;
    if (history_.size() >= kHistoryLimit) {
        history_.erase(history_.begin(), history_.begin() + static_cast<std::ptrdiff_t>(kHistoryLimit / 2));
    }
    history_.push_back(Event{std::move(operation), value, std::move(text)});
}

}  // namespace host

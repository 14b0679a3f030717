#pragma once
// Message boxes without a display: every box is recorded (kind, text); questions are
// answered from a queue, No when the queue is empty. An optional observer sees each box
// as it is shown (the script runner prints them).

#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "host/platform/MessageBoxes.h"

namespace host {

struct MessageBoxRecord {
    MessageBoxKind kind;
    std::string text;
    MessageBoxAnswer answer;  // Ok for a message, the answer given to a question
};

class HeadlessMessageBoxes : public MessageBoxes {
public:
    void Message(std::string_view text) override;
    MessageBoxAnswer Question(std::string_view text) override;

    // Queues the answer for the next question.
    void QueueAnswer(MessageBoxAnswer answer) { answers_.push_back(answer); }
    std::size_t PendingAnswers() const { return answers_.size(); }

    const std::vector<MessageBoxRecord>& Shown() const { return shown_; }
    // The texts of the boxes shown, in order.
    std::vector<std::string> Texts() const;
    void ClearShown() { shown_.clear(); }

    std::function<void(const MessageBoxRecord&)> OnShow;

private:
    std::deque<MessageBoxAnswer> answers_;
    std::vector<MessageBoxRecord> shown_;
};

}  // namespace host

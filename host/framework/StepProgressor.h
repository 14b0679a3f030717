#pragma once
// The status bar's step progress bar. There is one per application; every user sets the
// range it needs. Each call is kept in a history so that tests and the script runner can
// see what the bar went through.

#include <string>
#include <vector>

namespace host {

class StepProgressor {
public:
    // One call on the bar: the operation's name and the value it set (for Step, the
    // position the bar reached; for Message, the text).
    struct Event {
        std::string operation;  // "MinRange", "MaxRange", "StepValue", "Position", "Message", "Show", "Step", "Hide"
        long value = 0;
        std::string text;

        std::string ToString() const;  // "MinRange 1", "Message \"Loading...\"", "Step 3", "Show"
        bool operator==(const Event&) const = default;
    };

    long MinRange() const { return minRange_; }
    void SetMinRange(long value);
    long MaxRange() const { return maxRange_; }
    void SetMaxRange(long value);
    long StepValue() const { return stepValue_; }
    void SetStepValue(long value);
    long Position() const { return position_; }
    void SetPosition(long value);
    const std::string& Message() const { return message_; }
    void SetMessage(std::string text);

    // Advances the position by the step value; the bar never passes its upper bound.
    void Step();
    void Show();
    void Hide();
    bool Visible() const { return visible_; }

    const std::vector<Event>& History() const { return history_; }
    std::vector<std::string> HistoryLines() const;
    void ClearHistory() { history_.clear(); }

private:
    void Set(long& property, long value, const char* operation);
    void Record(std::string operation, long value, std::string text = {});

    long minRange_ = 0;
    long maxRange_ = 100;
    long stepValue_ = 1;
    long position_ = 0;
    std::string message_;
    bool visible_ = false;
    std::vector<Event> history_;
};

}  // namespace host

#pragma once
// The message-box service: OK-only messages and Yes/No questions, both with the default
// title and modal. One service is current for the process; the desktop application, the
// script runner and the tests install their own.

#include <memory>
#include <string>
#include <string_view>

namespace host {

enum class MessageBoxKind { OkOnly, YesNo };

// The button that closed a question box (the platform's values).
enum class MessageBoxAnswer { Ok = 1, Yes = 6, No = 7 };

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;

    // Shows an OK-only message and returns when it is closed.
    virtual void Message(std::string_view text) = 0;
    // Shows a Yes/No question and returns the button pressed.
    virtual MessageBoxAnswer Question(std::string_view text) = 0;

    // The current service (a HeadlessMessageBoxes until another is installed).
    static MessageBoxes& Current();
    // Installs a service and returns the one it replaces; nullptr puts back a fresh
    // headless one.
    static std::shared_ptr<MessageBoxes> Install(std::shared_ptr<MessageBoxes> service);
};

// MsgBox text: shows an OK-only message through the current service.
void ShowMessage(std::string_view text);
// MsgBox(text, vbYesNo) through the current service.
MessageBoxAnswer AskYesNo(std::string_view text);

}  // namespace host

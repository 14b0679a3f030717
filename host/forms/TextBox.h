#pragma once
// A one-line text box. Positions in the text (caret, selection) count characters, not
// bytes; the text is UTF-8.
//
// Typing a character raises KeyPress with its code, which the handler may change or set
// to 0 to cancel the key; then the box inserts the character at the caret, replacing the
// selection (Backspace, code 8, deletes the selection or the character before the caret;
// other control characters insert nothing). Any change of the text raises Change.

#include <functional>
#include <string>
#include <string_view>

#include "host/forms/Control.h"

namespace host {

class TextBox : public Control {
public:
    using Control::Control;
    std::string_view Kind() const override { return "TextBox"; }

    const std::string& Text() const { return state_->text; }
    // Replaces the whole text (from code, or a paste). A different text puts the caret at
    // the start with nothing selected and raises Change; the same text changes nothing.
    void SetText(std::string text);

    // The caret (the selection's start) and the selection's length, in characters.
    long SelStart() const { return state_->selStart; }
    // Moves the caret and selects nothing; a position past the end goes to the end. Error
    // 380 for a negative position.
    void SetSelStart(long position);
    long SelLength() const { return state_->selLength; }
    // Selects from the caret; cut at the end of the text. Error 380 when negative.
    void SetSelLength(long length);
    std::string SelText() const;
    // Replaces the selection with text; the caret follows the inserted text.
    void SetSelText(std::string_view text);

    // The user types one character (its code point). Error 5 for a code that is no
    // character.
    void TypeChar(int code);
    // The user types each character of a UTF-8 text in turn.
    void Type(std::string_view text);
    // The user presses Delete: removes the selection, or the character after the caret.
    // Raises no KeyPress (the key gives no character).
    void PressDelete();

    std::function<void(int& keyAscii)> KeyPress;
    std::function<void()> Change;

private:
    // Replaces `count` characters from `start` with text and puts the caret after it.
    void Replace(long start, long count, std::string_view text);
    long Length() const;

    struct State {
        std::string text;
        long selStart = 0;
        long selLength = 0;
    };
    Designed<State> state_{*this};
};

}  // namespace host

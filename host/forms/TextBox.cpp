#include "host/forms/TextBox.h"

#include <algorithm>

#include "host/core/RuntimeError.h"

namespace host {

namespace {

// A character is a byte that does not continue a UTF-8 sequence together with the (at
// most three) continuation bytes after it; stray bytes count as one character each, so
// any text can be edited without losing bytes.
std::size_t NextChar(std::string_view s, std::size_t pos) {
    ++pos;
    for (int n = 0; n < 3 && pos < s.size() && (static_cast<unsigned char>(s[pos]) & 0xC0) == 0x80; ++n) {
        ++pos;
    }
    return pos;
}

long CharCount(std::string_view s) {
    long count = 0;
    for (std::size_t pos = 0; pos < s.size(); pos = NextChar(s, pos)) ++count;
    return count;
}

std::size_t ByteOffset(std::string_view s, long chars) {
    std::size_t pos = 0;
    for (long i = 0; i < chars && pos < s.size(); ++i) pos = NextChar(s, pos);
    return pos;
}

bool IsCharacter(int code) { return code >= 0 && code <= 0x10FFFF && !(code >= 0xD800 && code <= 0xDFFF); }

std::string Encode(int code) {
    if (!IsCharacter(code)) Raise(err::InvalidProcedureCall);
    auto c = static_cast<unsigned>(code);
    std::string out;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
    return out;
}

// The code point of the character at pos; a malformed sequence gives U+FFFD.
int DecodeChar(std::string_view s, std::size_t pos, std::size_t end) {
    auto byte = [&](std::size_t i) { return static_cast<unsigned>(static_cast<unsigned char>(s[i])); };
    unsigned lead = byte(pos);
    std::size_t length = end - pos;
    if (lead < 0x80 && length == 1) return static_cast<int>(lead);
    std::size_t expected = lead >= 0xF0 && lead < 0xF8 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
    if (expected == 0 || expected != length) return 0xFFFD;
    unsigned code = lead & (0x3F >> (expected - 1));
    for (std::size_t i = pos + 1; i < end; ++i) code = (code << 6) | (byte(i) & 0x3F);
    static constexpr unsigned least[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < least[expected] || !IsCharacter(static_cast<int>(code))) return 0xFFFD;
    return static_cast<int>(code);
}

}  // namespace

long TextBox::Length() const { return CharCount(state_->text); }

void TextBox::SetText(std::string text) {
    if (state_->text == text) return;
    state_->text = std::move(text);
    state_->selStart = 0;
    state_->selLength = 0;
    NotifyChanged();
    RaiseEvent(Change);
}

void TextBox::SetSelStart(long position) {
    if (position < 0) RaiseFormError(formerr::InvalidPropertyValue);
    long start = std::min(position, Length());
    if (state_->selStart == start && state_->selLength == 0) return;
    state_->selStart = start;
    state_->selLength = 0;
    NotifyChanged();
}

void TextBox::SetSelLength(long length) {
    if (length < 0) RaiseFormError(formerr::InvalidPropertyValue);
    Update(state_->selLength, std::min(length, Length() - state_->selStart));
}

std::string TextBox::SelText() const {
    std::size_t from = ByteOffset(state_->text, state_->selStart);
    std::size_t to = ByteOffset(state_->text, state_->selStart + state_->selLength);
    return state_->text.substr(from, to - from);
}

void TextBox::SetSelText(std::string_view text) { Replace(state_->selStart, state_->selLength, text); }

void TextBox::Replace(long start, long count, std::string_view text) {
    std::size_t from = ByteOffset(state_->text, start);
    std::size_t to = ByteOffset(state_->text, start + count);
    std::string before = state_->text;
    state_->text.replace(from, to - from, text);
    state_->selStart = start + CharCount(text);
    state_->selLength = 0;
    NotifyChanged();
    if (state_->text != before) RaiseEvent(Change);
}

void TextBox::TypeChar(int code) {
    RequireReachable();
    if (!IsCharacter(code)) Raise(err::InvalidProcedureCall);
    int key = code;
    if (KeyPress && RaisesEvents()) {
        std::function<void(int&)> handler = KeyPress;
        handler(key);
    }
    if (key == 0) return;
    if (!IsCharacter(key)) Raise(err::InvalidProcedureCall);
    // The handler may have changed the text and the caret: the key acts on the box as the
    // handler left it.
    if (key == 8) {
        if (state_->selLength > 0) {
            Replace(state_->selStart, state_->selLength, "");
        } else if (state_->selStart > 0) {
            Replace(state_->selStart - 1, 1, "");
        }
        return;
    }
    if (key < 32 || key == 127) return;  // Enter, Escape, the clipboard keys: no character
    Replace(state_->selStart, state_->selLength, Encode(key));
}

void TextBox::Type(std::string_view text) {
    for (std::size_t pos = 0; pos < text.size();) {
        std::size_t next = NextChar(text, pos);
        TypeChar(DecodeChar(text, pos, next));
        pos = next;
    }
}

void TextBox::PressDelete() {
    RequireReachable();
    if (state_->selLength > 0) {
        Replace(state_->selStart, state_->selLength, "");
    } else if (state_->selStart < Length()) {
        Replace(state_->selStart, 1, "");
    }
}

}  // namespace host

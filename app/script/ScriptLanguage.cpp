#include "app/script/ScriptLanguage.h"

#include <charconv>
#include <cmath>
#include <system_error>
#include <type_traits>

#include "host/data/Value.h"

namespace script {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

std::vector<std::string> SplitWords(std::string_view line) {
    std::vector<std::string> words;
    std::size_t i = 0;
    const std::size_t n = line.size();
    while (i < n) {
        if (IsBlank(line[i])) {
            ++i;
            continue;
        }
        if (line[i] == '#') break;
        std::string word;
        if (line[i] == '"') {
            ++i;
            bool closed = false;
            while (i < n) {
                if (line[i] == '"') {
                    if (i + 1 < n && line[i + 1] == '"') {
                        word += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    closed = true;
                    break;
                }
                word += line[i++];
            }
            if (!closed) throw ScriptError("a double quote is not closed");
            if (i < n && !IsBlank(line[i]) && line[i] != '#')
                throw ScriptError("a quoted word must be followed by a blank");
        } else {
            while (i < n && !IsBlank(line[i]) && line[i] != '#') {
                if (line[i] == '"') throw ScriptError("a double quote inside a word: put the whole word in quotes");
                word += line[i++];
            }
        }
        words.push_back(std::move(word));
    }
    return words;
}

std::vector<ScriptLine> ParseScript(std::string_view text) {
    // A UTF-8 byte-order mark, as Windows editors write at the start, is not part of the
    // first command.
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark) text.remove_prefix(kByteOrderMark.size());
    std::vector<ScriptLine> lines;
    int number = 0;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = text.size();
        ++number;
        std::string_view line = text.substr(start, end - start);
        try {
            std::vector<std::string> words = SplitWords(line);
            if (!words.empty()) lines.push_back({number, std::move(words)});
        } catch (const ScriptError& e) {
            throw ScriptError(e.what(), number);
        }
        if (end == text.size()) break;
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
    }
    return lines;
}

std::string OneLine(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\r') {
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
            out += "\\n";
        } else if (c == '\n') {
            out += "\\n";
        } else {
            out += c;
        }
    }
    return out;
}

std::string Quoted(std::string_view text) {
    std::string out = "\"";
    for (char c : OneLine(text)) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
    return out;
}

std::string NumberText(double value) { return host::Value(value).Text(); }

namespace {

// A whole decimal number of type T (an optional "+" first); ScriptError naming what was
// expected otherwise.
template <class T> T Parse(std::string_view word, std::string_view what, const char* kind) {
    T value{};
    const char* first = word.data();
    const char* last = first + word.size();
    if (!word.empty() && *first == '+') ++first;
    const auto result = std::from_chars(first, last, value);
    bool ok = !word.empty() && result.ec == std::errc() && result.ptr == last;
    if constexpr (std::is_floating_point_v<T>) ok = ok && std::isfinite(value);
    if (!ok) throw ScriptError(std::string(what) + " must be " + kind + ", not \"" + std::string(word) + "\"");
    return value;
}

}  // namespace

double ParseNumber(std::string_view word, std::string_view what) { return Parse<double>(word, what, "a number"); }

long ParseInteger(std::string_view word, std::string_view what) { return Parse<long>(word, what, "a whole number"); }

}  // namespace script

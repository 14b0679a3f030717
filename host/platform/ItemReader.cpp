#include "host/platform/ItemReader.h"

#include "host/core/RuntimeError.h"

namespace host {

namespace {
bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
}  // namespace

ItemReader::ItemReader(std::string_view bytes) : bytes_(bytes) {
    if (bytes_.substr(0, kByteOrderMark.size()) == kByteOrderMark) pos_ = kByteOrderMark.size();
}

std::string FormatItem(std::string_view text) {
    std::string line;
    line.reserve(text.size() + 4);
    line += '"';
    line += text;
    line += "\"\r\n";
    return line;
}

void ItemReader::SkipLineEnd() {
    if (pos_ < bytes_.size() && bytes_[pos_] == '\r') {
        ++pos_;
        if (pos_ < bytes_.size() && bytes_[pos_] == '\n') ++pos_;
    } else if (pos_ < bytes_.size() && bytes_[pos_] == '\n') {
        ++pos_;
    }
}

std::string ItemReader::Next() {
    if (AtEnd()) Raise(err::InputPastEndOfFile);
    const std::size_t n = bytes_.size();
    while (pos_ < n && IsBlank(bytes_[pos_])) ++pos_;
    if (pos_ >= n) return {};

    std::string value;
    if (bytes_[pos_] == '"') {
        const std::size_t start = pos_ + 1;
        std::size_t close = bytes_.find('"', start);
        if (close == std::string_view::npos) {
            // No closing quote: the item runs to the end of the file.
            pos_ = n;
            return std::string(bytes_.substr(start));
        }
        value = bytes_.substr(start, close - start);
        pos_ = close + 1;
        // What follows the closing quote on its line is skipped, up to a comma or line end.
        while (pos_ < n && bytes_[pos_] != ',' && !IsLineEnd(bytes_[pos_])) ++pos_;
    } else {
        const std::size_t start = pos_;
        while (pos_ < n && bytes_[pos_] != ',' && !IsLineEnd(bytes_[pos_])) ++pos_;
        value = bytes_.substr(start, pos_ - start);
    }
    if (pos_ < n && bytes_[pos_] == ',')
        ++pos_;
    else
        SkipLineEnd();
    return value;
}

std::size_t ItemReader::Count(std::string_view bytes) {
    ItemReader reader(bytes);
    std::size_t count = 0;
    while (!reader.AtEnd()) {
        reader.Next();
        ++count;
    }
    return count;
}

}  // namespace host

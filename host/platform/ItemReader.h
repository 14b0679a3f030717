#pragma once
// The item format of the settings files, over bytes held in memory.
//
// Writing: a double quote, the text as it is (nothing escaped), a double quote, CR LF.
// Reading, one item at a time: leading blanks (spaces, tabs) are skipped; an item that
// begins with a double quote runs to the next double quote (commas, blanks and line ends
// inside belong to it) and the rest of that line up to the next comma or line end is
// skipped; any other item runs to the next comma or line end; an empty line is one empty
// item. A line ends with CR LF, LF or CR; the last line need not end. Bytes are taken as
// they are (NUL included).
//
// What editors add is not read as items: a UTF-8 byte-order mark at the very start, and
// empty lines (or lines of blanks only) at the very end, which would otherwise count as
// empty items and change the file's item count.

#include <cstddef>
#include <string>
#include <string_view>

namespace host {

// The written form of one item: "text" followed by CR LF.
std::string FormatItem(std::string_view text);

class ItemReader {
public:
    // Reads the given bytes; they must outlive the reader.
    explicit ItemReader(std::string_view bytes);

    // True when nothing but empty lines is left.
    bool AtEnd() const;
    // The next item's value, without its quotes. Error 62 when AtEnd().
    std::string Next();
    std::size_t Position() const { return pos_; }

    // The number of items read this way until the end (0 for no bytes).
    static std::size_t Count(std::string_view bytes);

private:
    void SkipLineEnd();
    std::string_view bytes_;
    std::size_t start_ = 0;       // after a byte-order mark
    std::size_t contentEnd_ = 0;  // after the last byte that is not a blank or a line end
    std::size_t pos_ = 0;
};

}  // namespace host

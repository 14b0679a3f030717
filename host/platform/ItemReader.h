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
// Empty lines count wherever they stand, the last ones too: a file ending in two empty
// lines holds two empty items there. The line end that closes the last line adds nothing
// (seven lines each ending in CR LF are seven items), and no bytes are no items. A UTF-8
// byte-order mark at the very start, as editors write it, is not read as part of an item.

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

    // True when every byte has been read.
    bool AtEnd() const { return pos_ >= bytes_.size(); }
    // The next item's value, without its quotes. Error 62 when AtEnd().
    std::string Next();
    std::size_t Position() const { return pos_; }

    // The number of items read this way until the end (0 for no bytes).
    static std::size_t Count(std::string_view bytes);

private:
    void SkipLineEnd();
    std::string_view bytes_;
    std::size_t pos_ = 0;
};

}  // namespace host

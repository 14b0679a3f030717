// Feeds arbitrary bytes to the item reader: it must return items or raise error 62 past the
// end, always move on, never read outside the bytes, and agree with its own count. Items
// written back and read again must come back the same when they hold no double quote.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "host/core/RuntimeError.h"
#include "host/platform/ItemReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    host::ItemReader reader(bytes);
    std::vector<std::string> items;
    std::size_t last = 0;
    while (!reader.AtEnd()) {
        items.push_back(reader.Next());
        if (reader.Position() <= last && size > 0) std::abort();  // no progress: it would hang
        if (reader.Position() > size) std::abort();
        last = reader.Position();
    }
    try {
        reader.Next();
        std::abort();
    } catch (const host::RuntimeError& e) {
        if (e.Number() != 62) std::abort();
    }
    if (host::ItemReader::Count(bytes) != items.size()) std::abort();

    std::string written;
    bool quoteFree = true;
    for (const std::string& item : items) {
        if (item.find('"') != std::string::npos) quoteFree = false;
        written += host::FormatItem(item);
    }
    if (quoteFree) {
        host::ItemReader again(written);
        for (const std::string& item : items)
            if (again.AtEnd() || again.Next() != item) std::abort();
        if (!again.AtEnd()) std::abort();
    }
    return 0;
}

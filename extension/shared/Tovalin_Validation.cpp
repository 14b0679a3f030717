#include "extension/shared/Tovalin_Validation.h"

#include "extension/shared/ErrorHandling.h"

std::string strValidLeadingZero(std::string& text) {
    std::string result;
    StandardErrorTrap("strValidLeadingZero ", "Tovalin_Validation", [&] {
        if (!text.empty() && text.front() == '0') {
            // As many passes as the text had characters; each removes one leading "0".
            const std::size_t passes = text.size();
            for (std::size_t i = 0; i < passes; ++i)
                if (!text.empty() && text.front() == '0') text.erase(0, 1);
        }
        result = text;
    });
    return result;
}

#include "extension/shared/ErrorHandling.h"

#include <iterator>

#include "extension/command/Globals.h"
#include "host/platform/MessageBoxes.h"

std::string ErrorLineText(long line) {
    if (line == 0) return {};
    return "Line : " + std::to_string(line);
}

void ReportUnexpectedError(std::string moduleText, long errorNumber, std::string errorDescription) {
    const std::string lines[] = {
        "We're sorry, an unexpected error has occurred.",
        "",
        "Please email " + gSupportEmail + " and we'll",
        "be happy to help out.",
        "",
        "Please let us know the following:",
        "",
        "APPLICATION: " + gProductName + " " + gVersion,
        "ERROR NUMBER: " + std::to_string(errorNumber),
        "MODULE: " + moduleText,
        "ERROR DESCRIPTION: " + errorDescription,
        "",
        "If possible, please attach a screenshot of this",
        "message with your ArcMap project in the background.",
        "You can do this by pressing <CTRL> and <Prnt Screen>",
        "and then pasting the image into a graphics application",
        "such as Paint. Saving the image as a JPG is preferrable.",
        "",
        "Thank you!",
    };
    std::string message;
    for (std::size_t i = 0; i < std::size(lines); ++i) {
        if (i > 0) message += "\r\n";
        message += lines[i];
    }
    host::ShowMessage(message);
}

#include "app/ErrorReporting.h"

#include "common/ProgramError.h"

namespace quillmere {

std::string FormatErrorMessage(const std::string& message) {
    // Characters compare as unsigned bytes, so letters of any code page count as after ".".
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') {
        return message + ".";
    }
    return message;
}

bool RunHandler(ErrorReporter& reporter, const std::function<void()>& handler) {
    try {
        handler();
        return true;
    } catch (const ProgramError& error) {
        reporter.ShowError(FormatErrorMessage(error.what()));
        return false;
    }
}

} // namespace quillmere

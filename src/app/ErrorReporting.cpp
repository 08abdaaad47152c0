#include "app/ErrorReporting.h"

#include <exception>

namespace quillmere {

std::string FormatErrorMessage(const std::string& message) {
    // Characters compare as unsigned bytes, so letters of any code page count as after ".".
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') {
        return message + ".";
    }
    return message;
}

namespace {

// The error box itself must not throw out of the funnel: should showing the
// error fail (no memory for the text), the error goes unshown.
void ShowNoThrow(ErrorReporter& reporter, const char* message) noexcept {
    try {
        reporter.ShowError(FormatErrorMessage(message));
    } catch (...) {
    }
}

} // namespace

bool RunHandler(ErrorReporter& reporter, const std::function<void()>& handler) noexcept {
    try {
        handler();
        return true;
    } catch (const std::exception& error) {
        ShowNoThrow(reporter, error.what());
    } catch (...) {
        ShowNoThrow(reporter, "Unexpected error");
    }
    return false;
}

} // namespace quillmere

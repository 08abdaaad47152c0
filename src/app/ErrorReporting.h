#pragma once

#include <functional>
#include <string>

namespace quillmere {

// Shows an error that escaped an event handler in the application's standard
// error box: titled "Quillmere", with an OK button and the error icon.
class ErrorReporter {
public:
    virtual ~ErrorReporter() = default;
    // text is already formatted by FormatErrorMessage.
    virtual void ShowError(const std::string& text) = 0;
};

// The error box's text: the message, with "." appended when its last
// character sorts after "." as a byte: "... ZC.reg" and "Why?" gain one,
// "Done." and "Stop!" do not.
std::string FormatErrorMessage(const std::string& message);

// The one place where an event's error stops: runs one event handler, and an
// exception that escapes it (an error such as a refused write, or a defect)
// is shown through reporter with its message ("Unexpected error" when it has
// none); the rest of the handler is skipped and the program goes on. Returns
// whether the handler ran to its end.
bool RunHandler(ErrorReporter& reporter, const std::function<void()>& handler) noexcept;

} // namespace quillmere

#pragma once

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

} // namespace quillmere

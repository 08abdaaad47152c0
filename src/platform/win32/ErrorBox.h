#pragma once

#include "app/ErrorReporting.h"
#include "app/InformationBox.h"

#include <windows.h>

#include <exception>
#include <string>

namespace quillmere::win32 {

// The application title: the error box's caption and the taskbar text.
inline constexpr const char* kApplicationTitle = "Quillmere";

// The application's standard error box, modal to its owner (which may be
// null): the text as given, the application title as caption, an OK button
// and the error icon.
class MessageBoxErrorReporter final : public ErrorReporter {
public:
    explicit MessageBoxErrorReporter(HWND owner) : m_owner(owner) {}
    void ShowError(const std::string& text) override;

private:
    HWND m_owner;
};

// The application's message box for notices, modal to its owner: OK button
// and the information icon.
class MessageBoxInformation final : public InformationBox {
public:
    explicit MessageBoxInformation(HWND owner) : m_owner(owner) {}
    void ShowInformation(std::string_view text, std::string_view caption) override;

private:
    HWND m_owner;
};

// An error's message in the standard error box, with its full stop rule.
void ShowErrorBox(HWND owner, const std::string& message);

// Runs one event handler from a window procedure or a timer. A ProgramError
// that escapes it is shown in the error box and the rest of the handler is
// skipped. Nothing may unwind through the window system's frames, so any
// other exception, a defect, is stopped here too and shown the same way.
template <typename Handler> void RunWindowHandler(HWND owner, Handler&& handler) noexcept {
    try {
        MessageBoxErrorReporter reporter(owner);
        RunHandler(reporter, handler);
    } catch (const std::exception& error) {
        ShowErrorBox(owner, error.what());
    } catch (...) {
        ShowErrorBox(owner, "Unexpected error");
    }
}

} // namespace quillmere::win32

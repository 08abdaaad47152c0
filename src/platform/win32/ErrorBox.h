#pragma once

#include <windows.h>

#include <exception>
#include <string>
#include <string_view>

namespace quillmere::win32 {

// The application title: the error box's caption and the taskbar text.
inline constexpr const char* kApplicationTitle = "Quillmere";

// The text the error box shows for an error's message: a full stop is added
// when the last character sorts after "." (so "done!" stays, "file" gets one).
std::string ErrorBoxText(std::string_view message);

// The application's standard error box: the message, the application title as
// caption, an OK button and the error icon. Modal to owner (may be null).
void ShowErrorBox(HWND owner, std::string_view message);

// Runs one event handler. An error that escapes it is shown in the error box
// and the rest of the handler is skipped; nothing is thrown further, so every
// window procedure and timer routes its handlers through here.
template <typename Handler> void RunHandler(HWND owner, Handler&& handler) noexcept {
    try {
        handler();
    } catch (const std::exception& error) {
        ShowErrorBox(owner, error.what());
    } catch (...) {
        ShowErrorBox(owner, "Unexpected error");
    }
}

} // namespace quillmere::win32

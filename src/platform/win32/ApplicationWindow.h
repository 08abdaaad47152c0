#pragma once

#include "platform/win32/WindowBase.h"

#include <windows.h>

namespace quillmere::win32 {

inline constexpr const char* kApplicationWindowClass = "TApplication";

// The invisible owner of every window of ours. It is the window the taskbar
// lists, under the application title; the windows it owns have no entry of
// their own and follow its topmost state. It is shown at zero size, so only
// its taskbar entry is ever seen.
class ApplicationWindow : public WindowBase<ApplicationWindow> {
public:
    ApplicationWindow() = default;
    ~ApplicationWindow();
    ApplicationWindow(const ApplicationWindow&) = delete;
    ApplicationWindow& operator=(const ApplicationWindow&) = delete;

    // False when the window system refuses.
    bool Create(const char* title);

    // SetWindowPos with HWND_TOPMOST or HWND_NOTOPMOST and SWP_NOSIZE |
    // SWP_NOMOVE | SWP_NOACTIVATE | SWP_SHOWWINDOW (0x53).
    void SetTopmost(bool topmost) noexcept;
    // Sets or clears WS_EX_TOOLWINDOW in the extended style, leaving every
    // other bit as it is.
    void SetToolWindow(bool toolWindow) noexcept;
    // The window that a close of the taskbar entry closes.
    void SetMainWindow(HWND mainWindow) noexcept { m_mainWindow = mainWindow; }

private:
    friend class WindowBase<ApplicationWindow>;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_mainWindow = nullptr;
};

// The SetWindowPos flags of every topmost change: 0x53.
inline constexpr UINT kTopmostFlags = SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_SHOWWINDOW;

} // namespace quillmere::win32

#include "platform/win32/ApplicationWindow.h"

namespace quillmere::win32 {

ApplicationWindow::~ApplicationWindow() {
    if (m_window != nullptr) {
        ::DestroyWindow(m_window);
    }
}

bool ApplicationWindow::Create(const char* title) {
    if (!RegisterWindowClass(kApplicationWindowClass, nullptr)) {
        return false;
    }
    // A caption and a system menu give the taskbar entry its title and
    // menu; zero size at the screen's centre keeps the window itself unseen.
    const int x = ::GetSystemMetrics(SM_CXSCREEN) / 2;
    const int y = ::GetSystemMetrics(SM_CYSCREEN) / 2;
    return CreateFor(0, kApplicationWindowClass, title,
                     WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPSIBLINGS, x, y, 0,
                     0, nullptr) != nullptr;
}

void ApplicationWindow::SetTopmost(bool topmost) noexcept {
    ::SetWindowPos(m_window, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, kTopmostFlags);
}

void ApplicationWindow::SetToolWindow(bool toolWindow) noexcept {
    const LONG style = ::GetWindowLongA(m_window, GWL_EXSTYLE);
    const LONG changed = toolWindow ? (style | WS_EX_TOOLWINDOW) : (style & ~WS_EX_TOOLWINDOW);
    ::SetWindowLongA(m_window, GWL_EXSTYLE, changed);
}

LRESULT ApplicationWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ACTIVATE:
        // A click on the taskbar entry activates this unseen window: hand the
        // activation on to the window of ours that was last active.
        if (LOWORD(wParam) != WA_INACTIVE) {
            HWND popup = ::GetLastActivePopup(m_window);
            if (popup != m_window && ::IsWindowVisible(popup)) {
                ::SetActiveWindow(popup);
                return 0;
            }
        }
        break;
    case WM_CLOSE:
        // The taskbar entry's "Close" closes the main window, whose close
        // query decides.
        if (m_mainWindow != nullptr) {
            ::PostMessageA(m_mainWindow, WM_CLOSE, 0, 0);
        }
        return 0;
    default:
        break;
    }
    return Default(message, wParam, lParam);
}

} // namespace quillmere::win32

#pragma once

// The window procedure shared by every window class of ours (one C++ class per
// window): it stores the C++ object passed to CreateWindowExA at WM_NCCREATE
// and forwards every message to Derived::HandleMessage. Handlers report their
// own errors; should anything still be thrown, it stops here and the message
// gets the default processing, since nothing may unwind through user32.
// A derived class that owns its window destroys it in its own destructor,
// while its HandleMessage can still run.

#include <windows.h>

namespace quillmere::win32 {

template <typename Derived> class WindowBase {
public:
    WindowBase() = default;
    WindowBase(const WindowBase&) = delete;
    WindowBase& operator=(const WindowBase&) = delete;

    HWND Handle() const noexcept { return m_window; }

protected:
    ~WindowBase() = default;

    // Registers the class with this module; registering it again is no error.
    static bool RegisterWindowClass(const char* className, HBRUSH background) noexcept {
        WNDCLASSEXA windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = &WindowBase::Procedure;
        windowClass.hInstance = ::GetModuleHandleA(nullptr);
        windowClass.hCursor = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
        windowClass.hbrBackground = background;
        windowClass.lpszClassName = className;
        return ::RegisterClassExA(&windowClass) != 0 ||
               ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    }

    // Creates the window with this object as its creation parameter; positions
    // and sizes are screen pixels for top-level windows, client pixels of the
    // parent for children, which carry childId as their control id.
    HWND CreateFor(DWORD exStyle, const char* className, const char* caption, DWORD style, int x,
                   int y, int width, int height, HWND parent, int childId = 0) noexcept {
        const auto menu = reinterpret_cast<HMENU>(static_cast<INT_PTR>(childId));
        return ::CreateWindowExA(exStyle, className, caption, style, x, y, width, height, parent,
                                 menu, ::GetModuleHandleA(nullptr), this);
    }

    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam) noexcept {
        return ::DefWindowProcA(m_window, message, wParam, lParam);
    }

    HWND m_window = nullptr;

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam,
                                      LPARAM lParam) noexcept {
        Derived* self = nullptr;
        if (message == WM_NCCREATE) {
            auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
            auto* base = static_cast<WindowBase*>(create->lpCreateParams);
            base->m_window = window;
            ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(base));
            self = static_cast<Derived*>(base);
        } else {
            self = static_cast<Derived*>(
                reinterpret_cast<WindowBase*>(::GetWindowLongPtrA(window, GWLP_USERDATA)));
        }
        if (self == nullptr) {
            return ::DefWindowProcA(window, message, wParam, lParam);
        }
        LRESULT result = 0;
        try {
            result = self->HandleMessage(message, wParam, lParam);
        } catch (...) {
            result = ::DefWindowProcA(window, message, wParam, lParam);
        }
        if (message == WM_NCDESTROY) {
            ::SetWindowLongPtrA(window, GWLP_USERDATA, 0);
            static_cast<WindowBase*>(self)->m_window = nullptr;
        }
        return result;
    }
};

} // namespace quillmere::win32

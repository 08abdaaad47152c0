#include "platform/win32/Win32HostWindowSystem.h"

#include <windows.h>

#include <algorithm>
#include <exception>

namespace quillmere::win32 {

namespace {

// Both name buffers hold 255 characters, terminator included.
constexpr int kNameBufferSize = 255;

HWND ToHwnd(WindowHandle window) {
    return reinterpret_cast<HWND>(window);
}
WindowHandle FromHwnd(HWND window) {
    return reinterpret_cast<WindowHandle>(window);
}

struct EnumState {
    const HostWindowSystem::EnumCallback* Callback;
    // An exception must not unwind through user32's frames; it is carried
    // out of the enumeration and thrown again once EnumWindows returns.
    std::exception_ptr Failure;
};

BOOL CALLBACK EnumTopLevel(HWND window, LPARAM state) {
    auto* enumState = reinterpret_cast<EnumState*>(state);
    try {
        return (*enumState->Callback)(FromHwnd(window)) ? TRUE : FALSE;
    } catch (...) {
        enumState->Failure = std::current_exception();
        return FALSE;
    }
}

ScreenRect FromRect(const RECT& rect) {
    return ScreenRect{rect.left, rect.top, rect.right, rect.bottom};
}

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM state) {
    auto* layout = reinterpret_cast<MonitorLayout*>(state);
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (::GetMonitorInfoA(monitor, &info)) {
        const bool primary = (info.dwFlags & MONITORINFOF_PRIMARY) != 0;
        const std::size_t before = layout->Count;
        layout->Add({FromRect(info.rcMonitor), FromRect(info.rcWork), primary});
        // The primary first, so that ties between monitors go to it.
        if (primary && layout->Count > before) {
            std::rotate(layout->Items.begin(), layout->Items.begin() + (layout->Count - 1),
                        layout->Items.begin() + layout->Count);
        }
    }
    return TRUE;
}

} // namespace

WindowHandle Win32HostWindowSystem::FindTopLevelWindow(std::string_view className) {
    const std::string name(className);
    return FromHwnd(::FindWindowA(name.c_str(), nullptr));
}

void Win32HostWindowSystem::EnumerateTopLevelWindows(const EnumCallback& callback) {
    EnumState state{&callback, nullptr};
    ::EnumWindows(EnumTopLevel, reinterpret_cast<LPARAM>(&state));
    if (state.Failure) {
        std::rethrow_exception(state.Failure);
    }
}

std::string Win32HostWindowSystem::ClassNameOf(WindowHandle window) {
    char buffer[kNameBufferSize] = {};
    const int length = ::GetClassNameA(ToHwnd(window), buffer, kNameBufferSize);
    return std::string(buffer, length > 0 ? static_cast<std::size_t>(length) : 0);
}

std::string Win32HostWindowSystem::CaptionOf(WindowHandle window) {
    char buffer[kNameBufferSize] = {};
    const int length = ::GetWindowTextA(ToHwnd(window), buffer, kNameBufferSize);
    return std::string(buffer, length > 0 ? static_cast<std::size_t>(length) : 0);
}

std::uint32_t Win32HostWindowSystem::StyleOf(WindowHandle window) {
    return static_cast<std::uint32_t>(::GetWindowLongA(ToHwnd(window), GWL_STYLE));
}

WindowHandle Win32HostWindowSystem::FindChildWindow(WindowHandle parent,
                                                    std::string_view className) {
    const std::string name(className);
    return FromHwnd(::FindWindowExA(ToHwnd(parent), nullptr, name.c_str(), nullptr));
}

ScreenRect Win32HostWindowSystem::WindowRectOf(WindowHandle window) {
    RECT rect{};
    if (!::GetWindowRect(ToHwnd(window), &rect)) {
        return ScreenRect{};
    }
    return FromRect(rect);
}

void Win32HostWindowSystem::MoveWindowTo(WindowHandle window, std::int32_t x, std::int32_t y,
                                         std::int32_t width, std::int32_t height) {
    // MoveWindow would wait for a hung host to answer; an asynchronous
    // SetWindowPos moves, keeps the size and repaints just the same, and
    // returns at once.
    ::SetWindowPos(ToHwnd(window), nullptr, x, y, width, height,
                   SWP_NOZORDER | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS);
}

ScreenPoint Win32HostWindowSystem::CursorPosition() {
    POINT point{};
    ::GetCursorPos(&point);
    return ScreenPoint{point.x, point.y};
}

WindowHandle Win32HostWindowSystem::WindowAtPoint(ScreenPoint point) {
    return FromHwnd(::WindowFromPoint(POINT{point.X, point.Y}));
}

WindowHandle Win32HostWindowSystem::ParentOf(WindowHandle window) {
    return FromHwnd(::GetParent(ToHwnd(window)));
}

MonitorLayout Win32HostWindowSystem::Monitors() {
    MonitorLayout layout;
    ::EnumDisplayMonitors(nullptr, nullptr, &AddMonitor, reinterpret_cast<LPARAM>(&layout));
    if (layout.Empty()) {
        // No monitor listed: the primary screen as the system metrics give it.
        RECT workArea{};
        ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
        layout.Add({{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)},
                    FromRect(workArea),
                    true});
    }
    return layout;
}

std::uint64_t Win32HostWindowSystem::MonotonicMilliseconds() {
    return ::GetTickCount64();
}

bool Win32HostWindowSystem::AnyMouseButtonDown() {
    // The high bit is the button's state now; the physical buttons are read,
    // so swapped buttons need no care when all three are asked.
    constexpr SHORT kDown = static_cast<SHORT>(0x8000);
    return ((::GetAsyncKeyState(VK_LBUTTON) | ::GetAsyncKeyState(VK_RBUTTON) |
             ::GetAsyncKeyState(VK_MBUTTON)) &
            kDown) != 0;
}

} // namespace quillmere::win32

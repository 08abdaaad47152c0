#pragma once

#include "host/MonitorLayout.h"
#include "host/WindowTypes.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace quillmere {

// The window-system operations that palette discovery and auto-hide need. All
// coordinates are signed virtual-screen pixels: the primary monitor's top-left
// is (0, 0), and other monitors may lie at negative coordinates.
class HostWindowSystem {
public:
    // Return false to stop the enumeration early (discovery never does).
    using EnumCallback = std::function<bool(WindowHandle)>;

    virtual ~HostWindowSystem() = default;

    // The first top-level window of that class, or kNoWindow (FindWindowA).
    virtual WindowHandle FindTopLevelWindow(std::string_view className) = 0;
    // Calls back once per top-level window, in the window system's z-order,
    // before it returns (EnumWindows).
    virtual void EnumerateTopLevelWindows(const EnumCallback& callback) = 0;
    // Class name, at most 254 characters (GetClassNameA into 255).
    virtual std::string ClassNameOf(WindowHandle window) = 0;
    // Caption, empty when there is none, at most 254 characters.
    virtual std::string CaptionOf(WindowHandle window) = 0;
    // GWL_STYLE bits; 0 for a window that does not exist.
    virtual std::uint32_t StyleOf(WindowHandle window) = 0;
    // The first child of that class, or kNoWindow (FindWindowExA).
    virtual WindowHandle FindChildWindow(WindowHandle parent, std::string_view className) = 0;
    // Current rectangle; all zero for a window that does not exist.
    virtual ScreenRect WindowRectOf(WindowHandle window) = 0;
    // Moves the window keeping the given size and repaints it. Never waits for
    // the window's owner to answer; failure is ignored.
    virtual void MoveWindowTo(WindowHandle window, std::int32_t x, std::int32_t y,
                              std::int32_t width, std::int32_t height) = 0;
    virtual ScreenPoint CursorPosition() = 0;
    // The deepest visible window at that point, child windows included.
    virtual WindowHandle WindowAtPoint(ScreenPoint point) = 0;
    // The parent of a child window, the owner of a top-level pop-up, or
    // kNoWindow at the top (GetParent).
    virtual WindowHandle ParentOf(WindowHandle window) = 0;
    // Every monitor's rectangle and work area, the primary listed first
    // (EnumDisplayMonitors, GetMonitorInfo), read afresh at every call. Never
    // allocates, so that a fault handler may call it.
    virtual MonitorLayout Monitors() = 0;
    // Milliseconds from an arbitrary start, never going back (GetTickCount64).
    virtual std::uint64_t MonotonicMilliseconds() = 0;
    // Whether the left, right or middle mouse button is down at this moment,
    // whichever window has the input (GetAsyncKeyState).
    virtual bool AnyMouseButtonDown() = 0;
};

} // namespace quillmere

#pragma once

#include "host/HostWindowSystem.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace quillmere::sim {

struct SimWindowDesc {
    std::string ClassName;
    std::string Caption;
    std::uint32_t Style = kStyleVisible | kStyleBorder;
    ScreenRect Rect;
    // For a child window: its parent. Children are not top-level windows.
    WindowHandle Parent = kNoWindow;
    // For a top-level pop-up: its owner, which GetParent reports.
    WindowHandle Owner = kNoWindow;
};

struct SimMove {
    WindowHandle Window = kNoWindow;
    ScreenRect To;
    bool operator==(const SimMove&) const = default;
};

// An in-memory desktop that stands in for the window system in the tests and
// benchmarks. Top-level windows are kept in z-order, topmost first, which is
// also the enumeration order; each new top-level window goes to the bottom.
// Its screen is one primary monitor at (0, 0) whose work area is the whole
// monitor, unless SetMonitors gives it others.
class SimulatedDesktop final : public HostWindowSystem {
public:
    SimulatedDesktop(std::int32_t screenWidth = 1280, std::int32_t workAreaHeight = 984);

    WindowHandle Add(const SimWindowDesc& desc);
    // Shorthands for the windows most scenarios need.
    WindowHandle AddHost(const ScreenRect& rect = {0, 0, 1280, 984});
    WindowHandle AddPalette(const std::string& caption, const ScreenRect& rect);
    WindowHandle AddChild(WindowHandle parent, const std::string& className,
                          const ScreenRect& rect);

    void Remove(WindowHandle window);
    void SetCaption(WindowHandle window, const std::string& caption);
    void SetStyle(WindowHandle window, std::uint32_t style);
    void SetRect(WindowHandle window, const ScreenRect& rect);
    void BringToTop(WindowHandle window);
    bool Exists(WindowHandle window) const;
    ScreenRect RectOf(WindowHandle window) const;

    void SetCursor(ScreenPoint point) { m_cursor = point; }
    // One primary monitor of that size, as the constructor makes it.
    void SetScreen(std::int32_t screenWidth, std::int32_t workAreaHeight);
    void SetMonitors(const MonitorLayout& monitors) { m_monitors = monitors; }
    // The clock only moves when told to. Milliseconds.
    void AdvanceClock(std::uint64_t milliseconds) { m_clock += milliseconds; }
    void SetMouseButtonDown(bool down) { m_buttonDown = down; }

    const std::vector<SimMove>& Moves() const { return m_moves; }
    void ClearMoves() { m_moves.clear(); }
    // Every HostWindowSystem call made since the last reset.
    std::uint64_t CallCount() const { return m_calls; }
    void ResetCallCount() { m_calls = 0; }

    WindowHandle FindTopLevelWindow(std::string_view className) override;
    void EnumerateTopLevelWindows(const EnumCallback& callback) override;
    std::string ClassNameOf(WindowHandle window) override;
    std::string CaptionOf(WindowHandle window) override;
    std::uint32_t StyleOf(WindowHandle window) override;
    WindowHandle FindChildWindow(WindowHandle parent, std::string_view className) override;
    ScreenRect WindowRectOf(WindowHandle window) override;
    void MoveWindowTo(WindowHandle window, std::int32_t x, std::int32_t y, std::int32_t width,
                      std::int32_t height) override;
    ScreenPoint CursorPosition() override;
    WindowHandle WindowAtPoint(ScreenPoint point) override;
    WindowHandle ParentOf(WindowHandle window) override;
    MonitorLayout Monitors() override;
    std::uint64_t MonotonicMilliseconds() override;
    bool AnyMouseButtonDown() override;

private:
    struct Window {
        SimWindowDesc Desc;
        std::vector<WindowHandle> Children; // in creation order
    };

    const Window* Find(WindowHandle window) const;
    Window* Find(WindowHandle window);
    WindowHandle DeepestChildAt(WindowHandle window, ScreenPoint point) const;

    std::map<WindowHandle, Window> m_windows;
    std::vector<WindowHandle> m_zOrder; // top-level windows, topmost first
    std::vector<SimMove> m_moves;
    WindowHandle m_nextHandle = 0x10010;
    ScreenPoint m_cursor;
    MonitorLayout m_monitors;
    std::uint64_t m_calls = 0;
    // Far from zero, so that nothing may take 0 for "never".
    std::uint64_t m_clock = 1'000'000;
    bool m_buttonDown = false;
};

} // namespace quillmere::sim

#pragma once

#include "host/HostWindowSystem.h"

namespace quillmere::win32 {

// The real desktop through user32. Window handles travel as WindowHandle
// (the HWND's bits); coordinates are virtual-screen pixels.
class Win32HostWindowSystem final : public HostWindowSystem {
public:
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
};

} // namespace quillmere::win32

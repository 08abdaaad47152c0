#include "platform/sim/SimulatedDesktop.h"

#include "host/PSinfo.h"

#include <algorithm>

namespace quillmere::sim {

namespace {

bool Contains(const ScreenRect& rect, ScreenPoint point) {
    return point.X >= rect.Left && point.X < rect.Right && point.Y >= rect.Top &&
           point.Y < rect.Bottom;
}

constexpr std::size_t kTextLimit = 254; // a 255-character buffer with its terminator

} // namespace

SimulatedDesktop::SimulatedDesktop(std::int32_t screenWidth, std::int32_t workAreaHeight)
    : m_monitors(SingleMonitor(screenWidth, workAreaHeight)) {}

WindowHandle SimulatedDesktop::Add(const SimWindowDesc& desc) {
    const WindowHandle handle = m_nextHandle;
    m_nextHandle += 0x10;
    m_windows[handle] = Window{desc, {}};
    if (desc.Parent != kNoWindow) {
        Find(desc.Parent)->Children.push_back(handle);
    } else {
        m_zOrder.push_back(handle);
    }
    return handle;
}

WindowHandle SimulatedDesktop::AddHost(const ScreenRect& rect) {
    return Add({std::string(kHostClass), "Adobe Photoshop",
                kStyleVisible | kStyleBorder | kStyleDlgFrame, rect});
}

WindowHandle SimulatedDesktop::AddPalette(const std::string& caption, const ScreenRect& rect) {
    return Add(
        {std::string(kPaletteClass), caption, kStyleVisible | kStyleBorder | kStylePopup, rect});
}

WindowHandle SimulatedDesktop::AddChild(WindowHandle parent, const std::string& className,
                                        const ScreenRect& rect) {
    return Add({className, "", kStyleVisible | kStyleChild, rect, parent});
}

void SimulatedDesktop::Remove(WindowHandle window) {
    Window* found = Find(window);
    if (found == nullptr) {
        return;
    }
    const std::vector<WindowHandle> children = found->Children;
    for (WindowHandle child : children) {
        Remove(child);
    }
    if (const WindowHandle parent = found->Desc.Parent; parent != kNoWindow) {
        if (Window* p = Find(parent)) {
            std::erase(p->Children, window);
        }
    }
    std::erase(m_zOrder, window);
    m_windows.erase(window);
}

void SimulatedDesktop::SetCaption(WindowHandle window, const std::string& caption) {
    if (Window* w = Find(window)) {
        w->Desc.Caption = caption;
    }
}

void SimulatedDesktop::SetStyle(WindowHandle window, std::uint32_t style) {
    if (Window* w = Find(window)) {
        w->Desc.Style = style;
    }
}

void SimulatedDesktop::SetRect(WindowHandle window, const ScreenRect& rect) {
    if (Window* w = Find(window)) {
        w->Desc.Rect = rect;
    }
}

void SimulatedDesktop::BringToTop(WindowHandle window) {
    if (std::erase(m_zOrder, window) > 0) {
        m_zOrder.insert(m_zOrder.begin(), window);
    }
}

bool SimulatedDesktop::Exists(WindowHandle window) const {
    return Find(window) != nullptr;
}

ScreenRect SimulatedDesktop::RectOf(WindowHandle window) const {
    const Window* w = Find(window);
    return w != nullptr ? w->Desc.Rect : ScreenRect{};
}

void SimulatedDesktop::SetScreen(std::int32_t screenWidth, std::int32_t workAreaHeight) {
    m_monitors = SingleMonitor(screenWidth, workAreaHeight);
}

WindowHandle SimulatedDesktop::FindTopLevelWindow(std::string_view className) {
    ++m_calls;
    for (WindowHandle handle : m_zOrder) {
        if (Find(handle)->Desc.ClassName == className) {
            return handle;
        }
    }
    return kNoWindow;
}

void SimulatedDesktop::EnumerateTopLevelWindows(const EnumCallback& callback) {
    ++m_calls;
    // A copy, so that a callback may add or remove windows as a real desktop can.
    const std::vector<WindowHandle> order = m_zOrder;
    for (WindowHandle handle : order) {
        if (!callback(handle)) {
            return;
        }
    }
}

std::string SimulatedDesktop::ClassNameOf(WindowHandle window) {
    ++m_calls;
    const Window* w = Find(window);
    return w != nullptr ? w->Desc.ClassName.substr(0, kTextLimit) : std::string();
}

std::string SimulatedDesktop::CaptionOf(WindowHandle window) {
    ++m_calls;
    const Window* w = Find(window);
    return w != nullptr ? w->Desc.Caption.substr(0, kTextLimit) : std::string();
}

std::uint32_t SimulatedDesktop::StyleOf(WindowHandle window) {
    ++m_calls;
    const Window* w = Find(window);
    return w != nullptr ? w->Desc.Style : 0;
}

WindowHandle SimulatedDesktop::FindChildWindow(WindowHandle parent, std::string_view className) {
    ++m_calls;
    const Window* w = Find(parent);
    if (w == nullptr) {
        return kNoWindow;
    }
    for (WindowHandle child : w->Children) {
        if (Find(child)->Desc.ClassName == className) {
            return child;
        }
    }
    return kNoWindow;
}

ScreenRect SimulatedDesktop::WindowRectOf(WindowHandle window) {
    ++m_calls;
    return RectOf(window);
}

void SimulatedDesktop::MoveWindowTo(WindowHandle window, std::int32_t x, std::int32_t y,
                                    std::int32_t width, std::int32_t height) {
    ++m_calls;
    const ScreenRect to{x, y, x + width, y + height};
    m_moves.push_back({window, to});
    Window* w = Find(window);
    if (w == nullptr) {
        return;
    }
    // Children keep their place inside the moved window.
    const std::int32_t dx = x - w->Desc.Rect.Left;
    const std::int32_t dy = y - w->Desc.Rect.Top;
    w->Desc.Rect = to;
    std::vector<WindowHandle> pending = w->Children;
    while (!pending.empty()) {
        Window* child = Find(pending.back());
        pending.pop_back();
        child->Desc.Rect = {child->Desc.Rect.Left + dx, child->Desc.Rect.Top + dy,
                            child->Desc.Rect.Right + dx, child->Desc.Rect.Bottom + dy};
        pending.insert(pending.end(), child->Children.begin(), child->Children.end());
    }
}

ScreenPoint SimulatedDesktop::CursorPosition() {
    ++m_calls;
    return m_cursor;
}

WindowHandle SimulatedDesktop::WindowAtPoint(ScreenPoint point) {
    ++m_calls;
    for (WindowHandle handle : m_zOrder) {
        const Window* w = Find(handle);
        if ((w->Desc.Style & kStyleVisible) != 0 && Contains(w->Desc.Rect, point)) {
            return DeepestChildAt(handle, point);
        }
    }
    return kNoWindow;
}

WindowHandle SimulatedDesktop::ParentOf(WindowHandle window) {
    ++m_calls;
    const Window* w = Find(window);
    if (w == nullptr) {
        return kNoWindow;
    }
    return w->Desc.Parent != kNoWindow ? w->Desc.Parent : w->Desc.Owner;
}

MonitorLayout SimulatedDesktop::Monitors() {
    ++m_calls;
    return m_monitors;
}

std::uint64_t SimulatedDesktop::MonotonicMilliseconds() {
    ++m_calls;
    return m_clock;
}

bool SimulatedDesktop::AnyMouseButtonDown() {
    ++m_calls;
    return m_buttonDown;
}

const SimulatedDesktop::Window* SimulatedDesktop::Find(WindowHandle window) const {
    const auto it = m_windows.find(window);
    return it != m_windows.end() ? &it->second : nullptr;
}

SimulatedDesktop::Window* SimulatedDesktop::Find(WindowHandle window) {
    const auto it = m_windows.find(window);
    return it != m_windows.end() ? &it->second : nullptr;
}

WindowHandle SimulatedDesktop::DeepestChildAt(WindowHandle window, ScreenPoint point) const {
    const Window* w = Find(window);
    // The child created last lies on top.
    for (auto it = w->Children.rbegin(); it != w->Children.rend(); ++it) {
        const Window* child = Find(*it);
        if ((child->Desc.Style & kStyleVisible) != 0 && Contains(child->Desc.Rect, point)) {
            return DeepestChildAt(*it, point);
        }
    }
    return window;
}

} // namespace quillmere::sim

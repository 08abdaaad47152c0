#pragma once

#include "host/WindowTypes.h"

#include <array>
#include <cstddef>

namespace quillmere {

// One display monitor: its rectangle and its work area (the rectangle less
// the taskbar and other docked bars), in virtual-screen pixels, right and
// bottom exclusive.
struct Monitor {
    ScreenRect Bounds;
    ScreenRect WorkArea;
    bool Primary = false;

    bool operator==(const Monitor&) const = default;
};

// The desktop's monitors as the window system lists them. Fixed storage, so
// that reading and comparing a layout allocates nothing and a fault handler
// may do it; monitors past kMaxMonitors are not seen.
struct MonitorLayout {
    static constexpr std::size_t kMaxMonitors = 16;

    std::array<Monitor, kMaxMonitors> Items{};
    std::size_t Count = 0;

    void Add(const Monitor& monitor) {
        if (Count < kMaxMonitors) {
            Items[Count++] = monitor;
        }
    }
    const Monitor& At(std::size_t i) const { return Items[i]; }
    bool Empty() const { return Count == 0; }

    bool operator==(const MonitorLayout& other) const {
        if (Count != other.Count) {
            return false;
        }
        for (std::size_t i = 0; i < Count; ++i) {
            if (!(Items[i] == other.Items[i])) {
                return false;
            }
        }
        return true;
    }
};

// A single primary monitor whose work area starts at its top and is
// workAreaHeight high: the desktop as a one-screen program sees it.
inline MonitorLayout SingleMonitor(std::int32_t screenWidth, std::int32_t workAreaHeight) {
    MonitorLayout layout;
    const ScreenRect screen{0, 0, screenWidth, workAreaHeight};
    layout.Add({screen, screen, true});
    return layout;
}

} // namespace quillmere

#include "autohide/PaletteRescue.h"

#include "autohide/SlideMoves.h"
#include "host/EdgeGeometry.h"

#include <new>

namespace quillmere {

void PaletteRescue::Update(const PaletteTable& table) noexcept {
    const int next = 1 - m_published.load(std::memory_order_relaxed);
    Copy& copy = m_copies[static_cast<std::size_t>(next)];
    const auto rows = static_cast<std::size_t>(table.Count());
    if (copy.Entries.size() < rows) {
        try {
            copy.Entries.resize(rows);
        } catch (const std::bad_alloc&) {
            // The rows that fit are rescued; the next refresh tries again.
        }
    }
    copy.Count = 0;
    copy.ClassifiedOn = table.ClassifiedOn();
    for (const PSinfo& row : table.Rows()) {
        if (copy.Count == copy.Entries.size()) {
            break;
        }
        copy.Entries[copy.Count++] = {row.Handle, row.Edge};
    }
    m_published.store(next, std::memory_order_release);
}

void PaletteRescue::BringBack(HostWindowSystem& windows) noexcept {
    m_broughtBack.store(true, std::memory_order_release);
    const Copy& copy =
        m_copies[static_cast<std::size_t>(m_published.load(std::memory_order_acquire))];
    ScreenMeasures screen(windows, copy.ClassifiedOn);
    for (std::size_t i = 0; i < copy.Count; ++i) {
        SlideWindowIn(copy.Entries[i].Handle, copy.Entries[i].Edge, windows, screen);
    }
}

bool PaletteRescue::AllBack(HostWindowSystem& windows) const noexcept {
    const Copy& copy =
        m_copies[static_cast<std::size_t>(m_published.load(std::memory_order_acquire))];
    ScreenMeasures screen(windows);
    for (std::size_t i = 0; i < copy.Count; ++i) {
        const ScreenRect current = windows.WindowRectOf(copy.Entries[i].Handle);
        const ScreenPoint back =
            BackOrigin(copy.Entries[i].Edge, current, copy.ClassifiedOn, screen.Monitors());
        if (back.X != current.Left || back.Y != current.Top) {
            return false;
        }
    }
    return true;
}

} // namespace quillmere

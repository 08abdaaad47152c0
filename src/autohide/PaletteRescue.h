#pragma once

#include "host/HostWindowSystem.h"
#include "host/PaletteTable.h"

#include <array>
#include <atomic>
#include <cstddef>
#include <vector>

namespace quillmere {

// What a fault handler needs to bring every palette back on screen when the
// process is about to die: a copy of the table's windows and edges, so that
// bringing them back allocates nothing and takes no lock. The user-interface
// thread refreshes the copy after every event that may change the table and
// makes its storage grow with the table there, never in the fault path; the
// copy is published whole, so a fault on any thread, even in the middle of a
// refresh, sees one consistent table.
class PaletteRescue {
public:
    // User-interface thread only. Should the storage for a larger table not
    // be had, the copy keeps the rows it has room for.
    void Update(const PaletteTable& table) noexcept;
    // Slides every palette of the last published copy in against its edge on
    // its own monitor, as a close would. Any thread, any time; the moves never wait for the host.
    // From then on BroughtBack() is true: the process is ending, and no event
    // may send a palette out again.
    void BringBack(HostWindowSystem& windows) noexcept;
    bool BroughtBack() const noexcept { return m_broughtBack.load(std::memory_order_acquire); }
    // Whether every palette of that copy now stands where BringBack sends it.
    // Moves land asynchronously: a dying process waits for this, for a while,
    // since the window system may drop the moves of a process that is gone.
    bool AllBack(HostWindowSystem& windows) const noexcept;

private:
    struct Entry {
        WindowHandle Handle = kNoWindow;
        ScreenEdge Edge = ScreenEdge::None;
    };
    struct Copy {
        // Only ever grown, by Update, while this copy is not the published one.
        std::vector<Entry> Entries;
        std::size_t Count = 0;
        MonitorLayout ClassifiedOn;
    };

    std::array<Copy, 2> m_copies{};
    std::atomic<int> m_published{0};
    std::atomic<bool> m_broughtBack{false};
};

} // namespace quillmere

#pragma once

#include "host/MonitorLayout.h"
#include "host/PSinfo.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace quillmere {

// A 1-based growable table of palette rows with a separate count. Element 0
// is allocated but never used; elements past the count are stale after
// Forget() and are never exposed.
class PaletteTable {
public:
    PaletteTable() : m_rows(1) {}

    std::int32_t Count() const { return m_count; }
    bool Empty() const { return m_count == 0; }

    // Rows 1..Count(), in table order, for loops that need no row number.
    std::span<PSinfo> Rows() { return {m_rows.data() + 1, static_cast<std::size_t>(m_count)}; }
    std::span<const PSinfo> Rows() const {
        return {m_rows.data() + 1, static_cast<std::size_t>(m_count)};
    }

    // Row i for 1 <= i <= Count().
    PSinfo& Row(std::int32_t i);
    const PSinfo& Row(std::int32_t i) const;

    // Grows the count by one and returns the new last row, reset to a fresh
    // row (ticked, no edge) so that nothing of an earlier fill leaks into it.
    PSinfo& Append();

    // The lowest row index whose Handle equals window, or 0 when none does.
    std::int32_t FindByHandle(WindowHandle window) const;

    // Host gone: the rows are forgotten, the storage is kept.
    void Forget() {
        m_count = 0;
        m_classifiedOn = {};
    }

    // Becomes an element-for-element copy of rows 1..Count() of other, with
    // the monitors they were classified on.
    void ReplaceWith(const PaletteTable& other);

    // The monitors the rows' edges and homes were decided on; empty for rows
    // that no scan classified, which then follow the monitors of the moment.
    const MonitorLayout& ClassifiedOn() const { return m_classifiedOn; }
    void SetClassifiedOn(const MonitorLayout& monitors) { m_classifiedOn = monitors; }

private:
    std::vector<PSinfo> m_rows;
    std::int32_t m_count = 0;
    MonitorLayout m_classifiedOn;
};

// The process-wide palette tables of the main window's unit.
struct HostTables {
    PaletteTable FloatingWindows;
    PaletteTable ScannedWindows;
    std::int32_t UntitledPaletteCount = 0;
};

} // namespace quillmere

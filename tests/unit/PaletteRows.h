#pragma once

#include "host/PaletteTable.h"
#include "platform/sim/SimulatedDesktop.h"

#include <string>

namespace quillmere::testing {

// A palette window "P" on the desktop and its row at the end of the table,
// with the window's handle, title, edge and tick. The home rectangle stays
// zero: a test that needs the home a scan would give sets it.
inline PSinfo& AddPaletteRow(sim::SimulatedDesktop& desktop, PaletteTable& table,
                             const ScreenRect& rect, ScreenEdge edge, bool selected = true) {
    const WindowHandle window = desktop.AddPalette("P", rect);
    PSinfo& row = table.Append();
    row.Handle = window;
    // Assigned from a string, not a literal: GCC 12 at -O3 takes the literal's
    // copy into a freshly appended row for an overlapping memcpy (-Wrestrict).
    row.Title = std::string("P");
    row.Edge = edge;
    row.Selected = selected;
    return row;
}

} // namespace quillmere::testing

#pragma once

#include "host/HostWindowSystem.h"
#include "host/PaletteTable.h"
#include "host/ScreenMeasures.h"

#include <cstdint>

namespace quillmere {

// The two moves of a palette across its edge, on the palette's own monitor.
// Each reads the palette's current rectangle right before it moves it, keeps
// its size and its place along the edge, and ignores whether the move
// succeeded. A row without an edge is moved as a bottom one; a palette whose
// edge is an inner edge of its monitor is not moved. A palette that already
// stands where the move would put it is not moved: every move wakes the host's
// user-interface thread. The forms that take a ScreenMeasures share its reads
// with the rest of one operation; while its monitors differ from those it says
// the rows were classified on, nothing slides out and a slide in brings the
// palette where it belongs on the monitors of the moment.

// Flush against the edge, fully on screen.
void SlideIn(const PSinfo& row, HostWindowSystem& windows);
void SlideIn(const PSinfo& row, HostWindowSystem& windows, ScreenMeasures& screen);
// The same for a palette known only by its window and edge: no table, no
// allocation, so that a fault handler may use it.
void SlideWindowIn(WindowHandle window, ScreenEdge edge, HostWindowSystem& windows,
                   ScreenMeasures& screen);
// Out across the edge, leaving a strip of kVisibleStrip pixels on screen.
void SlideOut(const PSinfo& row, HostWindowSystem& windows);
void SlideOut(const PSinfo& row, HostWindowSystem& windows, ScreenMeasures& screen);

// Whether SlideOutAll moves the row: ticked, and placed at an edge.
bool HidesWithAll(const PSinfo& row);
// Slides out every ticked row that has an edge, in table order; rows without
// one stay where they are.
void SlideOutAll(const PaletteTable& table, HostWindowSystem& windows);
void SlideOutAll(const PaletteTable& table, HostWindowSystem& windows, ScreenMeasures& screen);
// Slides in every row, ticked or not, in table order; a row without an edge is
// moved as a bottom one.
void SlideInAll(const PaletteTable& table, HostWindowSystem& windows);

} // namespace quillmere

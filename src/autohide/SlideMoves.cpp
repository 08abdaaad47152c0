#include "autohide/SlideMoves.h"

#include "host/EdgeGeometry.h"

namespace quillmere {

namespace {

void MoveTo(WindowHandle window, const ScreenRect& current, ScreenPoint to,
            HostWindowSystem& windows) {
    if (to.X == current.Left && to.Y == current.Top) {
        return;
    }
    windows.MoveWindowTo(window, to.X, to.Y, current.Width(), current.Height());
}

} // namespace

void SlideWindowIn(WindowHandle window, ScreenEdge edge, HostWindowSystem& windows,
                   ScreenMeasures& screen) {
    // Both measures: the palette also comes within the screen along its edge.
    const ScreenRect current = windows.WindowRectOf(window);
    MoveTo(window, current, ShownOrigin(edge, current, screen.Width(), screen.WorkAreaHeight()),
           windows);
}

void SlideIn(const PSinfo& row, HostWindowSystem& windows, ScreenMeasures& screen) {
    SlideWindowIn(row.Handle, row.Edge, windows, screen);
}

void SlideIn(const PSinfo& row, HostWindowSystem& windows) {
    ScreenMeasures screen(windows);
    SlideIn(row, windows, screen);
}

void SlideOut(const PSinfo& row, HostWindowSystem& windows, ScreenMeasures& screen) {
    const WindowHandle window = row.Handle;
    const ScreenEdge edge = row.Edge;
    const ScreenRect current = windows.WindowRectOf(window);
    // Only the measure the edge stands on is read: the left edge is x = 0.
    std::int32_t screenWidth = 0;
    std::int32_t workAreaHeight = 0;
    switch (edge) {
    case ScreenEdge::Right:
        screenWidth = screen.Width();
        break;
    case ScreenEdge::Left:
        break;
    case ScreenEdge::Bottom:
    case ScreenEdge::None: // Moved as bottom.
        workAreaHeight = screen.WorkAreaHeight();
        break;
    }
    MoveTo(window, current, HiddenOrigin(edge, current, screenWidth, workAreaHeight), windows);
}

void SlideOut(const PSinfo& row, HostWindowSystem& windows) {
    ScreenMeasures screen(windows);
    SlideOut(row, windows, screen);
}

void SlideOutAll(const PaletteTable& table, HostWindowSystem& windows) {
    ScreenMeasures screen(windows);
    SlideOutAll(table, windows, screen);
}

bool HidesWithAll(const PSinfo& row) {
    switch (row.Edge) {
    case ScreenEdge::Left:
    case ScreenEdge::Right:
    case ScreenEdge::Bottom:
        return row.Selected;
    case ScreenEdge::None: // No scan has placed it: nothing to hide it behind.
        break;
    }
    return false;
}

void SlideOutAll(const PaletteTable& table, HostWindowSystem& windows, ScreenMeasures& screen) {
    for (const PSinfo& row : table.Rows()) {
        if (HidesWithAll(row)) {
            SlideOut(row, windows, screen);
        }
    }
}

void SlideInAll(const PaletteTable& table, HostWindowSystem& windows) {
    ScreenMeasures screen(windows);
    for (const PSinfo& row : table.Rows()) {
        SlideIn(row, windows, screen);
    }
}

} // namespace quillmere

#include "autohide/SlideMoves.h"

#include "host/EdgeGeometry.h"

namespace quillmere {

namespace {

enum class Slide { In, Out };

void MoveAcrossEdge(WindowHandle window, ScreenEdge edge, HostWindowSystem& windows,
                    ScreenMeasures& screen, Slide slide) {
    const ScreenRect current = windows.WindowRectOf(window);
    const MonitorLayout& now = screen.Monitors();
    ScreenPoint to = {current.Left, current.Top};
    if (slide == Slide::In) {
        to = BackOrigin(edge, current, screen.ClassifiedOn(), now);
    } else if (const MonitorEdges edges = EdgesAt(now, current);
               edges.IsOuter(edge) && !LayoutChanged(screen.ClassifiedOn(), now)) {
        // Never across an inner edge, nor while the monitors differ from
        // those the row was classified on: its edge may lie between two now.
        to = HiddenOrigin(edge, current, edges);
    }
    if (to.X == current.Left && to.Y == current.Top) {
        return;
    }
    windows.MoveWindowTo(window, to.X, to.Y, current.Width(), current.Height());
}

} // namespace

void SlideWindowIn(WindowHandle window, ScreenEdge edge, HostWindowSystem& windows,
                   ScreenMeasures& screen) {
    MoveAcrossEdge(window, edge, windows, screen, Slide::In);
}

void SlideIn(const PSinfo& row, HostWindowSystem& windows, ScreenMeasures& screen) {
    SlideWindowIn(row.Handle, row.Edge, windows, screen);
}

void SlideIn(const PSinfo& row, HostWindowSystem& windows) {
    ScreenMeasures screen(windows);
    SlideIn(row, windows, screen);
}

void SlideOut(const PSinfo& row, HostWindowSystem& windows, ScreenMeasures& screen) {
    MoveAcrossEdge(row.Handle, row.Edge, windows, screen, Slide::Out);
}

void SlideOut(const PSinfo& row, HostWindowSystem& windows) {
    ScreenMeasures screen(windows);
    SlideOut(row, windows, screen);
}

void SlideOutAll(const PaletteTable& table, HostWindowSystem& windows) {
    ScreenMeasures screen(windows, table.ClassifiedOn());
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
    ScreenMeasures screen(windows, table.ClassifiedOn());
    for (const PSinfo& row : table.Rows()) {
        SlideIn(row, windows, screen);
    }
}

} // namespace quillmere

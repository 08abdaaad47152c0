#include "autohide/SlideMoves.h"

#include "host/EdgeGeometry.h"

namespace quillmere {

namespace {

using OriginRule = ScreenPoint (*)(ScreenEdge, const ScreenRect&, std::int32_t, std::int32_t);

void MoveAcrossEdge(const PSinfo& row, HostWindowSystem& windows, OriginRule origin) {
    const ScreenRect current = windows.WindowRectOf(row.Handle);
    const std::int32_t screenWidth = windows.ScreenWidth();
    const std::int32_t workAreaHeight = windows.WorkAreaHeight();
    const ScreenPoint to = origin(row.Edge, current, screenWidth, workAreaHeight);
    windows.MoveWindowTo(row.Handle, to.X, to.Y, current.Width(), current.Height());
}

} // namespace

void SlideIn(const PaletteTable& table, std::int32_t row, HostWindowSystem& windows) {
    MoveAcrossEdge(table.Row(row), windows, &ShownOrigin);
}

void SlideOut(const PaletteTable& table, std::int32_t row, HostWindowSystem& windows) {
    MoveAcrossEdge(table.Row(row), windows, &HiddenOrigin);
}

void SlideOutAll(const PaletteTable& table, HostWindowSystem& windows) {
    for (std::int32_t i = 1; i <= table.Count(); ++i) {
        const PSinfo& row = table.Row(i);
        switch (row.Edge) {
        case ScreenEdge::Left:
        case ScreenEdge::Right:
        case ScreenEdge::Bottom:
            if (row.Selected) {
                SlideOut(table, i, windows);
            }
            break;
        case ScreenEdge::None: // No scan has placed it: nothing to hide it behind.
            break;
        }
    }
}

void SlideInAll(const PaletteTable& table, HostWindowSystem& windows) {
    for (std::int32_t i = 1; i <= table.Count(); ++i) {
        SlideIn(table, i, windows);
    }
}

} // namespace quillmere

#pragma once

#include "host/MonitorLayout.h"
#include "host/WindowTypes.h"

#include <cstddef>

namespace quillmere {

// Where a palette stands slid out (10 pixels left on screen) or slid in (flush
// with the edge), computed from its current rectangle, and the edge it hides
// behind. Slid in, a palette also stands within its monitor along its edge:
// within the work-area height for left and right, within the monitor's width
// for bottom. Virtual-screen pixels.
inline constexpr std::int32_t kVisibleStrip = 10;

// The three edges a palette may hide behind on one monitor: the lines
// x = Left, x = Right and y = Bottom. Bottom is the monitor's top plus its
// work area's height, so on a primary monitor at (0, 0) it is the work-area
// height. An edge along which another monitor touches this one is inner:
// nothing is classed to it and nothing slides across it, since the palette
// would land on the neighbour, visible and in the way.
struct MonitorEdges {
    std::int32_t Left = 0;
    std::int32_t Right = 0;
    std::int32_t Bottom = 0;
    bool LeftOuter = false;
    bool RightOuter = false;
    bool BottomOuter = false;
    // The monitor's top: a palette slid in at the left or right stands
    // between it and Bottom.
    std::int32_t Top = 0;

    // A row without an edge moves as a bottom one.
    bool IsOuter(ScreenEdge edge) const;
};

// The one screen of a one-monitor desktop: x = 0, x = screenWidth and
// y = workAreaHeight, all outer.
inline MonitorEdges ScreenEdges(std::int32_t screenWidth, std::int32_t workAreaHeight) {
    return {0, screenWidth, workAreaHeight, true, true, true};
}

// A palette's monitor: the one that holds the largest part of its rectangle,
// or, when none holds any of it, the nearest one. Ties go to the monitor
// listed first (the platform lists the primary first). 0 for an empty layout.
std::size_t MonitorOf(const MonitorLayout& layout, const ScreenRect& rect);

// The edges of one monitor of the layout. An edge is inner when another
// monitor lies beyond it along any part of it (a shared stretch of positive
// length, or an overlap), wherever the palette stands along it. An empty
// layout has no outer edge.
MonitorEdges EdgesOf(const MonitorLayout& layout, std::size_t monitor);
inline MonitorEdges EdgesAt(const MonitorLayout& layout, const ScreenRect& rect) {
    return EdgesOf(layout, MonitorOf(layout, rect));
}

// The moves keep the palette's size and its place along the edge. They do
// not check that the edge is outer; the callers do.
ScreenPoint HiddenOrigin(ScreenEdge edge, const ScreenRect& current, const MonitorEdges& edges);
ScreenPoint ShownOrigin(ScreenEdge edge, const ScreenRect& current, const MonitorEdges& edges);
inline ScreenPoint HiddenOrigin(ScreenEdge edge, const ScreenRect& current,
                                std::int32_t screenWidth, std::int32_t workAreaHeight) {
    return HiddenOrigin(edge, current, ScreenEdges(screenWidth, workAreaHeight));
}
inline ScreenPoint ShownOrigin(ScreenEdge edge, const ScreenRect& current, std::int32_t screenWidth,
                               std::int32_t workAreaHeight) {
    return ShownOrigin(edge, current, ScreenEdges(screenWidth, workAreaHeight));
}

struct EdgeChoice {
    ScreenEdge Edge = ScreenEdge::None;
    ScreenRect Home;
};

// The edge a palette hides behind and its home rectangle, from its rectangle
// at discovery. A palette partly off an outer edge goes back against that
// edge; one fully on its monitor takes the nearest outer edge of left, right
// and bottom, ties going to left, then right, then bottom. Inner edges count
// as infinitely far: a monitor without outer left, right or bottom edge gives
// None, and the palette stays where it is.
EdgeChoice ChooseEdge(const ScreenRect& rect, const MonitorEdges& edges);
inline EdgeChoice ChooseEdge(const ScreenRect& rect, std::int32_t screenWidth,
                             std::int32_t workAreaHeight) {
    return ChooseEdge(rect, ScreenEdges(screenWidth, workAreaHeight));
}
// The same on the palette's own monitor.
inline EdgeChoice ChooseEdgeOn(const MonitorLayout& layout, const ScreenRect& rect) {
    return ChooseEdge(rect, EdgesAt(layout, rect));
}

// Where a palette goes when the monitors change from `before` to `now`, its
// row having been given `edge` on `before`. A palette slid out on `before` is
// judged where it stood slid in; one that no monitor of `now` shows comes
// back on the nearest monitor, within its width and height, flush against its
// nearest outer edge. The result's Home is where it must stand now.
EdgeChoice PlaceOnNewLayout(ScreenEdge edge, const ScreenRect& current, const MonitorLayout& before,
                            const MonitorLayout& now);

// Whether the monitors differ from those a table was classified on; an empty
// classifiedOn (no scan) never does.
inline bool LayoutChanged(const MonitorLayout& classifiedOn, const MonitorLayout& now) {
    return !classifiedOn.Empty() && !(classifiedOn == now);
}

// Where a slide in puts a palette: flush against its edge on its own monitor;
// where PlaceOnNewLayout puts it while the monitors differ from classifiedOn;
// where it stands when its edge is inner.
ScreenPoint BackOrigin(ScreenEdge edge, const ScreenRect& current,
                       const MonitorLayout& classifiedOn, const MonitorLayout& now);

} // namespace quillmere

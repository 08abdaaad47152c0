#include "host/EdgeGeometry.h"

#include <algorithm>
#include <cstdint>

namespace quillmere {

namespace {

// Longer than any distance on a desktop: an inner edge is never the nearest.
constexpr std::int64_t kInnerDistance = INT64_MAX;

std::int64_t Overlap(std::int32_t from1, std::int32_t to1, std::int32_t from2, std::int32_t to2) {
    return std::max<std::int64_t>(0, std::int64_t{std::min(to1, to2)} - std::max(from1, from2));
}

std::int64_t Gap(std::int32_t from1, std::int32_t to1, std::int32_t from2, std::int32_t to2) {
    return std::max<std::int64_t>({0, std::int64_t{from2} - to1, std::int64_t{from1} - to2});
}

ScreenRect MovedTo(const ScreenRect& rect, ScreenPoint origin) {
    return {origin.X, origin.Y, origin.X + rect.Width(), origin.Y + rect.Height()};
}

// A place along the edge that keeps the palette within [from, to); one larger
// than that shows its top or left side.
std::int32_t Within(std::int32_t at, std::int32_t size, std::int32_t from, std::int32_t to) {
    if (at + size > to) {
        at = to - size;
    }
    return at < from ? from : at;
}

bool ShownByAny(const MonitorLayout& layout, const ScreenRect& rect) {
    for (std::size_t i = 0; i < layout.Count; ++i) {
        const ScreenRect& m = layout.At(i).Bounds;
        if (Overlap(rect.Left, rect.Right, m.Left, m.Right) > 0 &&
            Overlap(rect.Top, rect.Bottom, m.Top, m.Bottom) > 0) {
            return true;
        }
    }
    return false;
}

} // namespace

bool MonitorEdges::IsOuter(ScreenEdge edge) const {
    switch (edge) {
    case ScreenEdge::Left:
        return LeftOuter;
    case ScreenEdge::Right:
        return RightOuter;
    case ScreenEdge::Bottom:
    case ScreenEdge::None: // Moved as bottom.
        break;
    }
    return BottomOuter;
}

std::size_t MonitorOf(const MonitorLayout& layout, const ScreenRect& rect) {
    std::size_t best = 0;
    std::int64_t bestArea = 0;
    for (std::size_t i = 0; i < layout.Count; ++i) {
        const ScreenRect& m = layout.At(i).Bounds;
        const std::int64_t area = Overlap(rect.Left, rect.Right, m.Left, m.Right) *
                                  Overlap(rect.Top, rect.Bottom, m.Top, m.Bottom);
        if (area > bestArea) {
            best = i;
            bestArea = area;
        }
    }
    if (bestArea > 0) {
        return best;
    }
    std::int64_t bestDistance = kInnerDistance;
    for (std::size_t i = 0; i < layout.Count; ++i) {
        const ScreenRect& m = layout.At(i).Bounds;
        const std::int64_t dx = Gap(rect.Left, rect.Right, m.Left, m.Right);
        const std::int64_t dy = Gap(rect.Top, rect.Bottom, m.Top, m.Bottom);
        if (dx * dx + dy * dy < bestDistance) {
            best = i;
            bestDistance = dx * dx + dy * dy;
        }
    }
    return best;
}

MonitorEdges EdgesOf(const MonitorLayout& layout, std::size_t monitor) {
    if (monitor >= layout.Count) {
        return {};
    }
    const Monitor& self = layout.At(monitor);
    const ScreenRect& a = self.Bounds;
    MonitorEdges edges{a.Left, a.Right, a.Top + self.WorkArea.Height(), true, true, true, a.Top};
    for (std::size_t i = 0; i < layout.Count; ++i) {
        const ScreenRect& b = layout.At(i).Bounds;
        if (i == monitor) {
            continue;
        }
        // B lies beyond an edge of A when it reaches past that line and
        // shares a stretch of it.
        const bool besideVertically = Overlap(a.Top, a.Bottom, b.Top, b.Bottom) > 0;
        const bool besideHorizontally = Overlap(a.Left, a.Right, b.Left, b.Right) > 0;
        if (besideVertically && b.Left < a.Left && b.Right >= a.Left) {
            edges.LeftOuter = false;
        }
        if (besideVertically && b.Left <= a.Right && b.Right > a.Right) {
            edges.RightOuter = false;
        }
        if (besideHorizontally && b.Top <= a.Bottom && b.Bottom > a.Bottom) {
            edges.BottomOuter = false;
        }
    }
    return edges;
}

ScreenPoint HiddenOrigin(ScreenEdge edge, const ScreenRect& current, const MonitorEdges& edges) {
    switch (edge) {
    case ScreenEdge::Right:
        return {edges.Right - kVisibleStrip, current.Top};
    case ScreenEdge::Left:
        return {edges.Left + kVisibleStrip - current.Width(), current.Top};
    case ScreenEdge::Bottom:
    case ScreenEdge::None: // No edge yet: the bottom is where every such row goes.
        break;
    }
    return {current.Left, edges.Bottom - kVisibleStrip};
}

ScreenPoint ShownOrigin(ScreenEdge edge, const ScreenRect& current, const MonitorEdges& edges) {
    // Also within the monitor along the edge: the host may have moved a hidden
    // palette past a corner, where sliding across the edge alone would leave it
    // out of sight for good.
    const std::int32_t top = Within(current.Top, current.Height(), edges.Top, edges.Bottom);
    switch (edge) {
    case ScreenEdge::Right:
        return {edges.Right - current.Width(), top};
    case ScreenEdge::Left:
        return {edges.Left, top};
    case ScreenEdge::Bottom:
    case ScreenEdge::None: // As when sliding out: the bottom.
        break;
    }
    return {Within(current.Left, current.Width(), edges.Left, edges.Right),
            edges.Bottom - current.Height()};
}

EdgeChoice ChooseEdge(const ScreenRect& r, const MonitorEdges& e) {
    // Partly off an outer edge: back fully against the edge it sticks out of.
    if (e.LeftOuter && r.Left < e.Left) {
        return {ScreenEdge::Left, MovedTo(r, {e.Left, r.Top})};
    }
    if (e.RightOuter && r.Right > e.Right) {
        return {ScreenEdge::Right, MovedTo(r, {e.Right - r.Width(), r.Top})};
    }
    if (e.BottomOuter && r.Bottom > e.Bottom) {
        return {ScreenEdge::Bottom, MovedTo(r, {r.Left, e.Bottom - r.Height()})};
    }

    // Otherwise the nearest outer edge. An exact tie, which the strict
    // comparisons alone would leave without any edge, goes to left, then
    // right, then bottom, so that every row can be hidden and restored.
    const std::int64_t toLeft = e.LeftOuter ? std::int64_t{r.Left} - e.Left : kInnerDistance;
    const std::int64_t toRight = e.RightOuter ? std::int64_t{e.Right} - r.Right : kInnerDistance;
    const std::int64_t toBottom =
        e.BottomOuter ? std::int64_t{e.Bottom} - r.Bottom : kInnerDistance;
    if (toLeft == kInnerDistance && toRight == kInnerDistance && toBottom == kInnerDistance) {
        return {ScreenEdge::None, r};
    }
    ScreenEdge edge = ScreenEdge::Bottom;
    if (toLeft <= toRight && toLeft <= toBottom) {
        edge = ScreenEdge::Left;
    } else if (toRight <= toBottom) {
        edge = ScreenEdge::Right;
    }
    return {edge, r};
}

EdgeChoice PlaceOnNewLayout(ScreenEdge edge, const ScreenRect& current, const MonitorLayout& before,
                            const MonitorLayout& now) {
    ScreenRect stands = current;
    if (edge != ScreenEdge::None) {
        const MonitorEdges old = EdgesAt(before, current);
        const ScreenPoint hidden = HiddenOrigin(edge, current, old);
        if (old.IsOuter(edge) && hidden.X == current.Left && hidden.Y == current.Top) {
            stands = MovedTo(current, ShownOrigin(edge, current, old));
        }
    }
    if (ShownByAny(now, stands) || now.Empty()) {
        return ChooseEdgeOn(now, stands);
    }
    // Seen by no monitor: onto the nearest one, wholly, then flush against
    // the outer edge nearest to it there.
    const std::size_t monitor = MonitorOf(now, stands);
    const MonitorEdges edges = EdgesOf(now, monitor);
    const ScreenRect& bounds = now.At(monitor).Bounds;
    const std::int32_t x =
        std::max(bounds.Left, std::min(stands.Left, bounds.Right - stands.Width()));
    const std::int32_t y =
        std::max(bounds.Top, std::min(stands.Top, edges.Bottom - stands.Height()));
    EdgeChoice choice = ChooseEdge(MovedTo(stands, {x, y}), edges);
    if (choice.Edge != ScreenEdge::None) {
        choice.Home = MovedTo(choice.Home, ShownOrigin(choice.Edge, choice.Home, edges));
    }
    return choice;
}

ScreenPoint BackOrigin(ScreenEdge edge, const ScreenRect& current,
                       const MonitorLayout& classifiedOn, const MonitorLayout& now) {
    if (LayoutChanged(classifiedOn, now)) {
        const ScreenRect home = PlaceOnNewLayout(edge, current, classifiedOn, now).Home;
        return {home.Left, home.Top};
    }
    const MonitorEdges edges = EdgesAt(now, current);
    return edges.IsOuter(edge) ? ShownOrigin(edge, current, edges)
                               : ScreenPoint{current.Left, current.Top};
}

} // namespace quillmere

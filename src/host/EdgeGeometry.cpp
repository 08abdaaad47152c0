#include "host/EdgeGeometry.h"

namespace quillmere {

ScreenPoint HiddenOrigin(ScreenEdge edge, const ScreenRect& current, std::int32_t screenWidth,
                         std::int32_t workAreaHeight) {
    switch (edge) {
    case ScreenEdge::Right:
        return {screenWidth - kVisibleStrip, current.Top};
    case ScreenEdge::Left:
        return {kVisibleStrip - current.Width(), current.Top};
    case ScreenEdge::Bottom:
    case ScreenEdge::None: // No edge yet: the bottom is where every such row goes.
        break;
    }
    return {current.Left, workAreaHeight - kVisibleStrip};
}

ScreenPoint ShownOrigin(ScreenEdge edge, const ScreenRect& current, std::int32_t screenWidth,
                        std::int32_t workAreaHeight) {
    switch (edge) {
    case ScreenEdge::Right:
        return {screenWidth - current.Width(), current.Top};
    case ScreenEdge::Left:
        return {0, current.Top};
    case ScreenEdge::Bottom:
    case ScreenEdge::None: // As when sliding out: the bottom.
        break;
    }
    return {current.Left, workAreaHeight - current.Height()};
}

EdgeChoice ChooseEdge(const ScreenRect& r, std::int32_t screenWidth, std::int32_t workAreaHeight) {
    // Partly off screen: back fully against the edge it sticks out of.
    if (r.Left < 0) {
        return {ScreenEdge::Left, {0, r.Top, r.Right - r.Left, r.Bottom}};
    }
    if (r.Right > screenWidth) {
        return {ScreenEdge::Right, {screenWidth - r.Width(), r.Top, screenWidth, r.Bottom}};
    }
    if (r.Bottom > workAreaHeight) {
        return {ScreenEdge::Bottom, {r.Left, workAreaHeight - r.Height(), r.Right, workAreaHeight}};
    }

    // Fully on screen: the nearest edge. An exact tie, which the strict
    // comparisons alone would leave without any edge, goes to left, then
    // right, then bottom, so that every row can be hidden and restored.
    const std::int32_t toLeft = r.Left;
    const std::int32_t toRight = screenWidth - r.Right;
    const std::int32_t toBottom = workAreaHeight - r.Bottom;
    ScreenEdge edge = ScreenEdge::Bottom;
    if (toLeft <= toRight && toLeft <= toBottom) {
        edge = ScreenEdge::Left;
    } else if (toRight <= toBottom) {
        edge = ScreenEdge::Right;
    }
    return {edge, r};
}

} // namespace quillmere

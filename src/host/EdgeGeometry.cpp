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

namespace {

// A place along the edge that keeps the palette within [0, extent); one larger
// than the extent shows its top or left side.
std::int32_t Within(std::int32_t at, std::int32_t size, std::int32_t extent) {
    if (at + size > extent) {
        at = extent - size;
    }
    return at < 0 ? 0 : at;
}

} // namespace

ScreenPoint ShownOrigin(ScreenEdge edge, const ScreenRect& current, std::int32_t screenWidth,
                        std::int32_t workAreaHeight) {
    // Also within the screen along the edge: the host may have moved a hidden
    // palette past a corner, where sliding across the edge alone would leave it
    // out of sight for good.
    const std::int32_t top = Within(current.Top, current.Height(), workAreaHeight);
    switch (edge) {
    case ScreenEdge::Right:
        return {screenWidth - current.Width(), top};
    case ScreenEdge::Left:
        return {0, top};
    case ScreenEdge::Bottom:
    case ScreenEdge::None: // As when sliding out: the bottom.
        break;
    }
    return {Within(current.Left, current.Width(), screenWidth), workAreaHeight - current.Height()};
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

#include "host/EdgeGeometry.h"

#include "host/PSinfo.h"

namespace quillmere {

ScreenPoint HiddenOrigin(std::string_view edge, const ScreenRect& current, std::int32_t screenWidth,
                         std::int32_t workAreaHeight) {
    if (edge == kEdgeRight) {
        return {screenWidth - kVisibleStrip, current.Top};
    }
    if (edge == kEdgeLeft) {
        return {kVisibleStrip - current.Width(), current.Top};
    }
    return {current.Left, workAreaHeight - kVisibleStrip};
}

ScreenPoint ShownOrigin(std::string_view edge, const ScreenRect& current, std::int32_t screenWidth,
                        std::int32_t workAreaHeight) {
    if (edge == kEdgeRight) {
        return {screenWidth - current.Width(), current.Top};
    }
    if (edge == kEdgeLeft) {
        return {0, current.Top};
    }
    return {current.Left, workAreaHeight - current.Height()};
}

bool IsKnownEdge(std::string_view edge) {
    return edge == kEdgeLeft || edge == kEdgeRight || edge == kEdgeBottom;
}

EdgeChoice ChooseEdge(const ScreenRect& r, std::int32_t screenWidth, std::int32_t workAreaHeight) {
    // Partly off screen: back fully against the edge it sticks out of.
    if (r.Left < 0) {
        return {std::string(kEdgeLeft), {0, r.Top, r.Right - r.Left, r.Bottom}};
    }
    if (r.Right > screenWidth) {
        return {std::string(kEdgeRight), {screenWidth - r.Width(), r.Top, screenWidth, r.Bottom}};
    }
    if (r.Bottom > workAreaHeight) {
        return {std::string(kEdgeBottom),
                {r.Left, workAreaHeight - r.Height(), r.Right, workAreaHeight}};
    }

    // Fully on screen: the nearest edge. An exact tie, which the strict
    // comparisons alone would leave without any edge, goes to left, then
    // right, then bottom, so that every row can be hidden and restored.
    const std::int32_t toLeft = r.Left;
    const std::int32_t toRight = screenWidth - r.Right;
    const std::int32_t toBottom = workAreaHeight - r.Bottom;
    std::string_view edge = kEdgeBottom;
    if (toLeft <= toRight && toLeft <= toBottom) {
        edge = kEdgeLeft;
    } else if (toRight <= toBottom) {
        edge = kEdgeRight;
    }
    return {std::string(edge), r};
}

} // namespace quillmere

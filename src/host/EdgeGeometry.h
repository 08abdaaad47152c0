#pragma once

#include "host/WindowTypes.h"

namespace quillmere {

// Where a palette stands slid out (10 pixels left on screen) or slid in (flush
// with the edge), computed from its current rectangle. A row without an edge
// is moved as a bottom one. Slid in, a palette also stands within the screen
// along its edge: within the work-area height for left and right, within the
// screen width for bottom. Screen pixels.
inline constexpr std::int32_t kVisibleStrip = 10;

ScreenPoint HiddenOrigin(ScreenEdge edge, const ScreenRect& current, std::int32_t screenWidth,
                         std::int32_t workAreaHeight);
ScreenPoint ShownOrigin(ScreenEdge edge, const ScreenRect& current, std::int32_t screenWidth,
                        std::int32_t workAreaHeight);

struct EdgeChoice {
    ScreenEdge Edge = ScreenEdge::None;
    ScreenRect Home;
};

// The edge a palette hides behind and its home rectangle, from its rectangle
// at discovery. A palette partly off screen goes back against that edge; one
// fully on screen takes the nearest of left, right and bottom, ties going to
// left, then right, then bottom. Never None.
EdgeChoice ChooseEdge(const ScreenRect& rect, std::int32_t screenWidth,
                      std::int32_t workAreaHeight);

} // namespace quillmere

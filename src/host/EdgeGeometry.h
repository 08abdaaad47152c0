#pragma once

#include "host/WindowTypes.h"

#include <optional>
#include <string>
#include <string_view>

namespace quillmere {

// Where a palette stands slid out (10 pixels left on screen) or slid in (flush
// with the edge), computed from its current rectangle. An edge other than
// "right" and "left" counts as "bottom". Screen pixels.
inline constexpr std::int32_t kVisibleStrip = 10;

ScreenPoint HiddenOrigin(std::string_view edge, const ScreenRect& current, std::int32_t screenWidth,
                         std::int32_t workAreaHeight);
ScreenPoint ShownOrigin(std::string_view edge, const ScreenRect& current, std::int32_t screenWidth,
                        std::int32_t workAreaHeight);

// True for exactly "left", "right" and "bottom".
bool IsKnownEdge(std::string_view edge);

struct EdgeChoice {
    std::string Edge;
    ScreenRect Home;
};

// The edge a palette hides behind and its home rectangle, from its rectangle
// at discovery. A palette partly off screen goes back against that edge; one
// fully on screen takes the nearest of left, right and bottom, ties going to
// left, then right, then bottom.
EdgeChoice ChooseEdge(const ScreenRect& rect, std::int32_t screenWidth,
                      std::int32_t workAreaHeight);

} // namespace quillmere

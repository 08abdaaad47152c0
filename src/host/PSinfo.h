#pragma once

#include "host/WindowTypes.h"

#include <string>
#include <string_view>

namespace quillmere {

inline constexpr std::string_view kPaletteClass = "PSFloatC";
inline constexpr std::string_view kHostClass = "Photoshop";

// One row of the floating-window table: a host palette, the edge it hides
// behind and its home rectangle (screen pixels, right/bottom exclusive).
struct PSinfo {
    WindowHandle Handle = kNoWindow;
    ScreenRect Home;
    std::string Title;
    ScreenEdge Edge = ScreenEdge::None;
    bool Selected = true;

    bool operator==(const PSinfo&) const = default;
};

} // namespace quillmere

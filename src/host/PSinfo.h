#pragma once

#include "host/WindowTypes.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace quillmere {

inline constexpr std::string_view kEdgeLeft = "left";
inline constexpr std::string_view kEdgeRight = "right";
inline constexpr std::string_view kEdgeBottom = "bottom";

inline constexpr std::string_view kPaletteClass = "PSFloatC";
inline constexpr std::string_view kHostClass = "Photoshop";

// One row of the floating-window table: a host palette, the edge it hides
// behind and its home rectangle (screen pixels, right/bottom exclusive).
struct PSinfo {
    WindowHandle Handle = kNoWindow;
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Right = 0;
    std::int32_t Bottom = 0;
    std::string Title;
    std::string Edge;
    bool Selected = true;

    bool operator==(const PSinfo&) const = default;
};

} // namespace quillmere

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
    // Ticked by the user's own act (a check click, "Select All") since it was
    // last unticked. Only such a tick drops the palette's entry from the
    // selection file: a row that came in ticked for another reason (no entry
    // was read for it, or the host made its window anew) leaves the file as it is.
    bool TickedByUser = false;

    bool operator==(const PSinfo&) const = default;
};

} // namespace quillmere

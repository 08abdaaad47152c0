#pragma once

#include "host/WindowTypes.h"

#include <cstdint>

namespace quillmere {

// The top-left corner, in screen pixels, of a window of the given outer size
// centred on `around` (its owner's window rectangle, say) and then moved
// the least needed to lie on `workArea`; a window larger than the work area
// keeps its left or top edge on the work area's.
ScreenPoint CentredOn(const ScreenRect& around, std::int32_t width, std::int32_t height,
                      const ScreenRect& workArea);

} // namespace quillmere

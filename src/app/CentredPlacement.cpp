#include "app/CentredPlacement.h"

#include <algorithm>

namespace quillmere {

namespace {

std::int32_t Centred(std::int32_t from, std::int32_t to, std::int32_t size, std::int32_t areaFrom,
                     std::int32_t areaTo) {
    const std::int32_t start = from + (to - from - size) / 2;
    return std::clamp(start, areaFrom, std::max(areaFrom, areaTo - size));
}

} // namespace

ScreenPoint CentredOn(const ScreenRect& around, std::int32_t width, std::int32_t height,
                      const ScreenRect& workArea) {
    return {Centred(around.Left, around.Right, width, workArea.Left, workArea.Right),
            Centred(around.Top, around.Bottom, height, workArea.Top, workArea.Bottom)};
}

} // namespace quillmere

#pragma once

#include "PixelCanvas.h"

#include <cstdint>
#include <vector>

namespace gifgen {

// An .ico file holding one 8-bit image: a BMP without file header (height
// doubled for the AND mask), its 256-entry colour table, the colour rows
// bottom-up, then the 1-bit mask in which pixels of `transparentIndex` are set.
std::vector<std::uint8_t> EncodeIcon(const IndexedImage& image, const std::vector<Rgb>& colours,
                                     std::uint8_t transparentIndex);

} // namespace gifgen

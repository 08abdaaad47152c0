#pragma once

#include "PixelCanvas.h"

#include <cstdint>
#include <vector>

namespace gifgen {

// Writes an endlessly looping GIF89a through giflib's encoder: the frames'
// size is the logical screen, the colours are the one global colour table
// (256 entries), every frame sits at 0,0 with the same delay, disposal
// "not specified" and no transparent colour. Throws std::runtime_error when
// giflib reports an error.
std::vector<std::uint8_t> EncodeLoopingGif(const std::vector<IndexedImage>& frames,
                                           const std::vector<Rgb>& colours, int delayCentiseconds);

} // namespace gifgen

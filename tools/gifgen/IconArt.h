#pragma once

#include "PixelCanvas.h"

#include <vector>

namespace gifgen {

inline constexpr int kIconSize = 32;

// The application icon: a quill over a small lake ("mere") on a rounded
// square. 256 colours; pixels with index kIconTransparent are see-through.
inline constexpr std::uint8_t kIconTransparent = 0;

std::vector<Rgb> IconColours();
IndexedImage DrawIcon();

} // namespace gifgen

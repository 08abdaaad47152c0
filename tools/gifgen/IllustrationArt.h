#pragma once

#include "PixelCanvas.h"

#include <vector>

namespace gifgen {

// The size of the main window's picture control that shows the illustrations.
inline constexpr int kIllustrationWidth = 102;
inline constexpr int kIllustrationHeight = 73;

// How the palettes come and go in each display mode's illustration.
enum class Storyboard { Together, Separately, Mixed };

// The 256-entry colour table shared by every frame of every illustration.
std::vector<Rgb> IllustrationColours();

// The frames of one illustration: a miniature of the host's workspace with
// the palettes that are out at that moment stacked down the right edge.
std::vector<IndexedImage> DrawIllustration(Storyboard storyboard);

} // namespace gifgen

#include "IconArt.h"

#include <array>
#include <cmath>
#include <cstdint>

namespace gifgen {
namespace {

enum Ink : std::uint8_t {
    kClear, // kIconTransparent
    kBorder,
    kSkyTop,
    kSkyMiddle,
    kSkyLow,
    kWater,
    kWaterDeep,
    kWave,
    kVane,
    kVaneShade,
    kFeatherOutline,
    kShaft,
    kNib,
    kInkCount
};

constexpr std::array<Rgb, kInkCount> kInks = {{
    {0, 0, 0},       // transparent (masked)
    {34, 52, 84},    // border
    {120, 164, 206}, // sky, top
    {150, 188, 224}, // sky, middle
    {184, 212, 238}, // sky, low
    {58, 106, 164},  // water
    {40, 78, 134},   // deep water
    {168, 204, 238}, // wave crest
    {252, 252, 246}, // vane
    {206, 212, 224}, // vane shade
    {44, 52, 74},    // feather outline
    {150, 122, 88},  // shaft
    {30, 30, 36},    // nib
}};

bool InsideRoundedSquare(int x, int y) {
    constexpr int kRadius = 5;
    const int cx =
        x < kRadius ? kRadius : (x > kIconSize - 1 - kRadius ? kIconSize - 1 - kRadius : x);
    const int cy =
        y < kRadius ? kRadius : (y > kIconSize - 1 - kRadius ? kIconSize - 1 - kRadius : y);
    const int dx = x - cx;
    const int dy = y - cy;
    return dx * dx + dy * dy <= kRadius * kRadius;
}

enum class FeatherPart { None, Vane, VaneShade, Shaft, Nib };

// The quill runs from its nib at the lower left to its tip at the upper right.
// u is the position along it (0 at the nib, 1 at the tip), v the signed
// distance across it in pixels.
FeatherPart FeatherAt(int x, int y) {
    constexpr double kNibX = 6.5, kNibY = 27.5, kTipX = 27.5, kTipY = 3.5;
    const double axisX = kTipX - kNibX;
    const double axisY = kTipY - kNibY;
    const double length = std::sqrt(axisX * axisX + axisY * axisY);
    const double px = x + 0.5 - kNibX;
    const double py = y + 0.5 - kNibY;
    const double u = (px * axisX + py * axisY) / (length * length);
    const double v = (px * axisY - py * axisX) / length;
    if (u < 0.0 || u > 1.0) {
        return FeatherPart::None;
    }
    if (u < 0.14) {
        return std::abs(v) <= 0.9 - 2.0 * (0.14 - u) ? FeatherPart::Nib : FeatherPart::None;
    }
    constexpr double kVaneStart = 0.3;
    if (u >= kVaneStart) {
        const double s = (u - kVaneStart) / (1.0 - kVaneStart);
        const double profile = std::sqrt(s * (1.0 - s)) * 2.0;
        const double upper = 6.0 * profile; // the wide side, above the shaft
        const double lower = 4.0 * profile;
        // Two notches in the wide side, where the barbs part.
        const bool notched = (s > 0.42 && s < 0.47 && v > 2.0) || (s > 0.7 && s < 0.75 && v > 1.5);
        if (!notched && v >= 0.0 && v <= upper) {
            return v > upper * 0.55 ? FeatherPart::VaneShade : FeatherPart::Vane;
        }
        if (v < 0.0 && -v <= lower) {
            return FeatherPart::Vane;
        }
    }
    return std::abs(v) <= 0.75 && u <= 0.97 ? FeatherPart::Shaft : FeatherPart::None;
}

} // namespace

std::vector<Rgb> IconColours() {
    std::vector<Rgb> colours(256, Rgb{0, 0, 0});
    for (int i = 0; i < kInkCount; ++i) {
        colours[static_cast<std::size_t>(i)] = kInks[static_cast<std::size_t>(i)];
    }
    return colours;
}

IndexedImage DrawIcon() {
    PixelCanvas canvas(kIconSize, kIconSize, kClear);
    for (int y = 0; y < kIconSize; ++y) {
        for (int x = 0; x < kIconSize; ++x) {
            if (!InsideRoundedSquare(x, y)) {
                continue;
            }
            std::uint8_t ink = y < 8 ? kSkyTop : (y < 15 ? kSkyMiddle : kSkyLow);
            if (y >= 22) {
                ink = y >= 27 ? kWaterDeep : kWater;
                const int phase = (x + (y % 2) * 3) % 7;
                if ((y == 23 || y == 26 || y == 29) && phase < 3) {
                    ink = kWave;
                }
            }
            canvas.Set(x, y, ink);
        }
    }
    // The rounded square's rim.
    for (int y = 0; y < kIconSize; ++y) {
        for (int x = 0; x < kIconSize; ++x) {
            if (!InsideRoundedSquare(x, y)) {
                continue;
            }
            const bool edge = !InsideRoundedSquare(x - 1, y) || !InsideRoundedSquare(x + 1, y) ||
                              !InsideRoundedSquare(x, y - 1) || !InsideRoundedSquare(x, y + 1) ||
                              x == 0 || y == 0 || x == kIconSize - 1 || y == kIconSize - 1;
            if (edge) {
                canvas.Set(x, y, kBorder);
            }
        }
    }
    // The quill, outlined where its vane meets the background.
    for (int y = 1; y < kIconSize - 1; ++y) {
        for (int x = 1; x < kIconSize - 1; ++x) {
            switch (FeatherAt(x, y)) {
            case FeatherPart::Vane:
                canvas.Set(x, y, kVane);
                break;
            case FeatherPart::VaneShade:
                canvas.Set(x, y, kVaneShade);
                break;
            case FeatherPart::Shaft:
                canvas.Set(x, y, kShaft);
                break;
            case FeatherPart::Nib:
                canvas.Set(x, y, kNib);
                break;
            case FeatherPart::None: {
                const bool nextToVane = FeatherAt(x - 1, y) == FeatherPart::Vane ||
                                        FeatherAt(x + 1, y) == FeatherPart::Vane ||
                                        FeatherAt(x, y - 1) == FeatherPart::Vane ||
                                        FeatherAt(x, y + 1) == FeatherPart::Vane ||
                                        FeatherAt(x - 1, y) == FeatherPart::VaneShade ||
                                        FeatherAt(x + 1, y) == FeatherPart::VaneShade ||
                                        FeatherAt(x, y - 1) == FeatherPart::VaneShade ||
                                        FeatherAt(x, y + 1) == FeatherPart::VaneShade;
                if (nextToVane) {
                    canvas.Set(x, y, kFeatherOutline);
                }
                break;
            }
            }
        }
    }
    return canvas.Image();
}

} // namespace gifgen

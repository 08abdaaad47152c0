#include "IllustrationArt.h"

#include <array>
#include <cstdint>

namespace gifgen {
namespace {

// Colour indices. Index 0 is the workspace grey, the files' background colour.
enum Ink : std::uint8_t {
    kWorkspace,
    kWorkspaceShadow,
    kTitleBar,
    kTitleBarLight,
    kTitleText,
    kButtonFace,
    kButtonGlyph,
    kMenuBar,
    kMenuHighlight,
    kMenuShadow,
    kMenuText,
    kCanvasOutline,
    kSkyHigh,
    kSkyMiddle,
    kSkyLow,
    kSun,
    kSunRim,
    kFarHill,
    kNearHill,
    kNearHillDark,
    kTreeTrunk,
    kPaletteStrip,
    kPaletteStripLight,
    kPaletteBody,
    kPaletteOutline,
    kPaletteText,
    kPaletteSelection,
    kSwatchRed,
    kSwatchYellow,
    kSwatchGreen,
    kSwatchCyan,
    kSwatchBlue,
    kSwatchMagenta,
    kInkCount
};

constexpr std::array<Rgb, kInkCount> kInks = {{
    {118, 118, 118}, // workspace
    {78, 78, 78},    // workspace shadow
    {28, 58, 122},   // title bar
    {76, 112, 178},  // title bar highlight
    {236, 240, 248}, // title text
    {212, 208, 200}, // caption button face
    {24, 24, 24},    // caption button glyph
    {212, 208, 200}, // menu bar
    {250, 250, 250}, // menu bar highlight
    {150, 148, 142}, // menu bar shadow
    {70, 70, 70},    // menu text
    {40, 40, 40},    // document outline
    {104, 160, 224}, // sky, top
    {136, 186, 236}, // sky, middle
    {176, 212, 244}, // sky, near the horizon
    {255, 214, 64},  // sun
    {240, 160, 40},  // sun rim
    {120, 176, 96},  // far hill
    {70, 140, 60},   // near hill
    {46, 104, 44},   // near hill shade
    {110, 72, 40},   // tree trunk
    {38, 52, 82},    // palette title strip
    {120, 140, 178}, // palette title strip caption
    {240, 238, 230}, // palette body
    {60, 60, 66},    // palette outline
    {150, 150, 156}, // palette text
    {150, 180, 228}, // palette selection
    {214, 48, 48},   // swatch red
    {246, 206, 46},  // swatch yellow
    {64, 170, 72},   // swatch green
    {52, 186, 206},  // swatch cyan
    {48, 86, 204},   // swatch blue
    {196, 60, 176},  // swatch magenta
}};

constexpr int kMenuBottom = 14;    // first row of the workspace
constexpr int kPaletteLeft = 78;   // palettes reach to the right edge, x = 101
constexpr int kPaletteHeight = 12; // 3 rows of title strip, 8 of body, 1 of outline
constexpr int kPaletteTops[] = {16, 30, 44, 58};
constexpr int kPaletteCount = 4;

void DrawTitleBar(PixelCanvas& canvas) {
    const int width = canvas.Width();
    canvas.FillRect(0, 0, width, 7, kTitleBar);
    canvas.HorizontalLine(0, width, 0, kTitleBarLight);
    // The application's icon, then the caption as two words.
    canvas.FillRect(2, 1, 7, 6, kButtonFace);
    canvas.FillRect(3, 2, 6, 5, kSwatchBlue);
    canvas.HorizontalLine(9, 18, 3, kTitleText);
    canvas.HorizontalLine(9, 18, 4, kTitleText);
    canvas.HorizontalLine(20, 33, 3, kTitleText);
    canvas.HorizontalLine(20, 33, 4, kTitleText);
    // Minimise, maximise and close.
    for (int left : {83, 89, 95}) {
        canvas.FillRect(left, 1, left + 6, 6, kButtonFace);
    }
    canvas.HorizontalLine(85, 88, 4, kButtonGlyph);
    canvas.FrameRect(91, 2, 94, 5, kButtonGlyph);
    for (int i = 0; i < 3; ++i) {
        canvas.Set(97 + i, 2 + i, kButtonGlyph);
        canvas.Set(99 - i, 2 + i, kButtonGlyph);
    }
}

void DrawMenuBar(PixelCanvas& canvas) {
    const int width = canvas.Width();
    canvas.FillRect(0, 7, width, kMenuBottom, kMenuBar);
    canvas.HorizontalLine(0, width, 7, kMenuHighlight);
    canvas.HorizontalLine(0, width, kMenuBottom - 1, kMenuShadow);
    int x = 3;
    for (int word : {5, 4, 6, 5, 7, 6, 5, 4}) {
        canvas.HorizontalLine(x, x + word, 9, kMenuText);
        canvas.HorizontalLine(x, x + word, 10, kMenuText);
        x += word + 4;
    }
}

// The open document: a small landscape on a canvas with a drop shadow.
void DrawDocument(PixelCanvas& canvas) {
    constexpr int kLeft = 10, kTop = 20, kRight = 64, kBottom = 64;
    canvas.FillRect(kLeft + 2, kTop + 2, kRight + 2, kBottom + 2, kWorkspaceShadow);
    canvas.FillRect(kLeft, kTop, kRight, kTop + 12, kSkyHigh);
    canvas.FillRect(kLeft, kTop + 12, kRight, kTop + 22, kSkyMiddle);
    canvas.FillRect(kLeft, kTop + 22, kRight, kBottom, kSkyLow);

    // Sun: a disc of radius 5 with a rim.
    constexpr int kSunX = 50, kSunY = 29;
    for (int y = -6; y <= 6; ++y) {
        for (int x = -6; x <= 6; ++x) {
            const int distance = x * x + y * y;
            if (distance <= 16) {
                canvas.Set(kSunX + x, kSunY + y, kSun);
            } else if (distance <= 26) {
                canvas.Set(kSunX + x, kSunY + y, kSunRim);
            }
        }
    }

    // Far hill: a broad arch; near hill: a lower arch from the left.
    for (int x = kLeft; x < kRight; ++x) {
        const int dx = x - 44;
        const int farTop = 44 + (dx * dx) / 40;
        canvas.FillRect(x, farTop, x + 1, kBottom, kFarHill);
    }
    for (int x = kLeft; x < kRight; ++x) {
        const int dx = x - 22;
        const int nearTop = 49 + (dx * dx) / 30;
        if (nearTop < kBottom) {
            canvas.FillRect(x, nearTop, x + 1, kBottom, kNearHill);
            canvas.Set(x, nearTop, kNearHillDark);
        }
    }
    // A tree on the near hill.
    canvas.FillRect(21, 44, 23, 50, kTreeTrunk);
    canvas.FillRect(18, 38, 26, 44, kNearHillDark);
    canvas.FillRect(19, 37, 25, 38, kNearHillDark);
    canvas.FillRect(19, 44, 25, 45, kNearHillDark);
    canvas.FillRect(19, 39, 22, 41, kNearHill);

    canvas.FrameRect(kLeft - 1, kTop - 1, kRight + 1, kBottom + 1, kCanvasOutline);
}

// Palette i at its place down the right edge. Each has different contents so
// that they read as different panels: navigator, colour swatches, layers, history.
void DrawPalette(PixelCanvas& canvas, int palette) {
    const int left = kPaletteLeft;
    const int right = canvas.Width();
    const int top = kPaletteTops[palette];
    const int bottom = top + kPaletteHeight;
    canvas.FillRect(left, top, right, bottom, kPaletteBody);
    canvas.FillRect(left, top, right, top + 3, kPaletteStrip);
    canvas.HorizontalLine(left + 2, left + 9, top + 1, kPaletteStripLight);
    canvas.VerticalLine(left, top + 3, bottom, kPaletteOutline);
    canvas.VerticalLine(right - 1, top + 3, bottom, kPaletteOutline);
    canvas.HorizontalLine(left, right, bottom - 1, kPaletteOutline);

    const int bodyTop = top + 4;
    switch (palette) {
    case 0: // navigator: a thumbnail of the document and a zoom slider
        canvas.FillRect(left + 3, bodyTop, left + 13, bodyTop + 3, kSkyMiddle);
        canvas.FillRect(left + 3, bodyTop + 3, left + 13, bodyTop + 6, kNearHill);
        canvas.Set(left + 10, bodyTop + 1, kSun);
        canvas.HorizontalLine(left + 15, left + 21, bodyTop + 3, kPaletteText);
        canvas.FillRect(left + 17, bodyTop + 2, left + 18, bodyTop + 5, kPaletteOutline);
        break;
    case 1: { // colour swatches in two rows
        constexpr Ink kRow1[] = {kSwatchRed, kSwatchYellow, kSwatchGreen, kSwatchCyan, kSwatchBlue};
        constexpr Ink kRow2[] = {kSwatchMagenta, kTitleBar, kSkyMiddle, kSunRim, kNearHillDark};
        for (int i = 0; i < 5; ++i) {
            canvas.FillRect(left + 3 + 4 * i, bodyTop, left + 6 + 4 * i, bodyTop + 2, kRow1[i]);
            canvas.FillRect(left + 3 + 4 * i, bodyTop + 4, left + 6 + 4 * i, bodyTop + 6, kRow2[i]);
        }
        break;
    }
    case 2: // layers: two rows, the upper one selected
        canvas.FillRect(left + 1, bodyTop - 1, right - 1, bodyTop + 3, kPaletteSelection);
        canvas.FillRect(left + 3, bodyTop, left + 6, bodyTop + 2, kSkyLow);
        canvas.HorizontalLine(left + 8, left + 17, bodyTop + 1, kPaletteOutline);
        canvas.FillRect(left + 3, bodyTop + 4, left + 6, bodyTop + 6, kNearHill);
        canvas.HorizontalLine(left + 8, left + 15, bodyTop + 5, kPaletteText);
        break;
    default: // history: a list of steps
        for (int row = 0; row < 3; ++row) {
            const int y = bodyTop + 2 * row;
            canvas.Set(left + 3, y, kPaletteOutline);
            canvas.HorizontalLine(left + 5, left + 13 + 3 * (row % 2), y, kPaletteText);
        }
        break;
    }
}

// Which palettes are out in each frame.
std::vector<std::vector<int>> FramesOf(Storyboard storyboard) {
    switch (storyboard) {
    case Storyboard::Together:
        return {{}, {0, 1, 2, 3}};
    case Storyboard::Separately:
        return {{}, {0}, {1}, {2}, {3}};
    case Storyboard::Mixed:
        return {{}, {0}, {0, 1}, {0, 1, 2}, {0, 1, 2, 3}};
    }
    return {};
}

} // namespace

std::vector<Rgb> IllustrationColours() {
    std::vector<Rgb> colours(256, Rgb{0, 0, 0});
    for (int i = 0; i < kInkCount; ++i) {
        colours[static_cast<std::size_t>(i)] = kInks[static_cast<std::size_t>(i)];
    }
    return colours;
}

std::vector<IndexedImage> DrawIllustration(Storyboard storyboard) {
    PixelCanvas workspace(kIllustrationWidth, kIllustrationHeight, kWorkspace);
    DrawTitleBar(workspace);
    DrawMenuBar(workspace);
    DrawDocument(workspace);

    std::vector<IndexedImage> frames;
    for (const std::vector<int>& palettes : FramesOf(storyboard)) {
        PixelCanvas frame = workspace;
        for (int palette : palettes) {
            if (palette < kPaletteCount) {
                DrawPalette(frame, palette);
            }
        }
        frames.push_back(frame.Image());
    }
    return frames;
}

} // namespace gifgen

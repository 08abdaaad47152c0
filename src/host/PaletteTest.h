#pragma once

#include "host/HostWindowSystem.h"

#include <string>
#include <string_view>

namespace quillmere {

// Why a top-level window is or is not a host palette; the tests of the
// palette test run in this order and the first failure decides.
enum class PaletteVerdict {
    Palette,
    WrongClass,
    DialogFrame,
    HasButton,
    ViewHasButton,
    NoBorder,
    Invisible,
    TooWide,
    HostCaption,
};

std::string_view ToString(PaletteVerdict verdict);

// What the palette test needs to know of the host and of the scan in progress.
struct PaletteTestContext {
    // Width of the host's main window, in screen pixels.
    std::int32_t HostWidth = 0;
    bool HostMinimised = false;
    // The first scan also accepts invisible and over-wide palettes while the
    // host is minimised; the re-scan never does.
    bool FirstScan = false;
};

struct PaletteTestResult {
    PaletteVerdict Verdict = PaletteVerdict::WrongClass;
    // The caption read by the last test; empty unless Verdict is Palette or
    // HostCaption.
    std::string Caption;
    // The window's rectangle, read once for the width test and for the row the
    // scan makes; empty unless the tests got as far as the width.
    ScreenRect Rect;
};

PaletteTestResult TestPalette(HostWindowSystem& windows, WindowHandle window,
                              const PaletteTestContext& context);

} // namespace quillmere

#include "host/PaletteTest.h"

#include "host/PSinfo.h"

namespace quillmere {

namespace {

constexpr std::string_view kButtonClass = "Button";
constexpr std::string_view kViewClass = "PSViewC";
constexpr std::string_view kHostCaption = "Adobe Photoshop";

} // namespace

std::string_view ToString(PaletteVerdict verdict) {
    switch (verdict) {
    case PaletteVerdict::Palette:
        return "palette";
    case PaletteVerdict::WrongClass:
        return "not of the palette class";
    case PaletteVerdict::DialogFrame:
        return "has a dialog frame";
    case PaletteVerdict::HasButton:
        return "has a button";
    case PaletteVerdict::ViewHasButton:
        return "its view has a button";
    case PaletteVerdict::NoBorder:
        return "has no border";
    case PaletteVerdict::Invisible:
        return "invisible";
    case PaletteVerdict::TooWide:
        return "wider than half the host";
    case PaletteVerdict::HostCaption:
        return "captioned as the host";
    }
    return "unknown";
}

PaletteTestResult TestPalette(HostWindowSystem& windows, WindowHandle window,
                              const PaletteTestContext& context) {
    if (windows.ClassNameOf(window) != kPaletteClass) {
        return {PaletteVerdict::WrongClass, {}, {}};
    }
    const std::uint32_t style = windows.StyleOf(window);
    if ((style & kStyleDlgFrame) != 0) {
        return {PaletteVerdict::DialogFrame, {}, {}};
    }
    if (windows.FindChildWindow(window, kButtonClass) != kNoWindow) {
        return {PaletteVerdict::HasButton, {}, {}};
    }
    if (const WindowHandle view = windows.FindChildWindow(window, kViewClass);
        view != kNoWindow && windows.FindChildWindow(view, kButtonClass) != kNoWindow) {
        return {PaletteVerdict::ViewHasButton, {}, {}};
    }
    if ((style & kStyleBorder) == 0) {
        return {PaletteVerdict::NoBorder, {}, {}};
    }
    // A minimised host hides its palettes; the first scan still lists them
    // and cannot judge their width against a host it cannot measure.
    const bool lenient = context.FirstScan && context.HostMinimised;
    if ((style & kStyleVisible) == 0 && !lenient) {
        return {PaletteVerdict::Invisible, {}, {}};
    }
    const ScreenRect rect = windows.WindowRectOf(window);
    if (!lenient &&
        static_cast<double>(context.HostWidth) * 0.5 < static_cast<double>(rect.Width())) {
        return {PaletteVerdict::TooWide, {}, rect};
    }
    std::string caption = windows.CaptionOf(window);
    if (caption == kHostCaption) {
        return {PaletteVerdict::HostCaption, std::move(caption), rect};
    }
    return {PaletteVerdict::Palette, std::move(caption), rect};
}

} // namespace quillmere

#include "autohide/PointerTracker.h"

#include "autohide/SlideMoves.h"
#include "host/EdgeGeometry.h"
#include "host/PSinfo.h"
#include "settings/SettingsFile.h"

#include <string>

namespace quillmere {

namespace {

void PointerOverPalette(const PaletteTable& table, std::int32_t hovered, std::string_view mode,
                        HostWindowSystem& windows, ScreenMeasures& screen, AutoHideGate& gate) {
    const ScreenEdge edge = table.Row(hovered).Edge;
    switch (edge) {
    case ScreenEdge::Left:
    case ScreenEdge::Right:
    case ScreenEdge::Bottom:
        break;
    case ScreenEdge::None: // Not yet placed by a scan: hovering it changes nothing.
        return;
    }
    if (!gate.MayReveal()) {
        return;
    }
    const auto in = [&](std::int32_t j) {
        SlideIn(table, j, windows, screen);
        gate.Shown(table.Row(j).Handle);
    };
    if (mode == kModeTogether) {
        for (std::int32_t j = 1; j <= table.Count(); ++j) {
            const PSinfo& row = table.Row(j);
            if (row.Edge == edge && row.Selected) {
                in(j);
            }
        }
    } else if (mode == kModeSeparately) {
        in(hovered);
        for (std::int32_t j = 1; j <= table.Count(); ++j) {
            const PSinfo& row = table.Row(j);
            if (j != hovered && row.Edge == edge && row.Selected && !gate.Keeps(row.Handle)) {
                SlideOut(table, j, windows, screen);
                gate.Hidden(row.Handle);
            }
        }
    } else if (mode == kModeMixed) {
        in(hovered);
    }
}

// Every ticked palette with an edge goes out, once the gate lets it, except
// those a drag keeps.
void HideAll(const PaletteTable& table, HostWindowSystem& windows, ScreenMeasures& screen,
             AutoHideGate& gate) {
    if (!gate.MayHide()) {
        return;
    }
    for (std::int32_t j = 1; j <= table.Count(); ++j) {
        const PSinfo& row = table.Row(j);
        if (HidesWithAll(row) && !gate.Keeps(row.Handle)) {
            SlideOut(table, j, windows, screen);
            gate.Hidden(row.Handle);
        }
    }
}

bool PointerInAnyBand(const PaletteTable& table, ScreenPoint pointer, HostWindowSystem& windows,
                      ScreenMeasures& screen) {
    for (std::int32_t i = 1; i <= table.Count(); ++i) {
        const PSinfo& row = table.Row(i);
        const ScreenRect current = windows.WindowRectOf(row.Handle);
        if (InEdgeBand(row.Edge, current, pointer, screen.Width(), screen.WorkAreaHeight())) {
            return true;
        }
    }
    return false;
}

} // namespace

bool InEdgeBand(ScreenEdge edge, const ScreenRect& current, ScreenPoint pointer,
                std::int32_t screenWidth, std::int32_t workAreaHeight) {
    const std::int32_t px = pointer.X;
    const std::int32_t py = pointer.Y;
    switch (edge) {
    case ScreenEdge::Left:
        return 0 < px && px < current.Width() && current.Top < py && py < current.Bottom;
    case ScreenEdge::Right:
        return screenWidth - current.Width() < px && px < screenWidth && current.Top < py &&
               py < current.Bottom;
    case ScreenEdge::Bottom:
        return current.Left < px && px < current.Right && workAreaHeight - current.Height() < py &&
               py < workAreaHeight;
    case ScreenEdge::None: // Without an edge there is no slid-in place to keep open.
        break;
    }
    return false;
}

WindowHandle PaletteAt(HostWindowSystem& windows, ScreenPoint pointer) {
    WindowHandle window = windows.WindowAtPoint(pointer);
    if (window == kNoWindow) {
        return kNoWindow;
    }
    std::string className = windows.ClassNameOf(window);
    while (className != kPaletteClass) {
        const WindowHandle parent = windows.ParentOf(window);
        if (parent == kNoWindow) {
            return kNoWindow;
        }
        window = parent;
        className = windows.ClassNameOf(window);
    }
    return window;
}

void TrackPointer(const PaletteTable& table, HostWindowSystem& windows, const IniFile& settingsFile,
                  AutoHideGate& gate) {
    const std::string mode = ReadSetting(settingsFile, kFWoptionKey);
    const ScreenPoint pointer = windows.CursorPosition();
    ScreenMeasures screen(windows);

    const WindowHandle palette = PaletteAt(windows, pointer);
    const std::int32_t hovered = palette == kNoWindow ? 0 : table.FindByHandle(palette);
    const bool overTicked = hovered != 0 && table.Row(hovered).Selected;
    gate.BeginTick(table, windows, palette, overTicked);
    if (overTicked) {
        PointerOverPalette(table, hovered, mode, windows, screen, gate);
    } else if (palette != kNoWindow) {
        // An unticked palette, or one the table does not know.
        HideAll(table, windows, screen, gate);
    } else if (mode != kModeMixed || !PointerInAnyBand(table, pointer, windows, screen)) {
        // Off palettes. "Mixed" lets the pointer roam where slid-in palettes stand (or would
        // stand) without sending the others out; they all go once it has left every band.
        HideAll(table, windows, screen, gate);
    }
    gate.EndTick();
}

} // namespace quillmere

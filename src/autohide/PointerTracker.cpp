#include "autohide/PointerTracker.h"

#include "autohide/SlideMoves.h"
#include "host/EdgeGeometry.h"
#include "host/PSinfo.h"
#include "settings/SettingsFile.h"

#include <string>

namespace quillmere {

namespace {

void PointerOverPalette(const PaletteTable& table, std::int32_t hovered, std::string_view mode,
                        HostWindowSystem& windows, ScreenMeasures& screen) {
    const ScreenEdge edge = table.Row(hovered).Edge;
    switch (edge) {
    case ScreenEdge::Left:
    case ScreenEdge::Right:
    case ScreenEdge::Bottom:
        break;
    case ScreenEdge::None: // Not yet placed by a scan: hovering it changes nothing.
        return;
    }
    if (mode == kModeTogether) {
        for (std::int32_t j = 1; j <= table.Count(); ++j) {
            const PSinfo& row = table.Row(j);
            if (row.Edge == edge && row.Selected) {
                SlideIn(table, j, windows, screen);
            }
        }
    } else if (mode == kModeSeparately) {
        SlideIn(table, hovered, windows, screen);
        for (std::int32_t j = 1; j <= table.Count(); ++j) {
            const PSinfo& row = table.Row(j);
            if (j != hovered && row.Edge == edge && row.Selected) {
                SlideOut(table, j, windows, screen);
            }
        }
    } else if (mode == kModeMixed) {
        SlideIn(table, hovered, windows, screen);
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

void TrackPointer(const PaletteTable& table, HostWindowSystem& windows,
                  const IniFile& settingsFile) {
    const std::string mode = ReadSetting(settingsFile, kFWoptionKey);
    const ScreenPoint pointer = windows.CursorPosition();
    ScreenMeasures screen(windows);

    if (const WindowHandle palette = PaletteAt(windows, pointer); palette != kNoWindow) {
        const std::int32_t hovered = table.FindByHandle(palette);
        if (hovered == 0 || !table.Row(hovered).Selected) {
            SlideOutAll(table, windows, screen);
        } else {
            PointerOverPalette(table, hovered, mode, windows, screen);
        }
        return;
    }

    // Off palettes. "Mixed" lets the pointer roam where slid-in palettes stand (or would stand)
    // without sending the others out; they all go once it has left every band.
    if (mode == kModeMixed && PointerInAnyBand(table, pointer, windows, screen)) {
        return;
    }
    SlideOutAll(table, windows, screen);
}

} // namespace quillmere

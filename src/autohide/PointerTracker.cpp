#include "autohide/PointerTracker.h"

#include "autohide/SlideMoves.h"
#include "host/EdgeGeometry.h"
#include "host/PSinfo.h"
#include "settings/SettingsFile.h"

#include <string>

namespace quillmere {

namespace {

// Whether ticked row stands at the same edge of the same monitor as the
// hovered palette. With one monitor only the edge is compared.
bool AtSameEdge(const PSinfo& row, const PSinfo& hovered, HostWindowSystem& windows,
                ScreenMeasures& screen) {
    if (row.Edge != hovered.Edge || !row.Selected) {
        return false;
    }
    const MonitorLayout& monitors = screen.Monitors();
    return monitors.Count <= 1 || &row == &hovered ||
           MonitorOf(monitors, windows.WindowRectOf(row.Handle)) ==
               MonitorOf(monitors, windows.WindowRectOf(hovered.Handle));
}

void PointerOverPalette(const PaletteTable& table, const PSinfo& hovered, DisplayMode mode,
                        HostWindowSystem& windows, ScreenMeasures& screen, AutoHideGate& gate) {
    switch (hovered.Edge) {
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
    const auto in = [&](const PSinfo& row) {
        SlideIn(row, windows, screen);
        gate.Shown(row.Handle);
    };
    switch (mode) {
    case DisplayMode::Together:
        for (const PSinfo& row : table.Rows()) {
            if (AtSameEdge(row, hovered, windows, screen)) {
                in(row);
            }
        }
        break;
    case DisplayMode::Separately:
        in(hovered);
        for (const PSinfo& row : table.Rows()) {
            if (&row != &hovered && AtSameEdge(row, hovered, windows, screen) &&
                !gate.Keeps(row.Handle)) {
                SlideOut(row, windows, screen);
                gate.Hidden(row.Handle);
            }
        }
        break;
    case DisplayMode::Mixed:
        in(hovered);
        break;
    }
}

// Every ticked palette with an edge goes out, once the gate lets it, except
// those a drag keeps.
void HideAll(const PaletteTable& table, HostWindowSystem& windows, ScreenMeasures& screen,
             AutoHideGate& gate) {
    if (!gate.MayHide()) {
        return;
    }
    for (const PSinfo& row : table.Rows()) {
        if (HidesWithAll(row) && !gate.Keeps(row.Handle)) {
            SlideOut(row, windows, screen);
            gate.Hidden(row.Handle);
        }
    }
}

bool PointerInAnyBand(const PaletteTable& table, ScreenPoint pointer, HostWindowSystem& windows,
                      ScreenMeasures& screen) {
    for (const PSinfo& row : table.Rows()) {
        const ScreenRect current = windows.WindowRectOf(row.Handle);
        if (InEdgeBand(row.Edge, current, pointer, EdgesAt(screen.Monitors(), current))) {
            return true;
        }
    }
    return false;
}

} // namespace

bool InEdgeBand(ScreenEdge edge, const ScreenRect& current, ScreenPoint pointer,
                const MonitorEdges& edges) {
    const std::int32_t px = pointer.X;
    const std::int32_t py = pointer.Y;
    if (!edges.IsOuter(edge)) {
        return false;
    }
    switch (edge) {
    case ScreenEdge::Left:
        return edges.Left < px && px < edges.Left + current.Width() && current.Top < py &&
               py < current.Bottom;
    case ScreenEdge::Right:
        return edges.Right - current.Width() < px && px < edges.Right && current.Top < py &&
               py < current.Bottom;
    case ScreenEdge::Bottom:
        return current.Left < px && px < current.Right && edges.Bottom - current.Height() < py &&
               py < edges.Bottom;
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
    const DisplayMode mode = ReadDisplayMode(settingsFile);
    const ScreenPoint pointer = windows.CursorPosition();
    ScreenMeasures screen(windows, table.ClassifiedOn());

    const WindowHandle palette = PaletteAt(windows, pointer);
    const std::int32_t hovered = palette == kNoWindow ? 0 : table.FindByHandle(palette);
    const bool overTicked = hovered != 0 && table.Row(hovered).Selected;
    gate.BeginTick(table, windows, palette, overTicked);
    if (overTicked) {
        PointerOverPalette(table, table.Row(hovered), mode, windows, screen, gate);
    } else if (palette != kNoWindow) {
        // An unticked palette, or one the table does not know.
        HideAll(table, windows, screen, gate);
    } else if (mode != DisplayMode::Mixed || !PointerInAnyBand(table, pointer, windows, screen)) {
        // Off palettes. "Mixed" lets the pointer roam where slid-in palettes stand (or would
        // stand) without sending the others out; they all go once it has left every band.
        HideAll(table, windows, screen, gate);
    }
    gate.EndTick();
}

} // namespace quillmere

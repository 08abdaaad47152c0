#pragma once

#include "autohide/AutoHideGate.h"
#include "host/EdgeGeometry.h"
#include "host/HostWindowSystem.h"
#include "host/PaletteTable.h"
#include "settings/IniFile.h"

#include <cstdint>

namespace quillmere {

// Whether the pointer lies where a palette on that edge of its monitor stands
// when slid in, judged from its current rectangle; all bounds are strict, so a
// pointer at x = 0 is inside no left band of a monitor whose left edge is
// x = 0. A row without an edge, or on an inner edge, has no band.
// Virtual-screen pixels.
bool InEdgeBand(ScreenEdge edge, const ScreenRect& current, ScreenPoint pointer,
                const MonitorEdges& edges);
inline bool InEdgeBand(ScreenEdge edge, const ScreenRect& current, ScreenPoint pointer,
                       std::int32_t screenWidth, std::int32_t workAreaHeight) {
    return InEdgeBand(edge, current, pointer, ScreenEdges(screenWidth, workAreaHeight));
}

// The host palette at a screen point: the window there, or the first window of
// class "PSFloatC" up its chain of parents and owners, so that a palette's
// controls and the pop-ups it owns count as the palette. kNoWindow when there
// is no window or the chain ends at a window of another class.
WindowHandle PaletteAt(HostWindowSystem& windows, ScreenPoint pointer);

// One tick of the pointer timer. Reads the display mode ("FWoption") from the
// settings file now, finds the palette under the pointer and slides the
// ticked palettes of its edge in or out as the mode says, when the gate lets
// them. Positions are imposed again at every tick; the gate keeps what the
// delays and drags need between ticks. Writes nothing into the table.
void TrackPointer(const PaletteTable& table, HostWindowSystem& windows, const IniFile& settingsFile,
                  AutoHideGate& gate);

} // namespace quillmere

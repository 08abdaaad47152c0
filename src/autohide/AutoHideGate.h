#pragma once

#include "host/HostWindowSystem.h"
#include "host/PaletteTable.h"
#include "settings/IniFile.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace quillmere {

// How long the pointer must stay before the tracker reveals a hidden palette,
// and how long it must stay away before the tracker hides them. Milliseconds;
// 0 acts at the first tick, as without delays.
struct AutoHideDelays {
    std::uint32_t RevealMs = 0;
    std::uint32_t HideMs = 0;
    bool operator==(const AutoHideDelays&) const = default;
};

// "ShowDelay" and "HideDelay" of the settings file, each 0 when missing or
// not a valid delay.
AutoHideDelays ReadAutoHideDelays(const IniFile& settingsFile);

// What the pointer tracker remembers from one tick to the next, and when it
// lets the moves of the display mode happen: a hidden palette is revealed
// once the pointer has stayed over it for the reveal delay, the palettes are
// hidden once the pointer has stayed away for the hide delay, and no palette
// shown when a mouse button went down over a shown palette is hidden while a
// button is held. Time comes from the window system's monotonic clock and is
// only read when a delay is running; the buttons are only read while a
// palette is shown or the pointer is over a ticked one. With both delays 0
// and no button held, every move happens at the tick it happened at without
// the gate.
class AutoHideGate {
public:
    void SetDelays(AutoHideDelays delays) { m_delays = delays; }
    const AutoHideDelays& Delays() const { return m_delays; }
    // Forgets the palettes shown, the waits and the drag, keeping the
    // delays: for when the palettes were moved by something else.
    void Forget();

    // Opens a tick: palette is the host palette under the pointer (or
    // kNoWindow) and overTickedRow whether it is a ticked row of the table.
    void BeginTick(const PaletteTable& table, HostWindowSystem& windows, WindowHandle palette,
                   bool overTickedRow);
    // The mode would reveal at the palette under the pointer: whether it may
    // now. A palette shown already never waits.
    bool MayReveal();
    // The pointer has left the palettes: whether the palettes may be hidden
    // now. A tick that asks neither cancels both waits.
    bool MayHide();
    // Whether a slide-out of this palette is held back by a drag.
    bool Keeps(WindowHandle palette) const;
    // The moves the tracker made.
    void Shown(WindowHandle palette);
    void Hidden(WindowHandle palette);
    void EndTick();

private:
    bool IsShown(WindowHandle palette) const;
    std::uint64_t Now();

    AutoHideDelays m_delays;
    // Ticked palettes the tracker has brought in and not sent out since.
    std::vector<WindowHandle> m_shown;
    // The palettes shown when a button went down over one of them; empty
    // when no such button is held.
    std::vector<WindowHandle> m_held;
    // The last tick read the buttons and saw all of them up: only then can a
    // button seen down be told to have gone down since.
    bool m_buttonsSeenUp = false;
    // The pointer was over a shown palette at the end of the last tick: a
    // button that goes down between two ticks went down there.
    bool m_overShownBefore = false;

    WindowHandle m_waitingOn = kNoWindow;
    std::uint64_t m_waitSince = 0;
    std::optional<std::uint64_t> m_awaySince;
    // The hide delay has run out and the pointer is still away: the tracker
    // hides at every tick without reading the clock.
    bool m_hideDue = false;

    // This tick's.
    HostWindowSystem* m_windows = nullptr;
    WindowHandle m_palette = kNoWindow;
    std::optional<std::uint64_t> m_now;
    bool m_revealAsked = false;
    bool m_hideAsked = false;
};

} // namespace quillmere

#include "autohide/AutoHideGate.h"

#include "settings/SettingsFile.h"

#include <algorithm>

namespace quillmere {

namespace {

// A tick that comes this much before a delay runs out still counts as at its
// end: timer messages arrive a few ms late or early, and GetTickCount64 counts
// in steps of about 15.6 ms on Windows. Without it a 500 ms delay would end at
// the fifth tick or the sixth, by chance. Milliseconds.
constexpr std::uint64_t kTickSlackMs = 16;

bool Contains(const std::vector<WindowHandle>& windows, WindowHandle window) {
    return std::find(windows.begin(), windows.end(), window) != windows.end();
}

// Drops the palettes that are no longer ticked rows: the re-scan or the check
// list moved them, so the tracker no longer answers for where they stand.
void KeepTickedRows(std::vector<WindowHandle>& windows, const PaletteTable& table) {
    std::erase_if(windows, [&](WindowHandle window) {
        const std::int32_t row = table.FindByHandle(window);
        return row == 0 || !table.Row(row).Selected;
    });
}

} // namespace

AutoHideDelays ReadAutoHideDelays(const IniFile& settingsFile) {
    return {ReadDelaySetting(settingsFile, kShowDelayKey),
            ReadDelaySetting(settingsFile, kHideDelayKey)};
}

void AutoHideGate::Forget() {
    const AutoHideDelays delays = m_delays;
    *this = AutoHideGate{};
    m_delays = delays;
}

void AutoHideGate::BeginTick(const PaletteTable& table, HostWindowSystem& windows,
                             WindowHandle palette, bool overTickedRow) {
    m_windows = &windows;
    m_palette = palette;
    m_now.reset();
    m_revealAsked = false;
    m_hideAsked = false;
    KeepTickedRows(m_shown, table);
    KeepTickedRows(m_held, table);

    if (m_shown.empty() && !overTickedRow) {
        // Nothing shown can be pulled away, and this tick shows nothing: the
        // buttons do not matter, and are not known at the next tick.
        m_buttonsSeenUp = false;
        return;
    }
    const bool down = windows.AnyMouseButtonDown();
    if (down && m_buttonsSeenUp && (IsShown(palette) || m_overShownBefore)) {
        m_held = m_shown;
    } else if (!down && !m_held.empty()) {
        m_held.clear();
        // The hide delay counts from the release.
        m_awaySince.reset();
        m_hideDue = false;
    }
    m_buttonsSeenUp = !down;
}

bool AutoHideGate::MayReveal() {
    m_revealAsked = true;
    if (m_delays.RevealMs == 0 || IsShown(m_palette)) {
        m_waitingOn = kNoWindow;
        return true;
    }
    if (m_waitingOn != m_palette) {
        m_waitingOn = m_palette;
        m_waitSince = Now();
        return false;
    }
    return Now() - m_waitSince + kTickSlackMs >= m_delays.RevealMs;
}

bool AutoHideGate::MayHide() {
    m_hideAsked = true;
    if (m_delays.HideMs == 0 || m_hideDue) {
        return true;
    }
    if (!m_awaySince) {
        m_awaySince = Now();
        return false;
    }
    m_hideDue = Now() - *m_awaySince + kTickSlackMs >= m_delays.HideMs;
    return m_hideDue;
}

bool AutoHideGate::Keeps(WindowHandle palette) const {
    return Contains(m_held, palette);
}

void AutoHideGate::Shown(WindowHandle palette) {
    if (!IsShown(palette)) {
        m_shown.push_back(palette);
    }
}

void AutoHideGate::Hidden(WindowHandle palette) {
    std::erase(m_shown, palette);
}

void AutoHideGate::EndTick() {
    if (!m_revealAsked) {
        m_waitingOn = kNoWindow;
    }
    if (!m_hideAsked) {
        m_awaySince.reset();
        m_hideDue = false;
    }
    m_overShownBefore = m_palette != kNoWindow && IsShown(m_palette);
    m_windows = nullptr;
}

bool AutoHideGate::IsShown(WindowHandle palette) const {
    return palette != kNoWindow && Contains(m_shown, palette);
}

std::uint64_t AutoHideGate::Now() {
    if (!m_now) {
        m_now = m_windows->MonotonicMilliseconds();
    }
    return *m_now;
}

} // namespace quillmere

#pragma once

#include "app/EventFunnel.h"
#include "app/FlatControls.h"
#include "app/FormWindows.h"
#include "app/IllustrationLoader.h"
#include "app/InformationBox.h"
#include "app/ShellLauncher.h"
#include "autohide/AutoHideGate.h"
#include "host/HostWindowSystem.h"
#include "host/PaletteTable.h"
#include "settings/IniFile.h"
#include "settings/IniStore.h"
#include "settings/SettingsFile.h"
#include "settings/StartWithWindows.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace quillmere {

// The palette tables of the main window's unit, alive for the whole process.
HostTables& MainTables();

// Texts of LblSetting for the three display modes.
inline constexpr std::string_view kTogetherText = "Windows appear and disappear together";
inline constexpr std::string_view kSeparatelyText = "Windows appear and disappear separately";
inline constexpr std::string_view kMixedText = "Windows appear separately and disappear together";

inline constexpr std::uint32_t kMousePosInterval = 100;
inline constexpr std::uint32_t kTimerEnumInterval = 2000;

// Everything the main window works through. The form keeps references: all of
// it must outlive the form.
struct FrmMainContext {
    HostTables& Tables;
    HostWindowSystem& Windows;
    IniStore& Ini;
    std::string ExecutablePath;
    IllustrationLoader& Illustrations;
    InformationBox& Information;
    StartupRegistry& Startup;
    FormWindows& Frame;
    TrayWindows& Tray;
    ShellLauncher& Shell;
};

// The help file beside the executable.
inline constexpr std::string_view kHelpFileName = "help.chm";
std::string HelpFilePath(std::string_view executablePath);

// The main window's model and handlers, free of any window system. The
// window that shows it draws the controls below, runs the user's clicks and
// the timers' ticks through its EventFunnel, and runs FormCreate through it
// once while it is being created.
class TFrmMain {
public:
    explicit TFrmMain(FrmMainContext context);
    TFrmMain(const TFrmMain&) = delete;
    TFrmMain& operator=(const TFrmMain&) = delete;

    // The creation sequence. An error in it escapes, skipping the remaining
    // steps; run it through the funnel.
    void FormCreate();

    void optionTogetherClick();
    void OptionSeparatelyClick();
    void OptionMixedClick();
    void ChkEnabledClick();
    void MousePosTimer();
    void TimerEnumTimer();
    // The monitors, a resolution or the taskbar changed: the rows follow the
    // new layout at once.
    void DisplayChanged();
    void ChkBoxClickCheck();
    void BtnselectClick();
    void ChkStartClick();
    void ChkTopClick();
    // The header (the panel, its icon and its two labels) drags the window
    // with the left button; the point and the shift state do not matter.
    void Panel1MouseDown(MouseButton button);
    void Image1MouseDown(MouseButton button) { Panel1MouseDown(button); }
    void Label4MouseDown(MouseButton button) { Panel1MouseDown(button); }
    void Label5MouseDown(MouseButton button) { Panel1MouseDown(button); }
    void BtnAboutClick();
    void BtnHelpClick();
    void BtnOKClick();

    // The notification area: "OK" hides the window and the taskbar entry
    // behind one icon, and only once the shell has taken the icon; a
    // double-click on it or "Open Quillmere" brings them back.
    void HideToTray();
    void RestoreFromTray();
    // mouseMessage: the mouse message the icon reports (its long parameter).
    void TrayIconMessage(std::uint32_t mouseMessage);
    void MnuOpenClick() { RestoreFromTray(); }
    // Another copy was started and is ending: it asks this one to show its
    // window, from the notification area when it is there, at the front.
    void AnotherCopyStarted();
    // "Reveal delay" and "Hide delay": store the chosen delay, then read both
    // back, so that they and the menu follow what is stored even when the
    // write was refused.
    void MnuRevealDelayClick(std::uint32_t ms);
    void MnuHideDelayClick(std::uint32_t ms);
    void MnuExitClick();
    // The shell's taskbar came up, or came back after a restart: an icon
    // shown before is gone with the old taskbar, so it is added again, and
    // the window comes back when the new taskbar refuses it. An "OK" whose
    // icon was refused is carried out now.
    void TaskbarCreated();
    bool InTray() const { return m_inTray; }
    // The delays in force: read at start and whenever the menu changes them.
    const AutoHideDelays& Delays() const { return m_gate.Delays(); }
    void FormDestroy();
    // Saves the selection, then brings every palette back on screen. A
    // refused write escapes before anything moves, and the window stays.
    void FormCloseQuery(bool& CanClose);

    // The session is ending (log-off or shut-down): saves the selection when
    // the file lets it, and brings every palette back whatever the save did.
    // Shows nothing; the window then agrees to the end at once.
    void SessionEnding();
    // The session ends now, asked first or not (Windows skips the query for a
    // program that did not answer it in time): as SessionEnding, unless the
    // close query or SessionEnding has already saved and brought the palettes back.
    void SessionEnded();
    // A close that was agreed to did not happen (the session end was called
    // off): the rows take their ticks back from the check list, so the
    // palettes hide again at the next tick.
    void CloseCancelled();

    // Controls, in the state the window is built with.
    RadioGroup ModeGroup;
    FlatRadioButton optionTogether{ModeGroup, "Type1", true};
    FlatRadioButton OptionSeparately{ModeGroup, "Type2"};
    FlatRadioButton OptionMixed{ModeGroup, "Type3"};
    LabelModel LblSetting{std::string(kTogetherText)};
    CheckListModel ChkBox;
    ButtonModel Btnselect{"Select None"};
    FlatCheckBox ChkEnabled{"Enabled"};
    FlatCheckBox ChkStart{"Start with Windows"};
    FlatCheckBox ChkTop{"Stay on the top"};
    ButtonModel BtnOK{"OK"};
    ButtonModel BtnAbout{"About"};
    ButtonModel BtnHelp{"Help"};

    // Both run as the window is built until the creation sequence applies "Enabled".
    TimerModel MousePos{kMousePosInterval, true};
    TimerModel TimerEnum{kTimerEnumInterval, true};

private:
    IniFile SettingsFile() const;
    IniFile SelectionFile() const;
    void ChooseMode(std::string_view text, DisplayMode mode, std::string_view illustration);
    void SetTimersEnabled(bool enabled);
    // Every row unticked in memory and its palette slid in; the check marks
    // stay as they are.
    void BringEveryPaletteBack();
    void ChooseDelay(const SettingKey& key, std::uint32_t ms);

    FrmMainContext m_context;
    // While the creation sequence runs: a programmatic tick of ChkStart is
    // then the stored choice, not the user's click; and the timers, which
    // run from the moment the window is built and fire inside any message
    // box the sequence shows, must not act on controls and tables that the
    // sequence has not set yet.
    bool m_creating = false;
    bool m_inTray = false;
    // The choices are saved (or given up) and every palette is back.
    bool m_closeQueried = false;
    AutoHideGate m_gate;
    // "OK" was pressed but the shell refused the icon.
    bool m_trayWanted = false;
};

// The window system asks the window to close (its close command, or the end
// of the session): runs the form's close query through the funnel once. True
// when the window may close.
bool MayClose(EventFunnel& funnel, TFrmMain& form);

} // namespace quillmere

#include "app/UnitMain.h"

#include "autohide/PointerTracker.h"
#include "autohide/SlideMoves.h"
#include "common/ProgramError.h"
#include "host/Discovery.h"
#include "host/PSinfo.h"
#include "host/SelectionFile.h"
#include "settings/SettingsFile.h"

#include <exception>
#include <utility>

namespace quillmere {

namespace {

constexpr std::string_view kSelectAll = "Select All";
constexpr std::string_view kSelectNone = "Select None";

} // namespace

HostTables& MainTables() {
    static HostTables tables;
    return tables;
}

TFrmMain::TFrmMain(FrmMainContext context) : m_context(std::move(context)) {
    optionTogether.OnClick = std::bind_front(&TFrmMain::optionTogetherClick, this);
    OptionSeparately.OnClick = std::bind_front(&TFrmMain::OptionSeparatelyClick, this);
    OptionMixed.OnClick = std::bind_front(&TFrmMain::OptionMixedClick, this);
    ChkEnabled.OnClick = std::bind_front(&TFrmMain::ChkEnabledClick, this);
    MousePos.OnTimer = std::bind_front(&TFrmMain::MousePosTimer, this);
    TimerEnum.OnTimer = std::bind_front(&TFrmMain::TimerEnumTimer, this);
    ChkBox.OnClickCheck = [this](int) { ChkBoxClickCheck(); };
    Btnselect.OnClick = std::bind_front(&TFrmMain::BtnselectClick, this);
    ChkStart.OnClick = std::bind_front(&TFrmMain::ChkStartClick, this);
    ChkTop.OnClick = std::bind_front(&TFrmMain::ChkTopClick, this);
    BtnOK.OnClick = std::bind_front(&TFrmMain::BtnOKClick, this);
    BtnAbout.OnClick = std::bind_front(&TFrmMain::BtnAboutClick, this);
    BtnHelp.OnClick = std::bind_front(&TFrmMain::BtnHelpClick, this);
}

std::string HelpFilePath(std::string_view executablePath) {
    return LocationBesideExecutable(executablePath, kHelpFileName);
}

IniFile TFrmMain::SettingsFile() const {
    return SettingsFileFor(m_context.Ini, m_context.ExecutablePath);
}

IniFile TFrmMain::SelectionFile() const {
    return SelectionFileFor(m_context.Ini, m_context.ExecutablePath);
}

void TFrmMain::SetTimersEnabled(bool enabled) {
    MousePos.SetEnabled(enabled);
    TimerEnum.SetEnabled(enabled);
}

void TFrmMain::FormCreate() {
    m_creating = true;
    struct CreatingScope {
        bool& Flag;
        ~CreatingScope() { Flag = false; }
    } creating{m_creating};

    m_context.Frame.SetRoundRegion();
    m_context.Frame.FillTrayIconData();
    m_context.Tables.FloatingWindows.Forget();
    m_context.Tables.ScannedWindows.Forget();
    Btnselect.SetCaption(std::string(kSelectNone));

    const IniFile settings = SettingsFile();
    // First, so that a refused write further on cannot leave them unread.
    m_gate.SetDelays(ReadAutoHideDelays(settings));

    // Ticking the box writes "OnTop" again and makes the application window
    // topmost; the call after it repeats that on purpose.
    if (IsYes(ReadSetting(settings, kOnTopKey))) {
        ChkTop.SetChecked(true);
        m_context.Frame.SetApplicationTopmost(true);
    } else {
        ChkTop.SetChecked(false);
        m_context.Frame.SetApplicationTopmost(false);
    }

    // Ticking the box runs ChkStartClick, which enters the running executable
    // again, so the start-up entry follows the program when it was moved.
    ChkStart.SetChecked(IsYes(ReadSetting(settings, kSystemStartKey)));

    if (IsYes(ReadSetting(settings, kEnabledKey))) {
        ChkEnabled.SetChecked(true);
        SetTimersEnabled(true);
    } else {
        ChkEnabled.SetChecked(false);
        SetTimersEnabled(false);
    }

    // Checking the stored mode's button runs its click handler when it was
    // unchecked; the text and the illustration are then set once more.
    switch (ReadDisplayMode(settings)) {
    case DisplayMode::Together:
        optionTogether.SetChecked(true);
        LblSetting.SetCaption(std::string(kTogetherText));
        m_context.Illustrations.LoadIllustration("together");
        break;
    case DisplayMode::Separately:
        OptionSeparately.SetChecked(true);
        LblSetting.SetCaption(std::string(kSeparatelyText));
        m_context.Illustrations.LoadIllustration("separately");
        break;
    case DisplayMode::Mixed:
        OptionMixed.SetChecked(true);
        LblSetting.SetCaption(std::string(kMixedText));
        m_context.Illustrations.LoadIllustration("mixed");
        break;
    }

    if (m_context.Windows.FindTopLevelWindow(kHostClass) != kNoWindow) {
        // With auto-hide off nothing would bring hidden palettes back, so the
        // first scan then leaves every palette where it stands.
        FirstScan(m_context.Tables, m_context.Windows, SelectionFile(), ChkBox,
                  ChkEnabled.Checked());
    }
}

void TFrmMain::ChooseMode(std::string_view text, DisplayMode mode, std::string_view illustration) {
    LblSetting.SetCaption(std::string(text));
    const IniFile settings = SettingsFile();
    WriteDisplayMode(settings, mode);
    m_context.Illustrations.LoadIllustration(illustration);
}

void TFrmMain::optionTogetherClick() {
    ChooseMode(kTogetherText, DisplayMode::Together, "together");
}

void TFrmMain::OptionSeparatelyClick() {
    ChooseMode(kSeparatelyText, DisplayMode::Separately, "Separately");
}

void TFrmMain::OptionMixedClick() {
    ChooseMode(kMixedText, DisplayMode::Mixed, "Mixed");
}

void TFrmMain::ChkEnabledClick() {
    const IniFile settings = SettingsFile();
    const PaletteTable& table = m_context.Tables.FloatingWindows;
    // Either way every palette is moved here, so the tracker starts afresh.
    m_gate.Forget();
    if (ChkEnabled.Checked()) {
        WriteSetting(settings, kEnabledKey, kYes);
        SetTimersEnabled(true);
        for (const PSinfo& row : table.Rows()) {
            if (row.Selected) {
                SlideOut(row, m_context.Windows);
            }
        }
    } else {
        WriteSetting(settings, kEnabledKey, kNo);
        SetTimersEnabled(false);
        SlideInAll(table, m_context.Windows);
    }
}

void TFrmMain::MousePosTimer() {
    if (m_creating) {
        return;
    }
    TrackPointer(m_context.Tables.FloatingWindows, m_context.Windows, SettingsFile(), m_gate);
}

void TFrmMain::TimerEnumTimer() {
    if (m_creating) {
        return;
    }
    // The layout is compared at every re-scan too: a monitor turned off may
    // come without any message.
    DisplayChanged();
    RescanPalettes(m_context.Tables, m_context.Windows, SelectionFile(), ChkBox);
}

void TFrmMain::DisplayChanged() {
    // Palettes moved to their new homes: the tracker starts afresh.
    if (FollowMonitorChange(m_context.Tables.FloatingWindows, m_context.Windows)) {
        m_gate.Forget();
    }
}

void TFrmMain::ChkBoxClickCheck() {
    PaletteTable& table = m_context.Tables.FloatingWindows;
    if (table.Empty()) {
        return;
    }
    // Every row is re-applied, not only the clicked one. The marks mirror the
    // rows but for the entry the user toggled, so a row that turns ticked
    // here is the user's own tick.
    int entry = 0;
    for (PSinfo& row : table.Rows()) {
        const bool ticked = ChkBox.At(entry++).Checked;
        row.TickedByUser = ticked && (row.TickedByUser || !row.Selected);
        row.Selected = ticked;
        if (row.Selected) {
            SlideOut(row, m_context.Windows);
        } else {
            SlideIn(row, m_context.Windows);
        }
    }
    SaveSelection(table, SelectionFile());
}

void TFrmMain::BtnselectClick() {
    PaletteTable& table = m_context.Tables.FloatingWindows;
    if (table.Empty()) {
        return;
    }
    // The caption names what this click does; the file catches up at the
    // next check click or at close.
    if (Btnselect.Caption() == kSelectAll) {
        Btnselect.SetCaption(std::string(kSelectNone));
        for (int i = 0; i < ChkBox.Count(); ++i) {
            ChkBox.SetChecked(i, true);
        }
        for (PSinfo& row : table.Rows()) {
            row.Selected = true;
            row.TickedByUser = true;
            SlideOut(row, m_context.Windows);
        }
    } else {
        Btnselect.SetCaption(std::string(kSelectAll));
        for (PSinfo& row : table.Rows()) {
            row.Selected = false;
            row.TickedByUser = false;
            SlideIn(row, m_context.Windows);
        }
        for (int i = 0; i < ChkBox.Count(); ++i) {
            ChkBox.SetChecked(i, false);
        }
    }
}

void TFrmMain::ChkStartClick() {
    const bool start = ChkStart.Checked();
    // At start-up an entry that already starts this executable needs nothing:
    // neither a write nor the administrator test, which an administrator
    // whom the system runs without elevation (the Run entry starts us so)
    // would fail at every log-on.
    if (m_creating && start && StartupEntryIsCurrent(m_context.Startup, m_context.ExecutablePath)) {
        return;
    }
    StartWithWindowsResult result = StartWithWindowsResult::Applied;
    try {
        result = ApplyStartWithWindows(start, SettingsFile(), m_context.Startup,
                                       m_context.ExecutablePath);
    } catch (const ProgramError&) {
        // The box shows what "SystemStart" and the list still hold.
        ChkStart.Restore(!start);
        throw;
    }
    if (result == StartWithWindowsResult::NotAdministrator) {
        m_context.Information.ShowInformation(kNotAdministratorMessage, kNotAdministratorCaption);
        // The user's tick made no start-up entry, so the box must not claim
        // one. At start-up the box keeps the stored choice.
        if (!m_creating) {
            ChkStart.Restore(!start);
        }
    }
}

void TFrmMain::ChkTopClick() {
    // The write comes first: when it is refused, the topmost state stays.
    const bool onTop = ChkTop.Checked();
    WriteSetting(SettingsFile(), kOnTopKey, onTop ? kYes : kNo);
    m_context.Frame.SetApplicationTopmost(onTop);
}

void TFrmMain::Panel1MouseDown(MouseButton button) {
    if (button == MouseButton::Left) {
        m_context.Frame.BeginDragMove();
    }
}

void TFrmMain::BtnAboutClick() {
    m_context.Frame.ShowAboutModal();
}

void TFrmMain::BtnHelpClick() {
    m_context.Shell.ShellOpen("open", HelpFilePath(m_context.ExecutablePath), kShellDirectory);
}

void TFrmMain::BtnOKClick() {
    HideToTray();
}

void TFrmMain::HideToTray() {
    TrayWindows& tray = m_context.Tray;
    // Without an icon nothing would bring the window back: it stays shown,
    // and the next "TaskbarCreated" (the shell is ready) tries again.
    m_trayWanted = !tray.AddTrayIcon();
    if (m_trayWanted) {
        return;
    }
    tray.ShowMainWindow(false);
    tray.ShowApplicationWindow(false);
    tray.SetApplicationToolWindow(true);
    m_inTray = true;
}

void TFrmMain::RestoreFromTray() {
    TrayWindows& tray = m_context.Tray;
    tray.BringMainWindowToForeground();
    tray.DeleteTrayIcon();
    tray.ShowMainWindow(true);
    tray.ShowApplicationWindow(true);
    tray.SetApplicationToolWindow(false);
    m_inTray = false;
}

void TFrmMain::TrayIconMessage(std::uint32_t mouseMessage) {
    switch (mouseMessage) {
    case kIconLeftDoubleClick:
        RestoreFromTray();
        break;
    case kIconRightButtonDown:
        // The menu only closes by itself when a click outside it lands in
        // the foreground window's thread, so ours comes first.
        m_context.Tray.BringMainWindowToForeground();
        m_context.Tray.PopUpMenuAtPointer();
        break;
    default:
        break;
    }
}

void TFrmMain::AnotherCopyStarted() {
    if (m_inTray) {
        RestoreFromTray();
    }
    // Once more now that the window is shown: RestoreFromTray asks for the
    // front before it shows the window, which some systems ignore.
    m_context.Tray.BringMainWindowToForeground();
}

void TFrmMain::ChooseDelay(const SettingKey& key, std::uint32_t ms) {
    const IniFile settings = SettingsFile();
    try {
        WriteSetting(settings, key, std::to_string(ms));
    } catch (...) {
        m_gate.SetDelays(ReadAutoHideDelays(settings));
        throw;
    }
    m_gate.SetDelays(ReadAutoHideDelays(settings));
}

void TFrmMain::MnuRevealDelayClick(std::uint32_t ms) {
    ChooseDelay(kShowDelayKey, ms);
}

void TFrmMain::MnuHideDelayClick(std::uint32_t ms) {
    ChooseDelay(kHideDelayKey, ms);
}

void TFrmMain::MnuExitClick() {
    m_context.Tray.CloseMainWindow();
}

void TFrmMain::TaskbarCreated() {
    if (m_inTray) {
        if (!m_context.Tray.AddTrayIcon()) {
            RestoreFromTray();
            m_trayWanted = true;
        }
    } else if (m_trayWanted) {
        HideToTray();
    }
}

void TFrmMain::FormDestroy() {
    m_context.Tray.DeleteTrayIcon();
}

void TFrmMain::FormCloseQuery(bool& CanClose) {
    PaletteTable& table = m_context.Tables.FloatingWindows;
    // The file first: it keeps the choices in force at close. The check marks
    // stay as they are.
    SaveSelection(table, SelectionFile());
    BringEveryPaletteBack();
    CanClose = true;
}

void TFrmMain::SessionEnding() {
    // The palettes matter more than the choices: a refused save is passed
    // over, since nobody is there to read a box, and a box would hold back
    // the answer that lets the session end.
    try {
        SaveSelection(m_context.Tables.FloatingWindows, SelectionFile());
    } catch (const std::exception&) {
    }
    BringEveryPaletteBack();
}

void TFrmMain::BringEveryPaletteBack() {
    // Each on its own monitor, also when the monitors changed since the last
    // re-scan.
    DisplayChanged();
    PaletteTable& table = m_context.Tables.FloatingWindows;
    for (PSinfo& row : table.Rows()) {
        row.Selected = false;
        SlideIn(row, m_context.Windows);
    }
    m_closeQueried = true;
}

bool MayClose(EventFunnel& funnel, TFrmMain& form) {
    bool canClose = true;
    return funnel.Run([&] { form.FormCloseQuery(canClose); }) && canClose;
}

void TFrmMain::CloseCancelled() {
    m_closeQueried = false;
    PaletteTable& table = m_context.Tables.FloatingWindows;
    int entry = 0;
    for (PSinfo& row : table.Rows()) {
        if (entry == ChkBox.Count()) {
            break;
        }
        row.Selected = ChkBox.At(entry++).Checked;
    }
}

void TFrmMain::SessionEnded() {
    // Windows skips the query for a program that did not answer it in time.
    if (!m_closeQueried) {
        SessionEnding();
    }
}

} // namespace quillmere

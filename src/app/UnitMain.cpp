#include "app/UnitMain.h"

#include "autohide/PointerTracker.h"
#include "autohide/SlideMoves.h"
#include "host/Discovery.h"
#include "host/PSinfo.h"
#include "settings/SettingsFile.h"

#include <utility>

namespace quillmere {

HostTables& MainTables() {
    static HostTables tables;
    return tables;
}

TFrmMain::TFrmMain(FrmMainContext context) : m_context(std::move(context)) {
    optionTogether.OnClick = [this] { optionTogetherClick(); };
    OptionSeparately.OnClick = [this] { OptionSeparatelyClick(); };
    OptionMixed.OnClick = [this] { OptionMixedClick(); };
    ChkEnabled.OnClick = [this] { ChkEnabledClick(); };
    MousePos.OnTimer = [this] { MousePosTimer(); };
    TimerEnum.OnTimer = [this] { TimerEnumTimer(); };
}

bool TFrmMain::RunEvent(const std::function<void()>& event) {
    return RunHandler(m_context.Errors, event);
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
    // The window's round region and the notification-icon record come first;
    // they belong to the window that shows this form.
    m_context.Tables.FloatingWindows.Forget();
    m_context.Tables.ScannedWindows.Forget();
    Btnselect.SetCaption("Select None");

    const IniFile settings = SettingsFile();

    // "OnTop" and then "SystemStart" are applied at this point of the sequence,
    // before "Enabled", by the stay-on-top and start-with-Windows switches.

    if (IsYes(ReadSetting(settings, kEnabledKey))) {
        ChkEnabled.SetChecked(true);
        SetTimersEnabled(true);
    } else {
        ChkEnabled.SetChecked(false);
        SetTimersEnabled(false);
    }

    const std::string mode = ReadSetting(settings, kFWoptionKey);
    if (mode == kModeTogether) {
        optionTogether.SetChecked(true);
        LblSetting.SetCaption(std::string(kTogetherText));
        m_context.Illustrations.LoadIllustration("together");
    }
    if (mode == kModeSeparately) {
        OptionSeparately.SetChecked(true);
        LblSetting.SetCaption(std::string(kSeparatelyText));
        m_context.Illustrations.LoadIllustration("separately");
    }
    if (mode == kModeMixed) {
        OptionMixed.SetChecked(true);
        LblSetting.SetCaption(std::string(kMixedText));
        m_context.Illustrations.LoadIllustration("mixed");
    }

    if (m_context.Windows.FindTopLevelWindow(kHostClass) != kNoWindow) {
        // With auto-hide off nothing would bring hidden palettes back, so the
        // first scan then leaves every palette where it stands.
        FirstScan(m_context.Tables, m_context.Windows, SelectionFile(), ChkBox,
                  ChkEnabled.Checked());
    }
}

void TFrmMain::ChooseMode(std::string_view text, std::string_view storedValue,
                          std::string_view illustration) {
    LblSetting.SetCaption(std::string(text));
    const IniFile settings = SettingsFile();
    WriteSetting(settings, kFWoptionKey, storedValue);
    m_context.Illustrations.LoadIllustration(illustration);
}

void TFrmMain::optionTogetherClick() {
    ChooseMode(kTogetherText, kModeTogether, "together");
}

void TFrmMain::OptionSeparatelyClick() {
    ChooseMode(kSeparatelyText, kModeSeparately, "Separately");
}

void TFrmMain::OptionMixedClick() {
    ChooseMode(kMixedText, kModeMixed, "Mixed");
}

void TFrmMain::ChkEnabledClick() {
    const IniFile settings = SettingsFile();
    const PaletteTable& table = m_context.Tables.FloatingWindows;
    if (ChkEnabled.Checked()) {
        WriteSetting(settings, kEnabledKey, kYes);
        SetTimersEnabled(true);
        for (std::int32_t i = 1; i <= table.Count(); ++i) {
            if (table.Row(i).Selected) {
                SlideOut(table, i, m_context.Windows);
            }
        }
    } else {
        WriteSetting(settings, kEnabledKey, kNo);
        SetTimersEnabled(false);
        SlideInAll(table, m_context.Windows);
    }
}

void TFrmMain::MousePosTimer() {
    TrackPointer(m_context.Tables.FloatingWindows, m_context.Windows, SettingsFile());
}

void TFrmMain::TimerEnumTimer() {
    RescanPalettes(m_context.Tables, m_context.Windows, SelectionFile(), ChkBox);
}

} // namespace quillmere

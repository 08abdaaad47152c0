#pragma once

#include "settings/IniFile.h"
#include "settings/IniStore.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace quillmere {

// "ZC.reg": every choice of the main window lives in its section "Info". No
// setting is held in memory; readers open the file at the moment they need a
// value and writers write through at once.
inline constexpr std::string_view kInfoSection = "Info";

// A key of section "Info" with the value a reader gets when the file, the
// section or the key is missing.
struct SettingKey {
    std::string_view Name;
    std::string_view Default;
};

inline constexpr std::string_view kYes = "Yes";
inline constexpr std::string_view kNo = "No";

// Which palettes of one edge come and go together; stored as "FWoption".
enum class DisplayMode { Together, Separately, Mixed };

// A mode as the settings file spells it.
constexpr std::string_view ModeName(DisplayMode mode) {
    switch (mode) {
    case DisplayMode::Together:
        break;
    case DisplayMode::Separately:
        return "Separately";
    case DisplayMode::Mixed:
        return "Mixed";
    }
    return "Together";
}
// The mode ModeName gives that text for; exact and case-sensitive. Any other
// text is Together, as the window shows it, so that no stored word can leave
// palettes hidden with nothing to bring them back.
DisplayMode ParseMode(std::string_view text);

inline constexpr std::string_view kLanguageEnglish = "English";

inline constexpr SettingKey kOnTopKey{"OnTop", kYes};
inline constexpr SettingKey kSystemStartKey{"SystemStart", kNo};
inline constexpr SettingKey kEnabledKey{"Enabled", kYes};
inline constexpr SettingKey kFWoptionKey{"FWoption", ModeName(DisplayMode::Together)};
// The waits before the pointer tracker reveals a palette and before it hides
// them, in milliseconds. The first start writes neither; they are read at
// start and when the menu changes them.
inline constexpr SettingKey kShowDelayKey{"ShowDelay", "0"};
inline constexpr SettingKey kHideDelayKey{"HideDelay", "0"};
inline constexpr std::uint32_t kMaxDelayMs = 5000;
// Written at first start only and never read.
inline constexpr std::string_view kLanguageKeyName = "Language";

std::string ReadSetting(const IniFile& settingsFile, const SettingKey& key);
// Writes the value unless the file already holds exactly that value.
void WriteSetting(const IniFile& settingsFile, const SettingKey& key, std::string_view value);

// A delay as stored: a whole decimal number from 0 to kMaxDelayMs, digits
// only. Anything else reads as 0 and is left in the file as it is.
std::uint32_t ParseDelay(std::string_view text);
std::uint32_t ReadDelaySetting(const IniFile& settingsFile, const SettingKey& key);

// "FWoption" read now, and written through at once.
DisplayMode ReadDisplayMode(const IniFile& settingsFile);
void WriteDisplayMode(const IniFile& settingsFile, DisplayMode mode);

// Stored switches are exactly "Yes" or not: "yes", "" and anything else mean off.
inline bool IsYes(std::string_view value) {
    return value == kYes;
}

// The content of a settings file made at first start: five writes into "Info",
// in the order FWoption, SystemStart, OnTop, Enabled, Language. A refused write
// throws ProgramError and leaves the later entries unwritten.
void WriteFirstStartSettings(const IniFile& settingsFile);

inline constexpr std::string_view kSettingsFileName = "ZC.reg";

// "ZC.reg" beside the executable, opened afresh by each user.
IniFile SettingsFileFor(IniStore& store, std::string_view executablePath);

} // namespace quillmere

#include "settings/SettingsFile.h"

namespace quillmere {

std::string ReadSetting(const IniFile& settingsFile, const SettingKey& key) {
    return settingsFile.ReadValue(kInfoSection, key.Name, key.Default);
}

void WriteSetting(const IniFile& settingsFile, const SettingKey& key, std::string_view value) {
    // The creation sequence writes back every choice it applies. A file that
    // already holds the value is left untouched, so that a settings file the
    // user made read-only still starts cleanly and only a real change is
    // refused. No value holds a line break, so a missing key never matches.
    if (settingsFile.ReadValue(kInfoSection, key.Name, "\n") == value) {
        return;
    }
    settingsFile.WriteValue(kInfoSection, key.Name, value);
}

void WriteFirstStartSettings(const IniFile& settingsFile) {
    WriteSetting(settingsFile, kFWoptionKey, kModeTogether);
    WriteSetting(settingsFile, kSystemStartKey, kNo);
    WriteSetting(settingsFile, kOnTopKey, kYes);
    WriteSetting(settingsFile, kEnabledKey, kYes);
    settingsFile.WriteValue(kInfoSection, kLanguageKeyName, kLanguageEnglish);
}

IniFile SettingsFileFor(IniStore& store, std::string_view executablePath) {
    return IniFile(store, LocationBesideExecutable(executablePath, kSettingsFileName));
}

IniFile SelectionFileFor(IniStore& store, std::string_view executablePath) {
    return IniFile(store, LocationBesideExecutable(executablePath, kSelectionFileName));
}

} // namespace quillmere

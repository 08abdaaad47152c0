#include "settings/SettingsFile.h"

#include <array>

namespace quillmere {

namespace {

constexpr std::array kModes{DisplayMode::Together, DisplayMode::Separately, DisplayMode::Mixed};

} // namespace

DisplayMode ParseMode(std::string_view text) {
    // Read back through ModeName so that the names are spelled in one place only.
    for (const DisplayMode mode : kModes) {
        if (text == ModeName(mode)) {
            return mode;
        }
    }
    return DisplayMode::Together;
}

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

std::uint32_t ParseDelay(std::string_view text) {
    if (text.empty()) {
        return 0;
    }
    // Stops as soon as the value is too large, so it can never overflow.
    std::uint32_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return 0;
        }
        value = value * 10 + static_cast<std::uint32_t>(c - '0');
        if (value > kMaxDelayMs) {
            return 0;
        }
    }
    return value;
}

std::uint32_t ReadDelaySetting(const IniFile& settingsFile, const SettingKey& key) {
    return ParseDelay(ReadSetting(settingsFile, key));
}

DisplayMode ReadDisplayMode(const IniFile& settingsFile) {
    return ParseMode(ReadSetting(settingsFile, kFWoptionKey));
}

void WriteDisplayMode(const IniFile& settingsFile, DisplayMode mode) {
    WriteSetting(settingsFile, kFWoptionKey, ModeName(mode));
}

void WriteFirstStartSettings(const IniFile& settingsFile) {
    WriteDisplayMode(settingsFile, DisplayMode::Together);
    WriteSetting(settingsFile, kSystemStartKey, kNo);
    WriteSetting(settingsFile, kOnTopKey, kYes);
    WriteSetting(settingsFile, kEnabledKey, kYes);
    settingsFile.WriteValue(kInfoSection, kLanguageKeyName, kLanguageEnglish);
}

IniFile SettingsFileFor(IniStore& store, std::string_view executablePath) {
    return IniFile(store, LocationBesideExecutable(executablePath, kSettingsFileName));
}

} // namespace quillmere

#include "settings/StartWithWindows.h"

#include "common/ProgramError.h"
#include "settings/SettingsFile.h"

namespace quillmere {

std::string StartupCommand(std::string_view executablePath) {
    std::string command(executablePath);
    if (command.find(' ') != std::string::npos) {
        command.insert(command.begin(), '"');
        command.push_back('"');
    }
    return command;
}

StartWithWindowsResult ApplyStartWithWindows(bool start, const IniFile& settingsFile,
                                             StartupRegistry& registry,
                                             std::string_view executablePath) {
    if (!registry.IsAdministrator()) {
        return StartWithWindowsResult::NotAdministrator;
    }
    WriteSetting(settingsFile, kSystemStartKey, start ? kYes : kNo);
    if (!start) {
        registry.RemoveStartupEntry(kStartupEntryName);
        return StartWithWindowsResult::Applied;
    }
    // A list that cannot be opened is passed over in silence: "SystemStart"
    // already holds the choice, and the next start tries again.
    if (registry.SetStartupEntry(kStartupEntryName, StartupCommand(executablePath)) ==
        StartupEntryWrite::ValueRefused) {
        throw ProgramError("Failed to set data for '" + std::string(kStartupEntryName) + "'");
    }
    return StartWithWindowsResult::Applied;
}

} // namespace quillmere

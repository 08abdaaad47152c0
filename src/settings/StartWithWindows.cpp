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

bool StartupEntryIsCurrent(StartupRegistry& registry, std::string_view executablePath) {
    return registry.StartupEntry(kStartupEntryName) == StartupCommand(executablePath);
}

StartWithWindowsResult ApplyStartWithWindows(bool start, const IniFile& settingsFile,
                                             StartupRegistry& registry,
                                             std::string_view executablePath) {
    if (!registry.IsAdministrator()) {
        return StartWithWindowsResult::NotAdministrator;
    }
    WriteSetting(settingsFile, kSystemStartKey, start ? kYes : kNo);
    const bool changed =
        start ? registry.SetStartupEntry(kStartupEntryName, StartupCommand(executablePath)) ==
                    StartupEntryWrite::Written
              : registry.RemoveStartupEntry(kStartupEntryName);
    if (!changed) {
        // "SystemStart" takes back the choice the list did not take, so that
        // it keeps telling whether the program starts with Windows.
        WriteSetting(settingsFile, kSystemStartKey, start ? kNo : kYes);
        throw ProgramError((start ? "Failed to set data for '" : "Failed to delete data for '") +
                           std::string(kStartupEntryName) + "'");
    }
    return StartWithWindowsResult::Applied;
}

} // namespace quillmere

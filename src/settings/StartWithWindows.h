#pragma once

#include "settings/IniFile.h"

#include <optional>
#include <string>
#include <string_view>

namespace quillmere {

// The name of our entry in the list of programs the system starts at log-on.
inline constexpr std::string_view kStartupEntryName = "Quillmere";

inline constexpr std::string_view kNotAdministratorMessage =
    "You should be logged in as an administrator to let Quillmere to start with Windows.";
inline constexpr std::string_view kNotAdministratorCaption = "Information";

// What came of setting the start-up entry.
enum class StartupEntryWrite {
    Written,
    KeyUnavailable, // the list could not be opened or created
    ValueRefused,   // the list opened but refused the value
};

// The system's list of programs started at log-on (on Windows the machine-wide
// Run key) and the administrator test that guards changes to it.
class StartupRegistry {
public:
    virtual ~StartupRegistry() = default;

    virtual bool IsAdministrator() = 0;
    // The command of the entry `name`; nothing when the list or the entry is
    // missing. Reading needs no administrator's rights.
    virtual std::optional<std::string> StartupEntry(std::string_view name) = 0;
    // Opens the list, creating it when missing, and sets the entry `name` to
    // `command`.
    virtual StartupEntryWrite SetStartupEntry(std::string_view name, std::string_view command) = 0;
    // Removes the entry. True when it is gone afterwards: a missing entry or
    // list is no failure.
    virtual bool RemoveStartupEntry(std::string_view name) = 0;
};

// The command line stored for the executable: its path, in double quotes when
// it contains a blank, so that the system never tries a shorter path first
// ("C:\Program.exe" for "C:\Program Files\...").
std::string StartupCommand(std::string_view executablePath);

enum class StartWithWindowsResult { Applied, NotAdministrator };

// True when the list already starts exactly this executable, with the command
// StartupCommand gives.
bool StartupEntryIsCurrent(StartupRegistry& registry, std::string_view executablePath);

// Makes the program start at log-on, or stop doing so, for an administrator:
// "SystemStart" is written first, then the entry is set or removed. For anyone
// else nothing is touched. A refused settings write throws before the list is
// opened. When the list cannot be changed, "SystemStart" is written back to
// what the list still holds and ProgramError("Failed to set data for
// 'Quillmere'") or ("Failed to delete data for 'Quillmere'") is thrown.
StartWithWindowsResult ApplyStartWithWindows(bool start, const IniFile& settingsFile,
                                             StartupRegistry& registry,
                                             std::string_view executablePath);

} // namespace quillmere

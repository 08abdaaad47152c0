#pragma once

#include "settings/StartWithWindows.h"

namespace quillmere::win32 {

// The machine-wide Run key under HKEY_LOCAL_MACHINE, relative to the root.
inline constexpr const char* kRunKeyPath = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// The start-up list as the Run key of the local machine, which only an
// administrator may change; the entry is a REG_SZ value holding the command.
class Win32StartupRegistry final : public StartupRegistry {
public:
    bool IsAdministrator() override;
    std::optional<std::string> StartupEntry(std::string_view name) override;
    StartupEntryWrite SetStartupEntry(std::string_view name, std::string_view command) override;
    bool RemoveStartupEntry(std::string_view name) override;
};

} // namespace quillmere::win32

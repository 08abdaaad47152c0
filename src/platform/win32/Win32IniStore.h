#pragma once

#include "settings/IniStore.h"

#include <string>

namespace quillmere::win32 {

// INI files through kernel32's private-profile functions. Paths are full
// Windows paths in the ANSI code page.
class Win32IniStore final : public IniStore {
public:
    std::string ReadValue(const std::string& path, std::string_view section, std::string_view name,
                          std::string_view fallback) override;
    void WriteValue(const std::string& path, std::string_view section, std::string_view name,
                    std::string_view value) override;
    void EraseSection(const std::string& path, std::string_view section) override;
    void WriteSection(const std::string& path, std::string_view section,
                      const std::vector<std::string>& lines) override;
    std::vector<std::string> ReadSection(const std::string& path,
                                         std::string_view section) override;
};

// The running executable's full path (GetModuleFileNameA).
std::string ExecutablePath();

} // namespace quillmere::win32

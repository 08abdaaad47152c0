#pragma once

#include "settings/IniStore.h"

namespace quillmere {

// Profile access for platforms without the Windows profile service: the same
// text form, kept in ordinary files. A write rewrites the whole file into a
// temporary file beside it and renames it over the old one, so a process that
// dies half-way leaves either the old file or the new one, never a torn one.
class PortableIniStore final : public IniStore {
public:
    std::string ReadValue(const std::string& path, std::string_view section, std::string_view name,
                          std::string_view fallback) override;
    void WriteValue(const std::string& path, std::string_view section, std::string_view name,
                    std::string_view value) override;
    void EraseSection(const std::string& path, std::string_view section) override;
    std::vector<std::string> ReadSection(const std::string& path,
                                         std::string_view section) override;
};

} // namespace quillmere

#pragma once

#include "settings/IniStore.h"

namespace quillmere {

// Profile access in ordinary files on POSIX systems, which lack the Windows
// profile service, for the tests and the benchmark that need real files: the
// same text form. A write rewrites the whole file into
// a temporary file beside it and renames it over the old one, so a process
// that dies half-way leaves either the old file or the new one, never a torn
// one, and a reader needs no lock. Writers take an exclusive lock on the file
// "<path>.lock" beside it, which stays there, for the whole read-modify-write,
// so that concurrent writers never lose each other's entries. A write goes
// through a symbolic link to the file it names and keeps that file's
// permissions; a file nobody may write (no write bit in its mode) is refused
// even to root. Anything at the path that cannot be read reads as missing.
class PortableIniStore final : public IniStore {
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

} // namespace quillmere

#pragma once

#include "settings/IniStore.h"

#include <string>
#include <string_view>
#include <vector>

namespace quillmere {

// The directory of executablePath followed by fileName. The directory keeps
// (or gains) the separator that ends it: "\" for Windows paths, "/" when the
// path uses only forward slashes (the portable build and the tests).
std::string LocationBesideExecutable(std::string_view executablePath, std::string_view fileName);

// An "open" INI file: it only remembers its path and the store it goes
// through, and touches nothing on disk until an operation runs. Every write
// goes straight through, so several IniFile objects on one path see each
// other's writes.
class IniFile {
public:
    IniFile(IniStore& store, std::string path) : m_store(&store), m_path(std::move(path)) {}

    const std::string& Path() const { return m_path; }

    std::string ReadValue(std::string_view section, std::string_view name,
                          std::string_view fallback) const {
        return m_store->ReadValue(m_path, section, name, fallback);
    }
    void WriteValue(std::string_view section, std::string_view name, std::string_view value) const {
        m_store->WriteValue(m_path, section, name, value);
    }
    void EraseSection(std::string_view section) const { m_store->EraseSection(m_path, section); }
    void WriteSection(std::string_view section, const std::vector<std::string>& lines) const {
        m_store->WriteSection(m_path, section, lines);
    }
    std::vector<std::string> ReadSection(std::string_view section) const {
        return m_store->ReadSection(m_path, section);
    }

private:
    IniStore* m_store;
    std::string m_path;
};

} // namespace quillmere

#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quillmere {

// The platform's profile (INI) service over files named by full path. Section
// and entry names match without regard to case. A refused write or erase
// throws ProgramError("Unable to write to <path>"); a section of a file that
// exists but cannot be read (another program holds it) throws
// ProgramError("Unable to read <path>"), so that nobody takes it for empty.
class IniStore {
public:
    virtual ~IniStore() = default;

    // The entry's value (at most 2047 characters), or fallback when the file,
    // the section or the entry is missing.
    virtual std::string ReadValue(const std::string& path, std::string_view section,
                                  std::string_view name, std::string_view fallback) = 0;
    // Replaces or adds the entry, creating the section and the file as needed.
    virtual void WriteValue(const std::string& path, std::string_view section,
                            std::string_view name, std::string_view value) = 0;
    // Removes the section with all its entries.
    virtual void EraseSection(const std::string& path, std::string_view section) = 0;
    // Replaces every line of the section with `lines` ("name=value"), in one
    // write: the file holds either the old section or the new one. Creates
    // the section and the file as needed.
    virtual void WriteSection(const std::string& path, std::string_view section,
                              const std::vector<std::string>& lines) = 0;
    // Every entry of the section as "name=value", in file order, whatever
    // their number and length; empty when the file or the section is missing.
    virtual std::vector<std::string> ReadSection(const std::string& path,
                                                 std::string_view section) = 0;
};

} // namespace quillmere

#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quillmere {

// The text form of an INI file, as the platform's profile service reads and
// writes it: "[Section]" headers, "name=value" lines, names matched without
// regard to case. Lines the program does not understand (comments, text
// before the first section) are kept as they stand.
class IniDocument {
public:
    static IniDocument Parse(std::string_view text);
    // CRLF line ends, as on Windows.
    std::string Serialize() const;

    // The value of the first entry with that name, or nullptr.
    const std::string* Find(std::string_view section, std::string_view name) const;
    // Replaces the first entry with that name or appends one at the end of the
    // section, creating the section at the end of the file when missing.
    void Set(std::string_view section, std::string_view name, std::string_view value);
    void EraseSection(std::string_view section);
    // Replaces every line of the section with `lines` ("name=value"), where
    // it stands, creating it at the end of the file when missing.
    void ReplaceSection(std::string_view section, const std::vector<std::string>& lines);
    // Every entry of the section as "name=value", in file order.
    std::vector<std::string> SectionLines(std::string_view section) const;

private:
    struct Line {
        std::string Name; // empty for a line that is not an entry
        std::string Value;
        std::string Raw;
    };
    struct Section {
        std::string Name;
        bool HasHeader = true;
        std::vector<Line> Lines;
    };

    const Section* FindSection(std::string_view name) const;
    Section* FindSection(std::string_view name);

    std::vector<Section> m_sections;
};

// Values longer than this are cut when read, as the profile service does
// with its 2048-character buffer.
inline constexpr std::size_t kIniValueLimit = 2047;

} // namespace quillmere

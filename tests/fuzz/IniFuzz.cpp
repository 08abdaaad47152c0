// libFuzzer target for the INI text layer. An input is INI text, optionally
// followed by a NUL byte and edits, one a line: "section=name=value" sets an
// entry, a lone "section" erases that section. The target parses the text,
// applies the edits, serializes, parses the result again and checks what
// IniDocument promises: the written values read back exactly, every other
// entry stays as it was, comment lines are kept and a second round trip
// changes nothing.
#include "platform/sim/IniDocument.h"

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quillmere {
namespace {

constexpr std::size_t kMaxEdits = 64;

struct Edit {
    std::string Section;
    std::optional<std::pair<std::string, std::string>> Entry; // none: erase the section
};

void Check(bool promiseKept) {
    if (!promiseKept) {
        __builtin_trap();
    }
}

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return lower;
}

std::string_view Trim(std::string_view text, std::string_view blanks) {
    const auto first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

// Only what the program itself writes: printable ASCII without the
// characters that carry meaning in the file, and no blanks at either end.
std::string Clean(std::string_view field) {
    std::string kept;
    for (const char c : field) {
        if (c >= 0x20 && c < 0x7f && std::string_view("=[];").find(c) == std::string_view::npos) {
            kept += c;
        }
    }
    return std::string(Trim(kept, " "));
}

std::vector<std::string_view> Split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    for (;;) {
        const auto at = text.find(separator);
        parts.push_back(text.substr(0, at));
        if (at == std::string_view::npos) {
            return parts;
        }
        text.remove_prefix(at + 1);
    }
}

std::vector<Edit> ParseEdits(std::string_view script) {
    std::vector<Edit> edits;
    for (const std::string_view line : Split(script, '\n')) {
        const std::vector<std::string_view> fields = Split(line, '=');
        Edit edit{Clean(fields[0]), std::nullopt};
        if (fields.size() >= 2) {
            edit.Entry.emplace(Clean(fields[1]), fields.size() >= 3 ? Clean(fields[2]) : "");
        }
        // The program never writes an unnamed section or entry.
        if (edit.Section.empty() || (edit.Entry && edit.Entry->first.empty())) {
            continue;
        }
        edits.push_back(std::move(edit));
        if (edits.size() == kMaxEdits) {
            break;
        }
    }
    return edits;
}

// The file's lines as the parser splits them, without their line ends.
std::vector<std::string_view> Lines(std::string_view text) {
    std::vector<std::string_view> lines;
    for (std::string_view line : Split(text, '\n')) {
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        lines.push_back(line);
    }
    if (!lines.empty() && lines.back().empty()) {
        lines.pop_back();
    }
    return lines;
}

std::vector<std::string_view> CommentLines(std::string_view text) {
    std::vector<std::string_view> comments;
    for (const std::string_view line : Lines(text)) {
        if (Trim(line, " \t\r").starts_with(';')) {
            comments.push_back(line);
        }
    }
    return comments;
}

// Names of the sections the text appears to have; the checks below hold for
// any name, these only make sure the text's own sections are among them.
std::vector<std::string> HeaderNames(std::string_view text) {
    std::vector<std::string> names;
    for (const std::string_view line : Lines(text)) {
        const std::string_view trimmed = Trim(line, " \t\r");
        if (trimmed.size() >= 2 && trimmed.front() == '[' &&
            trimmed.find(']') != std::string_view::npos) {
            names.emplace_back(Trim(trimmed.substr(1, trimmed.find(']') - 1), " \t\r"));
        }
    }
    return names;
}

bool IsSubsequence(const std::vector<std::string_view>& part,
                   const std::vector<std::string_view>& whole) {
    auto at = whole.begin();
    for (const std::string_view line : part) {
        at = std::find(at, whole.end(), line);
        if (at == whole.end()) {
            return false;
        }
        ++at;
    }
    return true;
}

// A section's entries as name and value, in file order.
using Entries = std::vector<std::pair<std::string, std::string>>;

Entries EntriesOf(const IniDocument& document, std::string_view section) {
    Entries entries;
    for (const std::string& line : document.SectionLines(section)) {
        const auto equals = line.find('=');
        entries.emplace_back(line.substr(0, equals), line.substr(equals + 1));
    }
    return entries;
}

void Run(std::string_view input) {
    const auto nul = input.find('\0');
    const std::string_view text = input.substr(0, nul);
    const std::vector<Edit> edits =
        nul == std::string_view::npos ? std::vector<Edit>{} : ParseEdits(input.substr(nul + 1));

    const IniDocument original = IniDocument::Parse(text);
    IniDocument edited = IniDocument::Parse(text);
    // Each section's entries as the edits should leave them, by lower-case
    // name: a set replaces the first entry of that name or appends one, an
    // erase empties the section.
    std::map<std::string, Entries> expected;
    std::vector<std::string> sections = HeaderNames(text);
    for (const std::string& section : sections) {
        expected.emplace(Lower(section), EntriesOf(original, section));
    }
    bool erased = false;
    for (const Edit& edit : edits) {
        Entries& entries =
            expected.try_emplace(Lower(edit.Section), EntriesOf(original, edit.Section))
                .first->second;
        sections.push_back(edit.Section);
        if (!edit.Entry) {
            edited.EraseSection(edit.Section);
            entries.clear();
            erased = true;
            continue;
        }
        const std::string& name = edit.Entry->first;
        const std::string& value = edit.Entry->second;
        edited.Set(edit.Section, name, value);
        const auto same = std::ranges::find_if(
            entries, [&](const auto& entry) { return Lower(entry.first) == Lower(name); });
        if (same != entries.end()) {
            same->second = value;
        } else {
            entries.emplace_back(name, value);
        }
    }

    const std::string serialized = edited.Serialize();
    const IniDocument reparsed = IniDocument::Parse(serialized);
    for (const std::string& section : sections) {
        const Entries& entries = expected.at(Lower(section));
        Check(EntriesOf(reparsed, section) == entries);
        std::vector<std::string> seen; // a name's first entry is the one found
        for (const auto& [name, value] : entries) {
            if (std::ranges::find(seen, Lower(name)) != seen.end()) {
                continue;
            }
            seen.push_back(Lower(name));
            const std::string* found = reparsed.Find(section, name);
            Check(found != nullptr && *found == value);
        }
    }
    const std::vector<std::string_view> before = CommentLines(text);
    const std::vector<std::string_view> after = CommentLines(serialized);
    Check(erased ? IsSubsequence(after, before) : after == before);
    Check(reparsed.Serialize() == serialized);
}

} // namespace
} // namespace quillmere

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    quillmere::Run(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}

#include "platform/sim/IniDocument.h"

#include <algorithm>
#include <cctype>

namespace quillmere {

namespace {

std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

bool SameName(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

} // namespace

IniDocument IniDocument::Parse(std::string_view text) {
    IniDocument document;
    Section* current = nullptr;
    while (!text.empty()) {
        const auto end = text.find('\n');
        std::string_view raw = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        if (!raw.empty() && raw.back() == '\r') {
            raw.remove_suffix(1);
        }

        const std::string_view trimmed = Trim(raw);
        if (trimmed.size() >= 2 && trimmed.front() == '[' &&
            trimmed.find(']') != std::string::npos) {
            const std::string_view name = Trim(trimmed.substr(1, trimmed.find(']') - 1));
            current = &document.m_sections.emplace_back(Section{std::string(name), true, {}});
            continue;
        }
        if (current == nullptr) {
            current = &document.m_sections.emplace_back(Section{{}, false, {}});
        }
        const auto equals = trimmed.find('=');
        if (equals == std::string_view::npos || trimmed.front() == ';' || !current->HasHeader) {
            current->Lines.push_back({{}, {}, std::string(raw)});
            continue;
        }
        current->Lines.push_back({std::string(Trim(trimmed.substr(0, equals))),
                                  std::string(Trim(trimmed.substr(equals + 1))), std::string(raw)});
    }
    return document;
}

std::string IniDocument::Serialize() const {
    std::string text;
    for (const Section& section : m_sections) {
        if (section.HasHeader) {
            text += "[" + section.Name + "]\r\n";
        }
        for (const Line& line : section.Lines) {
            text += (line.Name.empty() ? line.Raw : line.Name + "=" + line.Value) + "\r\n";
        }
    }
    return text;
}

const std::string* IniDocument::Find(std::string_view section, std::string_view name) const {
    const Section* found = FindSection(section);
    if (found == nullptr) {
        return nullptr;
    }
    for (const Line& line : found->Lines) {
        if (!line.Name.empty() && SameName(line.Name, name)) {
            return &line.Value;
        }
    }
    return nullptr;
}

void IniDocument::Set(std::string_view section, std::string_view name, std::string_view value) {
    Section* found = FindSection(section);
    if (found == nullptr) {
        found = &m_sections.emplace_back(Section{std::string(section), true, {}});
    }
    for (Line& line : found->Lines) {
        if (!line.Name.empty() && SameName(line.Name, name)) {
            line.Value = value;
            return;
        }
    }
    found->Lines.push_back({std::string(name), std::string(value), {}});
}

void IniDocument::ReplaceSection(std::string_view section, const std::vector<std::string>& lines) {
    Section* found = FindSection(section);
    if (found == nullptr) {
        found = &m_sections.emplace_back(Section{std::string(section), true, {}});
    }
    found->Lines.clear();
    for (const std::string& line : lines) {
        const auto equals = line.find('=');
        if (equals == std::string::npos) {
            found->Lines.push_back({{}, {}, line});
        } else {
            found->Lines.push_back({line.substr(0, equals), line.substr(equals + 1), {}});
        }
    }
}

void IniDocument::EraseSection(std::string_view section) {
    std::erase_if(m_sections,
                  [&](const Section& s) { return s.HasHeader && SameName(s.Name, section); });
}

std::vector<std::string> IniDocument::SectionLines(std::string_view section) const {
    std::vector<std::string> lines;
    if (const Section* found = FindSection(section)) {
        for (const Line& line : found->Lines) {
            if (!line.Name.empty()) {
                lines.push_back(line.Name + "=" + line.Value);
            }
        }
    }
    return lines;
}

const IniDocument::Section* IniDocument::FindSection(std::string_view name) const {
    const auto it = std::ranges::find_if(
        m_sections, [&](const Section& s) { return s.HasHeader && SameName(s.Name, name); });
    return it != m_sections.end() ? &*it : nullptr;
}

IniDocument::Section* IniDocument::FindSection(std::string_view name) {
    const auto it = std::ranges::find_if(
        m_sections, [&](const Section& s) { return s.HasHeader && SameName(s.Name, name); });
    return it != m_sections.end() ? &*it : nullptr;
}

} // namespace quillmere

#include "platform/sim/MemoryIniStore.h"

#include "common/ProgramError.h"

namespace quillmere::sim {

std::string MemoryIniStore::ReadValue(const std::string& path, std::string_view section,
                                      std::string_view name, std::string_view fallback) {
    ++m_reads;
    const auto file = m_files.find(path);
    const std::string* value = file != m_files.end() ? file->second.Find(section, name) : nullptr;
    return std::string(value != nullptr ? *value : fallback).substr(0, kIniValueLimit);
}

void MemoryIniStore::WriteValue(const std::string& path, std::string_view section,
                                std::string_view name, std::string_view value) {
    CheckWritable(path);
    ++m_writes;
    m_files[path].Set(section, name, value);
}

void MemoryIniStore::EraseSection(const std::string& path, std::string_view section) {
    CheckWritable(path);
    ++m_writes;
    m_files[path].EraseSection(section);
}

void MemoryIniStore::WriteSection(const std::string& path, std::string_view section,
                                  const std::vector<std::string>& lines) {
    CheckWritable(path);
    ++m_writes;
    m_files[path].ReplaceSection(section, lines);
}

std::vector<std::string> MemoryIniStore::ReadSection(const std::string& path,
                                                     std::string_view section) {
    ++m_reads;
    if (m_unreadable.count(path) != 0) {
        throw ProgramError("Unable to read " + path);
    }
    const auto file = m_files.find(path);
    return file != m_files.end() ? file->second.SectionLines(section) : std::vector<std::string>{};
}

void MemoryIniStore::SetReadOnly(const std::string& path, bool readOnly) {
    if (readOnly) {
        m_readOnly.insert(path);
    } else {
        m_readOnly.erase(path);
    }
}

void MemoryIniStore::SetUnreadable(const std::string& path, bool unreadable) {
    if (unreadable) {
        m_unreadable.insert(path);
    } else {
        m_unreadable.erase(path);
    }
}

std::string MemoryIniStore::Text(const std::string& path) const {
    const auto file = m_files.find(path);
    return file != m_files.end() ? file->second.Serialize() : std::string();
}

void MemoryIniStore::SetText(const std::string& path, std::string_view text) {
    m_files[path] = IniDocument::Parse(text);
}

void MemoryIniStore::CheckWritable(const std::string& path) {
    if (m_writesLeft > 0) {
        --m_writesLeft;
    } else if (m_writesLeft == 0 || m_readOnly.count(path) != 0) {
        throw ProgramError("Unable to write to " + path);
    }
}

} // namespace quillmere::sim

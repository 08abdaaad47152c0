#pragma once

#include "platform/sim/IniDocument.h"
#include "settings/IniStore.h"

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace quillmere::sim {

// An in-memory profile store for the tests: files are kept as ordered
// sections of ordered entries, names matched without regard to case as the
// platform's profile service does. Writes to a path marked read-only are
// refused, and sections of a path marked unreadable are not read, with the same
// errors the real stores raise.
class MemoryIniStore final : public IniStore {
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

    void SetReadOnly(const std::string& path, bool readOnly);
    // Accepts `writes` more write operations on any path, then refuses every
    // one, as a disk that fills up would; -1 accepts them all again.
    void RefuseWritesAfter(int writes) { m_writesLeft = writes; }
    // As a file another program holds open without sharing: its sections
    // cannot be read.
    void SetUnreadable(const std::string& path, bool unreadable);
    bool FileExists(const std::string& path) const { return m_files.count(path) != 0; }
    // The file's content in its text form, as the portable store would write it.
    std::string Text(const std::string& path) const;
    // Puts a file in place as if written by hand.
    void SetText(const std::string& path, std::string_view text);
    // Every ReadValue/ReadSection call, for tests that count file reads.
    int ReadCount() const { return m_reads; }
    int WriteCount() const { return m_writes; }

private:
    void CheckWritable(const std::string& path);

    std::map<std::string, IniDocument> m_files;
    std::set<std::string> m_readOnly;
    std::set<std::string> m_unreadable;
    int m_reads = 0;
    int m_writes = 0;
    int m_writesLeft = -1;
};

} // namespace quillmere::sim

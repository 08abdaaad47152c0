#pragma once

#include "host/Discovery.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace quillmere::testing {

// A check list that only keeps its entries and counts the calls made to it,
// and refuses what a real list box would not do (an entry that is not there)
// by throwing std::logic_error. The unit tests and the first-scan probe share it.
class RecordingCheckList final : public CheckList {
public:
    struct Entry {
        std::string Text;
        bool Checked = false;
    };

    void Append(const std::string& text) override {
        Insert(static_cast<int>(m_entries.size()), text);
    }
    void Insert(int index, const std::string& text) override {
        if (index < 0 || index > static_cast<int>(m_entries.size())) {
            throw std::logic_error("Insert past the end of the check list");
        }
        ++m_calls;
        m_entries.insert(m_entries.begin() + index, {text, false});
    }
    void Remove(int index) override {
        At(index);
        ++m_calls;
        ++m_removals;
        m_entries.erase(m_entries.begin() + index);
    }
    void SetText(int index, const std::string& text) override {
        ++m_calls;
        At(index).Text = text;
    }
    void SetChecked(int index, bool checked) override {
        ++m_calls;
        At(index).Checked = checked;
    }

    const std::vector<Entry>& Entries() const { return m_entries; }
    // Every call that changed an entry, since the list was made.
    int Calls() const { return m_calls; }
    int Removals() const { return m_removals; }

private:
    Entry& At(int index) { return m_entries.at(static_cast<std::size_t>(index)); }

    std::vector<Entry> m_entries;
    int m_calls = 0;
    int m_removals = 0;
};

} // namespace quillmere::testing

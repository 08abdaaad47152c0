#pragma once

#include "app/CheckList.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace quillmere::testing {

// A check list that only keeps its entries, and refuses what a real list box
// would not do (removing from an empty list, marking a missing entry).
class RecordingCheckList final : public CheckList {
public:
    struct Entry {
        std::string Text;
        bool Checked = false;
    };

    void Append(const std::string& text) override { m_entries.push_back({text, false}); }
    void RemoveFirst() override {
        if (m_entries.empty()) {
            throw std::logic_error("RemoveFirst on an empty check list");
        }
        m_entries.erase(m_entries.begin());
    }
    void SetChecked(int index, bool checked) override {
        m_entries.at(static_cast<std::size_t>(index)).Checked = checked;
    }

    const std::vector<Entry>& Entries() const { return m_entries; }

private:
    std::vector<Entry> m_entries;
};

} // namespace quillmere::testing

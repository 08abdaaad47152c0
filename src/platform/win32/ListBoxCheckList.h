#pragma once

#include "host/CheckList.h"

#include <windows.h>

#include <string>
#include <vector>

namespace quillmere::win32 {

// The palette check list over a plain list box: each entry shows its text
// behind a "[x] " or "[ ] " mark. Entries enter unchecked.
class ListBoxCheckList final : public CheckList {
public:
    explicit ListBoxCheckList(HWND listBox) : m_listBox(listBox) {}

    void Append(const std::string& text) override;
    void RemoveFirst() override;
    void SetChecked(int index, bool checked) override;

    int Count() const { return static_cast<int>(m_entries.size()); }
    bool IsChecked(int index) const;
    const std::string& Text(int index) const;

    // What the list box shows for an entry.
    static std::string ShownText(const std::string& text, bool checked);

private:
    struct Entry {
        std::string Text;
        bool Checked = false;
    };

    HWND m_listBox;
    std::vector<Entry> m_entries;
};

} // namespace quillmere::win32

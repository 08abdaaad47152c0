#include "platform/win32/ListBoxCheckList.h"

namespace quillmere::win32 {

std::string ListBoxCheckList::ShownText(const std::string& text, bool checked) {
    return (checked ? "[x] " : "[ ] ") + text;
}

void ListBoxCheckList::Append(const std::string& text) {
    m_entries.push_back(Entry{text, false});
    const std::string shown = ShownText(text, false);
    ::SendMessageA(m_listBox, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(shown.c_str()));
}

void ListBoxCheckList::RemoveFirst() {
    if (m_entries.empty()) {
        return;
    }
    m_entries.erase(m_entries.begin());
    ::SendMessageA(m_listBox, LB_DELETESTRING, 0, 0);
}

void ListBoxCheckList::SetChecked(int index, bool checked) {
    if (index < 0 || index >= Count()) {
        return;
    }
    Entry& entry = m_entries[static_cast<std::size_t>(index)];
    if (entry.Checked == checked) {
        return;
    }
    entry.Checked = checked;
    // A list box cannot change an item's text in place: swap the item.
    const std::string shown = ShownText(entry.Text, checked);
    ::SendMessageA(m_listBox, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
    ::SendMessageA(m_listBox, LB_INSERTSTRING, static_cast<WPARAM>(index),
                   reinterpret_cast<LPARAM>(shown.c_str()));
}

bool ListBoxCheckList::IsChecked(int index) const {
    return m_entries.at(static_cast<std::size_t>(index)).Checked;
}

const std::string& ListBoxCheckList::Text(int index) const {
    return m_entries.at(static_cast<std::size_t>(index)).Text;
}

} // namespace quillmere::win32

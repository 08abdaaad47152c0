#include "app/FlatControls.h"

#include <utility>

namespace quillmere {

namespace {

void Notify(const std::function<void()>& callback) {
    if (callback) {
        callback();
    }
}

} // namespace

void LabelModel::SetCaption(std::string caption) {
    m_caption = std::move(caption);
    Notify(OnChanged);
}

void ButtonModel::SetCaption(std::string caption) {
    m_caption = std::move(caption);
    Notify(OnChanged);
}

void FlatModel::Click() {
    if (ApplyClick()) {
        Notify(OnClick);
    }
}

void FlatCheckBox::SetChecked(bool checked) {
    if (checked != m_checked) {
        Click();
    }
}

bool FlatCheckBox::ApplyClick() {
    m_checked = !m_checked;
    Notify(OnChanged);
    return true;
}

void FlatCheckBox::Restore(bool checked) {
    if (checked == m_checked) {
        return;
    }
    m_checked = checked;
    Notify(OnChanged);
}

FlatRadioButton::FlatRadioButton(RadioGroup& group, std::string caption, bool checked)
    : m_group(&group), m_caption(std::move(caption)), m_checked(false) {
    m_group->m_buttons.push_back(this);
    if (checked) {
        for (FlatRadioButton* other : m_group->m_buttons) {
            other->m_checked = false;
        }
        m_checked = true;
    }
}

void FlatRadioButton::SetChecked(bool checked) {
    if (checked) {
        Click();
    } else if (m_checked) {
        ChangeState(false);
    }
}

bool FlatRadioButton::ApplyClick() {
    if (m_checked) {
        return false;
    }
    for (FlatRadioButton* other : m_group->m_buttons) {
        if (other != this && other->m_checked) {
            other->ChangeState(false);
        }
    }
    ChangeState(true);
    return true;
}

void FlatRadioButton::ChangeState(bool checked) {
    m_checked = checked;
    Notify(OnChanged);
}

void CheckListModel::Append(const std::string& text) {
    Insert(Count(), text);
}

void CheckListModel::Insert(int index, const std::string& text) {
    if (index < 0 || index > Count()) {
        return;
    }
    m_entries.insert(m_entries.begin() + index, {text, false});
    Changed(Change::Inserted, index);
}

void CheckListModel::Remove(int index) {
    if (!Contains(index)) {
        return;
    }
    m_entries.erase(m_entries.begin() + index);
    Changed(Change::Removed, index);
}

void CheckListModel::SetText(int index, const std::string& text) {
    if (!Contains(index) || m_entries[static_cast<std::size_t>(index)].Text == text) {
        return;
    }
    m_entries[static_cast<std::size_t>(index)].Text = text;
    Changed(Change::TextChanged, index);
}

void CheckListModel::SetChecked(int index, bool checked) {
    if (!Contains(index) || m_entries[static_cast<std::size_t>(index)].Checked == checked) {
        return;
    }
    m_entries[static_cast<std::size_t>(index)].Checked = checked;
    Changed(Change::CheckChanged, index);
}

void CheckListModel::UserToggle(int index) {
    if (!Contains(index)) {
        return;
    }
    Entry& entry = m_entries[static_cast<std::size_t>(index)];
    entry.Checked = !entry.Checked;
    Changed(Change::CheckChanged, index);
    if (OnClickCheck) {
        OnClickCheck(index);
    }
}

void CheckListModel::Changed(Change change, int index) {
    if (OnChanged) {
        OnChanged(change, index);
    }
}

void TimerModel::SetEnabled(bool enabled) {
    if (enabled == m_enabled) {
        return;
    }
    m_enabled = enabled;
    Notify(OnChanged);
}

void TimerModel::Fire() {
    if (m_enabled) {
        Notify(OnTimer);
    }
}

} // namespace quillmere

#pragma once

#include "host/Discovery.h"

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace quillmere {

// Portable models of the main window's flat controls. They hold the state the
// window shows and run the form's handlers by the flat controls' rule: a
// state set by the program runs the click handler just as a user's click does,
// but only when the state really changes. The window that draws a model
// watches OnChanged to redraw it (or to start and stop a timer).

class LabelModel {
public:
    explicit LabelModel(std::string caption = {}) : m_caption(std::move(caption)) {}

    const std::string& Caption() const { return m_caption; }
    void SetCaption(std::string caption);

    std::function<void()> OnChanged;

private:
    std::string m_caption;
};

// What every flat control shows and does: a caption, a state that OnChanged
// announces, and the user's click. The control draws from it; the face it
// draws is chosen once, from the model's type, when the control is made.
class FlatModel {
public:
    virtual ~FlatModel() = default;

    virtual const std::string& Caption() const = 0;
    // A push button is never checked.
    virtual bool Checked() const = 0;
    // Where the arrow keys' group of controls starts (WS_GROUP): every
    // control but the radio buttons after the first of their group.
    virtual bool StartsGroup() const { return true; }
    // The state the user's click gives (announced by OnChanged), and whether
    // OnClick is to run for it: a click on the checked radio button runs nothing.
    virtual bool ApplyClick() = 0;

    // The user's click: ApplyClick, then OnClick when it asks for it.
    void Click();

    std::function<void()> OnChanged;
    // The form's click handler.
    std::function<void()> OnClick;
};

class ButtonModel final : public FlatModel {
public:
    explicit ButtonModel(std::string caption = {}) : m_caption(std::move(caption)) {}

    const std::string& Caption() const override { return m_caption; }
    bool Checked() const override { return false; }
    void SetCaption(std::string caption);
    bool ApplyClick() override { return true; }

private:
    std::string m_caption;
};

class FlatCheckBox final : public FlatModel {
public:
    explicit FlatCheckBox(std::string caption = {}, bool checked = false)
        : m_caption(std::move(caption)), m_checked(checked) {}

    const std::string& Caption() const override { return m_caption; }
    bool Checked() const override { return m_checked; }
    // Runs OnClick, with the new state already in place, exactly when the
    // state changes; setting the state the box already has runs nothing.
    void SetChecked(bool checked);
    // The user's click toggles the state.
    bool ApplyClick() override;
    // Puts back a state that a handler refused, without running OnClick.
    void Restore(bool checked);

private:
    std::string m_caption;
    bool m_checked;
};

class FlatRadioButton;

// Radio buttons of one group: at most one is checked. The buttons register
// themselves and must outlive the group's use; neither can be copied.
class RadioGroup {
public:
    RadioGroup() = default;
    RadioGroup(const RadioGroup&) = delete;
    RadioGroup& operator=(const RadioGroup&) = delete;

private:
    friend class FlatRadioButton;
    std::vector<FlatRadioButton*> m_buttons;
};

class FlatRadioButton final : public FlatModel {
public:
    FlatRadioButton(RadioGroup& group, std::string caption, bool checked = false);
    FlatRadioButton(const FlatRadioButton&) = delete;
    FlatRadioButton& operator=(const FlatRadioButton&) = delete;

    const std::string& Caption() const override { return m_caption; }
    bool Checked() const override { return m_checked; }
    // The group's first button starts it.
    bool StartsGroup() const override { return m_group->m_buttons.front() == this; }
    // Checking a button that was unchecked unchecks the rest of its group
    // (their handlers do not run), then runs its own OnClick. Checking the
    // checked button, or unchecking any, runs nothing.
    void SetChecked(bool checked);
    // The user's click checks the button.
    bool ApplyClick() override;

private:
    void ChangeState(bool checked);

    RadioGroup* m_group;
    std::string m_caption;
    bool m_checked;
};

// The palette check list. Entry i (from 0) stands for table row i + 1. Check
// marks set by the program never run OnClickCheck; only the user's own
// toggle of an entry does. OnChanged names the one entry that changed, so that
// the window redraws that entry only.
class CheckListModel final : public CheckList {
public:
    struct Entry {
        std::string Text;
        bool Checked = false;
        bool operator==(const Entry&) const = default;
    };
    enum class Change { Inserted, Removed, TextChanged, CheckChanged };

    void Append(const std::string& text) override;
    // Each is ignored for an index outside the list (Insert: past its end),
    // and SetText and SetChecked when the entry already shows that.
    void Insert(int index, const std::string& text) override;
    void Remove(int index) override;
    void SetText(int index, const std::string& text) override;
    void SetChecked(int index, bool checked) override;

    std::int32_t Count() const { return static_cast<std::int32_t>(m_entries.size()); }
    const Entry& At(int index) const { return m_entries.at(static_cast<std::size_t>(index)); }
    const std::vector<Entry>& Entries() const { return m_entries; }

    // The user clicked entry index's check mark: it flips, then OnClickCheck
    // runs with that index.
    void UserToggle(int index);

    std::function<void(int index)> OnClickCheck;
    // index: the entry inserted, changed or removed (its place before removal).
    std::function<void(Change change, int index)> OnChanged;

private:
    bool Contains(int index) const { return index >= 0 && index < Count(); }
    void Changed(Change change, int index);

    std::vector<Entry> m_entries;
};

class TimerModel {
public:
    TimerModel(std::uint32_t intervalMs, bool enabled)
        : m_intervalMs(intervalMs), m_enabled(enabled) {}

    std::uint32_t Interval() const { return m_intervalMs; }
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool enabled);
    // One elapsed interval; runs OnTimer only while the timer is enabled.
    void Fire();

    std::function<void()> OnTimer;
    std::function<void()> OnChanged;

private:
    std::uint32_t m_intervalMs;
    bool m_enabled;
};

} // namespace quillmere

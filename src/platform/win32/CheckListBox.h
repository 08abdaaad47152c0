#pragma once

#include "app/EventFunnel.h"
#include "app/FlatControls.h"
#include "platform/win32/DpiScale.h"

#include <windows.h>

namespace quillmere::win32 {

// The palette check list as a control of its own: an owner-drawn list box
// (LBS_OWNERDRAWFIXED | LBS_HASSTRINGS) in the flat look that shows its model,
// measures its entries and draws each one itself, a flat check square at its
// left and its text after it, with a flat 1-pixel frame. An entry's item data
// is 1 while it is checked, so other programs can read the marks. A left
// click on an entry's check square (the first item-height pixels of the
// entry), or the space bar on the focused entry, runs the model's UserToggle
// through the funnel. The model and the funnel must outlive the control; the
// list box goes with its parent.
class CheckListBox {
public:
    CheckListBox() = default;
    CheckListBox(const CheckListBox&) = delete;
    CheckListBox& operator=(const CheckListBox&) = delete;

    // Bounds in the parent's client pixels. False when the window system refuses.
    bool Create(HWND parent, CheckListModel& model, const RECT& bounds, HFONT font,
                const DpiScale& scale, EventFunnel& funnel);
    HWND Handle() const { return m_window; }
    // The user toggled entry index (from 0).
    void UserToggle(int index);
    // The list box is gone: the model no longer has a view.
    void ListBoxDestroyed();
    // Shows at once every entry inserted, removed or renamed since redrawing was held.
    void ReleaseRedraw();

    // An entry message (LB_INSERTSTRING, LB_GETTEXT...) handed straight to the
    // list box's own window procedure. The subclasses on the list box (this
    // control's and its hint's) handle none of these, and under Wine each
    // subclass a message passes costs a round trip to the wine server (a
    // window property read, some 35 us, more under load): re-ordering 100
    // entries through them cost a re-scan about 70 ms.
    LRESULT EntryMessage(UINT message, WPARAM wParam, LPARAM lParam) const;

private:
    void HoldRedraw();
    void InsertEntry(int index) const;

    HWND m_window = nullptr;
    // The list box's procedure as created, before any subclass.
    WNDPROC m_listBoxProcedure = nullptr;
    bool m_redrawHeld = false;
    CheckListModel* m_model = nullptr;
    EventFunnel* m_funnel = nullptr;
};

// Owner-drawn controls draw themselves: the parent sends this message back to
// the control named by hwndItem, with the DRAWITEMSTRUCT as lParam.
inline constexpr UINT kDrawItemReflected = WM_APP + 0x100;
// For a parent's WM_DRAWITEM: hands it to its control.
LRESULT ReflectDrawItem(LPARAM drawItem);

} // namespace quillmere::win32

#include "platform/win32/CheckListBox.h"

#include "platform/win32/ControlViews.h"
#include "platform/win32/FlatPaint.h"

#include <commctrl.h>

#include <string>

namespace quillmere::win32 {

namespace {

// An entry's height at 96 DPI.
constexpr int kItemHeight = 16;

constexpr UINT_PTR kCheckListSubclassId = 1;

// Posted to the list box by the first entry change of an event that holds its
// redrawing; it arrives once that event has made all its changes.
constexpr UINT kRedrawReleased = WM_APP + 0x101;

// The check column is as wide as an entry is tall; the square sits in it.
int EntryHeight(HWND listBox) {
    return static_cast<int>(::SendMessageA(listBox, LB_GETITEMHEIGHT, 0, 0));
}

void PaintFlatFrame(HWND listBox) {
    if ((::GetWindowLongPtrA(listBox, GWL_STYLE) & WS_BORDER) == 0) {
        return;
    }
    RECT frame{};
    ::GetWindowRect(listBox, &frame);
    ::OffsetRect(&frame, -frame.left, -frame.top);
    const HDC dc = ::GetWindowDC(listBox);
    if (dc != nullptr) {
        FrameSolid(dc, frame, kFlatFrame);
        ::ReleaseDC(listBox, dc);
    }
}

void DrawEntry(const CheckListBox& self, const DRAWITEMSTRUCT& item);

// The list box's subclass; `data` is its CheckListBox.
LRESULT CALLBACK CheckListProcedure(HWND listBox, UINT message, WPARAM wParam, LPARAM lParam,
                                    UINT_PTR, DWORD_PTR data) {
    auto& self = *reinterpret_cast<CheckListBox*>(data);
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        // Selection and focus first, as for any click; then the toggle, when
        // the click landed in an entry's check column.
        const LRESULT result = ::DefSubclassProc(listBox, message, wParam, lParam);
        const LRESULT hit = ::SendMessageA(listBox, LB_ITEMFROMPOINT, 0, lParam);
        const int x = static_cast<short>(LOWORD(lParam));
        if (HIWORD(hit) == 0 && x < EntryHeight(listBox)) {
            self.UserToggle(static_cast<int>(LOWORD(hit)));
        }
        return result;
    }
    case WM_CHAR:
        if (wParam == ' ') {
            const LRESULT caret = ::SendMessageA(listBox, LB_GETCARETINDEX, 0, 0);
            if (caret != LB_ERR && caret < ::SendMessageA(listBox, LB_GETCOUNT, 0, 0)) {
                self.UserToggle(static_cast<int>(caret));
            }
            return 0;
        }
        break;
    case WM_NCPAINT: {
        const LRESULT result = ::DefSubclassProc(listBox, message, wParam, lParam);
        PaintFlatFrame(listBox);
        return result;
    }
    case kRedrawReleased:
        self.ReleaseRedraw();
        return 0;
    case kDrawItemReflected:
        // Drawing copies the entry's text: should there be no memory for it,
        // the entry is left as it is rather than the error unwinding through
        // user32. (The toggles run inside the funnel, which lets nothing out.)
        try {
            DrawEntry(self, *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        } catch (...) {
        }
        return TRUE;
    case WM_NCDESTROY:
        self.ListBoxDestroyed();
        ::RemoveWindowSubclass(listBox, &CheckListProcedure, kCheckListSubclassId);
        break;
    default:
        break;
    }
    return ::DefSubclassProc(listBox, message, wParam, lParam);
}

} // namespace

namespace {

void DrawEntry(const CheckListBox& self, const DRAWITEMSTRUCT& item) {
    const HDC dc = item.hDC;
    const RECT& area = item.rcItem;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    FillSolid(dc, area,
              selected ? Blend(kFlatAccent, RGB(255, 255, 255), 55) : ::GetSysColor(COLOR_WINDOW));
    if (item.itemID == static_cast<UINT>(-1)) {
        // An empty list that has the focus: only the focus frame.
        if ((item.itemState & ODS_FOCUS) != 0) {
            ::DrawFocusRect(dc, &area);
        }
        return;
    }

    // The square is 13 of the entry's 16 design pixels, centred in the column.
    const int height = area.bottom - area.top;
    const int size = ::MulDiv(height, 13, kItemHeight);
    const int inset = (height - size) / 2;
    const RECT box{area.left + inset + 1, area.top + inset, area.left + inset + 1 + size,
                   area.top + inset + size};
    DrawCheckSquare(dc, box, item.itemData != 0, RGB(255, 255, 255));

    const LRESULT length = self.EntryMessage(LB_GETTEXTLEN, item.itemID, 0);
    std::string text(length > 0 ? static_cast<std::size_t>(length) : 0, '\0');
    self.EntryMessage(LB_GETTEXT, item.itemID, reinterpret_cast<LPARAM>(text.data()));
    RECT textArea = area;
    textArea.left += height + inset;
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
    ::DrawTextA(dc, text.c_str(), -1, &textArea,
                DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    if ((item.itemState & ODS_FOCUS) != 0) {
        ::DrawFocusRect(dc, &area);
    }
}

} // namespace

bool CheckListBox::Create(HWND parent, CheckListModel& model, const RECT& bounds, HFONT font,
                          const DpiScale& scale, EventFunnel& funnel) {
    m_model = &model;
    m_funnel = &funnel;
    m_window = CreateChild(parent, "LISTBOX", "",
                           WS_BORDER | WS_VSCROLL | WS_TABSTOP | WS_GROUP | LBS_NOINTEGRALHEIGHT |
                               LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS,
                           0, bounds);
    if (m_window == nullptr) {
        return false;
    }
    m_listBoxProcedure = reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(m_window, GWLP_WNDPROC));
    ::SendMessageA(m_window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    // Measured here rather than in the parent's WM_MEASUREITEM.
    ::SendMessageA(m_window, LB_SETITEMHEIGHT, 0, scale(kItemHeight));
    ::SetWindowSubclass(m_window, &CheckListProcedure, kCheckListSubclassId,
                        reinterpret_cast<DWORD_PTR>(this));
    // One entry's change is one or two messages to the list box, whatever the
    // number of entries; the list box keeps its own selection and caret.
    model.OnChanged = [this, &model](CheckListModel::Change change, int index) {
        const auto at = static_cast<WPARAM>(index);
        if (change != CheckListModel::Change::CheckChanged) {
            HoldRedraw();
        }
        switch (change) {
        case CheckListModel::Change::TextChanged: {
            // A list box has no message to change an entry's text.
            const bool selected = EntryMessage(LB_GETCURSEL, 0, 0) == index;
            EntryMessage(LB_DELETESTRING, at, 0);
            InsertEntry(index);
            if (selected) {
                EntryMessage(LB_SETCURSEL, at, 0);
            }
            break;
        }
        case CheckListModel::Change::Inserted:
            InsertEntry(index);
            break;
        case CheckListModel::Change::Removed:
            EntryMessage(LB_DELETESTRING, at, 0);
            break;
        case CheckListModel::Change::CheckChanged: {
            EntryMessage(LB_SETITEMDATA, at, model.At(index).Checked ? 1 : 0);
            RECT entry{};
            if (EntryMessage(LB_GETITEMRECT, at, reinterpret_cast<LPARAM>(&entry)) != LB_ERR) {
                ::InvalidateRect(m_window, &entry, FALSE);
            }
            break;
        }
        }
    };
    EntryMessage(LB_RESETCONTENT, 0, 0);
    for (int i = 0; i < model.Count(); ++i) {
        InsertEntry(i);
    }
    return true;
}

// A visible list box repaints and updates its scroll bar at every entry
// inserted or removed (about 3 ms each under Wine, so a host that quits or
// starts with 100 palettes would stop the window for most of a second). The
// changes one event makes are shown together, when the posted release comes
// back through the message loop.
void CheckListBox::HoldRedraw() {
    if (m_redrawHeld || !::PostMessageA(m_window, kRedrawReleased, 0, 0)) {
        return;
    }
    ::SendMessageA(m_window, WM_SETREDRAW, FALSE, 0);
    m_redrawHeld = true;
}

void CheckListBox::ReleaseRedraw() {
    if (!m_redrawHeld) {
        return;
    }
    m_redrawHeld = false;
    ::SendMessageA(m_window, WM_SETREDRAW, TRUE, 0);
    ::RedrawWindow(m_window, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE);
}

LRESULT CheckListBox::EntryMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::CallWindowProcA(m_listBoxProcedure, m_window, message, wParam, lParam);
}

// Entry index of the model into the list box at the same place, with its mark
// as the item data.
void CheckListBox::InsertEntry(int index) const {
    const CheckListModel::Entry& entry = m_model->At(index);
    const auto at = static_cast<WPARAM>(index);
    EntryMessage(LB_INSERTSTRING, at, reinterpret_cast<LPARAM>(entry.Text.c_str()));
    EntryMessage(LB_SETITEMDATA, at, entry.Checked ? 1 : 0);
}

void CheckListBox::ListBoxDestroyed() {
    m_model->OnChanged = nullptr;
    m_window = nullptr;
}

void CheckListBox::UserToggle(int index) {
    CheckListModel& model = *m_model;
    m_funnel->Run([&model, index] { model.UserToggle(index); });
}

LRESULT ReflectDrawItem(LPARAM drawItem) {
    const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(drawItem);
    return ::SendMessageA(item->hwndItem, kDrawItemReflected, 0, drawItem);
}

} // namespace quillmere::win32

#include "platform/win32/ControlViews.h"

namespace quillmere::win32 {

HWND CreateChild(HWND parent, const char* className, const std::string& text, DWORD style, int id,
                 const RECT& bounds) {
    HWND control = ::CreateWindowExA(
        0, className, text.c_str(), WS_CHILD | WS_VISIBLE | style, bounds.left, bounds.top,
        bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
        reinterpret_cast<HINSTANCE>(::GetWindowLongPtrA(parent, GWLP_HINSTANCE)), nullptr);
    ::SendMessageA(control, WM_SETFONT,
                   reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return control;
}

void BindCheckBox(FlatCheckBox& model, HWND control) {
    model.OnChanged = [&model, control] {
        ::SendMessageA(control, BM_SETCHECK, model.Checked() ? BST_CHECKED : BST_UNCHECKED, 0);
    };
    model.OnChanged();
}

void BindRadioButton(FlatRadioButton& model, HWND control) {
    model.OnChanged = [&model, control] {
        ::SendMessageA(control, BM_SETCHECK, model.Checked() ? BST_CHECKED : BST_UNCHECKED, 0);
    };
    model.OnChanged();
}

void BindLabel(LabelModel& model, HWND control) {
    model.OnChanged = [&model, control] { ::SetWindowTextA(control, model.Caption().c_str()); };
    model.OnChanged();
}

void BindButton(ButtonModel& model, HWND control) {
    model.OnChanged = [&model, control] { ::SetWindowTextA(control, model.Caption().c_str()); };
    model.OnChanged();
}

namespace {

// Client pixels: the check box square and the space it takes at an entry's left.
constexpr int kCheckBoxInset = 2;
constexpr int kCheckBoxSize = 12;
constexpr int kCheckBoxColumn = kCheckListItemHeight;

// What the subclassed list box keeps in its GWLP_USERDATA (free for the
// application's use in a list box): the class's own procedure and the toggle.
struct CheckListHook {
    WNDPROC Original;
    const std::function<void(int)>* OnToggle;
};

LRESULT CALLBACK CheckListProcedure(HWND listBox, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* hook = reinterpret_cast<CheckListHook*>(::GetWindowLongPtrA(listBox, GWLP_USERDATA));
    const WNDPROC original = hook->Original;
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        // Selection and focus first, as for any click; then the toggle, when
        // the click landed on an entry's check box.
        const LRESULT result = ::CallWindowProcA(original, listBox, message, wParam, lParam);
        const LRESULT hit = ::SendMessageA(listBox, LB_ITEMFROMPOINT, 0, lParam);
        const int x = static_cast<short>(LOWORD(lParam));
        if (HIWORD(hit) == 0 && x < kCheckBoxColumn) {
            (*hook->OnToggle)(static_cast<int>(LOWORD(hit)));
        }
        return result;
    }
    case WM_CHAR:
        if (wParam == ' ') {
            const LRESULT caret = ::SendMessageA(listBox, LB_GETCARETINDEX, 0, 0);
            if (caret != LB_ERR && caret < ::SendMessageA(listBox, LB_GETCOUNT, 0, 0)) {
                (*hook->OnToggle)(static_cast<int>(caret));
            }
            return 0;
        }
        break;
    case WM_NCDESTROY:
        ::SetWindowLongPtrA(listBox, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        ::SetWindowLongPtrA(listBox, GWLP_USERDATA, 0);
        delete hook;
        break;
    default:
        break;
    }
    return ::CallWindowProcA(original, listBox, message, wParam, lParam);
}

} // namespace

void BindCheckList(CheckListModel& model, HWND listBox,
                   const std::function<void(int index)>& onToggle) {
    auto* hook = new CheckListHook{nullptr, &onToggle};
    ::SetWindowLongPtrA(listBox, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(hook));
    hook->Original = reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(
        listBox, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CheckListProcedure)));
    model.OnChanged = [&model, listBox] {
        // A handful of entries: rebuilding the whole list is simplest and keeps
        // the list box an exact copy of the model.
        const LRESULT caret = ::SendMessageA(listBox, LB_GETCARETINDEX, 0, 0);
        const LRESULT selected = ::SendMessageA(listBox, LB_GETCURSEL, 0, 0);
        ::SendMessageA(listBox, WM_SETREDRAW, FALSE, 0);
        ::SendMessageA(listBox, LB_RESETCONTENT, 0, 0);
        for (const CheckListModel::Entry& entry : model.Entries()) {
            const LRESULT index = ::SendMessageA(listBox, LB_ADDSTRING, 0,
                                                 reinterpret_cast<LPARAM>(entry.Text.c_str()));
            ::SendMessageA(listBox, LB_SETITEMDATA, static_cast<WPARAM>(index),
                           entry.Checked ? 1 : 0);
        }
        if (selected != LB_ERR && selected < model.Count()) {
            ::SendMessageA(listBox, LB_SETCURSEL, static_cast<WPARAM>(selected), 0);
        }
        if (caret != LB_ERR && caret < model.Count()) {
            ::SendMessageA(listBox, LB_SETCARETINDEX, static_cast<WPARAM>(caret), FALSE);
        }
        ::SendMessageA(listBox, WM_SETREDRAW, TRUE, 0);
        ::InvalidateRect(listBox, nullptr, TRUE);
    };
    model.OnChanged();
}

void DrawCheckListEntry(const DRAWITEMSTRUCT& item) {
    const HDC dc = item.hDC;
    const RECT& area = item.rcItem;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    ::FillRect(dc, &area, ::GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    if (item.itemID == static_cast<UINT>(-1)) {
        // An empty list that has the focus: only the focus frame.
        if ((item.itemState & ODS_FOCUS) != 0) {
            ::DrawFocusRect(dc, &area);
        }
        return;
    }

    RECT box{area.left + kCheckBoxInset, area.top + kCheckBoxInset,
             area.left + kCheckBoxInset + kCheckBoxSize, area.top + kCheckBoxInset + kCheckBoxSize};
    const bool checked = item.itemData != 0;
    ::DrawFrameControl(dc, &box, DFC_BUTTON,
                       DFCS_BUTTONCHECK | DFCS_FLAT | (checked ? DFCS_CHECKED : 0));

    const LRESULT length = ::SendMessageA(item.hwndItem, LB_GETTEXTLEN, item.itemID, 0);
    std::string text(length > 0 ? static_cast<std::size_t>(length) : 0, '\0');
    ::SendMessageA(item.hwndItem, LB_GETTEXT, item.itemID, reinterpret_cast<LPARAM>(text.data()));
    RECT textArea = area;
    textArea.left += kCheckBoxColumn + kCheckBoxInset;
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    ::DrawTextA(dc, text.c_str(), -1, &textArea, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if ((item.itemState & ODS_FOCUS) != 0) {
        ::DrawFocusRect(dc, &area);
    }
}

void BindTimer(TimerModel& model, HWND window, UINT_PTR id) {
    model.OnChanged = [&model, window, id] {
        if (model.Enabled()) {
            ::SetTimer(window, id, model.Interval(), nullptr);
        } else {
            ::KillTimer(window, id);
        }
    };
    model.OnChanged();
}

} // namespace quillmere::win32

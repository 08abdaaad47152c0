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

std::string CheckListText(const CheckListModel::Entry& entry) {
    return (entry.Checked ? "[x] " : "[ ] ") + entry.Text;
}

void BindCheckList(CheckListModel& model, HWND listBox) {
    model.OnChanged = [&model, listBox] {
        // A handful of entries: redrawing the whole list is simplest and keeps
        // the list box an exact copy of the model.
        const LRESULT selected = ::SendMessageA(listBox, LB_GETCURSEL, 0, 0);
        ::SendMessageA(listBox, WM_SETREDRAW, FALSE, 0);
        ::SendMessageA(listBox, LB_RESETCONTENT, 0, 0);
        for (const CheckListModel::Entry& entry : model.Entries()) {
            const std::string text = CheckListText(entry);
            ::SendMessageA(listBox, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        }
        if (selected != LB_ERR && selected < model.Count()) {
            ::SendMessageA(listBox, LB_SETCURSEL, static_cast<WPARAM>(selected), 0);
        }
        ::SendMessageA(listBox, WM_SETREDRAW, TRUE, 0);
        ::InvalidateRect(listBox, nullptr, TRUE);
    };
    model.OnChanged();
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

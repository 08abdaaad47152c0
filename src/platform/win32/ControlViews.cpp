#include "platform/win32/ControlViews.h"

#include "platform/win32/FlatPaint.h"

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

void BindLabel(LabelModel& model, HWND control) {
    model.OnChanged = [&model, control] { ::SetWindowTextA(control, model.Caption().c_str()); };
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

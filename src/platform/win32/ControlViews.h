#pragma once

#include "app/FlatControls.h"
#include "platform/win32/DpiScale.h"

#include <windows.h>

#include <functional>
#include <string>

namespace quillmere::win32 {

// Binds portable models to Win32 controls that are not flat controls of our
// own: each model's OnChanged redraws its control, and the control's
// notification turns into the model's event. The models keep the state.

// A child control of `parent` at a rectangle in its client coordinates.
HWND CreateChild(HWND parent, const char* className, const std::string& text, DWORD style, int id,
                 const RECT& bounds);

void BindLabel(LabelModel& model, HWND control);

// The palette check list: an owner-drawn list box (LBS_OWNERDRAWFIXED |
// LBS_HASSTRINGS) in the flat look, each entry drawn with a flat check square
// at its left and its text after it, and a flat 1-pixel frame when it has
// WS_BORDER. An entry's item data is 1 while it is checked, so other programs
// can read the marks. A left click on an entry's check square (the first
// item-height pixels of the entry), or the space bar on the focused entry,
// calls onToggle with the entry's index (from 0); onToggle must outlive the list.
// An entry's height at 96 DPI, and in physical pixels for WM_MEASUREITEM.
inline constexpr int kCheckListItemHeight = 16;
inline int CheckListItemHeight(const DpiScale& scale) {
    return scale(kCheckListItemHeight);
}
// The list box with the styles above, a tab stop, its vertical scroll bar and
// the flat frame.
HWND CreateCheckList(HWND parent, int id, const RECT& bounds);
void BindCheckList(CheckListModel& model, HWND listBox,
                   const std::function<void(int index)>& onToggle);
// WM_DRAWITEM of the list.
void DrawCheckListEntry(const DRAWITEMSTRUCT& item);

// A window timer of `window` with the given id that runs while the model is
// enabled, at the model's interval.
void BindTimer(TimerModel& model, HWND window, UINT_PTR id);

} // namespace quillmere::win32

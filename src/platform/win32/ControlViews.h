#pragma once

#include "app/FlatControls.h"

#include <windows.h>

#include <string>

namespace quillmere::win32 {

// Binds portable models to Win32 controls that are not flat controls of our
// own: each model's OnChanged redraws its control, and the control's
// notification turns into the model's event. The models keep the state.

// A child control of `parent` at a rectangle in its client coordinates.
HWND CreateChild(HWND parent, const char* className, const std::string& text, DWORD style, int id,
                 const RECT& bounds);

void BindLabel(LabelModel& model, HWND control);

// A window timer of `window` with the given id that runs while the model is
// enabled, at the model's interval.
void BindTimer(TimerModel& model, HWND window, UINT_PTR id);

} // namespace quillmere::win32

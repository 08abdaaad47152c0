#pragma once

#include "platform/win32/DpiScale.h"
#include "platform/win32/UniqueHandle.h"
#include "platform/win32/WindowBase.h"

#include <windows.h>

#include <string>

namespace quillmere::win32 {

inline constexpr const char* kFlatHintClass = "QuillmereFlatHint";

// The flat hint of one control: once the pointer has rested kHintDelayMs over
// the control, a small popup below the pointer shows the text beside a steel
// blue arrow strip; it goes when the pointer leaves the control, on a click
// or a key in it, and comes again only after the pointer has left. The hint
// watches the control's mouse messages through a comctl32 window subclass,
// so the control may be subclassed by others too. The popup never takes the
// activation or the pointer's clicks.
class FlatHint : public WindowBase<FlatHint> {
public:
    static constexpr UINT kHintDelayMs = 500;

    // Idempotent; Attach calls it.
    static bool RegisterWindowClass();

    FlatHint() = default;
    ~FlatHint();

    // Attaches the hint to `control` (once); false when the window system
    // refuses. The popup is owned by the control's top-level window.
    bool Attach(HWND control, std::string text, const DpiScale& scale);

private:
    friend class WindowBase<FlatHint>;
    static LRESULT CALLBACK ControlProcedure(HWND control, UINT message, WPARAM wParam,
                                             LPARAM lParam, UINT_PTR id, DWORD_PTR data);
    void OnControlMessage(UINT message);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void Show();
    void Hide();
    void Paint();
    // The popup's size in physical pixels for the text.
    SIZE Measure() const;

    HWND m_control = nullptr;
    std::string m_text;
    DpiScale m_scale;
    UniqueFont m_font;
    // Mouse leave and hover tracking is armed on the control.
    bool m_tracking = false;
    // A click hid the hint: it waits until the pointer has left.
    bool m_suppressed = false;
};

} // namespace quillmere::win32

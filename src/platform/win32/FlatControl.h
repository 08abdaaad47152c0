#pragma once

#include "app/EventFunnel.h"
#include "app/FlatControls.h"
#include "platform/win32/DpiScale.h"
#include "platform/win32/WindowBase.h"

#include <windows.h>

namespace quillmere::win32 {

inline constexpr const char* kFlatControlClass = "QuillmereFlat";

// How a flat control is drawn. The font is the parent's and must outlive the
// control; the mark, gaps and insets are 96-DPI pixels scaled by Scale.
struct FlatLook {
    // The parent's background, behind a check box or radio button.
    COLORREF Background = 0;
    // A push button's face, and its face while it has the keyboard focus.
    COLORREF Face = 0;
    COLORREF FocusedFace = 0;
    HFONT Font = nullptr;
    DpiScale Scale = DpiScale();
};

// A flat push button, check box or radio button: a child window that draws
// its model and hands the model to the window's funnel on the user's click
// (a press and release of the left button inside it, the space bar, Enter on
// a button, or BM_CLICK), so the parent never looks at control ids. The
// model's OnChanged repaints the control; the model and the funnel must
// outlive the control's window.
//
// The window text is the caption and BM_GETCHECK answers the model's state,
// so the controls can be found and read like the system's buttons. Every
// control is a tab stop, except that a radio button is one only while
// checked (as the system's radio buttons are); the arrow keys move to and
// click the next radio button of the group, which starts at the group's
// first radio button and ends at the next control with WS_GROUP (every flat
// button and check box has it).
class FlatControl : public WindowBase<FlatControl> {
public:
    // Idempotent; the Create functions call it.
    static bool RegisterWindowClass();

    FlatControl() = default;
    ~FlatControl();

    // Bounds in the parent's client pixels. False when the window system
    // refuses. The model's type picks the face, once, as a BS_ style picks
    // a system button's.
    bool Create(HWND parent, ButtonModel& model, const RECT& bounds, const FlatLook& look,
                EventFunnel& funnel) {
        return Create(parent, model, Face::PushButton, bounds, look, funnel);
    }
    bool Create(HWND parent, FlatCheckBox& model, const RECT& bounds, const FlatLook& look,
                EventFunnel& funnel) {
        return Create(parent, model, Face::CheckBox, bounds, look, funnel);
    }
    bool Create(HWND parent, FlatRadioButton& model, const RECT& bounds, const FlatLook& look,
                EventFunnel& funnel) {
        return Create(parent, model, Face::RadioButton, bounds, look, funnel);
    }

private:
    friend class WindowBase<FlatControl>;

    // What the control draws and which keys it takes.
    enum class Face { PushButton, CheckBox, RadioButton };

    bool Create(HWND parent, FlatModel& model, Face face, const RECT& bounds, const FlatLook& look,
                EventFunnel& funnel);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    bool IsButton() const { return m_face == Face::PushButton; }
    bool IsRadioButton() const { return m_face == Face::RadioButton; }
    void ModelChanged();
    void Press(bool pressed);
    void MoveInGroup(bool backwards);
    UINT DialogCode(const MSG* message) const;
    void Paint();
    void PaintButton(HDC dc, const RECT& client, bool focused) const;
    void PaintMarked(HDC dc, const RECT& client, bool focused) const;

    FlatModel* m_model = nullptr;
    Face m_face = Face::PushButton;
    FlatLook m_look;
    EventFunnel* m_funnel = nullptr;
    bool m_pressed = false;
    bool m_hot = false;
};

} // namespace quillmere::win32

#include "platform/win32/FlatControl.h"

#include "platform/win32/FlatPaint.h"

namespace quillmere::win32 {

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

// 96-DPI pixels: the check square or radio circle, the gap between it and the
// caption, and the inset of a button's focus frame.
constexpr int kMarkSize = 13;
constexpr int kCaptionGap = 5;
constexpr int kFocusInset = 3;

bool Inside(HWND window, LPARAM point) {
    RECT client{};
    ::GetClientRect(window, &client);
    const POINT at{static_cast<short>(LOWORD(point)), static_cast<short>(HIWORD(point))};
    return ::PtInRect(&client, at) != FALSE;
}

} // namespace

bool FlatControl::RegisterWindowClass() {
    return WindowBase::RegisterWindowClass(kFlatControlClass, nullptr);
}

FlatControl::~FlatControl() {
    if (m_window != nullptr) {
        ::DestroyWindow(m_window);
    }
}

bool FlatControl::Create(HWND parent, FlatModel& model, Face face, const RECT& bounds,
                         const FlatLook& look, EventFunnel& funnel) {
    if (!RegisterWindowClass()) {
        return false;
    }
    m_model = &model;
    m_face = face;
    m_look = look;
    m_funnel = &funnel;
    // A radio button is a tab stop only while checked (ModelChanged sees to it).
    DWORD style = model.StartsGroup() ? WS_GROUP : 0;
    if (!IsRadioButton()) {
        style |= WS_TABSTOP;
    }
    if (CreateFor(0, kFlatControlClass, model.Caption().c_str(), WS_CHILD | WS_VISIBLE | style,
                  bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top,
                  parent) == nullptr) {
        return false;
    }
    model.OnChanged = [this] { ModelChanged(); };
    ModelChanged();
    return true;
}

void FlatControl::ModelChanged() {
    if (IsButton()) {
        ::SetWindowTextA(m_window, m_model->Caption().c_str());
    } else if (IsRadioButton()) {
        // Tab reaches a radio group at its checked button.
        const LONG_PTR style = ::GetWindowLongPtrA(m_window, GWL_STYLE);
        ::SetWindowLongPtrA(m_window, GWL_STYLE,
                            m_model->Checked() ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP));
    }
    ::InvalidateRect(m_window, nullptr, FALSE);
}

void FlatControl::Press(bool pressed) {
    if (pressed != m_pressed) {
        m_pressed = pressed;
        ::InvalidateRect(m_window, nullptr, FALSE);
    }
}

void FlatControl::MoveInGroup(bool backwards) {
    const HWND parent = ::GetParent(m_window);
    HWND next = m_window;
    do {
        next = ::GetNextDlgGroupItem(parent, next, backwards ? TRUE : FALSE);
    } while (next != nullptr && next != m_window &&
             (::SendMessageA(next, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) == 0);
    if (next != nullptr && next != m_window) {
        ::SetFocus(next);
        ::SendMessageA(next, BM_CLICK, 0, 0);
    }
}

UINT FlatControl::DialogCode(const MSG* message) const {
    if (IsRadioButton()) {
        return DLGC_BUTTON | DLGC_RADIOBUTTON | DLGC_WANTARROWS;
    }
    if (!IsButton()) {
        return DLGC_BUTTON;
    }
    // The focused button takes Enter itself, so the parent gets no WM_COMMAND.
    UINT code =
        DLGC_BUTTON | (::GetFocus() == m_window ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
    if (message != nullptr && message->message == WM_KEYDOWN && message->wParam == VK_RETURN) {
        code |= DLGC_WANTMESSAGE;
    }
    return code;
}

void FlatControl::Paint() {
    BufferedPaint paint(m_window);
    const HDC dc = paint.Dc();
    SelectedObject font(dc, m_look.Font);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ::GetSysColor(::IsWindowEnabled(m_window) ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    const bool focused = ::GetFocus() == m_window;
    if (IsButton()) {
        PaintButton(dc, paint.Client(), focused);
    } else {
        PaintMarked(dc, paint.Client(), focused);
    }
}

void FlatControl::PaintButton(HDC dc, const RECT& client, bool focused) const {
    const COLORREF face = focused ? m_look.FocusedFace : m_look.Face;
    COLORREF shown = face;
    if (m_pressed) {
        shown = Blend(face, kBlack, 15);
    } else if (m_hot) {
        shown = Blend(face, kWhite, 35);
    }
    FillSolid(dc, client, shown);
    FrameSolid(dc, client, Blend(face, kBlack, 45));
    RECT text = client;
    const std::string& caption = m_model->Caption();
    ::DrawTextA(dc, caption.c_str(), -1, &text,
                DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    if (focused) {
        RECT focus = client;
        ::InflateRect(&focus, -m_look.Scale(kFocusInset), -m_look.Scale(kFocusInset));
        ::DrawFocusRect(dc, &focus);
    }
}

void FlatControl::PaintMarked(HDC dc, const RECT& client, bool focused) const {
    FillSolid(dc, client, m_look.Background);
    const int size = m_look.Scale(kMarkSize);
    const int top = (client.bottom - size) / 2;
    const RECT box{0, top, size, top + size};
    COLORREF body = kWhite;
    if (!::IsWindowEnabled(m_window)) {
        body = kFlatLightFace;
    } else if (m_pressed) {
        body = Blend(kWhite, kFlatFrame, 20);
    } else if (m_hot) {
        body = Blend(kWhite, kFlatAccent, 20);
    }
    if (IsRadioButton()) {
        DrawRadioCircle(dc, box, m_model->Checked(), body);
    } else {
        DrawCheckSquare(dc, box, m_model->Checked(), body);
    }

    const std::string& caption = m_model->Caption();
    RECT text{size + m_look.Scale(kCaptionGap), client.top, client.right, client.bottom};
    constexpr UINT kFormat = DT_LEFT | DT_SINGLELINE | DT_NOPREFIX;
    ::DrawTextA(dc, caption.c_str(), -1, &text, kFormat | DT_VCENTER | DT_END_ELLIPSIS);
    if (focused) {
        RECT around = text;
        ::DrawTextA(dc, caption.c_str(), -1, &around, kFormat | DT_CALCRECT);
        const int height = around.bottom - around.top;
        around.top = (client.bottom - height) / 2;
        around.bottom = around.top + height;
        ::InflateRect(&around, m_look.Scale(2), m_look.Scale(1));
        ::IntersectRect(&around, &around, &client);
        ::DrawFocusRect(dc, &around);
    }
}

LRESULT FlatControl::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    // A case that breaks out of the switch is the user's click; the click
    // runs below, straight into the funnel.
    switch (message) {
    case WM_GETDLGCODE:
        return DialogCode(reinterpret_cast<const MSG*>(lParam));
    case WM_LBUTTONDOWN:
        ::SetFocus(m_window);
        ::SetCapture(m_window);
        Press(true);
        return 0;
    case WM_MOUSEMOVE:
        if (::GetCapture() == m_window) {
            Press(Inside(m_window, lParam));
        }
        if (!m_hot) {
            TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, m_window, 0};
            m_hot = ::TrackMouseEvent(&track) != FALSE;
            ::InvalidateRect(m_window, nullptr, FALSE);
        }
        return 0;
    case WM_MOUSELEAVE:
        m_hot = false;
        ::InvalidateRect(m_window, nullptr, FALSE);
        return 0;
    case WM_LBUTTONUP: {
        if (::GetCapture() != m_window) {
            return 0;
        }
        const bool inside = Inside(m_window, lParam);
        ::ReleaseCapture();
        if (!inside) {
            return 0;
        }
        break;
    }
    case WM_CAPTURECHANGED:
        Press(false);
        return 0;
    case WM_KEYDOWN:
        if (wParam == VK_RETURN && IsButton()) {
            break;
        }
        if (wParam == VK_SPACE && (lParam & (1 << 30)) == 0) {
            Press(true);
        } else if (IsRadioButton() && wParam >= VK_LEFT && wParam <= VK_DOWN) {
            MoveInGroup(wParam == VK_LEFT || wParam == VK_UP);
        }
        return 0;
    case WM_KEYUP:
        if (wParam != VK_SPACE || !m_pressed || ::GetCapture() == m_window) {
            return 0;
        }
        Press(false);
        break;
    case WM_KILLFOCUS:
        if (::GetCapture() == m_window) {
            ::ReleaseCapture();
        }
        Press(false);
        ::InvalidateRect(m_window, nullptr, FALSE);
        return 0;
    case WM_SETFOCUS:
    case WM_ENABLE:
        ::InvalidateRect(m_window, nullptr, FALSE);
        return 0;
    case BM_GETCHECK:
        return m_model->Checked() ? BST_CHECKED : BST_UNCHECKED;
    case BM_CLICK:
        break;
    case WM_ERASEBKGND:
        return 1; // WM_PAINT covers every pixel
    case WM_PAINT:
        Paint();
        return 0;
    case WM_NCDESTROY:
        m_model->OnChanged = nullptr;
        return Default(message, wParam, lParam);
    default:
        return Default(message, wParam, lParam);
    }
    // The click may close the window that owns this control: nothing of the
    // control is touched once it has run.
    if (::IsWindowEnabled(m_window)) {
        m_funnel->Run(*m_model);
    }
    return 0;
}

} // namespace quillmere::win32

#include "platform/win32/FlatHint.h"

#include "platform/win32/FlatPaint.h"
#include "platform/win32/Fonts.h"

#include <commctrl.h>

#include <utility>

namespace quillmere::win32 {

namespace {

constexpr COLORREF kHintBody = RGB(248, 250, 252);
constexpr COLORREF kHintArrow = RGB(255, 255, 255);

// 96-DPI pixels: the arrow strip at the left, the text's padding, and how far
// below the pointer's hot spot the popup starts (clear of the arrow pointer).
constexpr int kStripWidth = 12;
constexpr int kPaddingX = 6;
constexpr int kPaddingY = 3;
constexpr int kBelowPointer = 20;

UINT_PTR SubclassId(const FlatHint* hint) {
    return reinterpret_cast<UINT_PTR>(hint);
}

} // namespace

bool FlatHint::RegisterWindowClass() {
    return WindowBase::RegisterWindowClass(kFlatHintClass, nullptr);
}

FlatHint::~FlatHint() {
    if (m_control != nullptr) {
        ::RemoveWindowSubclass(m_control, &FlatHint::ControlProcedure, SubclassId(this));
    }
    if (m_window != nullptr) {
        ::DestroyWindow(m_window);
    }
}

bool FlatHint::Attach(HWND control, std::string text, const DpiScale& scale) {
    if (m_control != nullptr || !RegisterWindowClass()) {
        return false;
    }
    m_text = std::move(text);
    m_scale = scale;
    m_font = CreateFaceFont({"MS Sans Serif", "Tahoma"}, 11, scale);
    if (CreateFor(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, kFlatHintClass, "", WS_POPUP,
                  0, 0, 0, 0, ::GetAncestor(control, GA_ROOT)) == nullptr) {
        return false;
    }
    if (!::SetWindowSubclass(control, &FlatHint::ControlProcedure, SubclassId(this),
                             reinterpret_cast<DWORD_PTR>(this))) {
        ::DestroyWindow(m_window);
        return false;
    }
    m_control = control;
    return true;
}

LRESULT CALLBACK FlatHint::ControlProcedure(HWND control, UINT message, WPARAM wParam,
                                            LPARAM lParam, UINT_PTR id, DWORD_PTR data) {
    auto* hint = reinterpret_cast<FlatHint*>(data);
    if (message == WM_NCDESTROY) {
        ::RemoveWindowSubclass(control, &FlatHint::ControlProcedure, id);
        hint->m_control = nullptr;
        hint->Hide();
    } else {
        hint->OnControlMessage(message);
    }
    return ::DefSubclassProc(control, message, wParam, lParam);
}

void FlatHint::OnControlMessage(UINT message) {
    switch (message) {
    case WM_MOUSEMOVE:
        if (!m_tracking) {
            // Hover tracking restarts its clock whenever the pointer moves
            // away from where it rests, so one request covers the whole visit.
            TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE | TME_HOVER, m_control, kHintDelayMs};
            m_tracking = ::TrackMouseEvent(&track) != FALSE;
        }
        break;
    case WM_MOUSEHOVER:
        if (!m_suppressed) {
            Show();
        }
        break;
    case WM_MOUSELEAVE:
        m_tracking = false;
        m_suppressed = false;
        Hide();
        break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_MOUSEWHEEL:
        m_suppressed = true;
        Hide();
        break;
    case WM_KEYDOWN:
    case WM_KILLFOCUS:
        Hide();
        break;
    default:
        break;
    }
}

SIZE FlatHint::Measure() const {
    WindowDC screen(m_window);
    SelectedObject font(screen.Dc(), m_font.Get());
    RECT text{};
    ::DrawTextA(screen.Dc(), m_text.c_str(), -1, &text, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    return SIZE{m_scale(kStripWidth + 2 * kPaddingX) + text.right,
                m_scale(2 * kPaddingY) + text.bottom};
}

void FlatHint::Show() {
    if (m_window == nullptr) {
        return;
    }
    POINT pointer{};
    ::GetCursorPos(&pointer);
    const SIZE size = Measure();
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    ::GetMonitorInfoA(::MonitorFromPoint(pointer, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    int x = pointer.x;
    int y = pointer.y + m_scale(kBelowPointer);
    if (x + size.cx > work.right) {
        x = work.right - size.cx;
    }
    x = x < work.left ? work.left : x;
    if (y + size.cy > work.bottom) {
        // No room below: above the pointer instead.
        y = pointer.y - size.cy - m_scale(kPaddingY);
    }
    ::SetWindowPos(m_window, HWND_TOPMOST, x, y, size.cx, size.cy, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    ::InvalidateRect(m_window, nullptr, FALSE);
}

void FlatHint::Hide() {
    if (m_window != nullptr && ::IsWindowVisible(m_window)) {
        ::ShowWindow(m_window, SW_HIDE);
    }
}

void FlatHint::Paint() {
    BufferedPaint paint(m_window);
    const HDC dc = paint.Dc();
    const RECT& client = paint.Client();
    FillSolid(dc, client, kHintBody);
    const int strip = m_scale(kStripWidth);
    FillSolid(dc, RECT{0, 0, strip, client.bottom}, kFlatAccent);

    // A small arrow in the strip, pointing at the text.
    const int middle = client.bottom / 2;
    const int half = m_scale(4);
    const int left = (strip - half) / 2;
    const POINT arrow[] = {{left, middle - half}, {left + half, middle}, {left, middle + half}};
    {
        SelectedObject pen(dc, ::GetStockObject(DC_PEN));
        SelectedObject brush(dc, ::GetStockObject(DC_BRUSH));
        ::SetDCPenColor(dc, kHintArrow);
        ::SetDCBrushColor(dc, kHintArrow);
        ::Polygon(dc, arrow, 3);
    }
    FrameSolid(dc, client, kFlatFrame);

    SelectedObject font(dc, m_font.Get());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ::GetSysColor(COLOR_INFOTEXT));
    RECT text{strip + m_scale(kPaddingX), 0, client.right, client.bottom};
    ::DrawTextA(dc, m_text.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

LRESULT FlatHint::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCHITTEST:
        return HTTRANSPARENT;
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_ERASEBKGND:
        return 1; // WM_PAINT covers every pixel
    case WM_PAINT:
        Paint();
        return 0;
    default:
        return Default(message, wParam, lParam);
    }
}

} // namespace quillmere::win32

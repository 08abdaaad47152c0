#include "PaletteWindow.h"

#include "platform/win32/UniqueHandle.h"

namespace demo {

namespace {

constexpr COLORREF kTitleColour = RGB(52, 52, 56);
constexpr COLORREF kTitleTextColour = RGB(240, 240, 240);
constexpr int kTitleHeight = 16;     // client pixels
constexpr int kButtonRowHeight = 30; // client pixels below the body, for a "Button" child

} // namespace

PaletteWindow::~PaletteWindow() {
    Close();
}

bool PaletteWindow::Register() noexcept {
    return RegisterWindowClass(kClassName, nullptr);
}

bool PaletteWindow::Create(HWND owner, const char* caption, int left, int top, int right,
                           int bottom) noexcept {
    // WS_BORDER without WS_DLGFRAME: WS_CAPTION would include WS_DLGFRAME.
    DWORD style = WS_POPUP | WS_BORDER | WS_CLIPCHILDREN;
    if (m_kind == Kind::DialogFrame) {
        style |= WS_DLGFRAME;
    }
    return CreateFor(WS_EX_TOOLWINDOW, kClassName, caption, style, left, top, right - left,
                     bottom - top, owner) != nullptr;
}

void PaletteWindow::Show() noexcept {
    if (m_window != nullptr && m_kind != Kind::Invisible) {
        ::ShowWindow(m_window, SW_SHOWNOACTIVATE);
        ::UpdateWindow(m_window);
    }
}

void PaletteWindow::Rename(const char* caption) noexcept {
    if (m_window != nullptr) {
        ::SetWindowTextA(m_window, caption);
        ::InvalidateRect(m_window, nullptr, TRUE);
    }
}

void PaletteWindow::Close() noexcept {
    if (m_window != nullptr) {
        ::DestroyWindow(m_window);
    }
}

LRESULT PaletteWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        return CreateChildren() ? 0 : -1;
    case WM_PAINT:
        PaintTitleStrip();
        return 0;
    case WM_ERASEBKGND:
        return 1; // the strip and the children cover the client area
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE; // like the host's palettes, a click does not take the focus
    case WM_NCDESTROY:
        m_body.reset();
        m_view.reset();
        return Default(message, wParam, lParam);
    default:
        return Default(message, wParam, lParam);
    }
}

bool PaletteWindow::CreateChildren() {
    RECT client{};
    ::GetClientRect(m_window, &client);
    int bodyHeight = client.bottom - kTitleHeight;
    bool hasButtonRow = m_kind == Kind::ButtonChild || m_kind == Kind::ViewButton;
    if (hasButtonRow) {
        bodyHeight -= kButtonRowHeight;
    }
    m_body = std::make_unique<PaletteBody>();
    if (!m_body->Create(m_window, 0, kTitleHeight, client.right, bodyHeight > 0 ? bodyHeight : 1)) {
        return false;
    }
    int rowTop = kTitleHeight + (bodyHeight > 0 ? bodyHeight : 0);
    if (m_kind == Kind::ButtonChild) {
        return ::CreateWindowExA(0, "Button", "Apply", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 4,
                                 rowTop + 2, 70, kButtonRowHeight - 4, m_window, nullptr,
                                 ::GetModuleHandleA(nullptr), nullptr) != nullptr;
    }
    if (m_kind == Kind::ViewButton) {
        m_view = std::make_unique<ViewPanel>();
        return m_view->Create(m_window, 0, rowTop, client.right, kButtonRowHeight);
    }
    return true;
}

void PaletteWindow::PaintTitleStrip() {
    quillmere::win32::PaintScope paint(m_window);
    RECT strip{};
    ::GetClientRect(m_window, &strip);
    strip.bottom = kTitleHeight;
    quillmere::win32::UniqueBrush brush(::CreateSolidBrush(kTitleColour));
    ::FillRect(paint.Dc(), &strip, brush.Get());

    char caption[256] = {};
    ::GetWindowTextA(m_window, caption, sizeof(caption));
    quillmere::win32::SelectedObject font(paint.Dc(), ::GetStockObject(DEFAULT_GUI_FONT));
    ::SetBkMode(paint.Dc(), TRANSPARENT);
    ::SetTextColor(paint.Dc(), kTitleTextColour);
    strip.left += 4;
    ::DrawTextA(paint.Dc(), caption, -1, &strip, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
}

} // namespace demo

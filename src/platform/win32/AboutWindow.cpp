#include "platform/win32/AboutWindow.h"

#include "app/CentredPlacement.h"
#include "platform/win32/AboutWindowLayout.h"
#include "platform/win32/ControlViews.h"
#include "platform/win32/FlatPaint.h"
#include "platform/win32/Fonts.h"

#include <utility>

namespace quillmere::win32 {

using namespace about_layout;

namespace {

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME;
constexpr COLORREF kBackground = kFlatLightFace;
constexpr COLORREF kOkFocusedFace = RGB(252, 205, 135);
constexpr int kStaticId = -1;

} // namespace

bool AboutWindow::RegisterWindowClass() {
    return WindowBase::RegisterWindowClass(kAboutWindowClass, nullptr);
}

void AboutWindow::ShowModal(HWND owner, const DpiScale& scale, EventFunnel& funnel) {
    if (!RegisterWindowClass()) {
        return;
    }
    {
        AboutWindow about(scale, funnel);
        if (!about.Create(owner)) {
            return;
        }
        if (owner != nullptr) {
            ::EnableWindow(owner, FALSE);
        }
        ::ShowWindow(about.m_window, SW_SHOW);
        about.RunModalLoop();
        // The owner first, so that it, and not another program, takes the
        // activation when the About window goes.
        if (owner != nullptr) {
            ::EnableWindow(owner, TRUE);
        }
    }
    if (owner != nullptr && ::IsWindow(owner)) {
        ::SetActiveWindow(owner);
    }
}

AboutWindow::~AboutWindow() {
    if (m_window != nullptr) {
        ::DestroyWindow(m_window);
    }
}

bool AboutWindow::Create(HWND owner) {
    RECT frame{0, 0, m_scale(kClientWidth), m_scale(kClientHeight)};
    ::AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
    const LONG width = frame.right - frame.left;
    const LONG height = frame.bottom - frame.top;

    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    ::GetMonitorInfoA(::MonitorFromWindow(owner, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& work = monitor.rcWork;
    RECT around = work;
    if (owner != nullptr) {
        ::GetWindowRect(owner, &around);
    }
    const ScreenPoint at = CentredOn({around.left, around.top, around.right, around.bottom}, width,
                                     height, {work.left, work.top, work.right, work.bottom});
    return CreateFor(kExStyle, kAboutWindowClass, kAboutWindowCaption, kStyle, at.X, at.Y, width,
                     height, owner) != nullptr;
}

void AboutWindow::CreateControls() {
    m_font = CreateFaceFont({"MS Sans Serif", "Tahoma"}, 13, m_scale);
    m_background.Reset(::CreateSolidBrush(kBackground));
    m_icon.Reset(static_cast<HICON>(::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1),
                                                 IMAGE_ICON, m_scale(kIconSize), m_scale(kIconSize),
                                                 LR_DEFAULTCOLOR)));
    m_shell.emplace(m_window);
    m_form.emplace(*m_shell, [this] { m_closed = true; });
    TFrmAbout& form = *m_form;

    const auto addLabel = [&](LabelModel& model, const DesignBox& bounds) {
        const HWND label =
            CreateChild(m_window, "STATIC", model.Caption(), SS_LEFTNOWORDWRAP | SS_NOPREFIX,
                        kStaticId, m_scale.Rect(bounds));
        ::SendMessageA(label, WM_SETFONT, reinterpret_cast<WPARAM>(m_font.Get()), FALSE);
        BindLabel(model, label);
    };
    addLabel(form.Label1, kLabel1);
    addLabel(form.Label7, kLabel7);
    addLabel(form.Label6, kLabel6);
    m_btnOK.Create(m_window, form.BtnOK, m_scale.Rect(kBtnOK),
                   FlatLook{kBackground, kBackground, kOkFocusedFace, m_font.Get(), m_scale},
                   m_funnel);
}

void AboutWindow::RunModalLoop() {
    MSG message{};
    while (!m_closed) {
        const BOOL got = ::GetMessageA(&message, nullptr, 0, 0);
        if (got == 0) {
            ::PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        if (got < 0) {
            return;
        }
        if (!::IsDialogMessageA(m_window, &message)) {
            ::TranslateMessage(&message);
            ::DispatchMessageA(&message);
        }
    }
}

AboutWindow::Handler AboutWindow::LinkAt(POINT point) const {
    const RECT label7 = m_scale.Rect(kLabel7);
    const RECT label6 = m_scale.Rect(kLabel6);
    if (::PtInRect(&label7, point)) {
        return &TFrmAbout::Label7Click;
    }
    if (::PtInRect(&label6, point)) {
        return &TFrmAbout::Label6Click;
    }
    return nullptr;
}

void AboutWindow::Paint() {
    PaintScope paint(m_window);
    const RECT image = m_scale.Rect(kImage1);
    const int size = m_scale(kIconSize);
    if (m_icon) {
        ::DrawIconEx(paint.Dc(), (image.left + image.right - size) / 2,
                     (image.top + image.bottom - size) / 2, m_icon.Get(), size, size, 0, nullptr,
                     DI_NORMAL);
    }
}

LRESULT AboutWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        CreateControls();
        return 0;
    case WM_ACTIVATE:
        // The button is the window's one keyboard stop.
        if (LOWORD(wParam) != WA_INACTIVE) {
            ::SetFocus(m_btnOK.Handle());
        }
        return 0;
    case WM_ERASEBKGND: {
        RECT client{};
        ::GetClientRect(m_window, &client);
        FillSolid(reinterpret_cast<HDC>(wParam), client, kBackground);
        return 1;
    }
    case WM_PAINT:
        Paint();
        return 0;
    case WM_CTLCOLORSTATIC: {
        const auto dc = reinterpret_cast<HDC>(wParam);
        ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
        ::SetBkColor(dc, kBackground);
        return reinterpret_cast<LRESULT>(m_background.Get());
    }
    case WM_SETCURSOR:
        if (reinterpret_cast<HWND>(wParam) == m_window && LOWORD(lParam) == HTCLIENT) {
            POINT pointer{};
            ::GetCursorPos(&pointer);
            ::ScreenToClient(m_window, &pointer);
            if (LinkAt(pointer) != nullptr) {
                ::SetCursor(::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_HAND)));
                return TRUE;
            }
        }
        return Default(message, wParam, lParam);
    case WM_LBUTTONDOWN:
        m_pressedLink =
            LinkAt(POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
        return 0;
    case WM_LBUTTONUP: {
        const Handler link =
            LinkAt(POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
        const Handler pressed = std::exchange(m_pressedLink, nullptr);
        if (link != nullptr && link == pressed) {
            m_funnel.Run([this, link] { (*m_form.*link)(); });
        }
        return 0;
    }
    case WM_COMMAND:
        // Enter and Esc, from the dialog manager.
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            m_funnel.Run(m_form->BtnOK);
        }
        return 0;
    case WM_CLOSE:
        m_funnel.Run(m_form->BtnOK);
        return 0;
    case WM_DESTROY:
        // Destroyed with its owner, say: the modal loop ends too.
        m_closed = true;
        return 0;
    default:
        return Default(message, wParam, lParam);
    }
}

} // namespace quillmere::win32

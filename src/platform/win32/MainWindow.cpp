#include "platform/win32/MainWindow.h"

#include "app/StartUp.h"
#include "platform/win32/AboutWindow.h"
#include "platform/win32/ControlViews.h"
#include "platform/win32/FlatPaint.h"
#include "platform/win32/Fonts.h"

#include <windowsx.h>

namespace quillmere::win32 {

namespace {

constexpr int kIdImg = 100;

// The form's timers, each with the id of the window timer that carries it.
struct TimerSlot {
    UINT_PTR Id;
    TimerModel TFrmMain::*Timer;
};
constexpr TimerSlot kTimers[] = {{1, &TFrmMain::MousePos}, {2, &TFrmMain::TimerEnum}};

// The notification-area menu, top to bottom. No "&" in the captions: they
// show exactly as written, without access keys.
// An item either runs Click or opens a submenu of the choices for Delay,
// whose choice runs ChooseDelay.
struct MenuItem {
    const char* Caption;
    void (TFrmMain::*Click)() = nullptr;
    std::uint32_t AutoHideDelays::*Delay = nullptr;
    void (TFrmMain::*ChooseDelay)(std::uint32_t) = nullptr;
};
constexpr MenuItem kPopupMenu[] = {
    {"Open Quillmere", &TFrmMain::MnuOpenClick},
    {kRevealDelayMenuCaption, nullptr, &AutoHideDelays::RevealMs, &TFrmMain::MnuRevealDelayClick},
    {kHideDelayMenuCaption, nullptr, &AutoHideDelays::HideMs, &TFrmMain::MnuHideDelayClick},
    {"Exit", &TFrmMain::MnuExitClick},
};
// Command ids count up from here, clear of IDOK and IDCANCEL, which the
// dialog keys send; each delay submenu's items from kFirstDelayMenuId on,
// kDelayMenuIds to a submenu.
constexpr UINT kFirstMenuId = 0x100;
constexpr UINT kFirstDelayMenuId = 0x200;
constexpr UINT kDelayMenuIds = 0x10;
// WM_SYSCOMMAND's SC_MOVE with HTCAPTION in its low bits: the move loop that
// a press on a caption bar starts.
constexpr WPARAM kDragMove = 0xF012;

constexpr COLORREF kOkFace = layout::kBackground;

// Windows' own resource id of the application icon, 32 x 32 in 256 colours.
constexpr int kIconResource = 1;

} // namespace

MainWindow::MainWindow(HINSTANCE instance, ApplicationWindow& application, PaletteRescue& rescue)
    : m_instance(instance), m_application(application), m_rescue(rescue),
      m_scale(DpiScale::ForSystem()) {}

MainWindow::~MainWindow() {
    if (m_window != nullptr) {
        ::DestroyWindow(m_window);
    }
}

bool MainWindow::Create() {
    m_background = UniqueBrush(::CreateSolidBrush(layout::kBackground));
    if (!WindowBase::RegisterWindowClass(kMainWindowClass, nullptr)) {
        return false;
    }
    // The window's two faces: "MS Sans Serif" where it is installed, else
    // Tahoma, which has its proportions; the header's hand-lettered face, else
    // Comic Neue, drawn after it, else Tahoma. Heights in pixels at 96 DPI.
    m_windowFont = CreateFaceFont({"MS Sans Serif", "Tahoma"}, 13, m_scale);
    m_headerFont = CreateFaceFont({"Comic Sans MS", "Comic Neue", "Tahoma"}, 15, m_scale);
    m_icon = static_cast<HICON>(::LoadImageA(m_instance, MAKEINTRESOURCEA(kIconResource),
                                             IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
    m_taskbarCreated = ::RegisterWindowMessageA("TaskbarCreated");
    m_showRunningCopy = ::RegisterWindowMessageA(kShowRunningCopyMessage);

    const int size = m_scale(layout::kClientSize);
    // Centred on the desktop; no border, so the window is its client area.
    const int left = (::GetSystemMetrics(SM_CXSCREEN) - size) / 2;
    const int top = (::GetSystemMetrics(SM_CYSCREEN) - size) / 2;
    if (CreateFor(0, kMainWindowClass, kMainWindowCaption, WS_POPUP | WS_CLIPCHILDREN, left, top,
                  size, size, m_application.Handle()) == nullptr) {
        return false;
    }
    // Run elevated (to change "Start with Windows"), the window would not
    // hear the unelevated shell's "TaskbarCreated", nor an unelevated second
    // copy, otherwise.
    ::ChangeWindowMessageFilterEx(m_window, m_taskbarCreated, MSGFLT_ALLOW, nullptr);
    ::ChangeWindowMessageFilterEx(m_window, m_showRunningCopy, MSGFLT_ALLOW, nullptr);
    return true;
}

void MainWindow::Show() {
    m_lastFocus = m_chkStart;
    ShowMainWindow(true);
    ::SetFocus(m_chkStart);
}

FlatLook MainWindow::Look(COLORREF face) const {
    return FlatLook{layout::kBackground, face, face, m_windowFont.Get(), m_scale};
}

template <typename Model>
HWND MainWindow::Add(Model& model, const layout::Box& box, COLORREF face) {
    auto& control = m_controls.emplace_back(std::make_unique<FlatControl>());
    control->Create(m_window, model, m_scale.Rect(box), Look(face), *m_funnel);
    return control->Handle();
}

void MainWindow::CreateControls() {
    m_errors = std::make_unique<MessageBoxErrorReporter>(m_window);
    m_funnel.emplace(*m_errors, m_rescue, MainTables().FloatingWindows);
    m_information = std::make_unique<MessageBoxInformation>(m_window);
    m_shell = std::make_unique<Win32ShellLauncher>(m_window);
    const RECT img = m_scale.Rect(layout::kImg);
    m_img.Create(m_window, kIdImg, img.left, img.top, img.right - img.left, img.bottom - img.top);
    m_illustrations = std::make_unique<Win32IllustrationLoader>(m_instance, m_img);
    m_form = std::make_unique<TFrmMain>(
        FrmMainContext{MainTables(), m_windows, m_iniStore, ExecutablePath(), *m_illustrations,
                       *m_information, m_startup, *this, *this, *m_shell});
    TFrmMain& form = *m_form;

    // Creation order is the tab order.
    Add(form.optionTogether, layout::kOptionTogether);
    Add(form.OptionSeparately, layout::kOptionSeparately);
    Add(form.OptionMixed, layout::kOptionMixed);
    m_chkBox.Create(m_window, form.ChkBox, m_scale.Rect(layout::kChkBox), m_windowFont.Get(),
                    m_scale, *m_funnel);
    m_chkBoxHint.Attach(m_chkBox.Handle(), "Select floating windows to hide", m_scale);
    Add(form.Btnselect, layout::kBtnselect);
    Add(form.ChkEnabled, layout::kChkEnabled);
    m_chkStart = Add(form.ChkStart, layout::kChkStart);
    Add(form.ChkTop, layout::kChkTop);
    Add(form.BtnOK, layout::kBtnOK, kOkFace);
    Add(form.BtnAbout, layout::kBtnAbout);
    Add(form.BtnHelp, layout::kBtnHelp);

    form.LblSetting.OnChanged = [this] {
        const RECT bounds = m_scale.Rect(layout::kLblSetting);
        ::InvalidateRect(m_window, &bounds, FALSE);
    };
    // Both timers run as the window is built; the creation sequence then
    // applies the stored "Enabled".
    for (const TimerSlot& timer : kTimers) {
        BindTimer(form.*timer.Timer, m_window, timer.Id);
    }
    CreatePopupMenu();
}

void MainWindow::CreatePopupMenu() {
    m_popupMenu = UniqueMenu(::CreatePopupMenu());
    for (const MenuItem& item : kPopupMenu) {
        if (item.Click == nullptr) {
            const UINT firstId =
                kFirstDelayMenuId + kDelayMenuIds * static_cast<UINT>(m_delayMenus.size());
            const DelaySubmenu& submenu = m_delayMenus.emplace_back(
                DelaySubmenu{::CreatePopupMenu(), firstId, item.Delay, item.ChooseDelay, {}});
            ::AppendMenuA(m_popupMenu.Get(), MF_POPUP, reinterpret_cast<UINT_PTR>(submenu.Menu),
                          item.Caption);
            continue;
        }
        const UINT id = kFirstMenuId + static_cast<UINT>(m_menuClicks.size());
        m_menuClicks.push_back(item.Click);
        ::AppendMenuA(m_popupMenu.Get(), MF_STRING, id, item.Caption);
    }
}

void MainWindow::DelaySubmenu::Fill(std::uint32_t inForceMs) {
    while (::GetMenuItemCount(Menu) > 0) {
        ::DeleteMenu(Menu, 0, MF_BYPOSITION);
    }
    Choices = DelayChoices(inForceMs);
    UINT checked = 0;
    for (UINT i = 0; i < Choices.size(); ++i) {
        ::AppendMenuA(Menu, MF_STRING, FirstId + i, Choices[i].Caption.c_str());
        checked = Choices[i].Checked ? i : checked;
    }
    ::CheckMenuRadioItem(Menu, 0, static_cast<UINT>(Choices.size()) - 1, checked, MF_BYPOSITION);
}

std::optional<std::uint32_t> MainWindow::DelaySubmenu::Chosen(UINT id) const {
    if (id < FirstId || id - FirstId >= Choices.size()) {
        return std::nullopt;
    }
    return Choices[id - FirstId].Ms;
}

void MainWindow::PaintLabel(HDC dc, const layout::PaintedLabel& label) const {
    SelectedObject font(dc, label.Font == layout::LabelFont::Header ? m_headerFont.Get()
                                                                    : m_windowFont.Get());
    RECT bounds = m_scale.Rect(label.Bounds);
    ::DrawTextA(dc, label.Text, -1, &bounds, DT_LEFT | DT_NOPREFIX | DT_WORDBREAK);
}

void MainWindow::Paint() {
    // Drawn off screen first, so that a new mode text never flickers.
    BufferedPaint paint(m_window);
    HDC dc = paint.Dc();
    const RECT client = paint.Client();
    ::FillRect(dc, &client, m_background.Get());
    for (const layout::Connector& connector : layout::kConnectors) {
        UniqueBrush brush(::CreateSolidBrush(connector.Colour));
        const RECT bounds = m_scale.Rect(connector.Bounds);
        ::FillRect(dc, &bounds, brush.Get());
    }
    // The header panel covers the lines it overlaps, as a window above them.
    RECT panel = m_scale.Rect(layout::kPanel1);
    ::FillRect(dc, &panel, m_background.Get());
    ::DrawEdge(dc, &panel, BDR_RAISEDOUTER, BF_RECT);
    if (m_icon != nullptr) {
        const RECT icon = m_scale.Rect(layout::kImage1);
        ::DrawIconEx(dc, icon.left, icon.top, m_icon, m_scale(32), m_scale(32), 0, nullptr,
                     DI_NORMAL);
    }

    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
    for (const layout::PaintedLabel& label : layout::kHeaderLabels) {
        PaintLabel(dc, label);
    }
    for (const layout::PaintedLabel& label : layout::kLabels) {
        PaintLabel(dc, label);
    }
    if (m_form) {
        SelectedObject font(dc, m_windowFont.Get());
        RECT bounds = m_scale.Rect(layout::kLblSetting);
        ::DrawTextA(dc, m_form->LblSetting.Caption().c_str(), -1, &bounds,
                    DT_CENTER | DT_NOPREFIX | DT_WORDBREAK);
    }
}

void MainWindow::OnMouseDown(MouseButton button, LPARAM point) {
    // Client pixels, scaled back to the 96-DPI layout.
    const int x = ::MulDiv(GET_X_LPARAM(point), DpiScale::kDesignDpi, m_scale.Dpi());
    const int y = ::MulDiv(GET_Y_LPARAM(point), DpiScale::kDesignDpi, m_scale.Dpi());
    if (layout::kImage1.Contains(x, y)) {
        m_funnel->Run([&] { m_form->Image1MouseDown(button); });
    } else if (layout::kLabel4.Contains(x, y)) {
        m_funnel->Run([&] { m_form->Label4MouseDown(button); });
    } else if (layout::kLabel5.Contains(x, y)) {
        m_funnel->Run([&] { m_form->Label5MouseDown(button); });
    } else if (layout::kPanel1.Contains(x, y)) {
        m_funnel->Run([&] { m_form->Panel1MouseDown(button); });
    }
}

void MainWindow::SetRoundRegion() {
    const int diameter = m_scale(layout::kRegionDiameter);
    // The window system owns the region from here on.
    UniqueRegion region(::CreateEllipticRgn(0, 0, diameter, diameter));
    if (region) {
        ::SetWindowRgn(m_window, region.Release(), TRUE);
    }
}

void MainWindow::FillTrayIconData() {
    // The first version of the record: on x86-64 its fields take 104 bytes
    // (88 in a 32-bit program), which is what the shell expects of it here.
    m_trayIconData = NOTIFYICONDATAA{};
    m_trayIconData.cbSize = NOTIFYICONDATAA_V1_SIZE;
    m_trayIconData.hWnd = m_window;
    m_trayIconData.uID = 1;
    m_trayIconData.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    m_trayIconData.uCallbackMessage = kTrayCallbackMessage;
    m_trayIconData.hIcon = m_icon;
    ::lstrcpynA(m_trayIconData.szTip, kApplicationTitle.data(), sizeof m_trayIconData.szTip);
}

void MainWindow::SetApplicationTopmost(bool topmost) {
    // Windows hands the owner's topmost state to the windows it owns, both
    // ways. Wine hands it on once and never takes it back, and will not make
    // the owner topmost again above an owned window that still is. Loosed
    // from its owner for the moment, the main window takes the state by
    // itself, and both agree on either system. No SWP_SHOWWINDOW for it: it
    // may be hidden in the notification area, or not shown yet.
    ::SetWindowLongPtrA(m_window, GWLP_HWNDPARENT, 0);
    m_application.SetTopmost(topmost);
    ::SetWindowPos(m_window, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                   SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
    ::SetWindowLongPtrA(m_window, GWLP_HWNDPARENT,
                        reinterpret_cast<LONG_PTR>(m_application.Handle()));
}

void MainWindow::BeginDragMove() {
    ::ReleaseCapture();
    ::SendMessageA(m_window, WM_SYSCOMMAND, kDragMove, 0);
}

void MainWindow::ShowAboutModal() {
    AboutWindow::ShowModal(m_window, m_scale, *m_funnel);
}

bool MainWindow::AddTrayIcon() {
    return ::Shell_NotifyIconA(NIM_ADD, &m_trayIconData) != FALSE;
}

void MainWindow::DeleteTrayIcon() {
    ::Shell_NotifyIconA(NIM_DELETE, &m_trayIconData);
}

void MainWindow::ShowMainWindow(bool shown) {
    ::ShowWindow(m_window, shown ? SW_SHOW : SW_HIDE);
    if (!shown) {
        // Out of sight nothing paints; the illustration starts over when seen.
        m_img.Rewind();
    }
}

void MainWindow::ShowApplicationWindow(bool shown) {
    ::ShowWindow(m_application.Handle(), shown ? SW_SHOW : SW_HIDE);
}

void MainWindow::SetApplicationToolWindow(bool toolWindow) {
    m_application.SetToolWindow(toolWindow);
}

void MainWindow::BringMainWindowToForeground() {
    ::SetForegroundWindow(m_window);
}

void MainWindow::PopUpMenuAtPointer() {
    for (DelaySubmenu& submenu : m_delayMenus) {
        submenu.Fill(m_form->Delays().*submenu.Delay);
    }
    POINT pointer{};
    ::GetCursorPos(&pointer);
    ::TrackPopupMenu(m_popupMenu.Get(), TPM_LEFTALIGN | TPM_RIGHTBUTTON, pointer.x, pointer.y, 0,
                     m_window, nullptr);
    // Lets the menu close at once when the user clicks outside it next time.
    ::PostMessageA(m_window, WM_NULL, 0, 0);
}

void MainWindow::CloseMainWindow() {
    ::PostMessageA(m_window, WM_CLOSE, 0, 0);
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        CreateControls();
        m_funnel->Run([this] { m_form->FormCreate(); });
        return 0;
    case WM_ACTIVATE:
        // The focused control is kept across a loss of activation, as in a
        // dialog, and given back on activation. A control that took the focus
        // itself (a click on it activates the window) keeps it, so the
        // activation never cuts the click short.
        if (HWND focus = ::GetFocus(); LOWORD(wParam) == WA_INACTIVE) {
            if (focus != nullptr && ::IsChild(m_window, focus)) {
                m_lastFocus = focus;
            }
        } else if (focus == nullptr || !::IsChild(m_window, focus)) {
            ::SetFocus(m_lastFocus != nullptr ? m_lastFocus : m_window);
        }
        return 0;
    case WM_SETFOCUS:
        if (m_lastFocus != nullptr && ::IsWindowVisible(m_lastFocus)) {
            ::SetFocus(m_lastFocus);
        }
        return 0;
    case WM_ERASEBKGND:
        return 1; // WM_PAINT covers every pixel
    case WM_PAINT:
        Paint();
        return 0;
    case WM_LBUTTONDOWN:
        OnMouseDown(MouseButton::Left, lParam);
        return 0;
    case WM_RBUTTONDOWN:
        OnMouseDown(MouseButton::Right, lParam);
        return 0;
    case WM_MBUTTONDOWN:
        OnMouseDown(MouseButton::Middle, lParam);
        return 0;
    case WM_COMMAND:
        if (HIWORD(wParam) != 0 || lParam != 0) {
            return 0; // not a menu item
        }
        if (const UINT item = LOWORD(wParam) - kFirstMenuId; item < m_menuClicks.size()) {
            m_funnel->Run([&] { (m_form.get()->*m_menuClicks[item])(); });
        }
        for (const DelaySubmenu& submenu : m_delayMenus) {
            if (const auto ms = submenu.Chosen(LOWORD(wParam))) {
                m_funnel->Run([&] { (m_form.get()->*submenu.Choose)(*ms); });
            }
        }
        return 0;
    case kTrayCallbackMessage:
        m_funnel->Run([&] { m_form->TrayIconMessage(static_cast<std::uint32_t>(lParam)); });
        return 0;
    case WM_TIMER:
        for (const TimerSlot& timer : kTimers) {
            if (wParam == timer.Id) {
                m_funnel->Run([&] { (m_form.get()->*timer.Timer).Fire(); });
            }
        }
        return 0;
    case WM_DISPLAYCHANGE:
        m_funnel->Run([this] { m_form->DisplayChanged(); });
        return 0;
    case WM_SETTINGCHANGE:
        if (wParam == SPI_SETWORKAREA) {
            m_funnel->Run([this] { m_form->DisplayChanged(); });
        }
        return Default(message, wParam, lParam);
    case WM_DRAWITEM:
        return ReflectDrawItem(lParam);
    case WM_CLOSE:
        // Every close goes through the close query; a refused selection
        // write keeps the window, with the palettes where they are.
        if (MayClose(*m_funnel, *m_form)) {
            ::DestroyWindow(m_window);
        }
        return 0;
    case WM_QUERYENDSESSION:
        m_funnel->Run([this] { m_form->SessionEnding(); });
        return TRUE;
    case WM_ENDSESSION:
        if (wParam != FALSE) {
            m_funnel->Run([this] { m_form->SessionEnded(); });
            ::DestroyWindow(m_window);
        } else {
            m_funnel->Run([this] { m_form->CloseCancelled(); });
        }
        return 0;
    case WM_DESTROY:
        m_funnel->Run([this] { m_form->FormDestroy(); });
        for (const TimerSlot& timer : kTimers) {
            ::KillTimer(m_window, timer.Id);
        }
        ::PostQuitMessage(0);
        return 0;
    default:
        if (message == m_taskbarCreated && m_taskbarCreated != 0) {
            m_funnel->Run([this] { m_form->TaskbarCreated(); });
            return 0;
        }
        if (message == m_showRunningCopy && m_showRunningCopy != 0) {
            m_funnel->Run([this] { m_form->AnotherCopyStarted(); });
            return 0;
        }
        return Default(message, wParam, lParam);
    }
}

} // namespace quillmere::win32

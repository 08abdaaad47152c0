#include "platform/win32/MainWindow.h"

#include "platform/win32/ControlViews.h"

namespace quillmere::win32 {

namespace {

constexpr UINT_PTR kMousePosTimerId = 1;
constexpr UINT_PTR kTimerEnumTimerId = 2;

enum ControlId : int {
    kIdImg = 100,
    kIdLblSetting,
    kIdOptionTogether,
    kIdOptionSeparately,
    kIdOptionMixed,
    kIdChkBox,
    kIdBtnselect,
    kIdChkEnabled,
    kIdChkStart,
};

// Client area 436 x 436 pixels; controls in client coordinates (left, top,
// right, bottom) from the window's layout.
constexpr int kClientSize = 436;
constexpr RECT kImgBounds{79, 144, 79 + 102, 144 + 73};
constexpr RECT kLblSettingBounds{45, 232, 45 + 172, 232 + 33};
constexpr RECT kOptionTogetherBounds{36, 288, 36 + 57, 288 + 25};
constexpr RECT kOptionSeparatelyBounds{100, 288, 100 + 57, 288 + 25};
constexpr RECT kOptionMixedBounds{164, 288, 164 + 57, 288 + 25};
constexpr RECT kChkBoxBounds{264, 136, 264 + 121, 136 + 73};
constexpr RECT kBtnselectBounds{280, 219, 280 + 89, 219 + 22};
constexpr RECT kChkEnabledBounds{253, 264, 253 + 121, 264 + 17};
constexpr RECT kChkStartBounds{253, 280, 253 + 137, 280 + 17};

constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

} // namespace

bool MainWindow::RegisterWindowClass() {
    return WindowBase::RegisterWindowClass(kMainWindowClass,
                                           reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
}

MainWindow::~MainWindow() {
    if (m_window != nullptr) {
        ::DestroyWindow(m_window);
    }
}

bool MainWindow::Create() {
    RECT frame{0, 0, kClientSize, kClientSize};
    ::AdjustWindowRect(&frame, kWindowStyle, FALSE);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    // Centred on the desktop when first shown.
    const int left = (::GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const int top = (::GetSystemMetrics(SM_CYSCREEN) - height) / 2;

    return CreateFor(0, kMainWindowClass, kMainWindowCaption, kWindowStyle, left, top, width,
                     height, nullptr) != nullptr;
}

void MainWindow::Show(int showCommand) {
    ::ShowWindow(m_window, showCommand);
    ::UpdateWindow(m_window);
}

void MainWindow::CreateControls() {
    m_img.Create(m_window, kIdImg, kImgBounds.left, kImgBounds.top,
                 kImgBounds.right - kImgBounds.left, kImgBounds.bottom - kImgBounds.top);
    m_errors = std::make_unique<MessageBoxErrorReporter>(m_window);
    m_information = std::make_unique<MessageBoxInformation>(m_window);
    m_illustrations = std::make_unique<Win32IllustrationLoader>(m_instance, m_img);
    m_form = std::make_unique<TFrmMain>(FrmMainContext{MainTables(), m_windows, m_iniStore,
                                                       ExecutablePath(), *m_illustrations,
                                                       *m_errors, *m_information, m_startup});
    TFrmMain& form = *m_form;

    BindLabel(form.LblSetting, CreateChild(m_window, "STATIC", form.LblSetting.Caption(), SS_CENTER,
                                           kIdLblSetting, kLblSettingBounds));
    BindRadioButton(form.optionTogether,
                    CreateChild(m_window, "BUTTON", form.optionTogether.Caption(),
                                BS_RADIOBUTTON | WS_TABSTOP, kIdOptionTogether,
                                kOptionTogetherBounds));
    BindRadioButton(form.OptionSeparately,
                    CreateChild(m_window, "BUTTON", form.OptionSeparately.Caption(),
                                BS_RADIOBUTTON | WS_TABSTOP, kIdOptionSeparately,
                                kOptionSeparatelyBounds));
    BindRadioButton(form.OptionMixed,
                    CreateChild(m_window, "BUTTON", form.OptionMixed.Caption(),
                                BS_RADIOBUTTON | WS_TABSTOP, kIdOptionMixed, kOptionMixedBounds));
    m_toggleChkBoxEntry = [this](int entry) { Run([&] { m_form->ChkBox.UserToggle(entry); }); };
    BindCheckList(form.ChkBox,
                  CreateChild(m_window, "LISTBOX", "",
                              WS_BORDER | WS_VSCROLL | WS_TABSTOP | LBS_NOINTEGRALHEIGHT |
                                  LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS,
                              kIdChkBox, kChkBoxBounds),
                  m_toggleChkBoxEntry);
    BindButton(form.Btnselect,
               CreateChild(m_window, "BUTTON", form.Btnselect.Caption(), BS_PUSHBUTTON | WS_TABSTOP,
                           kIdBtnselect, kBtnselectBounds));
    BindCheckBox(form.ChkEnabled,
                 CreateChild(m_window, "BUTTON", form.ChkEnabled.Caption(),
                             BS_CHECKBOX | WS_TABSTOP, kIdChkEnabled, kChkEnabledBounds));
    BindCheckBox(form.ChkStart,
                 CreateChild(m_window, "BUTTON", form.ChkStart.Caption(), BS_CHECKBOX | WS_TABSTOP,
                             kIdChkStart, kChkStartBounds));
    // Both timers run as the window is built; the creation sequence then
    // applies the stored "Enabled".
    BindTimer(form.MousePos, m_window, kMousePosTimerId);
    BindTimer(form.TimerEnum, m_window, kTimerEnumTimerId);
}

void MainWindow::OnCommand(int id, int notification) {
    TFrmMain& form = *m_form;
    if (notification != BN_CLICKED) {
        return;
    }
    switch (id) {
    case kIdOptionTogether:
        Run([&] { form.optionTogether.Click(); });
        break;
    case kIdOptionSeparately:
        Run([&] { form.OptionSeparately.Click(); });
        break;
    case kIdOptionMixed:
        Run([&] { form.OptionMixed.Click(); });
        break;
    case kIdChkEnabled:
        Run([&] { form.ChkEnabled.Click(); });
        break;
    case kIdBtnselect:
        Run([&] { form.Btnselect.Click(); });
        break;
    case kIdChkStart:
        Run([&] { form.ChkStart.Click(); });
        break;
    default:
        break;
    }
}

bool MainWindow::MayClose() noexcept {
    bool mayClose = false;
    if (m_form) {
        Run([&] { mayClose = m_form->CloseQuery(); });
    }
    return mayClose;
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        CreateControls();
        Run([this] { m_form->FormCreate(); });
        return 0;
    case WM_COMMAND:
        if (m_form) {
            OnCommand(LOWORD(wParam), HIWORD(wParam));
        }
        return 0;
    case WM_TIMER:
        if (wParam == kMousePosTimerId) {
            Run([this] { m_form->MousePos.Fire(); });
        } else if (wParam == kTimerEnumTimerId) {
            Run([this] { m_form->TimerEnum.Fire(); });
        }
        return 0;
    case WM_MEASUREITEM:
        if (wParam == kIdChkBox) {
            reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = kCheckListItemHeight;
            return TRUE;
        }
        return Default(message, wParam, lParam);
    case WM_DRAWITEM:
        if (wParam == kIdChkBox) {
            DrawCheckListEntry(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        }
        return Default(message, wParam, lParam);
    case WM_CLOSE:
        // Every close goes through the close query; a refused selection
        // write keeps the window, with the palettes where they are.
        if (MayClose()) {
            ::DestroyWindow(m_window);
        }
        return 0;
    case WM_QUERYENDSESSION:
        return MayClose() ? TRUE : FALSE;
    case WM_ENDSESSION:
        if (wParam != FALSE) {
            ::DestroyWindow(m_window);
        } else if (m_form) {
            m_form->CloseCancelled();
        }
        return 0;
    case WM_DESTROY:
        ::KillTimer(m_window, kMousePosTimerId);
        ::KillTimer(m_window, kTimerEnumTimerId);
        ::PostQuitMessage(0);
        return 0;
    default:
        return ::DefWindowProcA(m_window, message, wParam, lParam);
    }
}

} // namespace quillmere::win32

#include "platform/win32/MainWindow.h"

#include "app/UnitMain.h"
#include "host/Discovery.h"
#include "host/PSinfo.h"
#include "platform/win32/ErrorBox.h"
#include "settings/IniFile.h"

namespace quillmere::win32 {

namespace {

constexpr UINT_PTR kTimerEnumId = 1;
constexpr UINT kTimerEnumInterval = 2000; // milliseconds

// Client area and the check list's place in it, client pixels.
constexpr int kClientSize = 436;
constexpr int kChkBoxLeft = 264;
constexpr int kChkBoxTop = 136;
constexpr int kChkBoxWidth = 121;
constexpr int kChkBoxHeight = 73;
constexpr int kChkBoxId = 100;

constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

} // namespace

bool MainWindow::RegisterWindowClass(HINSTANCE instance) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kMainWindowClass;
    return ::RegisterClassExA(&windowClass) != 0;
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

    return ::CreateWindowExA(0, kMainWindowClass, kMainWindowCaption, kWindowStyle, left, top,
                             width, height, nullptr, nullptr, m_instance, this) != nullptr;
}

void MainWindow::Show(int showCommand) {
    ::ShowWindow(m_window, showCommand);
    ::UpdateWindow(m_window);
}

LRESULT CALLBACK MainWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    MainWindow* self = nullptr;
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        self = static_cast<MainWindow*>(create->lpCreateParams);
        self->m_window = window;
        ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<MainWindow*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
    }
    if (self == nullptr) {
        return ::DefWindowProcA(window, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        self->m_window = nullptr;
        return ::DefWindowProcA(window, message, wParam, lParam);
    }
    return self->HandleMessage(message, wParam, lParam);
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        m_chkBox = ::CreateWindowExA(
            WS_EX_CLIENTEDGE, "LISTBOX", "",
            WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | LBS_NOINTEGRALHEIGHT, kChkBoxLeft,
            kChkBoxTop, kChkBoxWidth, kChkBoxHeight, m_window,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kChkBoxId)), m_instance, nullptr);
        ::SendMessageA(m_chkBox, WM_SETFONT,
                       reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
        m_checkList = std::make_unique<ListBoxCheckList>(m_chkBox);
        // The timer runs from the start, so it still re-scans when the
        // creation sequence stops at an error.
        ::SetTimer(m_window, kTimerEnumId, kTimerEnumInterval, nullptr);
        RunWindowHandler(m_window, [this] { FormCreate(); });
        return 0;
    case WM_TIMER:
        if (wParam == kTimerEnumId) {
            RunWindowHandler(m_window, [this] { TimerEnumTimer(); });
        }
        return 0;
    case WM_CLOSE:
        ::DestroyWindow(m_window);
        return 0;
    case WM_DESTROY:
        ::KillTimer(m_window, kTimerEnumId);
        ::PostQuitMessage(0);
        return 0;
    default:
        return ::DefWindowProcA(m_window, message, wParam, lParam);
    }
}

IniFile MainWindow::OpenSelectionFile() {
    return IniFile(m_iniStore, LocationBesideExecutable(ExecutablePath(), kSelectionFileName));
}

void MainWindow::FormCreate() {
    HostTables& tables = MainTables();
    tables.FloatingWindows.Forget();
    tables.ScannedWindows.Forget();
    const std::string hostClass(kHostClass);
    if (::FindWindowA(hostClass.c_str(), nullptr) != nullptr) {
        FirstScan(tables, m_windows, OpenSelectionFile(), *m_checkList, true);
    }
}

void MainWindow::TimerEnumTimer() {
    RescanPalettes(MainTables(), m_windows, OpenSelectionFile(), *m_checkList);
}

} // namespace quillmere::win32

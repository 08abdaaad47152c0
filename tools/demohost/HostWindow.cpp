#include "HostWindow.h"

#include <string>

namespace demo {

namespace {

constexpr const char* kHostCaption = "Demo host";
constexpr const char* kOpenedCaption = "Opened";
constexpr const char* kRenamedCaption = "Renamed";
constexpr int kOpenedWidth = 200;  // screen pixels
constexpr int kOpenedHeight = 150; // screen pixels

} // namespace

HostWindow::~HostWindow() {
    m_palettes.clear();
    if (m_window != nullptr) {
        ::DestroyWindow(m_window);
    }
}

bool HostWindow::Register() noexcept {
    return RegisterWindowClass(kClassName, static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH)));
}

bool HostWindow::Create() {
    if (CreateFor(0, kClassName, kHostCaption, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, kHostLeft,
                  kHostTop, kHostRight - kHostLeft, kHostBottom - kHostTop, nullptr) == nullptr) {
        return false;
    }
    for (const DemoWindow& layout : kWindows) {
        if (!AddPalette(layout.WindowKind, layout.Caption, layout.Left, layout.Top, layout.Right,
                        layout.Bottom)) {
            return false;
        }
    }
    return true;
}

bool HostWindow::AddPalettesUpTo(int total) {
    int listed = 0;
    for (const DemoWindow& layout : kWindows) {
        listed += layout.WindowKind == Kind::Palette ? 1 : 0;
    }
    for (int i = 0; listed + i < total; ++i) {
        const int along = 40 + (i / 3 * 8) % 800;
        int left = 0;
        int top = along;
        switch (i % 3) {
        case 0: // nearest the left edge
            break;
        case 1: // nearest the right edge
            left = kScreenWidth - kOpenedWidth;
            break;
        default: // nearest the bottom
            left = 260 + along % 700;
            top = kWorkAreaHeight - kOpenedHeight;
            break;
        }
        const std::string caption = "Tool " + std::to_string(i + 1);
        if (!AddPalette(Kind::Palette, caption.c_str(), left, top, left + kOpenedWidth,
                        top + kOpenedHeight)) {
            return false;
        }
    }
    return true;
}

void HostWindow::ShowAll() noexcept {
    ::ShowWindow(m_window, SW_SHOWNORMAL);
    ::UpdateWindow(m_window);
    for (auto& palette : m_palettes) {
        palette->Show();
    }
}

bool HostWindow::AddPalette(Kind kind, const char* caption, int left, int top, int right,
                            int bottom) {
    auto palette = std::make_unique<PaletteWindow>(kind);
    if (!palette->Create(m_window, caption, left, top, right, bottom)) {
        return false;
    }
    m_palettes.push_back(std::move(palette));
    return true;
}

PaletteWindow* HostWindow::PaletteAt(WPARAM index) noexcept {
    if (index >= m_palettes.size()) {
        return nullptr;
    }
    return m_palettes[index].get();
}

void HostWindow::ClosePalette(WPARAM index) noexcept {
    if (PaletteAt(index) != nullptr) {
        // The slot stays, empty, so that later indices keep their meaning.
        m_palettes[index].reset();
    }
}

LRESULT HostWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case kMsgMinimise:
        ::ShowWindow(m_window, SW_MINIMIZE);
        return 0;
    case kMsgRestore:
        ::ShowWindow(m_window, SW_RESTORE);
        return 0;
    case kMsgOpenPalette: {
        // Screen pixels; negative positions arrive sign-extended.
        int left = static_cast<int>(static_cast<LONG_PTR>(wParam));
        int top = static_cast<int>(lParam);
        if (AddPalette(Kind::Palette, kOpenedCaption, left, top, left + kOpenedWidth,
                       top + kOpenedHeight)) {
            m_palettes.back()->Show();
        }
        return 0;
    }
    case kMsgClosePalette:
        ClosePalette(wParam);
        return 0;
    case kMsgRenamePalette:
        if (PaletteWindow* palette = PaletteAt(wParam)) {
            palette->Rename(kRenamedCaption);
        }
        return 0;
    case kMsgHang:
        // Stands for a host busy with a long operation: no message of this
        // thread, sent or posted, is answered meanwhile.
        ::Sleep(static_cast<DWORD>(wParam));
        return 0;
    case WM_SIZE:
        // Windows hides a minimised window's owned pop-ups and shows them again
        // on restore; Wine without a window manager leaves them up, so the demo
        // host does it itself. Pop-ups that were never shown stay hidden.
        if (wParam == SIZE_MINIMIZED) {
            ::ShowOwnedPopups(m_window, FALSE);
        } else if (wParam == SIZE_RESTORED || wParam == SIZE_MAXIMIZED) {
            ::ShowOwnedPopups(m_window, TRUE);
        }
        return Default(message, wParam, lParam);
    case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
    default:
        return Default(message, wParam, lParam);
    }
}

} // namespace demo

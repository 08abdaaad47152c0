#include "PaletteChildren.h"

#include "platform/win32/UniqueHandle.h"

namespace demo {

namespace {

constexpr COLORREF kPanelColour = RGB(232, 232, 228);
constexpr COLORREF kSwatchColours[] = {RGB(200, 60, 50), RGB(60, 150, 70), RGB(50, 90, 190),
                                       RGB(220, 180, 40), RGB(120, 120, 120)};
constexpr int kSwatchSize = 14;  // client pixels
constexpr int kSwatchMargin = 6; // client pixels

} // namespace

bool PaletteBody::Register() noexcept {
    return RegisterWindowClass(kClassName, nullptr);
}

bool PaletteBody::Create(HWND palette, int x, int y, int width, int height) noexcept {
    return CreateFor(0, kClassName, "", WS_CHILD | WS_VISIBLE, x, y, width, height, palette) !=
           nullptr;
}

LRESULT PaletteBody::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        Paint();
        return 0;
    case WM_ERASEBKGND:
        return 1; // WM_PAINT fills every pixel
    default:
        return Default(message, wParam, lParam);
    }
}

void PaletteBody::Paint() {
    quillmere::win32::PaintScope paint(m_window);
    RECT client{};
    ::GetClientRect(m_window, &client);
    quillmere::win32::UniqueBrush panel(::CreateSolidBrush(kPanelColour));
    ::FillRect(paint.Dc(), &client, panel.Get());

    // A row of colour swatches, so that a screenshot shows a palette's body.
    int x = kSwatchMargin;
    for (COLORREF colour : kSwatchColours) {
        if (x + kSwatchSize > client.right) {
            break;
        }
        RECT swatch{x, kSwatchMargin, x + kSwatchSize, kSwatchMargin + kSwatchSize};
        quillmere::win32::UniqueBrush brush(::CreateSolidBrush(colour));
        ::FillRect(paint.Dc(), &swatch, brush.Get());
        x += kSwatchSize + kSwatchMargin;
    }
}

bool ViewPanel::Register() noexcept {
    return RegisterWindowClass(kClassName, ::GetSysColorBrush(COLOR_BTNFACE));
}

bool ViewPanel::Create(HWND palette, int x, int y, int width, int height) noexcept {
    if (CreateFor(0, kClassName, "", WS_CHILD | WS_VISIBLE, x, y, width, height, palette) ==
        nullptr) {
        return false;
    }
    return ::CreateWindowExA(0, "Button", "OK", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 4, 4, 60, 22,
                             m_window, nullptr, ::GetModuleHandleA(nullptr), nullptr) != nullptr;
}

LRESULT ViewPanel::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return Default(message, wParam, lParam);
}

} // namespace demo

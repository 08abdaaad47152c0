#pragma once

#include <windows.h>

namespace quillmere::win32 {

// A rectangle of a window's layout at 96 DPI, in its client coordinates:
// left, top, width, height.
struct DesignBox {
    int Left;
    int Top;
    int Width;
    int Height;

    bool Contains(int x, int y) const {
        return x >= Left && x < Left + Width && y >= Top && y < Top + Height;
    }
};

// The layout is drawn up in pixels at 96 pixels per inch; a DpiScale turns
// those into physical pixels of the screen the program runs on (the program
// is system DPI aware, so one scale holds for all its windows). Palettes are
// never moved through it: they live in physical screen pixels already.
class DpiScale {
public:
    static constexpr int kDesignDpi = 96;

    explicit DpiScale(int dpi = kDesignDpi) : m_dpi(dpi > 0 ? dpi : kDesignDpi) {}

    // The system's pixels per inch, as the screen's device context reports it.
    static DpiScale ForSystem() noexcept {
        HDC screen = ::GetDC(nullptr);
        const int dpi = screen != nullptr ? ::GetDeviceCaps(screen, LOGPIXELSY) : kDesignDpi;
        if (screen != nullptr) {
            ::ReleaseDC(nullptr, screen);
        }
        return DpiScale(dpi);
    }

    int Dpi() const noexcept { return m_dpi; }

    // A length at 96 DPI in physical pixels, rounded to the nearest pixel.
    int operator()(int designPixels) const noexcept {
        return ::MulDiv(designPixels, m_dpi, kDesignDpi);
    }

    // A rectangle given as left, top, width, height at 96 DPI, in physical
    // pixels as left, top, right, bottom. Edges are scaled, not sizes, so
    // neighbouring rectangles stay neighbours.
    RECT Rect(int left, int top, int width, int height) const noexcept {
        return RECT{(*this)(left), (*this)(top), (*this)(left + width), (*this)(top + height)};
    }

    RECT Rect(const DesignBox& box) const noexcept {
        return Rect(box.Left, box.Top, box.Width, box.Height);
    }

private:
    int m_dpi;
};

} // namespace quillmere::win32

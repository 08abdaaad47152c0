#include "platform/win32/FlatPaint.h"

namespace quillmere::win32 {

namespace {

// The check square and the radio circle are laid out on a grid of 13 units,
// one pixel each at 96 DPI.
constexpr int kMarkGrid = 13;

int BlendChannel(int from, int to, int percent) {
    return from + (to - from) * percent / 100;
}

} // namespace

COLORREF Blend(COLORREF from, COLORREF to, int percent) noexcept {
    return RGB(BlendChannel(GetRValue(from), GetRValue(to), percent),
               BlendChannel(GetGValue(from), GetGValue(to), percent),
               BlendChannel(GetBValue(from), GetBValue(to), percent));
}

void FillSolid(HDC dc, const RECT& area, COLORREF colour) noexcept {
    ::SetDCBrushColor(dc, colour);
    ::FillRect(dc, &area, static_cast<HBRUSH>(::GetStockObject(DC_BRUSH)));
}

void FrameSolid(HDC dc, const RECT& area, COLORREF colour) noexcept {
    ::SetDCBrushColor(dc, colour);
    ::FrameRect(dc, &area, static_cast<HBRUSH>(::GetStockObject(DC_BRUSH)));
}

void DrawCheckSquare(HDC dc, const RECT& box, bool checked, COLORREF body) noexcept {
    FillSolid(dc, box, body);
    FrameSolid(dc, box, kFlatFrame);
    if (!checked) {
        return;
    }
    // The classic tick: seven columns three units tall, falling to the
    // fifth unit and rising again.
    const int size = box.right - box.left;
    auto at = [size](int units) { return ::MulDiv(units, size, kMarkGrid); };
    for (int column = 3; column <= 9; ++column) {
        const int top = column <= 5 ? column + 2 : 12 - column;
        const RECT stroke{box.left + at(column), box.top + at(top), box.left + at(column + 1),
                          box.top + at(top + 3)};
        FillSolid(dc, stroke, kFlatMark);
    }
}

void DrawRadioCircle(HDC dc, const RECT& box, bool checked, COLORREF body) noexcept {
    // GDI's Ellipse comes out as an octagon at this size, so the circle is
    // drawn pixel by pixel, each pixel blended from 4 x 4 samples of which
    // part (outside, frame, body or dot) they fall in: a smooth circle at
    // any scale, over whatever the device context already shows.
    constexpr int kSamples = 4;
    const double size = box.right - box.left;
    const double unit = size / kMarkGrid;
    const double outer = size / 2;
    const double body2 = (outer - unit) * (outer - unit);
    const double dot2 = checked ? (2.5 * unit) * (2.5 * unit) : -1;
    for (int y = 0; y < box.bottom - box.top; ++y) {
        for (int x = 0; x < box.right - box.left; ++x) {
            const COLORREF outside = ::GetPixel(dc, box.left + x, box.top + y);
            int red = 0;
            int green = 0;
            int blue = 0;
            for (int sample = 0; sample < kSamples * kSamples; ++sample) {
                const double dx = x + (sample % kSamples + 0.5) / kSamples - outer;
                const double dy = y + (sample / kSamples + 0.5) / kSamples - outer;
                const double distance2 = dx * dx + dy * dy;
                const COLORREF colour = distance2 > outer * outer ? outside
                                        : distance2 > body2       ? kFlatFrame
                                        : distance2 <= dot2       ? kFlatMark
                                                                  : body;
                red += GetRValue(colour);
                green += GetGValue(colour);
                blue += GetBValue(colour);
            }
            constexpr int kCount = kSamples * kSamples;
            ::SetPixelV(dc, box.left + x, box.top + y,
                        RGB(red / kCount, green / kCount, blue / kCount));
        }
    }
}

BufferedPaint::BufferedPaint(HWND window) noexcept : m_paint(window) {
    ::GetClientRect(window, &m_client);
    m_memory.Reset(::CreateCompatibleDC(m_paint.Dc()));
    m_bitmap.Reset(::CreateCompatibleBitmap(m_paint.Dc(), m_client.right, m_client.bottom));
    if (!m_memory || !m_bitmap) {
        m_memory.Reset();
        return;
    }
    m_previousBitmap = ::SelectObject(m_memory.Get(), m_bitmap.Get());
}

BufferedPaint::~BufferedPaint() {
    if (!m_memory) {
        return;
    }
    ::BitBlt(m_paint.Dc(), 0, 0, m_client.right, m_client.bottom, m_memory.Get(), 0, 0, SRCCOPY);
    ::SelectObject(m_memory.Get(), m_previousBitmap);
}

} // namespace quillmere::win32

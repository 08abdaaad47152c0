#pragma once

// Drawing shared by the flat widgets (FlatControl, the palette check list and
// FlatHint): their common colours, the check square and radio circle, and the
// double buffer they paint through. Rectangles are client pixels of the
// device context's window.

#include "platform/win32/UniqueHandle.h"

#include <windows.h>

namespace quillmere::win32 {

// Steel blue: the main window's background and the hint's arrow area.
inline constexpr COLORREF kFlatAccent = RGB(98, 138, 178);
// The 1-pixel frame of check squares, radio circles, the check list and the hint.
inline constexpr COLORREF kFlatFrame = RGB(44, 62, 80);
// The tick and the dot.
inline constexpr COLORREF kFlatMark = RGB(24, 34, 44);
// A light button face and the About window's background.
inline constexpr COLORREF kFlatLightFace = RGB(221, 221, 221);

// `from` moved `percent` of the way towards `to`, per channel.
COLORREF Blend(COLORREF from, COLORREF to, int percent) noexcept;

void FillSolid(HDC dc, const RECT& area, COLORREF colour) noexcept;
// A 1-pixel frame just inside `area`.
void FrameSolid(HDC dc, const RECT& area, COLORREF colour) noexcept;

// A flat check box square filling `box` (13 pixels at 96 DPI), with its tick
// scaled to the square's size when checked.
void DrawCheckSquare(HDC dc, const RECT& box, bool checked, COLORREF body) noexcept;
// A flat, smoothed radio circle filling `box`, with its dot when checked;
// the corners keep what the device context shows there.
void DrawRadioCircle(HDC dc, const RECT& box, bool checked, COLORREF body) noexcept;

// BeginPaint/EndPaint with a memory bitmap of the whole client area in
// between: draw on Dc(), and the destructor copies the picture to the window
// in one blit, so nothing flickers.
class BufferedPaint {
public:
    explicit BufferedPaint(HWND window) noexcept;
    ~BufferedPaint();
    BufferedPaint(const BufferedPaint&) = delete;
    BufferedPaint& operator=(const BufferedPaint&) = delete;

    // The memory DC, or the window's own when no bitmap could be made.
    HDC Dc() const noexcept { return m_memory ? m_memory.Get() : m_paint.Dc(); }
    const RECT& Client() const noexcept { return m_client; }

private:
    PaintScope m_paint;
    RECT m_client{};
    UniqueMemoryDC m_memory;
    UniqueBitmap m_bitmap;
    HGDIOBJ m_previousBitmap = nullptr;
};

} // namespace quillmere::win32

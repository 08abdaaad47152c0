#pragma once

// The child windows inside a demo palette. Their classes are the demo host's
// own, never "Button", so that the palette test sees them only where the
// layout asks for it.

#include "platform/win32/WindowBase.h"

namespace demo {

using quillmere::win32::WindowBase;

// The light panel under a palette's title strip: what WindowFromPoint finds
// when the pointer is over a palette.
class PaletteBody : public WindowBase<PaletteBody> {
public:
    static constexpr const char* kClassName = "DemoPaletteBody";

    static bool Register() noexcept;
    // Client pixels of the palette.
    bool Create(HWND palette, int x, int y, int width, int height) noexcept;

private:
    friend class WindowBase<PaletteBody>;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void Paint();
};

// A "PSViewC" child with a "Button" child of its own, as in the host's
// dialog-like floating windows.
class ViewPanel : public WindowBase<ViewPanel> {
public:
    static constexpr const char* kClassName = "PSViewC";

    static bool Register() noexcept;
    // Client pixels of the palette.
    bool Create(HWND palette, int x, int y, int width, int height) noexcept;

private:
    friend class WindowBase<ViewPanel>;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
};

} // namespace demo

#pragma once

// One floating window of the demo host: class "PSFloatC", a borderless-caption
// tool window owned by the host's main window, painted as a light panel under
// a dark title strip that shows its caption. Its kind decides the extra style
// bit or child that the palette test must reject it for.

#include "DemoLayout.h"
#include "PaletteChildren.h"
#include "platform/win32/WindowBase.h"

#include <memory>

namespace demo {

using quillmere::win32::WindowBase;

class PaletteWindow : public WindowBase<PaletteWindow> {
public:
    static constexpr const char* kClassName = "PSFloatC";

    explicit PaletteWindow(Kind kind) noexcept : m_kind(kind) {}
    ~PaletteWindow();

    static bool Register() noexcept;

    // The rectangle is in screen pixels, right/bottom exclusive; it may lie
    // partly or wholly off the screen. The window starts hidden.
    bool Create(HWND owner, const char* caption, int left, int top, int right, int bottom) noexcept;
    // Shows the window without activating it, unless its kind is Invisible.
    void Show() noexcept;
    void Rename(const char* caption) noexcept;
    void Close() noexcept;

private:
    friend class WindowBase<PaletteWindow>;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    bool CreateChildren();
    void PaintTitleStrip();

    Kind m_kind;
    std::unique_ptr<PaletteBody> m_body;
    std::unique_ptr<ViewPanel> m_view;
};

} // namespace demo

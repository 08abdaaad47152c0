#pragma once

// The demo host's main window, class "Photoshop", and the floating windows it
// owns. Test programs steer it with the kMsg* commands of DemoLayout.h posted
// to this window.

#include "DemoLayout.h"
#include "PaletteWindow.h"
#include "platform/win32/WindowBase.h"

#include <memory>
#include <vector>

namespace demo {

using quillmere::win32::WindowBase;

class HostWindow : public WindowBase<HostWindow> {
public:
    static constexpr const char* kClassName = "Photoshop";

    HostWindow() = default;
    ~HostWindow();

    static bool Register() noexcept;

    // Creates the main window at the layout's host rectangle and every window
    // of kWindows, all hidden.
    bool Create();
    // More palettes after the layout's, captioned "Tool 1", "Tool 2", ..., spread
    // along the left, right and bottom edges, so that the host shows `total`
    // palettes in all (never fewer than the layout's).
    bool AddPalettesUpTo(int total);
    void ShowAll() noexcept;

private:
    friend class WindowBase<HostWindow>;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // A new palette gets the next index after the layout's windows.
    bool AddPalette(Kind kind, const char* caption, int left, int top, int right, int bottom);
    PaletteWindow* PaletteAt(WPARAM index) noexcept;
    void ClosePalette(WPARAM index) noexcept;

    std::vector<std::unique_ptr<PaletteWindow>> m_palettes;
};

} // namespace demo

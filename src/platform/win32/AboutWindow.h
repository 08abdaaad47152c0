#pragma once

#include "app/EventFunnel.h"
#include "app/UnitAbout.h"
#include "platform/win32/DpiScale.h"
#include "platform/win32/ErrorBox.h"
#include "platform/win32/FlatControl.h"
#include "platform/win32/UniqueHandle.h"
#include "platform/win32/Win32ShellLauncher.h"
#include "platform/win32/WindowBase.h"

#include <windows.h>

#include <optional>

namespace quillmere::win32 {

inline constexpr const char* kAboutWindowClass = "TFrmAbout";
inline constexpr const char* kAboutWindowCaption = "About Quillmere";

// The window that shows the About form (TFrmAbout): a fixed dialog frame with
// the application icon, the product's name and version, the two links as
// plain text under the hand pointer, and the flat "Ok" button.
class AboutWindow : public WindowBase<AboutWindow> {
public:
    static bool RegisterWindowClass();

    // Shows the About window owned by `owner` (may be null), centred on the
    // owner's window and kept on its screen's work area, and returns once it
    // is closed: by "Ok", Enter, Esc or the caption's close button, all alike.
    // The owner takes no input meanwhile and is active again afterwards. The
    // loop dispatches every other window's messages, so their timers go on;
    // a WM_QUIT ends it and is posted again for the caller's loop.
    // Its events run through the main window's funnel.
    static void ShowModal(HWND owner, const DpiScale& scale, EventFunnel& funnel);

    ~AboutWindow();

private:
    friend class WindowBase<AboutWindow>;
    using Handler = void (TFrmAbout::*)();

    AboutWindow(const DpiScale& scale, EventFunnel& funnel) : m_scale(scale), m_funnel(funnel) {}
    bool Create(HWND owner);
    void CreateControls();
    void RunModalLoop();
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void Paint();
    // The handler of the link under a point in client pixels; null when none.
    Handler LinkAt(POINT point) const;
    DpiScale m_scale;
    EventFunnel& m_funnel;
    UniqueFont m_font;
    UniqueBrush m_background;
    UniqueIcon m_icon;
    std::optional<Win32ShellLauncher> m_shell;
    std::optional<TFrmAbout> m_form;
    FlatControl m_btnOK;
    // The link the left button went down on; a release on the same link clicks it.
    Handler m_pressedLink = nullptr;
    bool m_closed = false;
};

} // namespace quillmere::win32

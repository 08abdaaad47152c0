#pragma once

#include <cstdint>

namespace quillmere {

enum class MouseButton { Left, Right, Middle };

// What the main form asks of the windows that show it: its own round window
// and the invisible application window that owns every window of ours and
// carries the taskbar entry. Results are never checked.
class FormWindows {
public:
    virtual ~FormWindows() = default;

    // The window's region: the ellipse (0, 0)-(430, 430) in window
    // coordinates at 96 DPI, redrawn at once.
    virtual void SetRoundRegion() = 0;
    // Fills the notification-icon record; the icon is not added.
    virtual void FillTrayIconData() = 0;
    // The application window's topmost state; the windows it owns follow.
    virtual void SetApplicationTopmost(bool topmost) = 0;
    // Releases the mouse capture and starts the window system's move loop
    // for the main window, which follows the pointer until the button is up.
    virtual void BeginDragMove() = 0;
    // The About window, owned by the main window and centred on it; returns
    // when it has closed.
    virtual void ShowAboutModal() = 0;
};

// What the form asks of the windows when it goes to the notification area
// and comes back.
class TrayWindows {
public:
    virtual ~TrayWindows() = default;

    // Adds or deletes the notification-area icon of the filled record. Adding
    // is false when the shell refused the icon (it may, before it is ready).
    virtual bool AddTrayIcon() = 0;
    virtual void DeleteTrayIcon() = 0;
    virtual void ShowMainWindow(bool shown) = 0;
    virtual void ShowApplicationWindow(bool shown) = 0;
    // Sets or clears the tool-window bit of the application window's
    // extended style, keeping every other bit: with it set the program has
    // no taskbar entry.
    virtual void SetApplicationToolWindow(bool toolWindow) = 0;
    virtual void BringMainWindowToForeground() = 0;
    // The pop-up menu with its top-left corner at the pointer; the chosen
    // item's handler runs after it has closed.
    virtual void PopUpMenuAtPointer() = 0;
    // Asks the main window to close: the close query runs as for any close.
    virtual void CloseMainWindow() = 0;
};

// The mouse messages that the notification-area icon reports.
inline constexpr std::uint32_t kIconLeftDoubleClick = 0x0203;
inline constexpr std::uint32_t kIconRightButtonDown = 0x0204;

} // namespace quillmere

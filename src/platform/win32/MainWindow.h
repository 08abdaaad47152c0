#pragma once

#include "app/DelayMenu.h"
#include "app/EventFunnel.h"
#include "app/FormWindows.h"
#include "app/UnitMain.h"
#include "autohide/PaletteRescue.h"
#include "platform/win32/AnimatedPicture.h"
#include "platform/win32/ApplicationWindow.h"
#include "platform/win32/CheckListBox.h"
#include "platform/win32/DpiScale.h"
#include "platform/win32/ErrorBox.h"
#include "platform/win32/FlatControl.h"
#include "platform/win32/FlatHint.h"
#include "platform/win32/MainWindowLayout.h"
#include "platform/win32/UniqueHandle.h"
#include "platform/win32/Win32HostWindowSystem.h"
#include "platform/win32/Win32IllustrationLoader.h"
#include "platform/win32/Win32IniStore.h"
#include "platform/win32/Win32ShellLauncher.h"
#include "platform/win32/Win32StartupRegistry.h"
#include "platform/win32/WindowBase.h"

#include <shellapi.h>
#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace quillmere::win32 {

inline constexpr const char* kMainWindowClass = "TFrmMain";
inline constexpr const char* kMainWindowCaption = "Quillmere ";
// The notification-area icon's callback message: WM_USER + 1000.
inline constexpr UINT kTrayCallbackMessage = WM_USER + 1000;
// Registered message a second copy sends to the main window of the first.
inline constexpr const char* kShowRunningCopyMessage = "Quillmere.ShowRunningCopy";
// The face of the main window's buttons, and behind its check and radio marks.
inline constexpr COLORREF kButtonFace = RGB(221, 221, 221);

// The round main window that shows the main form (TFrmMain). It paints the
// header, the labels and the connector lines itself, creates the controls
// that take input with one call each, runs the form's creation sequence
// while it is created, and runs every event of the form through the one
// EventFunnel, which it makes once it has a window to own the error box and
// hands to the About window. It also carries out what the form asks of its
// windows.
class MainWindow final : public WindowBase<MainWindow>, private FormWindows, private TrayWindows {
public:
    // The window is owned by `application`; rescue gets the table after
    // every event, for the fault guard.
    MainWindow(HINSTANCE instance, ApplicationWindow& application, PaletteRescue& rescue);
    ~MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Creates the window, hidden and centred on the desktop; the creation
    // sequence runs inside. False when the window system refuses.
    bool Create();
    // Shows the window with the keyboard focus on "Start with Windows".
    void Show();

private:
    friend class WindowBase<MainWindow>;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    // FormWindows
    void SetRoundRegion() override;
    void FillTrayIconData() override;
    void SetApplicationTopmost(bool topmost) override;
    void BeginDragMove() override;
    void ShowAboutModal() override;
    // TrayWindows
    bool AddTrayIcon() override;
    void DeleteTrayIcon() override;
    void ShowMainWindow(bool shown) override;
    void ShowApplicationWindow(bool shown) override;
    void SetApplicationToolWindow(bool toolWindow) override;
    void BringMainWindowToForeground() override;
    void PopUpMenuAtPointer() override;
    void CloseMainWindow() override;

    void CreateControls();
    // The controls' look on the window's background, with a button face.
    FlatLook Look(COLORREF face) const;
    // One call a control: creates it at its place in the 96-DPI layout, binds
    // it to its model and routes its click through the funnel.
    template <typename Model>
    HWND Add(Model& model, const layout::Box& box, COLORREF face = kButtonFace);
    void Paint();
    void PaintLabel(HDC dc, const layout::PaintedLabel& label) const;
    void OnMouseDown(MouseButton button, LPARAM point);
    void CreatePopupMenu();

    HINSTANCE m_instance;
    ApplicationWindow& m_application;
    PaletteRescue& m_rescue;
    DpiScale m_scale;
    UniqueFont m_windowFont;
    UniqueFont m_headerFont;
    UniqueBrush m_background;
    HICON m_icon = nullptr;
    UniqueMenu m_popupMenu;
    // The handler of each menu command, by command id from kFirstMenuId.
    std::vector<void (TFrmMain::*)()> m_menuClicks;
    // A submenu that offers delays ("Reveal delay", "Hide delay"); the
    // pop-up menu owns its menu. Filled afresh from the delay in force each
    // time the pop-up menu opens.
    struct DelaySubmenu {
        HMENU Menu = nullptr;
        UINT FirstId = 0;
        std::uint32_t AutoHideDelays::*Delay = nullptr;
        void (TFrmMain::*Choose)(std::uint32_t) = nullptr;
        std::vector<DelayChoice> Choices;

        void Fill(std::uint32_t inForceMs);
        // The delay of the item with that command id, if it is one of these.
        std::optional<std::uint32_t> Chosen(UINT id) const;
    };
    std::vector<DelaySubmenu> m_delayMenus;
    NOTIFYICONDATAA m_trayIconData{};
    UINT m_taskbarCreated = 0;
    UINT m_showRunningCopy = 0;

    Win32HostWindowSystem m_windows;
    Win32IniStore m_iniStore;
    Win32StartupRegistry m_startup;
    std::unique_ptr<Win32ShellLauncher> m_shell;
    std::unique_ptr<MessageBoxErrorReporter> m_errors;
    std::optional<EventFunnel> m_funnel;
    std::unique_ptr<MessageBoxInformation> m_information;
    std::unique_ptr<Win32IllustrationLoader> m_illustrations;
    AnimatedPicture m_img;
    std::vector<std::unique_ptr<FlatControl>> m_controls;
    CheckListBox m_chkBox;
    HWND m_chkStart = nullptr;
    // The control that has the keyboard focus while the window is active.
    HWND m_lastFocus = nullptr;
    FlatHint m_chkBoxHint;
    std::unique_ptr<TFrmMain> m_form;
};

} // namespace quillmere::win32

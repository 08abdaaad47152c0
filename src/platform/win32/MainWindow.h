#pragma once

#include "app/UnitMain.h"
#include "autohide/PaletteRescue.h"
#include "platform/win32/AnimatedPicture.h"
#include "platform/win32/ErrorBox.h"
#include "platform/win32/Win32HostWindowSystem.h"
#include "platform/win32/Win32IllustrationLoader.h"
#include "platform/win32/Win32IniStore.h"
#include "platform/win32/Win32StartupRegistry.h"
#include "platform/win32/WindowBase.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

namespace quillmere::win32 {

inline constexpr const char* kMainWindowClass = "TFrmMain";
inline constexpr const char* kMainWindowCaption = "Quillmere ";

// The window that shows the main form (TFrmMain): it creates the controls,
// binds them to the form's models, runs the form's creation sequence while it
// is created, and turns clicks and timer ticks into the form's events.
class MainWindow : public WindowBase<MainWindow> {
public:
    static bool RegisterWindowClass();

    // rescue gets the table after every event, for the fault guard.
    MainWindow(HINSTANCE instance, PaletteRescue& rescue)
        : m_instance(instance), m_rescue(rescue) {}
    ~MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Creates the window; the creation sequence runs inside. False when the
    // window system refuses.
    bool Create();

    void Show(int showCommand);

private:
    friend class WindowBase<MainWindow>;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    void CreateControls();
    void OnCommand(int id, int notification);
    // Runs the form's close query; true when the window may close.
    bool MayClose() noexcept;
    // Runs a form event through the form's error funnel. Nothing may unwind
    // through the window procedure, so a defect's exception stops here too.
    template <typename Event> void Run(const Event& event) noexcept {
        // A fault is bringing the palettes back and the process is ending.
        if (m_rescue.BroughtBack()) {
            return;
        }
        RunWindowHandler(m_window, [&] { m_form->RunEvent(event); });
        m_rescue.Update(MainTables().FloatingWindows);
    }

    HINSTANCE m_instance;
    PaletteRescue& m_rescue;
    Win32HostWindowSystem m_windows;
    Win32IniStore m_iniStore;
    Win32StartupRegistry m_startup;
    AnimatedPicture m_img;
    std::function<void(int)> m_toggleChkBoxEntry;
    std::unique_ptr<MessageBoxErrorReporter> m_errors;
    std::unique_ptr<MessageBoxInformation> m_information;
    std::unique_ptr<Win32IllustrationLoader> m_illustrations;
    std::unique_ptr<TFrmMain> m_form;
};

} // namespace quillmere::win32

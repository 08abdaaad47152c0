#pragma once

#include "host/PaletteTable.h"
#include "platform/win32/ListBoxCheckList.h"
#include "platform/win32/Win32HostWindowSystem.h"
#include "platform/win32/Win32IniStore.h"
#include "settings/IniFile.h"

#include <windows.h>

#include <memory>

namespace quillmere::win32 {

inline constexpr const char* kMainWindowClass = "TFrmMain";
inline constexpr const char* kMainWindowCaption = "Quillmere ";

// The main window (TFrmMain): for now the list of the host's palettes, kept
// in step with the host by the 2000 ms re-scan timer.
class MainWindow {
public:
    static bool RegisterWindowClass(HINSTANCE instance);

    explicit MainWindow(HINSTANCE instance) : m_instance(instance) {}
    ~MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Creates the window; its creation sequence runs inside. False when the
    // window system refuses.
    bool Create();

    HWND Handle() const { return m_window; }
    void Show(int showCommand);

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    void FormCreate();
    void TimerEnumTimer();
    IniFile OpenSelectionFile();

    HINSTANCE m_instance;
    HWND m_window = nullptr;
    HWND m_chkBox = nullptr;
    std::unique_ptr<ListBoxCheckList> m_checkList;
    Win32HostWindowSystem m_windows;
    Win32IniStore m_iniStore;
};

} // namespace quillmere::win32

#include "autohide/PaletteRescue.h"
#include "platform/win32/FaultGuard.h"
#include "platform/win32/MainWindow.h"
#include "platform/win32/Win32HostWindowSystem.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    using quillmere::win32::MainWindow;
    // Static: the fault guard may read them until the very end of the process.
    static quillmere::PaletteRescue rescue;
    static quillmere::win32::Win32HostWindowSystem rescueWindows;
    quillmere::win32::InstallFaultGuard(rescue, rescueWindows);

    if (!MainWindow::RegisterWindowClass()) {
        return 1;
    }
    MainWindow mainWindow(instance, rescue);
    if (!mainWindow.Create()) {
        return 1;
    }
    mainWindow.Show(showCommand);

    MSG message{};
    while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

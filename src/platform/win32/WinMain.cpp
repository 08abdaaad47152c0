#include "platform/win32/MainWindow.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    using quillmere::win32::MainWindow;
    if (!MainWindow::RegisterWindowClass()) {
        return 1;
    }
    MainWindow mainWindow(instance);
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

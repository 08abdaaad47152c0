// Puts the running quillmere.exe into the notification area the way its user
// does, for scripts/measure-idle.sh: waits for the main window (top-level,
// class "TFrmMain"), posts BM_CLICK to its flat button captioned "OK", then
// waits until the main window and the taskbar window "TApplication" are hidden
// and Wine's standalone tray shows an icon. Meant for Wine without a tray
// manager on its display, where notification icons are child windows of
// winex11.drv's "__winex11_standalone_tray" window.
//
// usage: pressok.exe   exit status 0 when hidden with an icon, 1 otherwise

#include <windows.h>

#include <cstdio>

namespace {

constexpr DWORD kWaitMs = 15000;
constexpr DWORD kPollMs = 100;

bool WaitFor(bool (*done)()) {
    for (DWORD waited = 0; waited < kWaitMs; waited += kPollMs) {
        if (done()) {
            return true;
        }
        ::Sleep(kPollMs);
    }
    return done();
}

HWND MainWindow() {
    return ::FindWindowA("TFrmMain", nullptr);
}

HWND OkButton() {
    return ::FindWindowExA(MainWindow(), nullptr, "QuillmereFlat", "OK");
}

bool TrayIconShown() {
    const HWND tray = ::FindWindowA("__winex11_standalone_tray", nullptr);
    if (tray == nullptr || !::IsWindowVisible(tray)) {
        return false;
    }
    for (HWND icon = nullptr;
         (icon = ::FindWindowExA(tray, icon, "__winex11_tray_icon", nullptr)) != nullptr;) {
        if (::IsWindowVisible(icon)) {
            return true;
        }
    }
    return false;
}

bool InTray() {
    return !::IsWindowVisible(MainWindow()) &&
           !::IsWindowVisible(::FindWindowA("TApplication", nullptr)) && TrayIconShown();
}

} // namespace

int main() {
    if (!WaitFor([] { return ::IsWindowVisible(OkButton()) != FALSE; })) {
        std::fprintf(stderr, "pressok: no shown \"OK\" button of a TFrmMain window\n");
        return 1;
    }
    ::PostMessageA(OkButton(), BM_CLICK, 0, 0);
    if (!WaitFor(&InTray)) {
        std::fprintf(stderr, "pressok: after \"OK\" the main window is %s and %s\n",
                     ::IsWindowVisible(MainWindow()) ? "shown" : "hidden",
                     TrayIconShown() ? "an icon is shown" : "no icon is shown");
        return 1;
    }
    return 0;
}

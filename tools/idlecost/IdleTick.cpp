// A yardstick for quillmere.exe's cost while nothing moves: every 100 ms it
// makes only the calls a pointer tick must make - the settings read, the
// pointer, the window under it and the climb to a palette, then one rectangle
// read and, unless --skip finds the palette already in place, one move per
// palette to its slid-out position. The palettes are found once at start by
// quillmere.exe's own palette test, so that both programs look after the same
// windows, and each keeps the edge it was given then. Runs until it is killed.
//
// usage: idletick.exe [--skip]

#include "host/EdgeGeometry.h"
#include "host/PaletteTest.h"
#include "platform/win32/Win32HostWindowSystem.h"

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr UINT kTickMs = 100;

struct Palette {
    HWND Window;
    quillmere::ScreenEdge Edge;
};

quillmere::win32::Win32HostWindowSystem g_windows;
quillmere::PaletteTestContext g_testContext;
std::vector<Palette> g_palettes;
std::string g_settingsPath;
bool g_skip = false;

bool IsPaletteClass(HWND window) {
    char name[255] = {};
    ::GetClassNameA(window, name, sizeof(name));
    return std::strcmp(name, "PSFloatC") == 0;
}

quillmere::ScreenRect RectOf(HWND window) {
    RECT rect{};
    ::GetWindowRect(window, &rect);
    return {rect.left, rect.top, rect.right, rect.bottom};
}

BOOL CALLBACK CollectPalette(HWND window, LPARAM) {
    const auto handle = reinterpret_cast<quillmere::WindowHandle>(window);
    if (quillmere::TestPalette(g_windows, handle, g_testContext).Verdict ==
        quillmere::PaletteVerdict::Palette) {
        RECT workArea{};
        ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
        const quillmere::EdgeChoice choice = quillmere::ChooseEdge(
            RectOf(window), ::GetSystemMetrics(SM_CXSCREEN), workArea.bottom - workArea.top);
        g_palettes.push_back({window, choice.Edge});
    }
    return TRUE;
}

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    char mode[2048] = {};
    ::GetPrivateProfileStringA("Info", "FWoption", "Together", mode, sizeof(mode),
                               g_settingsPath.c_str());
    POINT pointer{};
    ::GetCursorPos(&pointer);
    for (HWND window = ::WindowFromPoint(pointer); window != nullptr && !IsPaletteClass(window);
         window = ::GetParent(window)) {
    }
    RECT workArea{};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
    const int screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
    for (const Palette& palette : g_palettes) {
        const quillmere::ScreenRect current = RectOf(palette.Window);
        const quillmere::ScreenPoint to = quillmere::HiddenOrigin(
            palette.Edge, current, screenWidth, workArea.bottom - workArea.top);
        if (g_skip && to.X == current.Left && to.Y == current.Top) {
            continue;
        }
        ::SetWindowPos(palette.Window, nullptr, to.X, to.Y, current.Width(), current.Height(),
                       SWP_NOZORDER | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS);
    }
}

} // namespace

int main(int argc, char** argv) {
    g_skip = argc > 1 && std::strcmp(argv[1], "--skip") == 0;
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    g_settingsPath = path;
    g_settingsPath.erase(g_settingsPath.find_last_of('\\') + 1);
    g_settingsPath += "ZC.reg";

    const HWND host = ::FindWindowA("Photoshop", nullptr);
    g_testContext.HostWidth = RectOf(host).Width();
    ::EnumWindows(&CollectPalette, 0);
    ::SetTimer(nullptr, 0, kTickMs, &Tick);
    MSG message{};
    while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
        ::DispatchMessageA(&message);
    }
    return 0;
}

// End-to-end probe of one copy at a time: with quillmere.exe hidden in the
// notification area over the demo host's slid-out palettes, a second start of
// the same program ends by itself with status 0, shows no window of its own,
// moves no palette, and brings the first copy's main window and taskbar
// window back and to the front. Positions are window rectangles in screen
// pixels. Prints one line per check and, last, "PASS" or "FAIL".

#include "AppProcess.h"
#include "DemoDesktop.h"

#include <windows.h>

#include <string>
#include <vector>

namespace {

using namespace probe;

constexpr DWORD kSettleMs = 3000;
// A point over the host's document area: no palette there, so ticked
// palettes stay slid out.
constexpr POINT kOverHost{640, 512};

std::vector<ScreenRect> RectsOf(const std::vector<Found>& palettes) {
    std::vector<ScreenRect> rects;
    for (const Found& palette : palettes) {
        rects.push_back(RectOf(palette.Window));
    }
    return rects;
}

} // namespace

int main() {
    std::vector<Found> found;
    if (!WaitForDemoHost(found)) {
        return Verdict();
    }
    const std::vector<Found> palettes = PalettesOf(found);
    const AppFolder folder("quillmere e2e single copy");
    folder.CopyProgramAfresh({"Options.ini", "ZC.reg"});
    ::SetCursorPos(kOverHost.x, kOverHost.y);

    RunningApp first;
    Check(first.Start(folder.Program(), folder.Directory()) && first.MainWindow() != nullptr,
          "the first copy shows its main window");
    const HWND main = first.MainWindow();
    const HWND application = first.TopLevel("TApplication");
    Check(WaitUntil([&] { return AllTickedHidden(palettes, "(none)"); }, kSettleMs),
          "the first copy slides every palette out (now " + DescribeNow(palettes) + ")");
    ::PostMessageA(::FindWindowExA(main, nullptr, nullptr, "OK"), BM_CLICK, 0, 0);
    Check(WaitUntil([&] { return !::IsWindowVisible(main) && !::IsWindowVisible(application); },
                    kSettleMs),
          "\"OK\" hides the first copy's windows");
    const std::vector<ScreenRect> before = RectsOf(palettes);

    RunningApp second;
    Check(second.Start(folder.Program(), folder.Directory(), 0), "started a second copy");
    DWORD exitCode = 1;
    const bool ended = second.WaitForExit(kAppWaitMs, exitCode);
    Check(ended && exitCode == 0, Format("the second copy ends by itself with status 0 (ended %d, "
                                         "status %lu)",
                                         ended ? 1 : 0, static_cast<unsigned long>(exitCode)));
    Check(second.TopLevel(kAppMainClass) == nullptr, "the second copy made no main window");

    Check(WaitUntil([&] { return ::IsWindowVisible(main) && ::IsWindowVisible(application); },
                    kSettleMs),
          "the first copy's main window and taskbar window are shown again");
    Check(WaitUntil([&] { return ::GetForegroundWindow() == main; }, kSettleMs),
          "the first copy's main window is at the front");
    Check(RectsOf(palettes) == before, "no palette moved (now " + DescribeNow(palettes) + ")");

    ::PostMessageA(main, WM_CLOSE, 0, 0);
    Check(first.WaitForExit(kExitWaitMs, exitCode) && exitCode == 0,
          "the first copy ends on WM_CLOSE with status 0");
    return Verdict();
}

// two_monitors_probe.exe <right|left|below> <folder>: quillmere.exe beside the
// demo host on a desktop of two 1280 x 1024 monitors, the second placed as
// named. Two palettes are opened on monitor 2; the probe checks that they
// hide across monitor 2's outer edges and come back from their strips there,
// that with the pointer at rest no palette moves more than once, that "Exit"
// brings every palette back on its own monitor, and that after monitor 2 is
// turned off while its palettes are hidden every palette shows at least its
// strip. For the last step it writes <folder>/remove-now and waits for the
// driver (tests/e2e/two-monitors.sh) to answer with <folder>/removed.

#include "AppProcess.h"
#include "DemoDesktop.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <map>

using namespace probe;

namespace {

constexpr DWORD kRestMs = 2000;
constexpr DWORD kSampleMs = 20;
constexpr DWORD kRemovalWaitMs = 20000;
constexpr POINT kOverHost{640, 500};

// A palette opened on monitor 2 and where it must stand.
struct Opened {
    POINT At;     // where the demo host opens it (200 x 150)
    POINT Hidden; // slid out across monitor 2's outer edge
    POINT Shown;  // slid in, flush against that edge
    POINT Strip;  // a point on its strip while it is slid out
};

struct Layout {
    const char* Name;
    RECT Second;
    Opened Palettes[2];
};

// Windows coordinates; the primary is (0,0)-(1280,1024).
constexpr Layout kLayouts[] = {
    {"right",
     {1280, 0, 2560, 1024},
     {{{2340, 200}, {2550, 200}, {2360, 200}, {2555, 275}},
      {{1700, 864}, {1700, 1014}, {1700, 874}, {1800, 1019}}}},
    {"left",
     {-1280, 0, 0, 1024},
     {{{-1260, 200}, {-1470, 200}, {-1280, 200}, {-1275, 275}},
      {{-700, 864}, {-700, 1014}, {-700, 874}, {-600, 1019}}}},
    {"below",
     {0, 1024, 1280, 2048},
     {{{500, 1888}, {500, 2038}, {500, 1898}, {600, 2043}},
      {{1060, 1300}, {1270, 1300}, {1080, 1300}, {1275, 1375}}}},
};

std::vector<RECT> Monitors() {
    std::vector<RECT> monitors;
    ::EnumDisplayMonitors(
        nullptr, nullptr,
        [](HMONITOR monitor, HDC, LPRECT, LPARAM state) -> BOOL {
            MONITORINFO info{};
            info.cbSize = sizeof(info);
            ::GetMonitorInfoA(monitor, &info);
            reinterpret_cast<std::vector<RECT>*>(state)->push_back(info.rcMonitor);
            std::printf("     monitor (%ld,%ld)-(%ld,%ld) work (%ld,%ld)-(%ld,%ld)\n",
                        info.rcMonitor.left, info.rcMonitor.top, info.rcMonitor.right,
                        info.rcMonitor.bottom, info.rcWork.left, info.rcWork.top, info.rcWork.right,
                        info.rcWork.bottom);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&monitors));
    return monitors;
}

bool At(HWND window, POINT origin) {
    const ScreenRect now = RectOf(window);
    return now.Left == origin.x && now.Top == origin.y;
}

// At least a 10 x 10 piece of the window lies on one monitor.
bool ShowsItsStrip(HWND window, const std::vector<RECT>& monitors) {
    const ScreenRect r = RectOf(window);
    for (const RECT& m : monitors) {
        const LONG wide = std::min<LONG>(r.Right, m.right) - std::max<LONG>(r.Left, m.left);
        const LONG high = std::min<LONG>(r.Bottom, m.bottom) - std::max<LONG>(r.Top, m.top);
        if (wide >= 10 && high >= 10) {
            return true;
        }
    }
    return false;
}

std::vector<HWND> AllPalettes() {
    return TopLevelWindowsOfClass(quillmere::kPaletteClass.data());
}

// With the pointer held at `where`, every palette's rectangle sampled every
// 20 ms for 2 s: none may change more than once.
void CheckAtRest(POINT where, const char* what) {
    ::SetCursorPos(where.x, where.y);
    std::map<HWND, ScreenRect> last;
    std::map<HWND, int> moves;
    const std::vector<HWND> palettes = AllPalettes();
    for (HWND palette : palettes) {
        last[palette] = RectOf(palette);
    }
    const DWORD start = ::GetTickCount();
    while (::GetTickCount() - start < kRestMs) {
        ::Sleep(kSampleMs);
        for (HWND palette : palettes) {
            const ScreenRect now = RectOf(palette);
            if (!(now == last[palette])) {
                ++moves[palette];
                last[palette] = now;
            }
        }
    }
    int most = 0;
    std::string which;
    for (const auto& [palette, count] : moves) {
        if (count > most) {
            most = count;
            which = CaptionOf(palette) + " now at " + Describe(RectOf(palette));
        }
    }
    Check(most <= 1, Format("pointer at rest %s (%ld,%ld): no palette moves more than once in 2 s "
                            "(most: %d, %s)",
                            what, where.x, where.y, most, which.c_str()));
}

// The monitor that holds each palette wholly, as its rectangle; one that
// straddles two monitors is left out.
std::map<HWND, ScreenRect> MonitorOfEach(const std::vector<RECT>& monitors) {
    std::map<HWND, ScreenRect> holding;
    for (HWND palette : AllPalettes()) {
        const ScreenRect r = RectOf(palette);
        for (const RECT& m : monitors) {
            if (r.Left >= m.left && r.Right <= m.right && r.Top >= m.top && r.Bottom <= m.bottom) {
                holding[palette] = {m.left, m.top, m.right, m.bottom};
            }
        }
    }
    return holding;
}

} // namespace

int main(int argc, char** argv) {
    // "monitors": lists them; status 0 when Wine sees two.
    if (argc == 2 && std::strcmp(argv[1], "monitors") == 0) {
        return Monitors().size() == 2 ? 0 : 1;
    }
    const Layout* layout = nullptr;
    for (const Layout& candidate : kLayouts) {
        if (argc == 3 && std::strcmp(argv[1], candidate.Name) == 0) {
            layout = &candidate;
        }
    }
    if (layout == nullptr) {
        std::fprintf(stderr, "usage: two_monitors_probe right|left|below <folder>\n");
        return 2;
    }
    const std::string folder = argv[2];
    std::printf("layout %s\n", layout->Name);
    const std::vector<RECT> both = Monitors();
    Check(both.size() == 2, Format("Wine sees two monitors (%d)", static_cast<int>(both.size())));

    std::vector<Found> found;
    if (!WaitForDemoHost(found)) {
        return Verdict();
    }
    const HWND host = ::FindWindowA(quillmere::kHostClass.data(), nullptr);
    const std::size_t before = AllPalettes().size();
    for (const Opened& palette : layout->Palettes) {
        ::PostMessageA(host, demo::kMsgOpenPalette, static_cast<WPARAM>(palette.At.x),
                       static_cast<LPARAM>(palette.At.y));
    }
    WaitUntil([&] { return AllPalettes().size() == before + 2; });
    std::vector<HWND> opened(2, nullptr);
    for (HWND palette : AllPalettes()) {
        for (std::size_t i = 0; i < 2; ++i) {
            if (At(palette, layout->Palettes[i].At)) {
                opened[i] = palette;
            }
        }
    }
    if (opened[0] == nullptr || opened[1] == nullptr) {
        Check(false, "the demo host opened two palettes on monitor 2");
        return Verdict();
    }
    const std::map<HWND, ScreenRect> home = MonitorOfEach(both);
    ::SetCursorPos(kOverHost.x, kOverHost.y);

    AppFolder app1("quillmere-two-monitors-" + std::string(layout->Name));
    Check(app1.CopyProgram(), "copied quillmere.exe");
    {
        RunningApp app;
        Check(app.Start(app1.Program(), app1.Directory()), "started quillmere.exe");
        for (std::size_t i = 0; i < 2; ++i) {
            const Opened& p = layout->Palettes[i];
            Check(WaitUntil([&] { return At(opened[i], p.Hidden); }),
                  Format("palette %d slid out across monitor 2's outer edge to (%ld,%ld) (at %s)",
                         static_cast<int>(i), p.Hidden.x, p.Hidden.y,
                         Describe(RectOf(opened[i])).c_str()));
        }
        CheckAtRest(kOverHost, "over the host");
        for (std::size_t i = 0; i < 2; ++i) {
            const Opened& p = layout->Palettes[i];
            ::SetCursorPos(p.Strip.x, p.Strip.y);
            Check(WaitUntil([&] { return At(opened[i], p.Shown); }),
                  Format("its strip on monitor 2 brings palette %d back there, to (%ld,%ld) "
                         "(at %s)",
                         static_cast<int>(i), p.Shown.x, p.Shown.y,
                         Describe(RectOf(opened[i])).c_str()));
            if (i == 0) {
                CheckAtRest(p.Strip, "on that strip");
            }
        }
        // Inside monitor 2, off every palette.
        CheckAtRest({(layout->Second.left + layout->Second.right) / 2,
                     (layout->Second.top + layout->Second.bottom) / 2},
                    "in monitor 2's middle");
        ::SetCursorPos(kOverHost.x, kOverHost.y);

        // What "Exit" does: the main window is asked to close.
        ::PostMessageA(app.MainWindow(), WM_CLOSE, 0, 0);
        DWORD exitCode = 1;
        Check(app.WaitForExit(kAppWaitMs, exitCode), "\"Exit\" ends quillmere.exe");
        for (std::size_t i = 0; i < 2; ++i) {
            Check(WaitUntil([&] { return At(opened[i], layout->Palettes[i].Shown); }),
                  Format("after \"Exit\" palette %d stands flush on monitor 2 (at %s)",
                         static_cast<int>(i), Describe(RectOf(opened[i])).c_str()));
        }
        const auto allBack = [&] {
            const std::map<HWND, ScreenRect> after = MonitorOfEach(both);
            for (const auto& [palette, monitor] : home) {
                if (after.count(palette) == 0 || !(after.at(palette) == monitor)) {
                    return false;
                }
            }
            return true;
        };
        WaitUntil(allBack);
        const std::map<HWND, ScreenRect> after = MonitorOfEach(both);
        for (const auto& [palette, monitor] : home) {
            Check(after.count(palette) == 1 && after.at(palette) == monitor,
                  Format("after \"Exit\" \"%s\" stands wholly on its own monitor %s (at %s)",
                         CaptionOf(palette).c_str(), Describe(monitor).c_str(),
                         Describe(RectOf(palette)).c_str()));
        }
    }

    // Monitor 2 goes while its palettes are slid out.
    {
        RunningApp app;
        Check(app.Start(app1.Program(), app1.Directory()), "started quillmere.exe again");
        Check(WaitUntil([&] { return At(opened[0], layout->Palettes[0].Hidden); }),
              "palette 0 slid out on monitor 2 again");
        const std::string removeNow = folder + "/remove-now";
        const std::string removed = folder + "/removed";
        ::CloseHandle(::CreateFileA(removeNow.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        Check(WaitUntil(
                  [&] { return ::GetFileAttributesA(removed.c_str()) != INVALID_FILE_ATTRIBUTES; },
                  kRemovalWaitMs),
              "monitor 2 turned off");
        Check(WaitUntil([&] { return ::GetSystemMetrics(SM_CMONITORS) == 1; }, kRemovalWaitMs),
              "Wine sees one monitor");
        const std::vector<RECT> one = Monitors();
        const auto allShow = [&] {
            for (HWND palette : AllPalettes()) {
                if (!ShowsItsStrip(palette, one)) {
                    return false;
                }
            }
            return true;
        };
        // A re-scan every 2 s notices the change; then one tick hides them again.
        WaitUntil(allShow, 8000);
        for (HWND palette : AllPalettes()) {
            Check(ShowsItsStrip(palette, one),
                  Format("\"%s\" shows at least its strip on the one monitor left (at %s)",
                         CaptionOf(palette).c_str(), Describe(RectOf(palette)).c_str()));
        }
        CheckAtRest(kOverHost, "after the removal");
    }
    return Verdict();
}

// End-to-end probe of the reveal and hide delays and the drag rule in
// quillmere.exe against the demo host, driven by the real pointer and mouse
// button: started beside a ZC.reg with ShowDelay=500 and HideDelay=500 in mode
// "Together", the pointer on Layers' strip for 200 ms reveals nothing and for
// 900 ms reveals it; off the palettes for 200 ms and back hides nothing; a
// left button pressed over the shown palette and the pointer moved to the
// canvas keep it shown until the button is released, and the hide delay runs
// from the release. Prints one line per check and, last, "PASS" or "FAIL".
//
// With QUILLMERE_E2E_LATENCY_TRIALS=N in the environment it also measures the
// reveal latency (the pointer reaching the strip to the palette in place)
// over N trials with ShowDelay 0 and then 500, and prints the median and the
// maximum.
//
// The notification-area menu: "OK" hides the window behind its icon; the
// right button on the icon opens the menu, where "Reveal delay" > "1 s" and
// "Hide delay" > "0.25 s" are chosen with the pointer and the left button and
// must reach ZC.reg, and the chosen item must show the radio mark when the
// submenu opens again. Menus of another process cannot be read on Wine 8, so
// the mark is looked for on the screen: the item row whose check column holds
// drawn pixels.

#include "AppProcess.h"
#include "DemoDesktop.h"

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using namespace probe;

const char* const kSettingsFile = "ZC.reg";
// Over the host's main window, clear of every palette and band.
constexpr POINT kCanvas{300, 950};
constexpr DWORD kSettleMs = 2000;
constexpr DWORD kPollMs = 2;

double NowMs() {
    LARGE_INTEGER frequency{};
    LARGE_INTEGER counter{};
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&counter);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// How long it took until `done` held, or -1 when it did not within timeoutMs.
template <typename Done> double MsUntil(Done done, double timeoutMs) {
    const double start = NowMs();
    for (;;) {
        const double took = NowMs() - start;
        if (done()) {
            return took;
        }
        if (took >= timeoutMs) {
            return -1;
        }
        ::Sleep(kPollMs);
    }
}

// Whether `holds` stayed true for the whole of durationMs.
template <typename Holds> bool HoldsFor(Holds holds, double durationMs) {
    return MsUntil([&] { return !holds(); }, durationMs) < 0;
}

void Button(DWORD flag) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flag;
    ::SendInput(1, &input, sizeof(input));
}

class Probe {
public:
    explicit Probe(const Found& layers) : m_layers(layers) {}

    bool Shown() const { return StandsShown(m_layers); }
    bool Hidden() const { return StandsHidden(m_layers); }
    POINT Strip() const { return StripPoint(*m_layers.Layout); }

    // The pointer to the canvas and Layers out again.
    bool Reset() const {
        ::SetCursorPos(kCanvas.x, kCanvas.y);
        return MsUntil([&] { return Hidden(); }, kSettleMs) >= 0;
    }

    void Delays() const {
        ::SetCursorPos(Strip().x, Strip().y);
        bool hidden = HoldsFor([&] { return Hidden(); }, 200);
        ::SetCursorPos(kCanvas.x, kCanvas.y);
        hidden = hidden && HoldsFor([&] { return Hidden(); }, 700);
        Check(hidden, "on the strip for 200 ms, then on the canvas: Layers stays out for 900 ms");

        ::SetCursorPos(Strip().x, Strip().y);
        const double revealed = MsUntil([&] { return Shown(); }, 900);
        Check(revealed >= 400,
              Format("on the strip for 900 ms: Layers comes in after %.0f ms", revealed));

        ::SetCursorPos(kCanvas.x, kCanvas.y);
        bool shown = HoldsFor([&] { return Shown(); }, 200);
        ::SetCursorPos(Strip().x, Strip().y);
        shown = shown && HoldsFor([&] { return Shown(); }, 900);
        Check(shown, "on the canvas for 200 ms and back: Layers stays in for 1100 ms");
    }

    void Drag() const {
        Button(MOUSEEVENTF_LEFTDOWN);
        ::Sleep(250);
        ::SetCursorPos(kCanvas.x, kCanvas.y);
        const bool kept = HoldsFor([&] { return Shown(); }, 1500);
        Check(kept, "left button pressed over Layers, pointer on the canvas: it stays in for "
                    "1500 ms while the button is held");
        Button(MOUSEEVENTF_LEFTUP);
        const double hidden = MsUntil([&] { return Hidden(); }, kSettleMs);
        Check(hidden >= 400, Format("button released: Layers goes out %.0f ms later", hidden));
    }

    // The reveal latency over `trials` moves onto the strip; each starts with
    // Layers out and the pointer on the canvas.
    void Latency(int trials, const char* what) const {
        std::vector<double> latencies;
        for (int i = 0; i < trials && Reset(); ++i) {
            // Somewhere within a tick, so that the trials sample its phase.
            ::Sleep(static_cast<DWORD>(150 + (i * 37) % 100));
            ::SetCursorPos(Strip().x, Strip().y);
            const double took = MsUntil([&] { return Shown(); }, kSettleMs);
            if (took < 0) {
                break;
            }
            latencies.push_back(took);
        }
        std::sort(latencies.begin(), latencies.end());
        const bool measured = static_cast<int>(latencies.size()) == trials;
        Check(measured,
              Format("reveal latency with %s over %d trials: median %.0f ms, maximum "
                     "%.0f ms, minimum %.0f ms",
                     what, static_cast<int>(latencies.size()),
                     measured ? latencies[latencies.size() / 2] : -1.0,
                     measured ? latencies.back() : -1.0, measured ? latencies.front() : -1.0));
    }

private:
    const Found& m_layers;
};

constexpr UINT kTrayCallback = WM_USER + 1000;
constexpr const char* kMenuClass = "#32768";
constexpr POINT kMenuAt{600, 300};

// The visible menus of the program, opened ones last.
std::vector<HWND> OpenMenus(const RunningApp& app) {
    std::vector<HWND> menus;
    for (HWND menu : TopLevelWindowsOfClass(kMenuClass)) {
        DWORD processId = 0;
        ::GetWindowThreadProcessId(menu, &processId);
        if (processId == app.ProcessId() && ::IsWindowVisible(menu)) {
            menus.push_back(menu);
        }
    }
    return menus;
}

constexpr int kMenuBorder = 3;

// Which of a menu's `items` rows shows a mark in its check column, as drawn on
// the screen: -1 when none does or more than one. Each row's colour is the one
// at its left edge; the column's other pixels are the mark.
int MarkedRow(HWND menu, int items) {
    const ScreenRect rect = RectOf(menu);
    const int width = 16;
    const int height = rect.Height();
    const HDC screen = ::GetDC(nullptr);
    const HDC copy = ::CreateCompatibleDC(screen);
    const HBITMAP bitmap = ::CreateCompatibleBitmap(screen, width, height);
    const HGDIOBJ old = ::SelectObject(copy, bitmap);
    ::BitBlt(copy, 0, 0, width, height, screen, rect.Left, rect.Top, SRCCOPY);
    const int rowHeight = (height - 2 * kMenuBorder) / items;
    int marked = -1;
    for (int row = 0; row < items; ++row) {
        const int top = kMenuBorder + row * rowHeight;
        const COLORREF background = ::GetPixel(copy, kMenuBorder, top + rowHeight / 2);
        int drawn = 0;
        for (int y = top + 2; y < top + rowHeight - 2; ++y) {
            for (int x = kMenuBorder + 1; x < width; ++x) {
                drawn += ::GetPixel(copy, x, y) != background ? 1 : 0;
            }
        }
        if (drawn >= 6) {
            marked = marked == -1 ? row : -2;
        }
    }
    ::SelectObject(copy, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(copy);
    ::ReleaseDC(nullptr, screen);
    return marked < 0 ? -1 : marked;
}

// The middle of row `row` of a menu of `items` rows, in screen pixels.
POINT RowPoint(HWND menu, int items, int row) {
    const ScreenRect rect = RectOf(menu);
    const int rowHeight = (rect.Height() - 2 * kMenuBorder) / items;
    return {rect.Left + 40, rect.Top + kMenuBorder + rowHeight * row + rowHeight / 2};
}

// The menu opened from the icon's right button, or null.
HWND OpenIconMenu(const RunningApp& app) {
    ::SetCursorPos(kMenuAt.x, kMenuAt.y);
    // The first press right after "OK" may come before the program is ready
    // for it; another one follows, but only once none can still be opening.
    for (int attempt = 0; attempt < 2 && OpenMenus(app).empty(); ++attempt) {
        ::PostMessageA(app.MainWindow(), kTrayCallback, 1, WM_RBUTTONDOWN);
        WaitUntil([&] { return OpenMenus(app).size() == 1; }, 4000);
    }
    // A menu just shown may not follow the pointer yet.
    ::Sleep(300);
    const std::vector<HWND> menus = OpenMenus(app);
    return menus.size() == 1 ? menus.front() : nullptr;
}

// With the pointer on the item at `position` of the icon's menu (1: "Reveal
// delay", 2: "Hide delay"), its submenu opens with no item of it selected.
HWND HoverDelayMenu(const RunningApp& app, int position) {
    const HWND top = OpenIconMenu(app);
    if (top == nullptr) {
        return nullptr;
    }
    // A menu just opened may miss the first move; each try moves a pixel on.
    const POINT at = RowPoint(top, 4, position);
    for (int attempt = 0; attempt < 4 && OpenMenus(app).size() < 2; ++attempt) {
        ::SetCursorPos(at.x + attempt, at.y);
        WaitUntil([&] { return OpenMenus(app).size() == 2; }, 1500);
    }
    // Drawn by now.
    ::Sleep(200);
    for (HWND menu : OpenMenus(app)) {
        if (menu != top) {
            return menu;
        }
    }
    return nullptr;
}

// Opens the submenu at `position` under the pointer and clicks its `item`.
void ChooseFromMenu(const RunningApp& app, const AppFolder& folder, int position,
                    const char* submenu, const char* key, int item, const char* caption,
                    const char* stored) {
    const HWND menu = HoverDelayMenu(app, position);
    if (menu != nullptr) {
        const POINT at = RowPoint(menu, 4, item);
        ::SetCursorPos(at.x, at.y);
        ::Sleep(100);
        Button(MOUSEEVENTF_LEFTDOWN);
        Button(MOUSEEVENTF_LEFTUP);
    }
    const bool opened = menu != nullptr;
    std::string read;
    const bool written = WaitUntil(
        [&] { return (read = folder.ReadEntry(kSettingsFile, "Info", key)) == stored; }, kSettleMs);
    Check(opened && written,
          Format("\"%s\" > \"%s\" writes %s=%s to ZC.reg (submenu %s, holds \"%s\"; %s)", submenu,
                 caption, key, stored, opened ? "opened" : "not opened", read.c_str(),
                 Join(folder.SectionLines(kSettingsFile, "Info")).c_str()));
    WaitUntil([&] { return OpenMenus(app).empty(); }, kSettleMs);

    const HWND again = HoverDelayMenu(app, position);
    const int marked = again != nullptr ? MarkedRow(again, 4) : -1;
    Check(marked == item,
          Format("opened again, \"%s\" shows the mark on \"%s\" (row %d; found on row %d)", submenu,
                 caption, item + 1, marked + 1));
    PressKeys({VK_ESCAPE, VK_ESCAPE});
    WaitUntil([&] { return OpenMenus(app).empty(); }, kSettleMs);
}

void Menu(const RunningApp& app, const AppFolder& folder) {
    ::PostMessageA(::FindWindowExA(app.MainWindow(), nullptr, nullptr, "OK"), BM_CLICK, 0, 0);
    Check(WaitUntil([&] { return !::IsWindowVisible(app.MainWindow()); }, kSettleMs),
          "\"OK\" puts the program in the notification area");
    ChooseFromMenu(app, folder, 1, "Reveal delay", "ShowDelay", 3, "1 s", "1000");
    ChooseFromMenu(app, folder, 2, "Hide delay", "HideDelay", 1, "0.25 s", "250");
}

int LatencyTrials() {
    char text[16] = {};
    ::GetEnvironmentVariableA("QUILLMERE_E2E_LATENCY_TRIALS", text, sizeof(text));
    return std::atoi(text);
}

bool StartWithDelays(RunningApp& app, const AppFolder& folder, const char* show, const char* hide) {
    const bool written = folder.WriteEntry(kSettingsFile, "Info", "Enabled", "Yes") &&
                         folder.WriteEntry(kSettingsFile, "Info", "FWoption", "Together") &&
                         folder.WriteEntry(kSettingsFile, "Info", "ShowDelay", show) &&
                         folder.WriteEntry(kSettingsFile, "Info", "HideDelay", hide);
    const bool started =
        written && app.Start(folder.Program(), folder.Directory()) && app.MainWindow() != nullptr;
    Check(started, Format("quillmere.exe is up with ShowDelay=%s, HideDelay=%s", show, hide));
    return started;
}

} // namespace

int main() {
    std::vector<Found> found;
    if (!WaitForDemoHost(found)) {
        return Verdict();
    }
    const auto layers =
        std::find_if(found.begin(), found.end(), [](const Found& f) { return f.Is("Layers"); });
    ::SetCursorPos(kCanvas.x, kCanvas.y);
    const AppFolder folder("quillmere_e2e_delays");
    folder.CopyProgramAfresh();
    const Probe probe(*layers);
    {
        RunningApp app;
        if (StartWithDelays(app, folder, "500", "500")) {
            Check(probe.Reset(), "the first scan slid Layers out");
            probe.Delays();
            probe.Drag();
            Menu(app, folder);
            if (const int trials = LatencyTrials(); trials > 0) {
                probe.Latency(trials, "ShowDelay=500");
            }
        }
    }
    if (const int trials = LatencyTrials(); trials > 0) {
        RunningApp app;
        if (StartWithDelays(app, folder, "0", "0")) {
            probe.Latency(trials, "ShowDelay=0");
        }
    }
    return Verdict();
}

// Checks, with plain user32 calls from another process, that the demo host
// puts up the layout of DemoLayout.h and obeys its commands, and that while it
// hangs a synchronous message times out but an asynchronous SetWindowPos on
// one of its palettes does not wait for it. Prints one line per check, then
// "PASS" or "FAIL".

#include "DemoDesktop.h"
#include "DemoLayout.h"

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

int g_failures = 0;

void Check(bool condition, const std::string& what) {
    std::printf("%s: %s\n", condition ? "ok" : "FAIL", what.c_str());
    std::fflush(stdout);
    if (!condition) {
        ++g_failures;
    }
}

std::string ClassOf(HWND window) {
    char name[256] = {};
    ::GetClassNameA(window, name, sizeof(name));
    return name;
}

std::string CaptionOf(HWND window) {
    char text[256] = {};
    ::GetWindowTextA(window, text, sizeof(text));
    return text;
}

RECT RectOf(HWND window) {
    RECT rect{};
    ::GetWindowRect(window, &rect);
    return rect;
}

std::string Describe(const RECT& rect) {
    char text[80] = {};
    std::snprintf(text, sizeof(text), "(%ld,%ld)-(%ld,%ld)", rect.left, rect.top, rect.right,
                  rect.bottom);
    return text;
}

bool SameRect(const RECT& rect, int left, int top, int right, int bottom) {
    return rect.left == left && rect.top == top && rect.right == right && rect.bottom == bottom;
}

struct Collected {
    HWND Host;
    std::vector<HWND> Palettes; // "PSFloatC" windows owned by Host
};

BOOL CALLBACK CollectPalette(HWND window, LPARAM parameter) {
    auto* collected = reinterpret_cast<Collected*>(parameter);
    if (ClassOf(window) == "PSFloatC" && ::GetWindow(window, GW_OWNER) == collected->Host) {
        collected->Palettes.push_back(window);
    }
    return TRUE;
}

std::vector<HWND> Palettes(HWND host) {
    Collected collected{host, {}};
    ::EnumWindows(&CollectPalette, reinterpret_cast<LPARAM>(&collected));
    return collected.Palettes;
}

HWND FindPalette(HWND host, const char* caption, int left, int top, int right, int bottom) {
    for (HWND palette : Palettes(host)) {
        if (CaptionOf(palette) == caption && SameRect(RectOf(palette), left, top, right, bottom)) {
            return palette;
        }
    }
    return nullptr;
}

// Posted commands take effect when the host gets to them: poll for the
// outcome, up to a generous limit.
template <typename Condition> bool WaitFor(Condition condition) {
    for (int i = 0; i < 100; ++i) {
        if (condition()) {
            return true;
        }
        ::Sleep(50);
    }
    return condition();
}

void CheckScreen() {
    int width = ::GetSystemMetrics(SM_CXSCREEN);
    int height = ::GetSystemMetrics(SM_CYSCREEN);
    RECT work{};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    std::printf("screen %dx%d, work area %s\n", width, height, Describe(work).c_str());
    Check(width == demo::kScreenWidth, "screen width is the layout's");
    Check(work.bottom - work.top == demo::kWorkAreaHeight, "work-area height is the layout's");
}

void CheckPalette(HWND host, const demo::DemoWindow& layout, int index) {
    std::string name = "window " + std::to_string(index) + " \"" + layout.Caption + "\"";
    HWND palette =
        FindPalette(host, layout.Caption, layout.Left, layout.Top, layout.Right, layout.Bottom);
    Check(palette != nullptr,
          name + " exists with its caption at " +
              Describe(RECT{layout.Left, layout.Top, layout.Right, layout.Bottom}));
    if (palette == nullptr) {
        return;
    }
    LONG style = ::GetWindowLongA(palette, GWL_STYLE);
    LONG exStyle = ::GetWindowLongA(palette, GWL_EXSTYLE);
    Check((style & WS_POPUP) != 0 && (style & WS_BORDER) != 0, name + " is WS_POPUP|WS_BORDER");
    Check((exStyle & WS_EX_TOOLWINDOW) != 0, name + " is WS_EX_TOOLWINDOW");
    Check(::GetParent(palette) == host, name + ": GetParent gives the host's main window");
    Check(((style & WS_DLGFRAME) != 0) == (layout.WindowKind == demo::Kind::DialogFrame),
          name + " has WS_DLGFRAME exactly when its kind asks for it");
    Check(((style & WS_VISIBLE) != 0) == (layout.WindowKind != demo::Kind::Invisible),
          name + " is visible exactly when its kind asks for it");

    HWND button = ::FindWindowExA(palette, nullptr, "Button", nullptr);
    Check((button != nullptr) == (layout.WindowKind == demo::Kind::ButtonChild),
          name + " has a \"Button\" child exactly when its kind asks for it");
    HWND view = ::FindWindowExA(palette, nullptr, "PSViewC", nullptr);
    bool viewHasButton =
        view != nullptr && ::FindWindowExA(view, nullptr, "Button", nullptr) != nullptr;
    Check(viewHasButton == (layout.WindowKind == demo::Kind::ViewButton),
          name + " has a \"PSViewC\" child with a \"Button\" exactly when its kind asks for it");
    Check(::GetWindow(palette, GW_CHILD) != nullptr, name + " has a child window");
}

// WindowFromPoint over the middle of a visible palette's body gives one of its
// children (not a "Button"), whose parent chain leads to the palette.
void CheckPointLandsOnChild(HWND host, const demo::DemoWindow& layout) {
    HWND palette =
        FindPalette(host, layout.Caption, layout.Left, layout.Top, layout.Right, layout.Bottom);
    if (palette == nullptr) {
        return;
    }
    POINT middle{(layout.Left + layout.Right) / 2, (layout.Top + layout.Bottom) / 2};
    HWND under = ::WindowFromPoint(middle);
    bool leadsToPalette = false;
    for (HWND walk = under; walk != nullptr; walk = ::GetParent(walk)) {
        if (walk == palette) {
            leadsToPalette = true;
            break;
        }
    }
    Check(under != palette && leadsToPalette && ClassOf(under) != "Button",
          std::string("WindowFromPoint over \"") + layout.Caption + "\" gives a child, class \"" +
              (under ? ClassOf(under) : std::string("none")) + "\"");
}

void CheckCommands(HWND host) {
    ::PostMessageA(host, demo::kMsgOpenPalette, static_cast<WPARAM>(-20), 300);
    Check(WaitFor([&] { return FindPalette(host, "Opened", -20, 300, 180, 450) != nullptr; }),
          "open: a palette \"Opened\" appears at (-20,300) sized 200x150");
    HWND opened = FindPalette(host, "Opened", -20, 300, 180, 450);
    Check(opened != nullptr && ::IsWindowVisible(opened), "open: the new palette is visible");

    const demo::DemoWindow& first = demo::kWindows[0];
    ::PostMessageA(host, demo::kMsgRenamePalette, 0, 0);
    Check(WaitFor([&] {
              return FindPalette(host, "Renamed", first.Left, first.Top, first.Right,
                                 first.Bottom) != nullptr;
          }),
          "rename 0: the first window is captioned \"Renamed\"");

    const demo::DemoWindow& second = demo::kWindows[1];
    ::PostMessageA(host, demo::kMsgClosePalette, 1, 0);
    Check(WaitFor([&] {
              return FindPalette(host, second.Caption, second.Left, second.Top, second.Right,
                                 second.Bottom) == nullptr;
          }),
          "close 1: the second window is gone");
    Check(Palettes(host).size() == static_cast<size_t>(demo::kWindowCount),
          "after open and close the host has as many palettes as the layout");

    ::PostMessageA(host, demo::kMsgMinimise, 0, 0);
    Check(WaitFor([&] { return (::GetWindowLongA(host, GWL_STYLE) & WS_MINIMIZE) != 0; }),
          "minimise: the host's style has WS_MINIMIZE");
    // Windows hides a minimised window's owned pop-ups; the first scan relies on
    // seeing them invisible then.
    Check(WaitFor([&] { return opened != nullptr && !::IsWindowVisible(opened); }),
          "minimise: the palettes are hidden with the host");
    ::PostMessageA(host, demo::kMsgRestore, 0, 0);
    Check(WaitFor([&] { return (::GetWindowLongA(host, GWL_STYLE) & WS_MINIMIZE) == 0; }),
          "restore: WS_MINIMIZE is gone");
    Check(WaitFor([&] { return opened != nullptr && ::IsWindowVisible(opened); }),
          "restore: the palettes are visible again");
    for (const demo::DemoWindow& layout : demo::kWindows) {
        if (layout.WindowKind == demo::Kind::Invisible) {
            HWND hidden = FindPalette(host, layout.Caption, layout.Left, layout.Top, layout.Right,
                                      layout.Bottom);
            Check(hidden != nullptr && !::IsWindowVisible(hidden),
                  std::string("restore: the never-shown \"") + layout.Caption + "\" stays hidden");
        }
    }
}

// The order of events proves the point without timing thresholds: the host is
// seen not to answer, the asynchronous move returns, and the host is seen
// still not answering afterwards.
void CheckHang(HWND host) {
    const demo::DemoWindow& layout = demo::kWindows[2];
    HWND palette =
        FindPalette(host, layout.Caption, layout.Left, layout.Top, layout.Right, layout.Bottom);
    Check(palette != nullptr, "hang: the palette to move is there");
    if (palette == nullptr) {
        return;
    }
    Check(probe::Answers(host, 5000, SMTO_BLOCK),
          "before the hang the host answers a sent message");

    constexpr DWORD kHangMs = 4000;
    ::PostMessageA(host, demo::kMsgHang, kHangMs, 0);
    Check(WaitFor([&] { return !probe::Answers(host, 200, SMTO_BLOCK); }),
          "hang: SendMessageTimeoutA to the host times out");

    constexpr int kTargetX = 30;
    ULONGLONG start = ::GetTickCount64();
    ::SetWindowPos(palette, nullptr, kTargetX, layout.Top, 0, 0,
                   SWP_ASYNCWINDOWPOS | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSIZE);
    ULONGLONG elapsed = ::GetTickCount64() - start;
    std::printf("asynchronous SetWindowPos returned after %llu ms\n", elapsed);
    Check(!probe::Answers(host, 200, SMTO_BLOCK),
          "SetWindowPos with SWP_ASYNCWINDOWPOS returned while the host hung");

    Check(probe::Answers(host, 15000, SMTO_BLOCK), "after the hang the host answers again");
    int width = layout.Right - layout.Left;
    int height = layout.Bottom - layout.Top;
    Check(WaitFor([&] {
              return SameRect(RectOf(palette), kTargetX, layout.Top, kTargetX + width,
                              layout.Top + height);
          }),
          "the asynchronous move took effect once the host answered: " + Describe(RectOf(palette)));
}

} // namespace

int main() {
    HWND host = ::FindWindowA("Photoshop", nullptr);
    Check(host != nullptr, "FindWindowA finds the host's main window by class \"Photoshop\"");
    if (host == nullptr) {
        std::puts("FAIL");
        return 1;
    }
    Check(SameRect(RectOf(host), demo::kHostLeft, demo::kHostTop, demo::kHostRight,
                   demo::kHostBottom),
          "the host's main window is at the layout's rectangle: " + Describe(RectOf(host)));
    CheckScreen();

    Check(Palettes(host).size() == static_cast<size_t>(demo::kWindowCount),
          "EnumWindows lists " + std::to_string(demo::kWindowCount) + " \"PSFloatC\" windows");
    for (int i = 0; i < demo::kWindowCount; ++i) {
        CheckPalette(host, demo::kWindows[i], i);
    }
    for (const demo::DemoWindow& layout : demo::kWindows) {
        bool onScreen = layout.Left >= 0 && layout.Right <= demo::kScreenWidth;
        if (layout.WindowKind == demo::Kind::Palette && onScreen) {
            CheckPointLandsOnChild(host, layout);
        }
    }
    CheckCommands(host);
    CheckHang(host);

    std::puts(g_failures == 0 ? "PASS" : "FAIL");
    return g_failures == 0 ? 0 : 1;
}

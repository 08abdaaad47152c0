#pragma once

// What the probes share: the one-line checks and their verdict, and finding
// the demo host's windows on the desktop and matching them to DemoLayout.h.
// Rectangles are screen pixels, right/bottom exclusive.

#include "DemoLayout.h"
#include "host/PSinfo.h"
#include "host/WindowTypes.h"

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace probe {

using quillmere::ScreenRect;

inline constexpr DWORD kHostWaitMs = 10000;
inline constexpr DWORD kMoveWaitMs = 2000;
inline constexpr DWORD kPollMs = 50;

inline int g_failures = 0;

inline void Check(bool holds, const std::string& what) {
    std::printf("%s %s\n", holds ? "ok  " : "FAIL", what.c_str());
    std::fflush(stdout);
    if (!holds) {
        ++g_failures;
    }
}

// The last line of the output, which the driver judges; the exit status.
inline int Verdict() {
    std::printf("%s\n", g_failures == 0 ? "PASS" : "FAIL");
    std::fflush(stdout);
    return g_failures == 0 ? 0 : 1;
}

// printf into a std::string (GCC 12 warns wrongly about some chains of
// "literal" + std::string at -O3).
template <typename... Args> std::string Format(const char* format, Args... args) {
    char buffer[512] = {};
    std::snprintf(buffer, sizeof(buffer), format, args...);
    return buffer;
}

inline std::string Describe(const ScreenRect& rect) {
    return Format("(%d,%d)-(%d,%d)", rect.Left, rect.Top, rect.Right, rect.Bottom);
}

inline ScreenRect LayoutRect(const demo::DemoWindow& window) {
    return {window.Left, window.Top, window.Right, window.Bottom};
}

inline ScreenRect RectOf(HWND window) {
    RECT rect{};
    ::GetWindowRect(window, &rect);
    return {rect.left, rect.top, rect.right, rect.bottom};
}

inline std::string CaptionOf(HWND window) {
    char caption[256] = {};
    ::GetWindowTextA(window, caption, sizeof(caption));
    return caption;
}

// Top-level windows of that class, in EnumWindows order.
inline std::vector<HWND> TopLevelWindowsOfClass(const char* className) {
    struct State {
        const char* ClassName;
        std::vector<HWND> Windows;
    } state{className, {}};
    ::EnumWindows(
        [](HWND window, LPARAM lParam) -> BOOL {
            auto* s = reinterpret_cast<State*>(lParam);
            char name[256] = {};
            ::GetClassNameA(window, name, sizeof(name));
            if (std::string(name) == s->ClassName) {
                s->Windows.push_back(window);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&state));
    return state.Windows;
}

// One demo window as found on the desktop.
struct Found {
    const demo::DemoWindow* Layout = nullptr;
    HWND Window = nullptr;

    bool IsPalette() const { return Layout->WindowKind == demo::Kind::Palette; }
    bool Untitled() const { return Layout->Caption[0] == '\0'; }
    bool Is(const char* caption) const { return std::string(Layout->Caption) == caption; }
};

// The demo windows in enumeration order, matched to the layout: captioned
// ones by caption, untitled ones by their untouched layout rectangle.
inline std::vector<Found> FindDemoWindows() {
    std::vector<Found> found;
    for (HWND window : TopLevelWindowsOfClass(quillmere::kPaletteClass.data())) {
        const std::string caption = CaptionOf(window);
        for (const demo::DemoWindow& layout : demo::kWindows) {
            const bool matches =
                caption.empty() ? layout.Caption[0] == '\0' && RectOf(window) == LayoutRect(layout)
                                : caption == layout.Caption;
            if (matches) {
                found.push_back({&layout, window});
                break;
            }
        }
    }
    return found;
}

// Waits for the host's main window and every window of the layout; a
// failing check when they do not come up.
inline bool WaitForDemoHost(std::vector<Found>& found) {
    const DWORD start = ::GetTickCount();
    for (;;) {
        found = FindDemoWindows();
        if (::FindWindowA(quillmere::kHostClass.data(), nullptr) != nullptr &&
            static_cast<int>(found.size()) == demo::kWindowCount) {
            return true;
        }
        if (::GetTickCount() - start > kHostWaitMs) {
            Check(false, Format("the demo host and its %d windows are up (found %d)",
                                demo::kWindowCount, static_cast<int>(found.size())));
            return false;
        }
        ::Sleep(kPollMs);
    }
}

// Polls until done(windows) holds or timeoutMs has passed; returns done's
// last answer. Moves by SetWindowPos with SWP_ASYNCWINDOWPOS land later.
template <typename Done> bool WaitUntil(Done done, DWORD timeoutMs = kMoveWaitMs) {
    const DWORD start = ::GetTickCount();
    while (!done()) {
        if (::GetTickCount() - start >= timeoutMs) {
            return done();
        }
        ::Sleep(kPollMs);
    }
    return true;
}

// Whether window answers a sent message within timeoutMs. flags are
// SendMessageTimeoutA's: SMTO_ABORTIFHUNG gives up at once on a window the
// system already deems hung, SMTO_BLOCK keeps the caller's own messages waiting.
inline bool Answers(HWND window, UINT timeoutMs, UINT flags) {
    DWORD_PTR result = 0;
    return ::SendMessageTimeoutA(window, WM_NULL, 0, 0, flags, timeoutMs, &result) != 0;
}

inline bool AllAtLayout(const std::vector<Found>& windows) {
    for (const Found& window : windows) {
        if (!(RectOf(window.Window) == LayoutRect(*window.Layout))) {
            return false;
        }
    }
    return true;
}

// Every palette except the unticked one stands at its hidden position.
inline bool AllTickedHidden(const std::vector<Found>& palettes, const char* unticked) {
    for (const Found& palette : palettes) {
        const ScreenRect rect = RectOf(palette.Window);
        if (!palette.Is(unticked) &&
            (rect.Left != palette.Layout->HiddenX || rect.Top != palette.Layout->HiddenY)) {
            return false;
        }
    }
    return true;
}

// Checks that the ticked palettes were slid out with their size kept, and
// that the unticked one and every window that is no palette stayed put.
inline void CheckSlidOut(const std::vector<Found>& found, const char* unticked) {
    std::vector<Found> palettes;
    for (const Found& window : found) {
        if (window.IsPalette()) {
            palettes.push_back(window);
        }
    }
    WaitUntil([&] { return AllTickedHidden(palettes, unticked); });
    for (const Found& window : found) {
        const ScreenRect now = RectOf(window.Window);
        const ScreenRect before = LayoutRect(*window.Layout);
        const std::string name =
            Format("\"%s\" at %s", window.Layout->Caption, Describe(before).c_str());
        if (!window.IsPalette()) {
            Check(now == before, name + ": no palette, not moved");
        } else if (window.Is(unticked)) {
            Check(now == before, name + ": unticked, not moved (now " + Describe(now) + ")");
        } else {
            const bool sizeKept = now.Width() == before.Width() && now.Height() == before.Height();
            Check(now.Left == window.Layout->HiddenX && now.Top == window.Layout->HiddenY &&
                      sizeKept,
                  name + Format(": slid out to (%d,%d), size kept (now %s)", window.Layout->HiddenX,
                                window.Layout->HiddenY, Describe(now).c_str()));
        }
    }
}

// The title a scan gives each palette, in enumeration order: its caption, or
// "Palette" and a counter for the untitled ones.
inline std::vector<std::string> ExpectedTitles(const std::vector<Found>& found) {
    std::vector<std::string> titles;
    int untitled = 0;
    for (const Found& window : found) {
        if (window.IsPalette()) {
            titles.push_back(window.Untitled() ? Format("Palette%d", ++untitled)
                                               : std::string(window.Layout->Caption));
        }
    }
    return titles;
}

// The directory for a probe's files, ending in "\".
inline std::string TempDirectory() {
    char buffer[MAX_PATH] = {};
    const DWORD length = ::GetTempPathA(MAX_PATH, buffer);
    return std::string(buffer, length);
}

// Where a palette stands slid in: flush against its edge, fully on screen.
inline POINT ShownOrigin(const demo::DemoWindow& layout) {
    const int width = layout.Right - layout.Left;
    const int height = layout.Bottom - layout.Top;
    const std::string edge = layout.Edge;
    if (edge == "right") {
        return {demo::kScreenWidth - width, layout.Top};
    }
    if (edge == "left") {
        return {0, layout.Top};
    }
    return {layout.Left, demo::kWorkAreaHeight - height};
}

inline bool StandsShown(const Found& palette) {
    const POINT origin = ShownOrigin(*palette.Layout);
    const ScreenRect now = RectOf(palette.Window);
    return now.Left == origin.x && now.Top == origin.y &&
           now.Width() == LayoutRect(*palette.Layout).Width();
}

// Where a palette stands slid out: 10 pixels of it left on screen.
inline bool StandsHidden(const Found& palette) {
    const ScreenRect now = RectOf(palette.Window);
    return now.Left == palette.Layout->HiddenX && now.Top == palette.Layout->HiddenY;
}

// A point halfway along the strip of a palette that stays on screen while it
// is slid out: there the pointer brings it back in.
inline POINT StripPoint(const demo::DemoWindow& layout) {
    constexpr int kStrip = 10;
    const std::string edge = layout.Edge;
    if (edge == "right") {
        return {demo::kScreenWidth - kStrip / 2, (layout.Top + layout.Bottom) / 2};
    }
    if (edge == "left") {
        return {kStrip / 2, (layout.Top + layout.Bottom) / 2};
    }
    return {(layout.Left + layout.Right) / 2, demo::kWorkAreaHeight - kStrip / 2};
}

// The palettes among the demo windows, in the same order.
inline std::vector<Found> PalettesOf(const std::vector<Found>& found) {
    std::vector<Found> palettes;
    for (const Found& window : found) {
        if (window.IsPalette()) {
            palettes.push_back(window);
        }
    }
    return palettes;
}

// Where each window stands now, for a failing check's message.
inline std::string DescribeNow(const std::vector<Found>& windows) {
    std::string text;
    for (const Found& window : windows) {
        text += Format("%s\"%s\" at %s", text.empty() ? "" : ", ", window.Layout->Caption,
                       Describe(RectOf(window.Window)).c_str());
    }
    return text;
}

} // namespace probe

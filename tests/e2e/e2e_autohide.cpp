// End-to-end probe of the auto-hide engine in quillmere.exe against the demo
// host, driven by the real pointer: started beside a ZC.reg with auto-hide on
// in mode "Together" and an Options.ini that unticks the untitled palette
// at the left (home top 500), it must slide palettes in and out across their
// edges as each display mode says, follow a mode written into ZC.reg while it
// runs, take a mode it does not know for "Together", bring every palette onto the screen
// when "Enabled" is unticked and keep still until it is ticked again, and keep
// answering its own messages while the host hangs. Positions are the
// palettes' real window rectangles in screen pixels. Prints one line per
// check and, last, "PASS" or "FAIL".

#include "AppProcess.h"
#include "DemoDesktop.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <vector>

namespace {

using namespace probe;

// A tick is 100 ms and a move lands asynchronously: a change is waited for up
// to this long, and "nothing moves" is watched for this long (several ticks).
constexpr DWORD kSettleMs = 1000;
constexpr DWORD kHoldMs = 600;
// Lets a tick that read the previous mode before a write run to its end.
constexpr DWORD kModeSwitchMs = 300;
constexpr DWORD kPositionPollMs = 10;
constexpr DWORD kHangMs = 3000;
constexpr UINT kAnswerTimeoutMs = 300;

const char* const kSettingsFile = "ZC.reg";
const char* const kSelectionFile = "Options.ini";

// Where a palette stands: slid out at its edge, slid in flush against it, or
// untouched at its layout rectangle.
enum class At { Out, In, Home };

struct Palette {
    const char* Name;
    const demo::DemoWindow* Layout;
    HWND Window = nullptr;

    int Width() const { return Layout->Right - Layout->Left; }
    int Height() const { return Layout->Bottom - Layout->Top; }
    std::string Edge() const { return Layout->Edge; }

    POINT Origin(At at) const {
        switch (at) {
        case At::Out:
            return {Layout->HiddenX, Layout->HiddenY};
        case At::In:
            if (Edge() == "right") {
                return {demo::kScreenWidth - Width(), Layout->Top};
            }
            if (Edge() == "left") {
                return {0, Layout->Top};
            }
            return {Layout->Left, demo::kWorkAreaHeight - Height()};
        case At::Home:
            break;
        }
        return {Layout->Left, Layout->Top};
    }

    POINT Strip() const { return StripPoint(*Layout); }

    bool Stands(At at) const {
        const ScreenRect now = RectOf(Window);
        const POINT origin = Origin(at);
        return now.Left == origin.x && now.Top == origin.y && now.Width() == Width() &&
               now.Height() == Height();
    }
};

// The five palettes of the layout, in layout order; the last is unticked.
enum PaletteIndex { kLayers, kNavigator, kColor, kBottom, kLeftUnticked, kPaletteCount };
using Scene = std::array<At, kPaletteCount>;

std::array<Palette, kPaletteCount> g_palettes{{
    {"Layers", &demo::kWindows[0]},
    {"Navigator", &demo::kWindows[1]},
    {"Color", &demo::kWindows[2]},
    {"untitled bottom", &demo::kWindows[3]},
    {"untitled left (unticked)", &demo::kWindows[4]},
}};

std::vector<DWORD> g_latencies;
HWND g_host = nullptr;

const char* Word(At at) {
    return at == At::Out ? "out" : at == At::In ? "in" : "home";
}

bool SceneHolds(const Scene& scene) {
    for (int i = 0; i < kPaletteCount; ++i) {
        if (!g_palettes[i].Stands(scene[i])) {
            return false;
        }
    }
    return true;
}

std::string DescribeScene(const Scene& scene) {
    std::string text;
    for (int i = 0; i < kPaletteCount; ++i) {
        text += Format("%s%s %s", i == 0 ? "" : ", ", g_palettes[i].Name, Word(scene[i]));
    }
    return text;
}

std::string DescribeNow() {
    std::string text;
    for (int i = 0; i < kPaletteCount; ++i) {
        text += Format("%s%s at %s", i == 0 ? "" : ", ", g_palettes[i].Name,
                       Describe(RectOf(g_palettes[i].Window)).c_str());
    }
    return text;
}

// What the tracker would see at a point: the palette under it (climbing from
// a control to its palette), or the class of the top-level window there.
std::string WhatIsAt(POINT point) {
    HWND window = ::WindowFromPoint(point);
    if (window == nullptr) {
        return "nothing";
    }
    for (HWND climb = window; climb != nullptr; climb = ::GetParent(climb)) {
        for (const Palette& palette : g_palettes) {
            if (climb == palette.Window) {
                return palette.Name;
            }
        }
    }
    char name[256] = {};
    ::GetClassNameA(::GetAncestor(window, GA_ROOT), name, sizeof(name));
    return Format("a \"%s\" window", name);
}

bool IsPaletteName(const std::string& what) {
    return std::any_of(g_palettes.begin(), g_palettes.end(),
                       [&](const Palette& palette) { return what == palette.Name; });
}

// Puts the real pointer at `to`. Returns what lies there (seen before any
// palette reacts), and whether that is the expected palette or, for
// `over` == nullptr, no palette at all.
bool MovePointer(POINT to, const char* over, std::string& seen) {
    seen = WhatIsAt(to);
    // Under load Wine has read back an earlier position just after a move
    // (seen right after the host's hang): put the pointer again until it
    // reads back where it was put.
    const bool placed = WaitUntil([&] {
        ::SetCursorPos(to.x, to.y);
        POINT now{};
        ::GetCursorPos(&now);
        return now.x == to.x && now.y == to.y;
    });
    const bool expected = over == nullptr ? !IsPaletteName(seen) : seen == over;
    return placed && expected;
}

std::string PointerText(POINT to, const std::string& seen) {
    return Format("pointer at (%ld,%ld) over %s", to.x, to.y, seen.c_str());
}

// Waits for the scene after the last change; records and returns the time.
bool AwaitScene(const Scene& scene, DWORD since, DWORD& latency) {
    for (;;) {
        latency = ::GetTickCount() - since;
        if (SceneHolds(scene)) {
            return true;
        }
        if (latency >= kSettleMs) {
            return false;
        }
        ::Sleep(kPositionPollMs);
    }
}

// Moves the pointer and checks that the palettes come to `scene`.
void MoveExpect(const char* step, POINT to, const char* over, const Scene& scene) {
    std::string seen;
    const DWORD start = ::GetTickCount();
    const bool pointed = MovePointer(to, over, seen);
    DWORD latency = 0;
    const bool settled = AwaitScene(scene, start, latency);
    if (settled) {
        g_latencies.push_back(latency);
    }
    Check(
        pointed && settled,
        Format("%s: %s -> %s", step, PointerText(to, seen).c_str(), DescribeScene(scene).c_str()) +
            (settled ? Format(" (after %lu ms)", static_cast<unsigned long>(latency))
                     : " (now " + DescribeNow() + ")"));
}

// Watches the palettes for kHoldMs: they must stand in `scene` all along.
bool HoldsStill(const Scene& scene, std::string& broken) {
    const DWORD start = ::GetTickCount();
    while (::GetTickCount() - start < kHoldMs) {
        if (!SceneHolds(scene)) {
            broken = DescribeNow();
            return false;
        }
        ::Sleep(kPositionPollMs);
    }
    return SceneHolds(scene);
}

// Moves the pointer where the tracker must leave everything as it stands.
void MoveExpectStill(const char* step, POINT to, const char* over, const Scene& scene) {
    std::string seen;
    const bool pointed = MovePointer(to, over, seen);
    std::string broken;
    const bool still = HoldsStill(scene, broken);
    Check(pointed && still,
          Format("%s: %s -> nothing moves for %lu ms (%s)", step, PointerText(to, seen).c_str(),
                 static_cast<unsigned long>(kHoldMs), DescribeScene(scene).c_str()) +
              (still ? "" : " (moved: " + broken + ")"));
}

// Screen points that are over no palette: the host's main window in its
// lower left part, left of the bottom palette and clear of every band.
constexpr POINT kOverHost{300, 950};
// The screen centre: over this program's own window or the host's, and
// outside every band.
constexpr POINT kCentre{demo::kScreenWidth / 2, demo::kWorkAreaHeight / 2};

constexpr At kOut = At::Out;
constexpr At kIn = At::In;
constexpr At kHome = At::Home;

class Probe {
public:
    Probe(const AppFolder& folder, RunningApp& app) : m_folder(folder), m_app(app) {}

    void Run() {
        Together();
        Separately();
        Mixed();
        UnknownMode();
        EnableSwitch();
        HungHost();
    }

    void SetMode(const char* mode) {
        Check(m_folder.WriteEntry(kSettingsFile, "Info", "FWoption", mode),
              Format("ZC.reg: FWoption=%s written while the program runs", mode));
        ::Sleep(kModeSwitchMs);
    }

private:
    static POINT StripOf(int index) { return g_palettes[index].Strip(); }
    static const char* NameOf(int index) { return g_palettes[index].Name; }

    // One pointer move and the scene it must bring, or keep for kHoldMs.
    struct Step {
        const char* Name;
        POINT To;
        const char* Over; // the palette under To, or null for none
        Scene Expect;
        bool Still = false;
    };

    static void Walk(std::initializer_list<Step> steps) {
        for (const Step& step : steps) {
            if (step.Still) {
                MoveExpectStill(step.Name, step.To, step.Over, step.Expect);
            } else {
                MoveExpect(step.Name, step.To, step.Over, step.Expect);
            }
        }
    }

    void Together() {
        Walk({
            {"together", StripOf(kLayers), NameOf(kLayers), {kIn, kIn, kOut, kOut, kHome}},
            {"together", kOverHost, nullptr, {kOut, kOut, kOut, kOut, kHome}},
            {"together", StripOf(kNavigator), NameOf(kNavigator), {kIn, kIn, kOut, kOut, kHome}},
            {"together", kOverHost, nullptr, {kOut, kOut, kOut, kOut, kHome}},
            {"together, left edge",
             StripOf(kColor),
             NameOf(kColor),
             {kOut, kOut, kIn, kOut, kHome}},
            {"together, left edge", kOverHost, nullptr, {kOut, kOut, kOut, kOut, kHome}},
            {"together, bottom edge",
             StripOf(kBottom),
             NameOf(kBottom),
             {kOut, kOut, kOut, kIn, kHome}},
            // Over an unticked palette counts as off the ticked ones.
            {"together, unticked palette",
             {100, 600},
             NameOf(kLeftUnticked),
             {kOut, kOut, kOut, kOut, kHome}},
        });
    }

    void Separately() {
        SetMode("Separately");
        Walk({
            {"separately", StripOf(kLayers), NameOf(kLayers), {kIn, kOut, kOut, kOut, kHome}},
            {"separately", StripOf(kNavigator), NameOf(kNavigator), {kOut, kIn, kOut, kOut, kHome}},
            {"separately", StripOf(kLayers), NameOf(kLayers), {kIn, kOut, kOut, kOut, kHome}},
            {"separately", kOverHost, nullptr, {kOut, kOut, kOut, kOut, kHome}},
            {"separately, bottom edge",
             StripOf(kBottom),
             NameOf(kBottom),
             {kOut, kOut, kOut, kIn, kHome}},
            {"separately", kOverHost, nullptr, {kOut, kOut, kOut, kOut, kHome}},
        });
    }

    void Mixed() {
        SetMode("Mixed");
        const Palette& navigator = g_palettes[kNavigator];
        // Inside Navigator's band (where it stands when in) but left of its
        // strip, over the host's main window while Navigator is out.
        const POINT navigatorBand{demo::kHostRight - 40,
                                  (navigator.Layout->Top + navigator.Layout->Bottom) / 2};
        Walk({
            {"mixed", StripOf(kLayers), NameOf(kLayers), {kIn, kOut, kOut, kOut, kHome}},
            {"mixed, in Navigator's band",
             navigatorBand,
             nullptr,
             {kIn, kOut, kOut, kOut, kHome},
             true},
            {"mixed", StripOf(kNavigator), NameOf(kNavigator), {kIn, kIn, kOut, kOut, kHome}},
            {"mixed, left edge too", StripOf(kColor), NameOf(kColor), {kIn, kIn, kIn, kOut, kHome}},
            {"mixed, outside every band", kCentre, nullptr, {kOut, kOut, kOut, kOut, kHome}},
            // The band of an unticked palette holds the others in as well; the
            // unticked palette itself counts as off palettes.
            {"mixed", StripOf(kLayers), NameOf(kLayers), {kIn, kOut, kOut, kOut, kHome}},
            {"mixed, in the unticked palette's band",
             {175, 600},
             nullptr,
             {kIn, kOut, kOut, kOut, kHome},
             true},
            {"mixed, over the unticked palette",
             {100, 600},
             NameOf(kLeftUnticked),
             {kOut, kOut, kOut, kOut, kHome}},
            {"mixed", StripOf(kBottom), NameOf(kBottom), {kOut, kOut, kOut, kIn, kHome}},
            {"mixed", kOverHost, nullptr, {kOut, kOut, kOut, kOut, kHome}},
        });
    }

    // A word that names no mode acts as "Together", as the window shows it,
    // so the pointer still brings every palette back.
    void UnknownMode() {
        SetMode("together");
        Walk({
            {"unknown mode \"together\"",
             StripOf(kLayers),
             NameOf(kLayers),
             {kIn, kIn, kOut, kOut, kHome}},
            {"unknown mode \"together\"", kOverHost, nullptr, {kOut, kOut, kOut, kOut, kHome}},
            {"unknown mode \"together\", left edge",
             StripOf(kColor),
             NameOf(kColor),
             {kOut, kOut, kIn, kOut, kHome}},
            {"unknown mode \"together\"", kOverHost, nullptr, {kOut, kOut, kOut, kOut, kHome}},
        });
        SetMode("Together");
    }

    HWND EnabledBox() const { return m_app.Control(kFlatControlClass, "Enabled"); }

    LRESULT EnabledState() const {
        DWORD_PTR state = 0;
        ::SendMessageTimeoutA(EnabledBox(), BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 2000, &state);
        return static_cast<LRESULT>(state);
    }

    void ClickEnabled(const char* step, const Scene& scene, bool checked) {
        const HWND box = EnabledBox();
        const DWORD start = ::GetTickCount();
        ::PostMessageA(box, BM_CLICK, 0, 0);
        DWORD latency = 0;
        const bool settled = AwaitScene(scene, start, latency);
        Check(box != nullptr && settled,
              Format("%s: click on \"Enabled\" -> %s", step, DescribeScene(scene).c_str()) +
                  (settled ? Format(" (after %lu ms)", static_cast<unsigned long>(latency))
                           : " (now " + DescribeNow() + ")"));
        const char* stored = checked ? "Yes" : "No";
        const std::string read = m_folder.ReadEntry(kSettingsFile, "Info", "Enabled");
        Check(read == stored,
              Format("%s: ZC.reg holds Enabled=%s (read \"%s\")", step, stored, read.c_str()));
        const LRESULT state = EnabledState();
        Check(state == (checked ? BST_CHECKED : BST_UNCHECKED),
              Format("%s: the check box shows %s (BM_GETCHECK %ld)", step,
                     checked ? "checked" : "unchecked", static_cast<long>(state)));
    }

    void EnableSwitch() {
        Check(EnabledState() == BST_CHECKED,
              "the \"Enabled\" check box is checked, as ZC.reg said at start");
        // Every palette, the unticked one too, comes fully on the screen.
        ClickEnabled("auto-hide off", {kIn, kIn, kIn, kIn, kIn}, false);
        MoveExpectStill("auto-hide off", kOverHost, nullptr, {kIn, kIn, kIn, kIn, kIn});
        MoveExpectStill("auto-hide off, former strip", StripOf(kLayers), NameOf(kLayers),
                        {kIn, kIn, kIn, kIn, kIn});
        MoveExpectStill("auto-hide off", kOverHost, nullptr, {kIn, kIn, kIn, kIn, kIn});
        // The ticked ones go out again; the unticked one stays where it was put.
        ClickEnabled("auto-hide on", {kOut, kOut, kOut, kOut, kIn}, true);
        MoveExpect("auto-hide on", StripOf(kNavigator), NameOf(kNavigator),
                   {kIn, kIn, kOut, kOut, kIn});
        MoveExpect("auto-hide on", kOverHost, nullptr, {kOut, kOut, kOut, kOut, kIn});
    }

    LRESULT CheckState(const char* caption) const {
        DWORD_PTR state = 0;
        ::SendMessageTimeoutA(m_app.Control(kFlatControlClass, caption), BM_GETCHECK, 0, 0,
                              SMTO_ABORTIFHUNG, 2000, &state);
        return static_cast<LRESULT>(state);
    }

    // Posts a click on a mode's radio button while the host hangs and checks
    // that its mode reaches ZC.reg before the host answers again. A posted
    // message is handled only by a message loop that runs, so this shows that
    // no tick is stuck waiting for the host (a thread waiting in a
    // cross-thread SendMessage still answers sent messages such as WM_NULL,
    // so answering those alone would prove nothing).
    void ClickModeWhileHung(const char* caption, const char* mode) const {
        const std::string before = m_folder.ReadEntry(kSettingsFile, "Info", "FWoption");
        const DWORD start = ::GetTickCount();
        ::PostMessageA(m_app.Control(kFlatControlClass, caption), BM_CLICK, 0, 0);
        std::string read;
        const bool written = WaitUntil(
            [&] { return (read = m_folder.ReadEntry(kSettingsFile, "Info", "FWoption")) == mode; },
            kSettleMs);
        const DWORD took = ::GetTickCount() - start;
        const bool stillHung = !Answers(g_host, 50, SMTO_ABORTIFHUNG);
        Check(before != mode && written && stillHung,
              Format("hang: a posted click on \"%s\" turns FWoption from %s to %s while the host "
                     "still hangs (read %s after %lu ms, host %s)",
                     caption, before.c_str(), mode, read.c_str(), static_cast<unsigned long>(took),
                     stillHung ? "still hung" : "answering"));
    }

    // While the host does not answer, the ticks keep moving its palettes
    // without waiting for it, and the program stays responsive all along.
    void HungHost() {
        ::PostMessageA(g_host, demo::kMsgHang, kHangMs, 0);
        const bool hung =
            WaitUntil([] { return !Answers(g_host, 100, SMTO_ABORTIFHUNG); }, kHangMs);
        Check(hung, "hang: the host stops answering sent messages");
        if (!hung) {
            return;
        }
        std::string seen;
        const bool pointed = MovePointer(StripOf(kLayers), NameOf(kLayers), seen);
        const DWORD start = ::GetTickCount();
        // Ticks that move the hung host's palettes run meanwhile.
        ::Sleep(kModeSwitchMs);
        Check(pointed, "hang: " + PointerText(StripOf(kLayers), seen));
        ClickModeWhileHung("Type2", "Separately");
        ClickModeWhileHung("Type1", "Together");

        int asked = 0;
        int answered = 0;
        DWORD slowest = 0;
        while (!Answers(g_host, 50, SMTO_ABORTIFHUNG) &&
               ::GetTickCount() - start < kHangMs + kSettleMs) {
            const DWORD before = ::GetTickCount();
            ++asked;
            if (Answers(m_app.MainWindow(), kAnswerTimeoutMs, SMTO_ABORTIFHUNG)) {
                ++answered;
            }
            slowest = std::max<DWORD>(slowest, ::GetTickCount() - before);
            ::Sleep(50);
        }
        const DWORD hungFor = ::GetTickCount() - start;
        Check(asked >= 5 && answered == asked,
              Format("hang: quillmere's window answered %d of %d WM_NULL within %u ms during the "
                     "host's hang (%lu ms from the pointer move; slowest answer %lu ms)",
                     answered, asked, kAnswerTimeoutMs, static_cast<unsigned long>(hungFor),
                     static_cast<unsigned long>(slowest)));

        const Scene bothRightIn{kIn, kIn, kOut, kOut, kIn};
        DWORD latency = 0;
        const bool settled = AwaitScene(bothRightIn, ::GetTickCount(), latency);
        Check(settled, Format("hang over: %s", DescribeScene(bothRightIn).c_str()) +
                           (settled ? Format(" (after %lu ms)", static_cast<unsigned long>(latency))
                                    : " (now " + DescribeNow() + ")"));
        Check(CheckState("Type1") == BST_CHECKED && CheckState("Type2") == BST_UNCHECKED &&
                  CheckState("Type3") == BST_UNCHECKED,
              "hang over: the radio buttons show Type1 alone checked");
        MoveExpect("hang over", kOverHost, nullptr, {kOut, kOut, kOut, kOut, kIn});
    }

    const AppFolder& m_folder;
    RunningApp& m_app;
};

bool FindPalettes(const std::vector<Found>& found) {
    for (Palette& palette : g_palettes) {
        for (const Found& window : found) {
            if (window.Layout == palette.Layout) {
                palette.Window = window.Window;
            }
        }
        if (palette.Window == nullptr) {
            return false;
        }
    }
    return true;
}

void PrintLatencies() {
    if (g_latencies.empty()) {
        return;
    }
    std::vector<DWORD> sorted = g_latencies;
    std::sort(sorted.begin(), sorted.end());
    std::printf("info pointer-to-position latency over %d moves: min %lu ms, median %lu ms, "
                "max %lu ms\n",
                static_cast<int>(sorted.size()), static_cast<unsigned long>(sorted.front()),
                static_cast<unsigned long>(sorted[sorted.size() / 2]),
                static_cast<unsigned long>(sorted.back()));
}

} // namespace

int main() {
    std::vector<Found> found;
    if (!WaitForDemoHost(found)) {
        return Verdict();
    }
    if (!FindPalettes(found)) {
        Check(false, "every palette of the layout is found");
        return Verdict();
    }
    g_host = ::FindWindowA(quillmere::kHostClass.data(), nullptr);
    ::SetCursorPos(kOverHost.x, kOverHost.y);

    const AppFolder folder("quillmere_e2e_autohide");
    folder.CopyProgramAfresh({kSettingsFile, kSelectionFile});
    Check(folder.WriteEntry(kSettingsFile, "Info", "Enabled", "Yes") &&
              folder.WriteEntry(kSettingsFile, "Info", "FWoption", "Together"),
          "wrote ZC.reg beside it: Enabled=Yes, FWoption=Together");
    Check(folder.WriteEntry(kSelectionFile, "Options", "0", "left,500"),
          "wrote Options.ini beside it, unticking the untitled palette at the left");

    {
        RunningApp app;
        const DWORD start = ::GetTickCount();
        const bool started = app.Start(folder.Program(), folder.Directory());
        Check(started && app.MainWindow() != nullptr,
              Format("quillmere.exe is up, main window after %lu ms",
                     static_cast<unsigned long>(::GetTickCount() - start)));
        if (app.MainWindow() != nullptr) {
            DWORD latency = 0;
            const bool slidOut =
                AwaitScene({kOut, kOut, kOut, kOut, kHome}, ::GetTickCount(), latency);
            Check(slidOut,
                  "the first scan slid the ticked palettes out: " +
                      (slidOut ? DescribeScene({kOut, kOut, kOut, kOut, kHome}) : DescribeNow()));
            if (slidOut) {
                Probe probe(folder, app);
                probe.Run();
            }
        }
    }
    PrintLatencies();
    return Verdict();
}

// End-to-end probe of quillmere.exe's main window beside the demo host, with
// the real pointer and keyboard: the round shape (what is inside the circle
// and what is not), every control clicked at its place, the header drag (left
// button on the header only), the About window (centred on the main window,
// modal, closed by "Ok" and by its caption's close button), "Help" opening
// help.chm, "Stay on the top" both ways and at the next start, and the
// keyboard focus. Positions are screen pixels at 96 DPI; control positions
// are the window's client coordinates. Prints one line per check and, last,
// "PASS" or "FAIL".

#include "AppProcess.h"
#include "DemoDesktop.h"
#include "platform/win32/AboutWindowLayout.h"
#include "platform/win32/MainWindowLayout.h"

#include <windows.h>

#include <string>
#include <vector>

namespace {

using namespace probe;
namespace layout = quillmere::win32::layout;
namespace about_layout = quillmere::win32::about_layout;

constexpr DWORD kSettleMs = 3000;
constexpr DWORD kHelpWaitMs = 15000;
constexpr int kSize = 436;

void MouseInput(DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    ::SendInput(1, &input, sizeof(input));
}

void Press(POINT at, bool left = true) {
    ::SetCursorPos(at.x, at.y);
    ::Sleep(50);
    MouseInput(left ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_RIGHTDOWN);
}

void Release(bool left = true) {
    MouseInput(left ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_RIGHTUP);
    ::Sleep(50);
}

void ClickScreen(POINT at) {
    Press(at);
    ::Sleep(30);
    Release();
}

void Key(WORD key) {
    INPUT inputs[2]{};
    inputs[0].type = INPUT_KEYBOARD;
    inputs[0].ki.wVk = key;
    inputs[1] = inputs[0];
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(2, inputs, sizeof(INPUT));
}

// A press, a move in steps and a release: the window system's move loop
// follows the pointer while the button is down.
void DragBy(POINT from, int dx, int dy, bool left) {
    Press(from, left);
    for (int step = 1; step <= 8; ++step) {
        ::Sleep(40);
        ::SetCursorPos(from.x + dx * step / 8, from.y + dy * step / 8);
    }
    ::Sleep(100);
    Release(left);
    ::Sleep(300);
}

bool Topmost(HWND window) {
    return (::GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

HWND FindVisibleTopLevel(DWORD processId, const char* caption) {
    struct Search {
        DWORD ProcessId;
        const char* Caption;
        HWND Found;
    } search{processId, caption, nullptr};
    ::EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            DWORD owner = 0;
            ::GetWindowThreadProcessId(window, &owner);
            if ((s->ProcessId == 0 || owner == s->ProcessId) && ::IsWindowVisible(window) &&
                CaptionOf(window) == s->Caption) {
                s->Found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

class MainWindowProbe {
public:
    MainWindowProbe(const AppFolder& folder, RunningApp& app)
        : m_folder(folder), m_main(app.MainWindow()) {
        ::GetWindowThreadProcessId(m_main, &m_processId);
    }

    POINT At(int x, int y) const {
        const ScreenRect rect = RectOf(m_main);
        return {rect.Left + x, rect.Top + y};
    }
    POINT Centre(const layout::Box& box) const {
        return At(box.Left + box.Width / 2, box.Top + box.Height / 2);
    }
    // On a check box's or radio button's mark: left in the control, half way down.
    POINT OnMark(const layout::Box& box) const {
        return At(box.Left + 10, box.Top + box.Height / 2);
    }

    HWND ControlByCaption(const char* caption) const {
        return ::FindWindowExA(m_main, nullptr, nullptr, caption);
    }

    std::string Setting(const char* key) const { return m_folder.ReadEntry("ZC.reg", "Info", key); }

    void ExpectSetting(const std::string& step, const char* key, const char* value) const {
        std::string read;
        WaitUntil([&] { return (read = Setting(key)) == value; }, kSettleMs);
        Check(read == value, Format("%s: ZC.reg holds %s=%s (read \"%s\")", step.c_str(), key,
                                    value, read.c_str()));
    }

    void Shape() const {
        const ScreenRect rect = RectOf(m_main);
        const int screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
        const int screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
        Check(rect.Right - rect.Left == kSize && rect.Bottom - rect.Top == kSize &&
                  rect.Left == (screenWidth - kSize) / 2 && rect.Top == (screenHeight - kSize) / 2,
              "the window is 436 x 436, centred on the desktop, at " + Describe(rect));
        const LONG style = ::GetWindowLongA(m_main, GWL_STYLE);
        Check((style & (WS_CAPTION | WS_THICKFRAME | WS_BORDER)) == 0 &&
                  CaptionOf(m_main) == "Quillmere ",
              "no caption bar and no border; window text \"Quillmere \"");
        HWND owner = ::GetWindow(m_main, GW_OWNER);
        Check(owner != nullptr && CaptionOf(owner) == "Quillmere" &&
                  !Topmost(owner) == !Topmost(m_main),
              "owned by the application window \"Quillmere\", which carries the topmost state");

        // Inside the circle of diameter 430 from the top-left corner, and
        // outside it: the corners and the 6-pixel strips at right and bottom.
        struct Spot {
            int X, Y;
            bool Inside;
            const char* Where;
        };
        const Spot spots[] = {{215, 215, true, "the centre"},
                              {5, 215, true, "the left edge"},
                              {215, 425, true, "the bottom edge"},
                              {3, 3, false, "the top-left corner"},
                              {425, 425, false, "the bottom-right corner"},
                              {432, 215, false, "the right strip"},
                              {215, 432, false, "the bottom strip"}};
        for (const Spot& spot : spots) {
            const POINT at = At(spot.X, spot.Y);
            HWND hit = ::WindowFromPoint(at);
            const bool ours = hit == m_main || ::IsChild(m_main, hit);
            Check(ours == spot.Inside, Format("%s (%d,%d) %s the window", spot.Where, spot.X,
                                              spot.Y, spot.Inside ? "belongs to" : "is outside"));
        }
    }

    // Whether the keyboard focus comes to the control `caption` within the
    // settle time: the first one is given on activation, which Wine may
    // report a moment after the window shows.
    bool FocusReaches(const char* caption) const {
        const DWORD thread = ::GetWindowThreadProcessId(m_main, nullptr);
        const HWND control = ControlByCaption(caption);
        return WaitUntil(
            [&] {
                GUITHREADINFO info{};
                info.cbSize = sizeof(info);
                return ::GetGUIThreadInfo(thread, &info) && info.hwndFocus == control;
            },
            kSettleMs);
    }

    void Focus() const {
        Check(FocusReaches("Start with Windows"),
              "the keyboard focus starts on \"Start with Windows\"");
        // Tab moves on to "Stay on the top"; space toggles it.
        ::SetForegroundWindow(m_main);
        ::Sleep(200);
        Key(VK_TAB);
        Check(FocusReaches("Stay on the top"), "Tab moves the focus to \"Stay on the top\"");
        const std::string before = Setting("OnTop");
        Key(VK_SPACE);
        ExpectSetting("space on the focused \"Stay on the top\"", "OnTop",
                      before == "Yes" ? "No" : "Yes");
        Key(VK_SPACE);
        ExpectSetting("space again", "OnTop", before.c_str());
    }

    void Clicks() const {
        struct Box {
            const char* Caption;
            layout::Box Bounds;
            const char* Key;
            const char* First;
            const char* Second;
        };
        const Box boxes[] = {
            {"Type2", layout::kOptionSeparately, "FWoption", "Separately", nullptr},
            {"Type3", layout::kOptionMixed, "FWoption", "Mixed", nullptr},
            {"Type1", layout::kOptionTogether, "FWoption", "Together", nullptr},
            {"Enabled", layout::kChkEnabled, "Enabled", "No", "Yes"},
            {"Start with Windows", layout::kChkStart, "SystemStart", "Yes", "No"},
        };
        for (const Box& box : boxes) {
            const POINT on = OnMark(box.Bounds);
            ClickScreen(on);
            ExpectSetting(Format("a click on \"%s\"", box.Caption), box.Key, box.First);
            if (box.Second != nullptr) {
                ClickScreen(on);
                ExpectSetting(Format("a second click on \"%s\"", box.Caption), box.Key, box.Second);
            }
        }
        // "Select None" / "Select All" names what its next click does.
        HWND select = ControlByCaption("Select None");
        const POINT selectCentre = Centre(layout::kBtnselect);
        ClickScreen(selectCentre);
        Check(WaitUntil([&] { return CaptionOf(select) == "Select All"; }, kSettleMs),
              "a click on \"Select None\" turns it into \"Select All\"");
        ClickScreen(selectCentre);
        Check(WaitUntil([&] { return CaptionOf(select) == "Select None"; }, kSettleMs),
              "a click on \"Select All\" turns it back");
    }

    void StayOnTop(const char* expected) const {
        // The owner is asked each time: the program unhooks the main window
        // from it for a moment while it hands the state on, right after the
        // setting is written.
        const auto owner = [&] { return ::GetWindow(m_main, GW_OWNER); };
        const bool on = std::string(expected) == "Yes";
        Check(WaitUntil([&] { return Topmost(owner()) == on && Topmost(m_main) == on; }, kSettleMs),
              Format("the application window and the main window are %stopmost (now %d, %d)",
                     on ? "" : "not ", Topmost(owner()), Topmost(m_main)));
    }

    void ClickStayOnTop(const char* expected) const {
        ClickScreen(OnMark(layout::kChkTop));
        ExpectSetting("a click on \"Stay on the top\"", "OnTop", expected);
        StayOnTop(expected);
    }

    void Drag() const {
        const ScreenRect start = RectOf(m_main);
        DragBy(At(200, 30), 120, 60, false);
        Check(RectOf(m_main) == start, "a right-button drag on the header leaves the window");
        DragBy(At(110, 250), 120, 60, true);
        Check(RectOf(m_main) == start, "a left-button drag below the header leaves the window");
        DragBy(At(200, 30), -150, 80, true);
        const ScreenRect moved = RectOf(m_main);
        Check(moved.Left == start.Left - 150 && moved.Top == start.Top + 80,
              "a left-button drag on the header moves the window with the pointer to " +
                  Describe(moved));
        DragBy(Centre(layout::kImage1), 30, -20, true);
        const ScreenRect again = RectOf(m_main);
        Check(again.Left == moved.Left + 30 && again.Top == moved.Top - 20,
              "a drag on the header's icon moves it too, to " + Describe(again));
    }

    void About(bool byCloseButton) const {
        ClickScreen(Centre(layout::kBtnAbout));
        HWND about = nullptr;
        WaitUntil(
            [&] {
                return (about = FindVisibleTopLevel(m_processId, "About Quillmere")) != nullptr;
            },
            kSettleMs);
        Check(about != nullptr, "\"About\" shows the window \"About Quillmere\"");
        if (about == nullptr) {
            return;
        }
        const ScreenRect main = RectOf(m_main);
        const ScreenRect box = RectOf(about);
        const int dx = (box.Left + box.Right) / 2 - (main.Left + main.Right) / 2;
        const int dy = (box.Top + box.Bottom) / 2 - (main.Top + main.Bottom) / 2;
        Check(dx >= -1 && dx <= 1 && dy >= -1 && dy <= 1, "it is centred on the main window (" +
                                                              Describe(box) + " over " +
                                                              Describe(main) + ")");
        Check(::GetWindow(about, GW_OWNER) == m_main && !::IsWindowEnabled(m_main),
              "it is owned by the main window, which takes no input meanwhile");
        // "OK", below the About window: a click there would hide the main window.
        ClickScreen(Centre(layout::kBtnOK));
        ::Sleep(500);
        Check(::IsWindowVisible(m_main) != FALSE,
              "a click on the main window's \"OK\" while About is open does nothing");
        if (byCloseButton) {
            ::PostMessageA(about, WM_SYSCOMMAND, SC_CLOSE, 0);
        } else {
            RECT client{};
            ::GetClientRect(about, &client);
            const auto& okBox = about_layout::kBtnOK;
            POINT ok{okBox.Left + okBox.Width / 2, okBox.Top + okBox.Height / 2};
            ::ClientToScreen(about, &ok);
            ClickScreen(ok);
        }
        Check(
            WaitUntil([&] { return !::IsWindow(about) || !::IsWindowVisible(about); }, kSettleMs) &&
                WaitUntil([&] { return ::IsWindowEnabled(m_main) != FALSE; }, kSettleMs),
            byCloseButton
                ? "the caption's close button closes it, and the main window takes input again"
                : "\"Ok\" closes it, and the main window takes input again");
    }

    void Help() const {
        ClickScreen(Centre(layout::kBtnHelp));
        HWND viewer = nullptr;
        WaitUntil([&] { return (viewer = FindVisibleTopLevel(0, "Quillmere Help")) != nullptr; },
                  kHelpWaitMs);
        Check(viewer != nullptr, "\"Help\" opens help.chm in the help viewer \"Quillmere Help\"");
        // The viewer may drop a close that comes while it is still setting up:
        // ask until it has gone, so that it covers nothing later.
        const bool closed = viewer != nullptr && WaitUntil(
                                                     [&] {
                                                         ::PostMessageA(viewer, WM_CLOSE, 0, 0);
                                                         ::Sleep(200);
                                                         return !::IsWindow(viewer);
                                                     },
                                                     kHelpWaitMs);
        Check(closed, "the help viewer closes again");
    }

private:
    const AppFolder& m_folder;
    HWND m_main;
    DWORD m_processId = 0;
};

std::string BuiltHelpPath() {
    std::string path = BuiltProgramPath();
    return path.substr(0, path.find_last_of('\\') + 1) + "help.chm";
}

} // namespace

int main() {
    std::vector<Found> found;
    if (!WaitForDemoHost(found)) {
        return Verdict();
    }
    AppFolder folder("quillmere main window");
    Check(folder.CopyProgram() &&
              ::CopyFileA(BuiltHelpPath().c_str(), folder.PathOf("help.chm").c_str(), FALSE),
          "quillmere.exe and help.chm are copied to " + folder.Directory());
    {
        RunningApp app;
        Check(app.Start(folder.Program(), folder.Directory()) && app.MainWindow() != nullptr,
              "quillmere.exe starts and shows its main window");
        if (app.MainWindow() == nullptr) {
            return Verdict();
        }
        MainWindowProbe probe(folder, app);
        probe.StayOnTop("Yes");
        probe.Shape();
        probe.Focus();
        probe.Clicks();
        probe.Drag();
        probe.About(false);
        probe.About(true);
        probe.Help();
        probe.ClickStayOnTop("No");
        probe.ClickStayOnTop("Yes");
        probe.ClickStayOnTop("No");
        ::PostMessageA(app.MainWindow(), WM_CLOSE, 0, 0);
        DWORD exitCode = 1;
        Check(app.WaitForExit(kExitWaitMs, exitCode) && exitCode == 0,
              "WM_CLOSE ends the program with status 0");
    }
    {
        RunningApp app;
        Check(app.Start(folder.Program(), folder.Directory()) && app.MainWindow() != nullptr,
              "quillmere.exe starts again");
        if (app.MainWindow() != nullptr) {
            MainWindowProbe probe(folder, app);
            probe.StayOnTop("No");
            Check(folder.ReadEntry("ZC.reg", "Info", "OnTop") == "No",
                  "the next start keeps \"Stay on the top\" off");
            probe.ClickStayOnTop("Yes");
            ::PostMessageA(app.MainWindow(), WM_CLOSE, 0, 0);
            DWORD exitCode = 1;
            app.WaitForExit(kExitWaitMs, exitCode);
        }
    }
    return Verdict();
}

// End-to-end probe of quillmere.exe's notification-area icon against the demo
// host: the first start writes the default settings in their order; "OK"
// hides the main window and the taskbar window "TApplication", which becomes
// a tool window with no other bit of its extended style changed, and shows
// one icon with the tip "Quillmere" while the palettes keep sliding; a single
// click on the icon does nothing and a double click restores everything, three
// times over; the right button opens the menu at the pointer, whose "Open
// Quillmere" restores and whose "Exit" saves Options.ini, brings every
// palette back flush and ends the program; "TaskbarCreated" puts back an icon
// that the shell lost, only while hidden; and the session-end query of a
// hidden program saves and brings the palettes back, as does the session's end
// with no query before it. Palette positions are
// window rectangles in screen pixels. Prints one line per check and, last,
// "PASS" or "FAIL".
//
// Wine 8 with no tray manager on its display (Xvfb, no window manager) shows
// notification icons in winex11.drv's standalone tray: a top-level window of
// the desktop process (explorer.exe), class "__winex11_standalone_tray",
// caption "Wine System Tray", at the top-left of the screen, shown while it
// holds an icon and hidden, not destroyed, when its last icon goes. Each icon
// is a child window of class "__winex11_tray_icon"; a mouse message it
// receives reaches the icon's owner as the callback message (wParam: the
// icon's id, lParam: the mouse message). Its tip is the one tool of a
// "tooltips_class32" window owned by the tray window. Wine deletes an icon by
// itself when its owner window is destroyed, so an icon gone after the
// program ended does not prove that the program deleted it. Wine's desktop
// shows no taskbar: the taskbar entry is seen only as TApplication's
// visibility and WS_EX_TOOLWINDOW.

#include "AppProcess.h"
#include "DemoDesktop.h"
#include "platform/win32/UniqueHandle.h"

#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

using namespace probe;

constexpr UINT kTrayCallback = WM_USER + 1000;
constexpr UINT kIconId = 1;
constexpr const char* kTip = "Quillmere";
constexpr const char* kAppWindowClass = "TApplication";
constexpr const char* kMenuClass = "#32768";
constexpr const char* kTrayClass = "__winex11_standalone_tray";
constexpr const char* kIconClass = "__winex11_tray_icon";
constexpr const char* kSettingsFile = "ZC.reg";
constexpr const char* kSelectionFile = "Options.ini";
// Unticked by the Options.ini written before the first start, so that every
// saved selection file has one entry to show.
constexpr const char* kUnticked = "Color";
constexpr const char* kUntickedValue = "left,120";

constexpr DWORD kSettleMs = 2000;
// Watched for this long when something must not change (several ticks).
constexpr DWORD kHoldMs = 500;
constexpr int kCycles = 3;
// The menu's top-left corner may stand this far from the pointer.
constexpr int kMenuSlack = 3;
// Points over the host's document area: no palette there, so ticked palettes
// stay slid out, and a menu opened there fits on the screen.
constexpr POINT kOverHost{640, 512};
constexpr POINT kFirstMenuAt{720, 420};
constexpr POINT kSecondMenuAt{820, 760};

// The icons shown in Wine's standalone tray.
std::vector<HWND> TrayIcons() {
    std::vector<HWND> icons;
    for (HWND tray : TopLevelWindowsOfClass(kTrayClass)) {
        for (HWND icon = nullptr;
             (icon = ::FindWindowExA(tray, icon, kIconClass, nullptr)) != nullptr;) {
            if (::IsWindowVisible(icon)) {
                icons.push_back(icon);
            }
        }
    }
    return icons;
}

// The tip of a tray icon. The tooltip hands its text out only into memory of
// its own process, so the question and the answer go through a buffer there.
std::string TipOf(HWND icon) {
    const HWND tray = ::GetAncestor(icon, GA_ROOT);
    DWORD processId = 0;
    ::GetWindowThreadProcessId(tray, &processId);
    const quillmere::win32::UniqueKernelHandle process(
        ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId));
    struct Exchange {
        TTTOOLINFOW Tool;
        wchar_t Text[1024]; // the longest text a tooltip copies out
    };
    auto* remote = static_cast<Exchange*>(
        ::VirtualAllocEx(process.Get(), nullptr, sizeof(Exchange), MEM_COMMIT, PAGE_READWRITE));
    if (remote == nullptr) {
        return "(tip unreadable)";
    }
    std::string tip = "(no tip)";
    for (HWND tooltip : TopLevelWindowsOfClass(TOOLTIPS_CLASSA)) {
        if (::GetWindow(tooltip, GW_OWNER) != tray) {
            continue;
        }
        Exchange local{};
        local.Tool.cbSize = sizeof(TTTOOLINFOW);
        local.Tool.lpszText = remote->Text;
        DWORD_PTR found = 0;
        if (::WriteProcessMemory(process.Get(), remote, &local, sizeof(local), nullptr) &&
            ::SendMessageTimeoutW(tooltip, TTM_ENUMTOOLSW, 0,
                                  reinterpret_cast<LPARAM>(&remote->Tool), SMTO_ABORTIFHUNG,
                                  kMessageTimeoutMs, &found) &&
            found != 0 &&
            ::ReadProcessMemory(process.Get(), remote, &local, sizeof(local), nullptr) &&
            local.Tool.hwnd == icon) {
            local.Text[1023] = L'\0';
            char narrow[1024] = {};
            ::WideCharToMultiByte(CP_ACP, 0, local.Text, -1, narrow, sizeof(narrow), nullptr,
                                  nullptr);
            tip = narrow;
        }
    }
    ::VirtualFreeEx(process.Get(), remote, 0, MEM_RELEASE);
    return tip;
}

std::vector<std::string> IconTips() {
    std::vector<std::string> tips;
    for (HWND icon : TrayIcons()) {
        tips.push_back(TipOf(icon));
    }
    return tips;
}

// What the program shows of itself.
struct Presence {
    bool MainShown = false;
    bool AppShown = false;
    LONG AppExStyle = 0;
    std::vector<std::string> Tips; // of every icon in the tray

    bool operator==(const Presence&) const = default;

    std::string Text() const {
        return Format("main window %s, TApplication %s with extended style 0x%lx, icons ",
                      MainShown ? "shown" : "hidden", AppShown ? "shown" : "hidden",
                      static_cast<unsigned long>(AppExStyle)) +
               Join(Tips);
    }
};

// How a mouse message reaches the program: posted as the callback message
// itself, or posted to Wine's icon window, which passes it on.
enum class Route { Callback, IconWindow };

struct Gesture {
    Route Via;
    UINT Message;
    const char* Name;
};

constexpr Gesture kIgnored[] = {
    {Route::Callback, WM_LBUTTONDOWN, "a single click (0x0201)"},
    {Route::Callback, WM_LBUTTONUP, "a button release (0x0202)"},
    {Route::Callback, WM_MOUSEMOVE, "a move (0x0200)"},
    {Route::IconWindow, WM_LBUTTONDOWN, "a press on Wine's icon window"},
    {Route::IconWindow, WM_LBUTTONUP, "a release on Wine's icon window"},
};

constexpr Gesture kRestores[kCycles] = {
    {Route::Callback, WM_LBUTTONDBLCLK, "a double click (0x0203)"},
    {Route::IconWindow, WM_LBUTTONDBLCLK, "a double click on Wine's icon window"},
    {Route::Callback, WM_LBUTTONDBLCLK, "a double click (0x0203)"},
};

class TrayProbe {
public:
    TrayProbe(const std::vector<Found>& found, const AppFolder& folder)
        : m_palettes(PalettesOf(found)), m_folder(folder) {}

    void FirstRun(RunningApp& app) {
        CheckDefaults();
        if (!Attach(app)) {
            return;
        }
        ::PostMessageA(HWND_BROADCAST, ::RegisterWindowMessageA("TaskbarCreated"), 0, 0);
        ::Sleep(kHoldMs);
        Expect("\"TaskbarCreated\" while the window shows adds no icon", Shown());

        for (int cycle = 0; cycle < kCycles; ++cycle) {
            const std::string round = Format("round %d: ", cycle + 1);
            HideByOK(round);
            if (cycle == 0) {
                KeepsSliding();
                for (const Gesture& gesture : kIgnored) {
                    Send(gesture);
                    ::Sleep(kHoldMs);
                    Expect(std::string(gesture.Name) + " changes nothing", Hidden());
                }
            }
            Send(kRestores[cycle]);
            Expect(round + kRestores[cycle].Name + " restores, extended style as before \"OK\"",
                   Shown());
        }

        HideByOK("before the shell restarts: ");
        IconLost();

        ::SetCursorPos(kFirstMenuAt.x, kFirstMenuAt.y);
        Send({Route::Callback, WM_RBUTTONDOWN, "the right button (0x0204)"});
        if (MenuOpensAt(kFirstMenuAt, "the right button (0x0204)")) {
            ::SetCursorPos(kOverHost.x, kOverHost.y);
            PressKeys({VK_DOWN, VK_RETURN});
            Expect("\"Open Quillmere\" restores", Shown());
        }

        HideByOK("before \"Exit\": ");
        ::SetCursorPos(kSecondMenuAt.x, kSecondMenuAt.y);
        Send({Route::IconWindow, WM_RBUTTONDOWN, "the right button on Wine's icon window"});
        if (MenuOpensAt(kSecondMenuAt, "the right button on Wine's icon window")) {
            // Read at the first scan; the close must write it afresh.
            m_folder.RemoveFile(kSelectionFile);
            ::SetCursorPos(kOverHost.x, kOverHost.y);
            // "Exit" follows "Open Quillmere", "Reveal delay" and "Hide delay".
            PressKeys({VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN});
            ExpectEnd(app, "\"Exit\"", true);
            ExpectSavedAndBack("after \"Exit\"");
        }
    }

    // A new run, hidden, asked whether the session may end, then ended.
    void SecondRun(RunningApp& app) {
        if (!Attach(app)) {
            return;
        }
        HideByOK("second run: ");
        m_folder.RemoveFile(kSelectionFile);
        DWORD_PTR answer = 0;
        ::SendMessageTimeoutA(app.MainWindow(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF,
                              SMTO_ABORTIFHUNG, kSettleMs, &answer);
        Check(answer == TRUE, Format("hidden, WM_QUERYENDSESSION is answered yes (%lu)",
                                     static_cast<unsigned long>(answer)));
        ExpectSavedAndBack("after the session-end query");
        ::SendMessageTimeoutA(app.MainWindow(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF,
                              SMTO_ABORTIFHUNG, kSettleMs, nullptr);
        ExpectEnd(app, "WM_ENDSESSION(TRUE)", false);
    }

    // A third run, hidden, ended with no query before it, as Windows ends a
    // program that did not answer the query in time.
    void EndedUnasked(RunningApp& app) {
        if (!Attach(app)) {
            return;
        }
        HideByOK("third run: ");
        m_folder.RemoveFile(kSelectionFile);
        ::SendMessageTimeoutA(app.MainWindow(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF,
                              SMTO_ABORTIFHUNG, kSettleMs, nullptr);
        ExpectSavedAndBack("after WM_ENDSESSION(TRUE) with no query before it");
        ExpectEnd(app, "WM_ENDSESSION(TRUE) with no query", false);
    }

private:
    void CheckDefaults() const {
        const std::vector<std::string> wanted{"[Info]",    "FWoption=Together", "SystemStart=No",
                                              "OnTop=Yes", "Enabled=Yes",       "Language=English"};
        std::vector<std::string> lines;
        for (const std::string& line : m_folder.FileLines(kSettingsFile)) {
            if (!line.empty()) {
                lines.push_back(line);
            }
        }
        Check(lines == wanted,
              "the first start writes ZC.reg as " + Join(wanted) + " (holds " + Join(lines) + ")");
    }

    // Takes up a started program: its windows and TApplication's extended
    // style while shown, and the palettes slid out.
    bool Attach(RunningApp& app) {
        m_app = &app;
        m_main = app.MainWindow();
        m_appWindow = app.TopLevel(kAppWindowClass);
        Check(m_main != nullptr && m_appWindow != nullptr && CaptionOf(m_appWindow) == "Quillmere",
              "quillmere.exe shows its main window and has its window \"TApplication\" "
              "captioned \"Quillmere\"");
        if (m_main == nullptr || m_appWindow == nullptr) {
            return false;
        }
        m_exStyle = ::GetWindowLongA(m_appWindow, GWL_EXSTYLE);
        Check((m_exStyle & WS_EX_TOOLWINDOW) == 0,
              Format("TApplication is no tool window at start (extended style 0x%lx)",
                     static_cast<unsigned long>(m_exStyle)));
        Expect("at start", Shown());
        ExpectPalettes("at start every palette but \"Color\" is slid out",
                       [&] { return AllTickedHidden(m_palettes, kUnticked); });
        return true;
    }

    Presence Now() const {
        return {::IsWindowVisible(m_main) != FALSE, ::IsWindowVisible(m_appWindow) != FALSE,
                ::GetWindowLongA(m_appWindow, GWL_EXSTYLE), IconTips()};
    }
    Presence Shown() const { return {true, true, m_exStyle, {}}; }
    Presence Hidden() const { return {false, false, m_exStyle | WS_EX_TOOLWINDOW, {kTip}}; }

    void Expect(const std::string& step, const Presence& wanted) const {
        Presence now;
        WaitUntil([&] { return (now = Now()) == wanted; }, kSettleMs);
        Check(now == wanted, step + ": " + wanted.Text() + " (now " + now.Text() + ")");
    }

    template <typename Holds> void ExpectPalettes(const std::string& step, Holds holds) const {
        const bool held = WaitUntil(holds, kSettleMs);
        Check(held, step + " (now " + DescribeNow(m_palettes) + ")");
    }

    void HideByOK(const std::string& round) const {
        ::PostMessageA(::FindWindowExA(m_main, nullptr, nullptr, "OK"), BM_CLICK, 0, 0);
        Expect(round + "\"OK\" hides both windows, sets WS_EX_TOOLWINDOW and shows one icon",
               Hidden());
    }

    void Send(const Gesture& gesture) const {
        if (gesture.Via == Route::Callback) {
            ::PostMessageA(m_main, kTrayCallback, kIconId, gesture.Message);
            return;
        }
        const std::vector<HWND> icons = TrayIcons();
        if (icons.size() != 1) {
            Check(false, Format("one icon window to send %s to (found %d)", gesture.Name,
                                static_cast<int>(icons.size())));
            return;
        }
        ::PostMessageA(icons.front(), gesture.Message, 0, MAKELPARAM(8, 8));
    }

    // Hidden, the palettes follow the pointer as before.
    void KeepsSliding() const {
        const Found* layers = nullptr;
        for (const Found& palette : m_palettes) {
            layers = palette.Is("Layers") ? &palette : layers;
        }
        if (layers == nullptr) {
            return;
        }
        const POINT strip = StripPoint(*layers->Layout);
        ::SetCursorPos(strip.x, strip.y);
        ExpectPalettes("hidden, the pointer on \"Layers\"'s strip slides it in",
                       [&] { return StandsShown(*layers); });
        ::SetCursorPos(kOverHost.x, kOverHost.y);
        ExpectPalettes("hidden, the pointer away slides every ticked palette out",
                       [&] { return AllTickedHidden(m_palettes, kUnticked); });
        Expect("after the slides the program is still hidden, with its icon", Hidden());
    }

    // The shell forgets the icon, as when it restarts; its "TaskbarCreated"
    // has the program add it again.
    void IconLost() const {
        NOTIFYICONDATAA icon{};
        icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
        icon.hWnd = m_main;
        icon.uID = kIconId;
        Check(::Shell_NotifyIconA(NIM_DELETE, &icon) != FALSE,
              "the probe deletes the program's icon from the tray");
        Presence lost = Hidden();
        lost.Tips.clear();
        Expect("without its icon the program stays hidden", lost);
        ::PostMessageA(HWND_BROADCAST, ::RegisterWindowMessageA("TaskbarCreated"), 0, 0);
        Expect("\"TaskbarCreated\" while hidden adds the icon again", Hidden());
    }

    // The keys that choose an item follow with the pointer moved off the menu,
    // so that no item is highlighted under it and the first VK_DOWN selects
    // the first item.
    bool MenuOpensAt(POINT pointer, const char* gesture) const {
        HWND menu = nullptr;
        WaitUntil(
            [&] {
                menu = m_app->TopLevel(kMenuClass, true);
                return menu != nullptr;
            },
            kSettleMs);
        const ScreenRect rect = menu != nullptr ? RectOf(menu) : ScreenRect{};
        Check(menu != nullptr && std::abs(rect.Left - pointer.x) <= kMenuSlack &&
                  std::abs(rect.Top - pointer.y) <= kMenuSlack,
              Format("%s opens the menu (%s) with its top-left at the pointer (%ld,%ld) (menu at "
                     "%s)",
                     gesture, kMenuClass, pointer.x, pointer.y,
                     menu != nullptr ? Describe(rect).c_str() : "none"));
        return menu != nullptr;
    }

    void ExpectEnd(RunningApp& app, const char* cause, bool wantStatus0) const {
        DWORD exitCode = 1;
        const bool ended = app.WaitForExit(kExitWaitMs, exitCode);
        const std::vector<std::string> tips = IconTips();
        Check(ended && (!wantStatus0 || exitCode == 0) && tips.empty(),
              Format("%s ends the program%s (ended %d, status %lu), no icon left (icons ", cause,
                     wantStatus0 ? " with status 0" : "", ended ? 1 : 0,
                     static_cast<unsigned long>(exitCode)) +
                  Join(tips) + ")");
    }

    void ExpectSavedAndBack(const std::string& step) const {
        ExpectPalettes(step + " every palette stands flush against its edge", [&] {
            for (const Found& palette : m_palettes) {
                if (!StandsShown(palette)) {
                    return false;
                }
            }
            return true;
        });
        std::vector<std::string> values;
        for (const std::string& line : m_folder.SectionLines(kSelectionFile, "Options")) {
            values.push_back(line.substr(line.find('=') + 1));
        }
        Check(values == std::vector<std::string>{kUntickedValue},
              step + " Options.ini is written again with \"Color\" unticked (values " +
                  Join(values) + ")");
    }

    std::vector<Found> m_palettes;
    const AppFolder& m_folder;
    const RunningApp* m_app = nullptr;
    HWND m_main = nullptr;
    HWND m_appWindow = nullptr;
    LONG m_exStyle = 0;
};

} // namespace

// A first start where the settings file cannot be written (a folder stands
// in its place): the fatal-error box "Application Error" with the INI
// layer's message, no main window, and exit status 1 once it is closed.
void RefusedFirstStart() {
    const AppFolder folder("quillmere e2e refused start");
    Check(folder.CopyProgram() && ::CreateDirectoryA(folder.PathOf(kSettingsFile).c_str(), nullptr),
          "a folder named ZC.reg stands beside a fresh copy of quillmere.exe");
    RunningApp app;
    app.Start(folder.Program(), folder.Directory(), 0);
    HWND box = nullptr;
    WaitUntil([&] { return (box = app.TopLevel("#32770", true)) != nullptr; }, kAppWaitMs);
    std::string text;
    for (HWND label = nullptr;
         box != nullptr && (label = ::FindWindowExA(box, label, "Static", nullptr)) != nullptr;) {
        text = CaptionOf(label).empty() ? text : CaptionOf(label);
    }
    Check(box != nullptr && CaptionOf(box) == "Application Error" &&
              text == "Unable to write to " + folder.PathOf(kSettingsFile) + ".",
          "the box \"Application Error\" says \"" + text + "\"");
    Check(app.TopLevel(kAppMainClass) == nullptr, "no main window was made");
    if (box != nullptr) {
        ::PostMessageA(box, WM_COMMAND, IDOK, 0);
    }
    DWORD exitCode = 0;
    const bool ended = app.WaitForExit(kExitWaitMs, exitCode);
    Check(ended && exitCode == 1,
          Format("the program ends with status 1 (%lu) once the box is closed", exitCode));
}

int main() {
    RefusedFirstStart();
    std::vector<Found> found;
    if (!WaitForDemoHost(found)) {
        return Verdict();
    }
    const AppFolder folder("quillmere e2e tray");
    folder.CopyProgramAfresh({kSettingsFile, kSelectionFile});
    Check(folder.WriteEntry(kSelectionFile, "Options", "0", kUntickedValue),
          "wrote Options.ini beside it, unticking \"Color\"");
    ::SetCursorPos(kOverHost.x, kOverHost.y);

    TrayProbe probe(found, folder);
    RunTwice(probe, folder);
    RunningApp app;
    Check(app.Start(folder.Program(), folder.Directory()), "started quillmere.exe a third time");
    probe.EndedUnasked(app);
    return Verdict();
}

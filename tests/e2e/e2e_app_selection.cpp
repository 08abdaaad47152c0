// End-to-end probe of the user's choices in quillmere.exe against the demo
// host: a click on a palette's check box (and the space bar on the focused
// entry) brings that palette flush against its edge and writes Options.ini;
// "Start with Windows" enters the program, quoted, under the Run key and
// takes it out again; a close while Options.ini cannot be written shows the error
// and keeps the window and the hidden palettes; the session-end query, with the
// same file refused, answers yes at once with no box and brings them back, and a
// called-off session end hides them again; a close brings every palette
// back and ends the program; the next start finds the palette unticked and
// leaves it on screen. Positions are the palettes' real window rectangles in
// screen pixels. Prints one line per check and, last, "PASS" or "FAIL".

#include "AppProcess.h"
#include "DemoDesktop.h"
#include "platform/win32/Win32StartupRegistry.h"

#include <windows.h>

#include <string>
#include <vector>

namespace {

using namespace probe;

constexpr DWORD kSettleMs = 2000;
// Watched for this long when something must not change (several ticks).
constexpr DWORD kHoldMs = 500;
constexpr int kEntryHeight = 16;
// A point over the host's document area: no palette there, so ticked
// palettes stay slid out.
constexpr POINT kOverHost{640, 512};
constexpr const char* kUnticked = "Color";

// Every palette named in `shown` stands slid in, every other one slid out.
bool SceneHolds(const std::vector<Found>& palettes, const std::vector<std::string>& shown) {
    for (const Found& palette : palettes) {
        bool wantShown = false;
        for (const std::string& name : shown) {
            wantShown = wantShown || palette.Is(name.c_str());
        }
        if (wantShown ? !StandsShown(palette) : !StandsHidden(palette)) {
            return false;
        }
    }
    return true;
}

std::string RunValue() {
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, quillmere::win32::kRunKeyPath, 0, KEY_QUERY_VALUE,
                        &key) != ERROR_SUCCESS) {
        return "(no Run key)";
    }
    char data[1024] = {};
    DWORD size = sizeof(data) - 1;
    DWORD type = 0;
    const LONG status =
        ::RegQueryValueExA(key, "Quillmere", nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
    ::RegCloseKey(key);
    return status == ERROR_SUCCESS ? std::string(data) : "(none)";
}

// Held open without sharing, as another program might: every write of the
// program is refused (a read-only attribute would not do as root, whom the
// file system lets write anyway).
quillmere::win32::UniqueFileHandle HoldOpen(const std::string& file) {
    quillmere::win32::UniqueFileHandle lock(::CreateFileA(
        file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    Check(static_cast<bool>(lock), file + " is held open without sharing");
    return lock;
}

// The application's message box (a dialog of class "#32770") of process `processId`.
HWND MessageBoxOf(DWORD processId) {
    for (HWND window : TopLevelWindowsOfClass("#32770")) {
        DWORD owner = 0;
        ::GetWindowThreadProcessId(window, &owner);
        if (owner == processId && ::IsWindowVisible(window)) {
            return window;
        }
    }
    return nullptr;
}

class SelectionProbe {
public:
    SelectionProbe(const std::vector<Found>& found, const AppFolder& folder)
        : m_palettes(PalettesOf(found)), m_titles(ExpectedTitles(found)), m_folder(folder) {}

    // First run: every palette ticked and hidden, then the user's choices.
    void FirstRun(RunningApp& app) {
        if (!ListUp(app, std::vector<bool>(m_titles.size(), true))) {
            return;
        }
        Expect("at start", {});

        const int color = IndexOf(kUnticked);
        ClickEntry(color, 8);
        ExpectList("a click on \"Color\"'s check box unticks it",
                   ShownEntries(m_titles, Ticks({kUnticked})));
        Expect("after the click", {kUnticked});
        const std::string value =
            m_folder.ReadEntry("Options.ini", "Options", std::to_string(color).c_str());
        Check(value == "left,120",
              Format("Options.ini holds %d=left,120 (read \"%s\")", color, value.c_str()));

        // A click on the text only selects the entry; space toggles it.
        const int layers = IndexOf("Layers");
        ClickEntry(layers, 60);
        ::Sleep(kHoldMs);
        ExpectList("a click on \"Layers\"'s text changes no mark",
                   ShownEntries(m_titles, Ticks({kUnticked})));
        ::PostMessageA(m_list, WM_CHAR, ' ', 0);
        ExpectList("space on the focused \"Layers\" unticks it",
                   ShownEntries(m_titles, Ticks({kUnticked, "Layers"})));
        Expect("after space", {kUnticked, "Layers"});
        ::PostMessageA(m_list, WM_CHAR, ' ', 0);
        ExpectList("space again ticks it", ShownEntries(m_titles, Ticks({kUnticked})));
        Expect("after space again", {kUnticked});

        StartWithWindows(app);
        RefusedClose(app);
        SessionEndCalledOff(app);

        ::PostMessageA(app.MainWindow(), WM_CLOSE, 0, 0);
        DWORD exitCode = 1;
        const bool ended = app.WaitForExit(kExitWaitMs, exitCode);
        Check(ended && exitCode == 0, Format("WM_CLOSE ends the program with status 0 (ended %d, "
                                             "status %lu)",
                                             ended ? 1 : 0, static_cast<unsigned long>(exitCode)));
        Expect("after the close every palette is flush against its edge", AllNames());
        const std::vector<std::string> lines = m_folder.SectionLines("Options.ini", "Options");
        Check(lines == std::vector<std::string>{Format("%d=left,120", color)},
              "Options.ini lists only \"Color\" after the close (holds " + Join(lines) + ")");
    }

    // Second run: the saved choice comes back, and "Color" stays on screen.
    void SecondRun(RunningApp& app) {
        // The close's moves and the error box may have changed the palettes'
        // z-order, which is the order of the list.
        std::vector<Found> now;
        for (HWND window : TopLevelWindowsOfClass(quillmere::kPaletteClass.data())) {
            for (const Found& palette : m_palettes) {
                if (palette.Window == window) {
                    now.push_back(palette);
                }
            }
        }
        m_titles = ExpectedTitles(now);
        if (!ListUp(app, Ticks({kUnticked}))) {
            return;
        }
        Expect("after a restart \"Color\" is still unticked", {kUnticked});
        ::PostMessageA(app.MainWindow(), WM_CLOSE, 0, 0);
        DWORD exitCode = 1;
        Check(app.WaitForExit(kExitWaitMs, exitCode) && exitCode == 0,
              "the second run ends on WM_CLOSE with status 0");
    }

private:
    bool ListUp(RunningApp& app, const std::vector<bool>& ticked) {
        m_list = app.Control("ListBox");
        Check(app.MainWindow() != nullptr && m_list != nullptr,
              "quillmere.exe shows its window and palette list");
        if (m_list == nullptr) {
            return false;
        }
        ::SetCursorPos(kOverHost.x, kOverHost.y);
        ExpectList("the list", ShownEntries(m_titles, ticked));
        return true;
    }

    std::vector<std::string> AllNames() const {
        std::vector<std::string> names;
        for (const Found& palette : m_palettes) {
            names.push_back(palette.Layout->Caption);
        }
        return names;
    }

    int IndexOf(const char* title) const {
        for (std::size_t i = 0; i < m_titles.size(); ++i) {
            if (m_titles[i] == title) {
                return static_cast<int>(i);
            }
        }
        return -1;
    }

    std::vector<bool> Ticks(const std::vector<std::string>& unticked) const {
        std::vector<bool> ticks;
        for (const std::string& title : m_titles) {
            bool ticked = true;
            for (const std::string& name : unticked) {
                ticked = ticked && title != name;
            }
            ticks.push_back(ticked);
        }
        return ticks;
    }

    // A left click at x (list client pixels) on entry `index`'s row.
    void ClickEntry(int index, int x) const {
        DWORD_PTR top = 0;
        ::SendMessageTimeoutA(m_list, LB_GETTOPINDEX, 0, 0, SMTO_ABORTIFHUNG, kMessageTimeoutMs,
                              &top);
        const int y = (index - static_cast<int>(top)) * kEntryHeight + kEntryHeight / 2;
        ::PostMessageA(m_list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        ::PostMessageA(m_list, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    }

    void ExpectList(const std::string& step, const std::vector<std::string>& wanted) const {
        std::vector<std::string> shown;
        WaitUntil([&] { return (shown = ListEntries(m_list)) == wanted; }, kSettleMs);
        Check(shown == wanted, step + ": " + Join(wanted) + " (got " + Join(shown) + ")");
    }

    void Expect(const std::string& step, const std::vector<std::string>& shown) const {
        const bool holds = WaitUntil([&] { return SceneHolds(m_palettes, shown); }, kSettleMs);
        Check(holds, step + ": slid in " + Join(shown) + ", every other palette slid out (now " +
                         DescribeNow(m_palettes) + ")");
    }

    void ClickStart(RunningApp& app, const char* step, const char* stored,
                    const std::string& runValue) const {
        ::PostMessageA(app.Control(kFlatControlClass, "Start with Windows"), BM_CLICK, 0, 0);
        // The program writes ZC.reg before the Run key, so both are awaited.
        std::string read;
        std::string value;
        WaitUntil(
            [&] {
                read = m_folder.ReadEntry("ZC.reg", "Info", "SystemStart");
                value = RunValue();
                return read == stored && value == runValue;
            },
            kSettleMs);
        Check(read == stored,
              Format("%s: ZC.reg holds SystemStart=%s (read \"%s\")", step, stored, read.c_str()));
        Check(value == runValue, step + std::string(": the Run key's \"Quillmere\" is ") +
                                     runValue + " (read " + value + ")");
    }

    void StartWithWindows(RunningApp& app) const {
        // The folder's name has a blank, so the stored command is quoted.
        ClickStart(app, "\"Start with Windows\" ticked", "Yes", "\"" + m_folder.Program() + "\"");
        ClickStart(app, "\"Start with Windows\" unticked", "No", "(none)");
    }

    // A refused write at close: the error box, the window stays and nothing
    // is brought back.
    void RefusedClose(RunningApp& app) const {
        const std::string file = m_folder.PathOf("Options.ini");
        const auto lock = HoldOpen(file);
        ::PostMessageA(app.MainWindow(), WM_CLOSE, 0, 0);
        DWORD processId = 0;
        ::GetWindowThreadProcessId(app.MainWindow(), &processId);
        HWND box = nullptr;
        WaitUntil([&] { return (box = MessageBoxOf(processId)) != nullptr; }, kSettleMs);
        // Held without sharing, the file cannot even be read before the save,
        // which then stops before anything of it is written.
        const std::string wanted = "Unable to read " + file + ".";
        std::string text;
        for (HWND label = nullptr;
             box != nullptr &&
             (label = ::FindWindowExA(box, label, "Static", nullptr)) != nullptr;) {
            if (!CaptionOf(label).empty()) {
                text = CaptionOf(label);
            }
        }
        Check(box != nullptr && CaptionOf(box) == "Quillmere" && text == wanted,
              "a close that cannot save Options.ini shows \"" + wanted + "\" in the error box (\"" +
                  (box != nullptr ? CaptionOf(box) : std::string()) + "\": \"" + text + "\")");
        Expect("the refused close brings nothing back", {kUnticked});
        DWORD exitCode = 0;
        Check(!app.WaitForExit(0, exitCode) && ::IsWindow(app.MainWindow()),
              "the program and its window are still there");
        if (box != nullptr) {
            ::PostMessageA(box, WM_COMMAND, IDOK, 0);
            WaitUntil([&] { return MessageBoxOf(processId) == nullptr; }, kSettleMs);
        }
    }

    // Log-off asks first: even with Options.ini refused, the program agrees at
    // once with no box, and brings every palette back; when the log-off is
    // called off the ticked ones hide again.
    void SessionEndCalledOff(RunningApp& app) const {
        {
            const auto lock = HoldOpen(m_folder.PathOf("Options.ini"));
            DWORD_PTR answer = 0;
            const bool answered =
                ::SendMessageTimeoutA(app.MainWindow(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF,
                                      SMTO_ABORTIFHUNG, kSettleMs, &answer) != 0;
            Check(answered && answer == TRUE,
                  Format("Options.ini refused, WM_QUERYENDSESSION is answered yes at once "
                         "(answered %d, %lu)",
                         answered ? 1 : 0, static_cast<unsigned long>(answer)));
            DWORD processId = 0;
            ::GetWindowThreadProcessId(app.MainWindow(), &processId);
            Check(MessageBoxOf(processId) == nullptr, "the session-end query shows no box");
            Expect("the session-end query brings every palette back", AllNames());
        }
        ::SendMessageTimeoutA(app.MainWindow(), WM_ENDSESSION, FALSE, ENDSESSION_LOGOFF,
                              SMTO_ABORTIFHUNG, kSettleMs, nullptr);
        Expect("the session end called off, the ticked palettes hide again", {kUnticked});
    }

    std::vector<Found> m_palettes;
    std::vector<std::string> m_titles;
    const AppFolder& m_folder;
    HWND m_list = nullptr;
};

} // namespace

int main() {
    std::vector<Found> found;
    if (!WaitForDemoHost(found)) {
        return Verdict();
    }
    const AppFolder folder("quillmere e2e selection");
    folder.CopyProgramAfresh({"Options.ini", "ZC.reg"});

    SelectionProbe probe(found, folder);
    RunTwice(probe, folder);
    return Verdict();
}

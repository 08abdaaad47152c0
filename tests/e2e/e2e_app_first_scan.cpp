// End-to-end probe of quillmere.exe against the demo host: started from a
// copy beside a selection file that unticks "Color", it must show its main
// window, list the palettes with their check marks, slide the ticked ones
// out, follow a renamed palette at its 2000 ms re-scan and end on WM_CLOSE.
// Prints one line per check and, last, "PASS" or "FAIL".

#include "AppProcess.h"
#include "DemoDesktop.h"

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

using namespace probe;

// Two re-scan periods and some slack.
constexpr DWORD kRescanWaitMs = 6000;

bool WriteSelectionFile(const AppFolder& folder) {
    folder.RemoveFile("Options.ini");
    return folder.WriteEntry("Options.ini", "Options", "0", "left,120");
}

void CheckApp(RunningApp& app, const std::vector<Found>& found) {
    const HWND mainWindow = app.MainWindow();
    Check(mainWindow != nullptr, "the main window (class \"TFrmMain\") is up and visible");
    if (mainWindow == nullptr) {
        return;
    }
    Check(CaptionOf(mainWindow) == "Quillmere ",
          "its caption is \"Quillmere \" (got \"" + CaptionOf(mainWindow) + "\")");
    const HWND listBox = app.Control("ListBox");
    Check(listBox != nullptr, "it holds a list box");
    if (listBox == nullptr) {
        return;
    }

    std::vector<std::string> titles = ExpectedTitles(found);
    std::vector<bool> ticked;
    for (const std::string& title : titles) {
        ticked.push_back(title != "Color");
    }
    const std::vector<std::string> wanted = ShownEntries(titles, ticked);
    std::vector<std::string> shown;
    WaitUntil([&] { return (shown = ListEntries(listBox)) == wanted; });
    Check(shown == wanted, "the list shows " + Join(wanted) + " (got " + Join(shown) + ")");
    CheckSlidOut(found, "Color");

    // Rename "Layers" (layout index 0): the next re-scan rebuilds the list
    // with the new caption in the same place, still ticked.
    const HWND host = ::FindWindowA(quillmere::kHostClass.data(), nullptr);
    ::PostMessageA(host, demo::kMsgRenamePalette, 0, 0);
    for (std::string& title : titles) {
        if (title == demo::kWindows[0].Caption) {
            title = "Renamed";
        }
    }
    const std::vector<std::string> renamed = ShownEntries(titles, ticked);
    WaitUntil([&] { return (shown = ListEntries(listBox)) == renamed; }, kRescanWaitMs);
    Check(shown == renamed,
          "after a re-scan the list shows " + Join(renamed) + " (got " + Join(shown) + ")");

    ::PostMessageA(mainWindow, WM_CLOSE, 0, 0);
    DWORD exitCode = 1;
    const bool ended = app.WaitForExit(kExitWaitMs, exitCode);
    Check(ended && exitCode == 0,
          Format("WM_CLOSE ends the program with status 0 (ended %d, status %lu)", ended ? 1 : 0,
                 static_cast<unsigned long>(exitCode)));
}

} // namespace

int main() {
    std::vector<Found> found;
    if (!WaitForDemoHost(found)) {
        return Verdict();
    }

    // A copy of the program in a folder of its own, so that its selection
    // file is this probe's and not one left in the build folder.
    const AppFolder folder("quillmere_e2e_app");
    folder.CopyProgramAfresh();
    Check(WriteSelectionFile(folder), "wrote Options.ini beside it, unticking \"Color\"");

    {
        RunningApp app;
        const DWORD start = ::GetTickCount();
        Check(app.Start(folder.Program(), folder.Directory()), "started quillmere.exe");
        std::printf("info main window up after %lu ms\n",
                    static_cast<unsigned long>(::GetTickCount() - start));
        CheckApp(app, found);
    }
    return Verdict();
}

// End-to-end probe of the fault guard in quillmere.exe against the demo host:
// with every palette slid out, a thread started in the program from outside
// at an invalid address faults; the program must bring every palette back
// flush against its edge and end with the fault's status. Positions are the
// palettes' real window rectangles in screen pixels. Prints one line per
// check and, last, "PASS" or "FAIL".

#include "AppProcess.h"
#include "DemoDesktop.h"

#include <windows.h>

#include <string>
#include <vector>

namespace {

using namespace probe;

// The debugger Wine starts for an unhandled fault takes a while to let go.
constexpr DWORD kFaultExitMs = 20000;

bool AllShown(const std::vector<Found>& palettes) {
    for (const Found& palette : palettes) {
        if (!StandsShown(palette)) {
            return false;
        }
    }
    return true;
}

} // namespace

int main() {
    std::vector<Found> found;
    if (!WaitForDemoHost(found)) {
        return Verdict();
    }
    const std::vector<Found> palettes = PalettesOf(found);
    const AppFolder folder("quillmere_e2e_fault");
    folder.CopyProgramAfresh({"Options.ini"});

    RunningApp app;
    Check(app.Start(folder.Program(), folder.Directory()), "started quillmere.exe");
    ::SetCursorPos(640, 500);
    CheckSlidOut(found, "(none)");

    // Execution at address 1 is an access violation in the new thread.
    const auto invalid = reinterpret_cast<LPTHREAD_START_ROUTINE>(static_cast<ULONG_PTR>(1));
    HANDLE thread = ::CreateRemoteThread(app.Process(), nullptr, 0, invalid, nullptr, 0, nullptr);
    Check(thread != nullptr, Format("started a faulting thread in quillmere.exe (error %lu)",
                                    thread != nullptr ? 0ul : ::GetLastError()));
    if (thread != nullptr) {
        ::CloseHandle(thread);
    }

    const bool back = WaitUntil([&] { return AllShown(palettes); }, kFaultExitMs);
    Check(back, "every palette is back flush against its edge (now " + DescribeNow(palettes) + ")");
    DWORD exitCode = 0;
    const bool ended = app.WaitForExit(kFaultExitMs, exitCode);
    Check(ended && exitCode == EXCEPTION_ACCESS_VIOLATION,
          Format("the program ended with the fault's status 0x%08lx (ended %d, status 0x%08lx)",
                 static_cast<unsigned long>(EXCEPTION_ACCESS_VIOLATION), ended ? 1 : 0,
                 static_cast<unsigned long>(exitCode)));
    return Verdict();
}

// Times quillmere.exe beside the demo host, for scripts/measure-palettes.sh.
// Each command prints one line "<name> <milliseconds>" and exits with status
// 0, or 1 when what it waits for never comes.
//
//   palettecost start <exe>        starts <exe> in its own folder; the time until
//                                  its main window (class "TFrmMain") is shown
//   palettecost change open|close <index>|rename <index>
//                                  has the demo host open, close or rename one
//                                  palette, then, for 4.5 s (two re-scans and
//                                  more) and until the check list shows the new
//                                  count, asks the main window's thread every
//                                  10 ms to answer: the longest wait for an
//                                  answer ("freeze") and the time until the list
//                                  shows the change ("listed", open and close)
//   palettecost change quit        the same while the demo host quits: until the
//                                  list is empty
//   palettecost change host <demohost.exe> <palettes> <entries>
//                                  the same while a demo host of <palettes>
//                                  starts: until the list shows <entries>
//   palettecost exit               closes the main window, as "Exit" does; the
//                                  time until the process has ended

#include "DemoLayout.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr DWORD kGiveUpMs = 60000;
constexpr DWORD kWatchMs = 4500;
constexpr DWORD kPingEveryMs = 10;

double NowMs() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f{};
        ::QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now{};
    ::QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

HWND MainWindow() {
    return ::FindWindowA("TFrmMain", nullptr);
}

int ListCount(HWND main) {
    const HWND list = ::FindWindowExA(main, nullptr, "LISTBOX", nullptr);
    if (list == nullptr) {
        return -1;
    }
    DWORD_PTR count = 0;
    ::SendMessageTimeoutA(list, LB_GETCOUNT, 0, 0, SMTO_NORMAL, kGiveUpMs, &count);
    return static_cast<int>(count);
}

int Start(const char* exe) {
    std::string folder(exe);
    folder.resize(folder.find_last_of("\\/") + 1);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string commandLine = std::string("\"") + exe + "\"";
    const double started = NowMs();
    if (!::CreateProcessA(exe, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          folder.c_str(), &startup, &process)) {
        std::fprintf(stderr, "palettecost: cannot start %s (%lu)\n", exe, ::GetLastError());
        return 1;
    }
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    while (NowMs() - started < kGiveUpMs) {
        const HWND main = MainWindow();
        if (main != nullptr && ::IsWindowVisible(main)) {
            std::printf("start %.0f\n", NowMs() - started);
            return 0;
        }
        ::Sleep(1);
    }
    std::fprintf(stderr, "palettecost: no main window shown\n");
    return 1;
}

// Starts the demo host in the current folder, left to run on its own.
bool StartHost(const char* exe, const char* palettes) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string commandLine = std::string("\"") + exe + "\" --palettes " + palettes;
    if (!::CreateProcessA(exe, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &process)) {
        std::fprintf(stderr, "palettecost: cannot start %s (%lu)\n", exe, ::GetLastError());
        return false;
    }
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return true;
}

int Change(int argc, char** argv) {
    const HWND host = ::FindWindowA("Photoshop", nullptr);
    const HWND main = MainWindow();
    const bool starting = std::strcmp(argv[0], "host") == 0;
    if ((host == nullptr) != starting || main == nullptr) {
        std::fprintf(stderr, "palettecost: no main window, or the demo host is %s\n",
                     starting ? "running" : "not running");
        return 1;
    }
    const int before = ListCount(main);
    std::printf("entries %d\n", before);
    int expected = before;
    if (starting && argc == 4) {
        if (!StartHost(argv[1], argv[2])) {
            return 1;
        }
        expected = std::atoi(argv[3]);
    } else if (std::strcmp(argv[0], "quit") == 0) {
        ::PostMessageA(host, WM_CLOSE, 0, 0);
        expected = 0;
    } else if (std::strcmp(argv[0], "open") == 0) {
        ::PostMessageA(host, demo::kMsgOpenPalette, 600, 400);
        expected = before + 1;
    } else if (std::strcmp(argv[0], "close") == 0 && argc == 2) {
        ::PostMessageA(host, demo::kMsgClosePalette, std::strtoul(argv[1], nullptr, 10), 0);
        expected = before - 1;
    } else if (std::strcmp(argv[0], "rename") == 0 && argc == 2) {
        ::PostMessageA(host, demo::kMsgRenamePalette, std::strtoul(argv[1], nullptr, 10), 0);
    } else {
        std::fprintf(stderr, "palettecost: change open | close <index> | rename <index> | quit | "
                             "host <exe> <palettes> <entries>\n");
        return 1;
    }
    const double started = NowMs();
    double longest = 0;
    double listed = -1;
    // Watched for kWatchMs, and on until the list shows the change.
    while (NowMs() - started < kWatchMs || (expected != before && listed < 0)) {
        if (NowMs() - started > kGiveUpMs) {
            std::fprintf(stderr, "palettecost: the list never showed the change\n");
            return 1;
        }
        // Both questions go to the main window's thread; either may wait.
        const double asked = NowMs();
        DWORD_PTR result = 0;
        if (!::SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_NORMAL, kGiveUpMs, &result)) {
            std::fprintf(stderr, "palettecost: the main window did not answer\n");
            return 1;
        }
        const bool shown = expected != before && ListCount(main) == expected;
        const double waited = NowMs() - asked;
        longest = waited > longest ? waited : longest;
        if (listed < 0 && shown) {
            listed = NowMs() - started;
        }
        ::Sleep(kPingEveryMs);
    }
    std::printf("freeze %.0f\n", longest);
    if (expected != before) {
        std::printf("listed %.0f\n", listed);
    }
    return 0;
}

int Exit() {
    const HWND main = MainWindow();
    DWORD processId = 0;
    ::GetWindowThreadProcessId(main, &processId);
    const HANDLE process = ::OpenProcess(SYNCHRONIZE, FALSE, processId);
    if (main == nullptr || process == nullptr) {
        std::fprintf(stderr, "palettecost: no main window\n");
        return 1;
    }
    const double started = NowMs();
    ::PostMessageA(main, WM_CLOSE, 0, 0);
    const DWORD waited = ::WaitForSingleObject(process, kGiveUpMs);
    ::CloseHandle(process);
    if (waited != WAIT_OBJECT_0) {
        std::fprintf(stderr, "palettecost: the program did not end\n");
        return 1;
    }
    std::printf("exit %.0f\n", NowMs() - started);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "start") == 0) {
        return Start(argv[2]);
    }
    if (argc >= 3 && std::strcmp(argv[1], "change") == 0) {
        return Change(argc - 2, argv + 2);
    }
    if (argc == 2 && std::strcmp(argv[1], "exit") == 0) {
        return Exit();
    }
    std::fprintf(stderr, "usage: palettecost start <exe> | change open|close <i>|rename <i>|quit|"
                         "host <exe> <n> <entries> | exit\n");
    return 2;
}

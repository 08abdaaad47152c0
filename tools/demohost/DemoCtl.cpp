// democtl.exe <command> [args]: posts one command of DemoLayout.h to the
// running demo host's main window (class "Photoshop"), for shell scripts.
// Exit status 0 when posted, 1 when no host runs, 2 on a usage error.

#include "DemoLayout.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

struct Command {
    const char* Name;
    UINT Message;
    int ArgumentCount; // decimal integers: wParam, then lParam
};

constexpr Command kCommands[] = {
    {"minimise", demo::kMsgMinimise, 0},
    {"restore", demo::kMsgRestore, 0},
    {"open", demo::kMsgOpenPalette, 2},
    {"close", demo::kMsgClosePalette, 1},
    {"rename", demo::kMsgRenamePalette, 1},
    {"hang", demo::kMsgHang, 1},
    {"quit", WM_CLOSE, 0},
};

int Usage() {
    std::fprintf(stderr, "usage: democtl minimise | restore | open <left> <top> | close <index>\n"
                         "               | rename <index> | hang <milliseconds> | quit\n");
    return 2;
}

bool ParseInteger(const char* text, long long& value) {
    char* end = nullptr;
    value = std::strtoll(text, &end, 10);
    return end != text && *end == '\0';
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        return Usage();
    }
    const Command* command = nullptr;
    for (const Command& candidate : kCommands) {
        if (std::strcmp(argv[1], candidate.Name) == 0) {
            command = &candidate;
        }
    }
    if (command == nullptr || argc != 2 + command->ArgumentCount) {
        return Usage();
    }
    long long arguments[2] = {0, 0};
    for (int i = 0; i < command->ArgumentCount; ++i) {
        if (!ParseInteger(argv[2 + i], arguments[i])) {
            return Usage();
        }
    }

    HWND host = ::FindWindowA("Photoshop", nullptr);
    if (host == nullptr) {
        std::fprintf(stderr, "democtl: no demo host runs\n");
        return 1;
    }
    if (!::PostMessageA(host, command->Message, static_cast<WPARAM>(arguments[0]),
                        static_cast<LPARAM>(arguments[1]))) {
        std::fprintf(stderr, "democtl: PostMessageA failed (%lu)\n", ::GetLastError());
        return 1;
    }
    return 0;
}

// demohost.exe [--ready <file>] [--palettes <total>]: puts up the layout of
// DemoLayout.h as a stand-in for the host (with more palettes after it, to make
// <total> palettes, when given), writes "READY" to stdout (and creates <file>,
// a Windows path, when given) once every window is shown, then runs its
// message loop until the main window is closed.

#include "HostWindow.h"
#include "PaletteChildren.h"
#include "PaletteWindow.h"
#include "platform/win32/UniqueHandle.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

bool RegisterClasses() noexcept {
    return demo::HostWindow::Register() && demo::PaletteWindow::Register() &&
           demo::PaletteBody::Register() && demo::ViewPanel::Register();
}

// Lets the new windows handle what their creation and showing queued, so that
// they have painted once before anyone is told they are ready.
void DrainMessages() noexcept {
    MSG message{};
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
}

bool SignalReady(const char* readyFile) noexcept {
    std::puts("READY");
    std::fflush(stdout);
    if (readyFile == nullptr) {
        return true;
    }
    quillmere::win32::UniqueFileHandle file(::CreateFileA(
        readyFile, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    return static_cast<bool>(file);
}

} // namespace

int main(int argc, char** argv) {
    const char* readyFile = nullptr;
    int palettes = 0;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--ready") == 0 && i + 1 < argc) {
            readyFile = argv[++i];
        } else if (std::strcmp(argv[i], "--palettes") == 0 && i + 1 < argc) {
            palettes = std::atoi(argv[++i]);
        } else {
            std::fprintf(stderr, "usage: demohost [--ready <file>] [--palettes <total>]\n");
            return 2;
        }
    }

    if (!RegisterClasses()) {
        std::fprintf(stderr, "demohost: could not register the window classes\n");
        return 1;
    }
    demo::HostWindow host;
    if (!host.Create() || !host.AddPalettesUpTo(palettes)) {
        std::fprintf(stderr, "demohost: could not create the windows\n");
        return 1;
    }
    host.ShowAll();
    DrainMessages();
    if (!SignalReady(readyFile)) {
        std::fprintf(stderr, "demohost: could not create %s\n", readyFile);
        return 1;
    }

    MSG message{};
    while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
    return 0;
}

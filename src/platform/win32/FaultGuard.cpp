#include "platform/win32/FaultGuard.h"

#include <windows.h>

#include <atomic>
#include <cstdlib>
#include <exception>

namespace quillmere::win32 {

namespace {

// At most 2 s for the palettes to arrive before the fault takes its course:
// bounded, so that a hung host cannot keep a dying process alive. The moves
// are sent again now and then, should a tick that was under way when the
// fault came have sent a palette out after them.
constexpr int kBackWaitSteps = 100;
constexpr int kBackResendSteps = 10;
constexpr DWORD kBackWaitStepMs = 20;

// The system calls the handlers below without any context of ours, so what
// they use is prepared here at installation.
PaletteRescue* g_rescue = nullptr;
HostWindowSystem* g_windows = nullptr;
LPTOP_LEVEL_EXCEPTION_FILTER g_previousFilter = nullptr;
std::atomic_flag g_rescuing = ATOMIC_FLAG_INIT;

// Once: a fault on another thread meanwhile, or inside the rescue, leaves it
// to the first. Runs on the faulting thread and allocates nothing.
void Rescue() noexcept {
    if (g_rescuing.test_and_set() || g_rescue == nullptr || g_windows == nullptr) {
        return;
    }
    g_rescue->BringBack(*g_windows);
    for (int wait = 1; wait < kBackWaitSteps && !g_rescue->AllBack(*g_windows); ++wait) {
        ::Sleep(kBackWaitStepMs);
        if (wait % kBackResendSteps == 0) {
            g_rescue->BringBack(*g_windows);
        }
    }
}

LONG WINAPI OnUnhandledException(EXCEPTION_POINTERS* exception) {
    Rescue();
    // The fault then takes its usual course: the runtime's own filter, the
    // debugger or error report, and the process's end with the fault's code.
    return g_previousFilter != nullptr ? g_previousFilter(exception) : EXCEPTION_CONTINUE_SEARCH;
}

[[noreturn]] void OnTerminate() {
    Rescue();
    std::abort();
}

} // namespace

void InstallFaultGuard(PaletteRescue& rescue, HostWindowSystem& windows) noexcept {
    g_rescue = &rescue;
    g_windows = &windows;
    g_previousFilter = ::SetUnhandledExceptionFilter(&OnUnhandledException);
    std::set_terminate(&OnTerminate);
}

} // namespace quillmere::win32

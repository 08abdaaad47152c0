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
constexpr DWORD kRescueWaitMs = 3000;

// The system calls the handlers below without any context of ours, so what
// they use is prepared here at installation.
PaletteRescue* g_rescue = nullptr;
HostWindowSystem* g_windows = nullptr;
LPTOP_LEVEL_EXCEPTION_FILTER g_previousFilter = nullptr;
HANDLE g_rescueRequested = nullptr;
HANDLE g_rescueDone = nullptr;
DWORD g_rescueThreadId = 0;
std::atomic_flag g_rescuing = ATOMIC_FLAG_INIT;

// The moves are made by a thread of our own, ready since start-up: a
// faulting thread may have no stack left, and one the window system never
// set up (a thread started from outside) cannot reliably move windows.
DWORD WINAPI RescueThread(void*) {
    // Sets this thread up with the window system before it is ever needed.
    MSG message{};
    ::PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
    for (;;) {
        ::WaitForSingleObject(g_rescueRequested, INFINITE);
        for (int wait = 0; wait < kBackWaitSteps && !g_rescue->AllBack(*g_windows); ++wait) {
            if (wait % kBackResendSteps == 0) {
                g_rescue->BringBack(*g_windows);
            }
            ::Sleep(kBackWaitStepMs);
        }
        ::SetEvent(g_rescueDone);
    }
}

// Once: a fault on another thread meanwhile waits for the same rescue.
void Rescue() noexcept {
    if (g_rescueRequested == nullptr || ::GetCurrentThreadId() == g_rescueThreadId) {
        return;
    }
    if (!g_rescuing.test_and_set()) {
        ::ResetEvent(g_rescueDone);
        ::SetEvent(g_rescueRequested);
    }
    ::WaitForSingleObject(g_rescueDone, kRescueWaitMs);
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
    g_rescueRequested = ::CreateEventA(nullptr, FALSE, FALSE, nullptr);
    g_rescueDone = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    // Lives as long as the process; its handle is not needed.
    const HANDLE thread = ::CreateThread(nullptr, 0, &RescueThread, nullptr, 0, &g_rescueThreadId);
    if (thread == nullptr || g_rescueRequested == nullptr || g_rescueDone == nullptr) {
        g_rescueRequested = nullptr;
        return;
    }
    ::CloseHandle(thread);
    g_previousFilter = ::SetUnhandledExceptionFilter(&OnUnhandledException);
    std::set_terminate(&OnTerminate);
}

} // namespace quillmere::win32

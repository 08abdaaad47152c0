#include "platform/win32/FaultGuard.h"

#include <windows.h>

#include <atomic>
#include <cstdlib>
#include <exception>

namespace quillmere::win32 {

namespace {

// The system calls the handlers below without any context of ours.
const PaletteRescue* g_rescue = nullptr;
HostWindowSystem* g_windows = nullptr;
LPTOP_LEVEL_EXCEPTION_FILTER g_previousFilter = nullptr;
std::atomic_flag g_rescuing = ATOMIC_FLAG_INIT;

// A fault inside the rescue, or on another thread meanwhile, must not start
// it again.
void Rescue() noexcept {
    if (g_rescuing.test_and_set()) {
        return;
    }
    if (g_rescue != nullptr && g_windows != nullptr) {
        g_rescue->BringBack(*g_windows);
    }
    g_rescuing.clear();
}

bool IsHardwareFault(DWORD code) {
    switch (code) {
    case EXCEPTION_ACCESS_VIOLATION:
    case EXCEPTION_IN_PAGE_ERROR:
    case EXCEPTION_ILLEGAL_INSTRUCTION:
    case EXCEPTION_PRIV_INSTRUCTION:
    case EXCEPTION_INT_DIVIDE_BY_ZERO:
    case EXCEPTION_STACK_OVERFLOW:
    case EXCEPTION_DATATYPE_MISALIGNMENT:
        return true;
    default:
        return false;
    }
}

// Sees a hardware fault before any frame does. Our code handles none of
// these, and a fault at a place the unwinder cannot walk (a jump to a bad
// address) never reaches the unhandled-exception filter at all, so the
// palettes come back here. Should the fault be handled after all, the next
// pointer tick slides them out again.
LONG WINAPI OnFirstChanceException(EXCEPTION_POINTERS* exception) {
    if (IsHardwareFault(exception->ExceptionRecord->ExceptionCode)) {
        Rescue();
    }
    return EXCEPTION_CONTINUE_SEARCH;
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

void InstallFaultGuard(const PaletteRescue& rescue, HostWindowSystem& windows) noexcept {
    g_rescue = &rescue;
    g_windows = &windows;
    g_previousFilter = ::SetUnhandledExceptionFilter(&OnUnhandledException);
    ::AddVectoredExceptionHandler(1, &OnFirstChanceException);
    std::set_terminate(&OnTerminate);
}

} // namespace quillmere::win32

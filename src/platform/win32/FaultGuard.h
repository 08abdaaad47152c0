#pragma once

#include "autohide/PaletteRescue.h"
#include "host/HostWindowSystem.h"

namespace quillmere::win32 {

// When the process faults (an exception no one handles, on any thread, or
// std::terminate), every palette of the rescue copy is brought back flush
// against its edge before the process ends with its fault status, so that no
// palette is left 10 pixels from vanishing. Both objects must live until the
// process ends. Install once, early.
void InstallFaultGuard(PaletteRescue& rescue, HostWindowSystem& windows) noexcept;

} // namespace quillmere::win32

#pragma once

#include "host/HostWindowSystem.h"

#include <cstdint>

namespace quillmere {

// The screen width and the work-area height for one operation (one tick, one
// scan, one handler): each is read from the window system the first time it
// is needed and kept until the operation ends. Each read is a round trip to
// the window server, and neither changes within one operation. Screen pixels.
class ScreenMeasures {
public:
    explicit ScreenMeasures(HostWindowSystem& windows) : m_windows(&windows) {}

    std::int32_t Width() {
        if (!m_hasWidth) {
            m_width = m_windows->ScreenWidth();
            m_hasWidth = true;
        }
        return m_width;
    }
    std::int32_t WorkAreaHeight() {
        if (!m_hasWorkAreaHeight) {
            m_workAreaHeight = m_windows->WorkAreaHeight();
            m_hasWorkAreaHeight = true;
        }
        return m_workAreaHeight;
    }

private:
    HostWindowSystem* m_windows;
    std::int32_t m_width = 0;
    std::int32_t m_workAreaHeight = 0;
    bool m_hasWidth = false;
    bool m_hasWorkAreaHeight = false;
};

} // namespace quillmere

#pragma once

#include "host/HostWindowSystem.h"
#include "host/MonitorLayout.h"

namespace quillmere {

// The monitors for one operation (one tick, one scan, one handler): read from
// the window system the first time they are needed and kept until the
// operation ends. Each read is a round trip to the window server, and the
// layout does not change within one operation. An operation on a table's
// rows also carries the monitors those rows were classified on, so that its
// moves can tell when the monitors have changed since.
class ScreenMeasures {
public:
    explicit ScreenMeasures(HostWindowSystem& windows, const MonitorLayout& classifiedOn = {})
        : m_windows(&windows), m_classifiedOn(classifiedOn) {}

    const MonitorLayout& Monitors() {
        if (!m_hasMonitors) {
            m_monitors = m_windows->Monitors();
            m_hasMonitors = true;
        }
        return m_monitors;
    }
    const MonitorLayout& ClassifiedOn() const { return m_classifiedOn; }

private:
    HostWindowSystem* m_windows;
    MonitorLayout m_classifiedOn;
    MonitorLayout m_monitors;
    bool m_hasMonitors = false;
};

} // namespace quillmere

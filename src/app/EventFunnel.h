#pragma once

#include "app/ErrorReporting.h"
#include "app/FlatControls.h"
#include "autohide/PaletteRescue.h"
#include "host/PaletteTable.h"

#include <functional>

namespace quillmere {

// The one place where every event of every window runs: a control's click, a
// timer's tick, a message of the window system. An error that escapes the
// handler is shown in the application's error box and the rest of the
// handler is skipped. After each event the rescue copy of the table is
// refreshed for the fault guard; once a fault has brought the palettes back,
// the process is ending and no event runs any more. The windows take the
// funnel once, at creation; everything it refers to must outlive it.
class EventFunnel {
public:
    EventFunnel(ErrorReporter& errors, PaletteRescue& rescue, const PaletteTable& table)
        : m_errors(errors), m_rescue(rescue), m_table(table) {}
    EventFunnel(const EventFunnel&) = delete;
    EventFunnel& operator=(const EventFunnel&) = delete;

    // Whether the handler ran to its end.
    bool Run(const std::function<void()>& handler) noexcept;
    // A flat control's click: the model's Click, which runs the form's handler.
    bool Run(FlatModel& clicked) noexcept {
        return Run([&clicked] { clicked.Click(); });
    }

private:
    ErrorReporter& m_errors;
    PaletteRescue& m_rescue;
    const PaletteTable& m_table;
};

} // namespace quillmere

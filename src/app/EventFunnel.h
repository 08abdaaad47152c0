#pragma once

#include "app/ErrorReporting.h"
#include "app/FlatControls.h"
#include "autohide/PaletteRescue.h"
#include "host/PaletteTable.h"

#include <functional>

namespace quillmere {

// The one place where every event of every window runs: a control's click, a
// timer's tick, a message of the window system. An exception that escapes the
// handler (an error such as a refused write, or a defect) is shown in the
// application's error box with its message ("Unexpected error" when it has
// none), the rest of the handler is skipped and the program goes on; nothing
// escapes the funnel. After each event the rescue copy of the table is
// refreshed for the fault guard; once a fault has brought the palettes back,
// the process is ending and no event runs any more. The windows take the
// funnel once, at creation; everything it refers to must outlive it.
class EventFunnel {
public:
    EventFunnel(ErrorReporter& errors, PaletteRescue& rescue, const PaletteTable& table)
        : m_errors(errors), m_rescue(rescue), m_table(table) {}
    EventFunnel(const EventFunnel&) = delete;
    EventFunnel& operator=(const EventFunnel&) = delete;

    // Each returns whether the handler ran to its end.
    bool Run(const std::function<void()>& handler) noexcept;
    // The user's click on a flat control, run straight from the control's
    // window procedure: the model's Click without a wrapper around it.
    bool Run(FlatModel& clicked) noexcept;

private:
    // In a catch block: shows the exception being handled.
    void ShowCaught() noexcept;

    ErrorReporter& m_errors;
    PaletteRescue& m_rescue;
    const PaletteTable& m_table;
};

} // namespace quillmere

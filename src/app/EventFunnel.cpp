#include "app/EventFunnel.h"

#include <exception>

namespace quillmere {

bool EventFunnel::Run(const std::function<void()>& handler) noexcept {
    if (m_rescue.BroughtBack()) {
        return false;
    }
    bool ranToItsEnd = false;
    try {
        handler();
        ranToItsEnd = true;
    } catch (...) {
        ShowCaught();
    }
    m_rescue.Update(m_table);
    return ranToItsEnd;
}

bool EventFunnel::Run(FlatModel& clicked) noexcept {
    if (m_rescue.BroughtBack()) {
        return false;
    }
    bool ranToItsEnd = false;
    try {
        // FlatModel::Click, spelt out so that the form's handler runs one
        // call below the funnel.
        if (clicked.ApplyClick() && clicked.OnClick) {
            clicked.OnClick();
        }
        ranToItsEnd = true;
    } catch (...) {
        ShowCaught();
    }
    m_rescue.Update(m_table);
    return ranToItsEnd;
}

void EventFunnel::ShowCaught() noexcept {
    // Showing the error must not throw out of the funnel either: should the
    // box fail (no memory for the text), the error goes unshown.
    try {
        try {
            throw;
        } catch (const std::exception& error) {
            m_errors.ShowError(FormatErrorMessage(error.what()));
        } catch (...) {
            m_errors.ShowError(FormatErrorMessage("Unexpected error"));
        }
    } catch (...) {
    }
}

} // namespace quillmere

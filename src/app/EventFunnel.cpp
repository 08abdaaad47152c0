#include "app/EventFunnel.h"

namespace quillmere {

bool EventFunnel::Run(const std::function<void()>& handler) noexcept {
    if (m_rescue.BroughtBack()) {
        return false;
    }
    const bool ranToItsEnd = RunHandler(m_errors, handler);
    m_rescue.Update(m_table);
    return ranToItsEnd;
}

} // namespace quillmere

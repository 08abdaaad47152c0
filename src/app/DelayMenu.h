#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quillmere {

// One item of the notification-area menu's "Reveal delay" or "Hide delay"
// submenu. Ms is what choosing it stores.
struct DelayChoice {
    std::string Caption;
    std::uint32_t Ms = 0;
    bool Checked = false;
};

inline constexpr const char* kRevealDelayMenuCaption = "Reveal delay";
inline constexpr const char* kHideDelayMenuCaption = "Hide delay";

// "None", "0.25 s", "0.5 s" and "1 s", the one for the delay in force checked;
// a delay that is none of them follows as a checked "Custom (N ms)".
std::vector<DelayChoice> DelayChoices(std::uint32_t inForceMs);

} // namespace quillmere

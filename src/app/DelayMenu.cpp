#include "app/DelayMenu.h"

namespace quillmere {

std::vector<DelayChoice> DelayChoices(std::uint32_t inForceMs) {
    std::vector<DelayChoice> choices{{"None", 0}, {"0.25 s", 250}, {"0.5 s", 500}, {"1 s", 1000}};
    bool listed = false;
    for (DelayChoice& choice : choices) {
        choice.Checked = choice.Ms == inForceMs;
        listed = listed || choice.Checked;
    }
    if (!listed) {
        choices.push_back({"Custom (" + std::to_string(inForceMs) + " ms)", inForceMs, true});
    }
    return choices;
}

} // namespace quillmere

#pragma once

#include <stdexcept>
#include <string>

namespace quillmere {

// An error the program reports to the user. Event handlers let it escape; the
// one place that runs handlers catches it and shows the application's error box.
class ProgramError : public std::runtime_error {
public:
    explicit ProgramError(const std::string& message) : std::runtime_error(message) {}
};

} // namespace quillmere

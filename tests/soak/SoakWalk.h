#pragma once

#include <cstdint>
#include <string>

namespace quillmere::soak {

// What a walk went through, to show that it reaches the states that matter.
struct SoakCounts {
    std::uint64_t Moves = 0;    // palette moves
    std::uint64_t Rebuilds = 0; // re-scans that changed a filled table
    std::uint64_t Refused = 0;  // events cut short by a refused write
    std::uint64_t Starts = 0;   // runs of the program
};

struct SoakOutcome {
    std::uint64_t Steps = 0; // steps run, a failing one included
    SoakCounts Counts;
    std::string Failure; // empty when every promise held
};

// A seeded random walk over the main window's model on a simulated desktop:
// windows come, go and change, the host closes and returns, the pointer roams,
// the timers tick, the user clicks and edits the files by hand. After every
// step the promises of the model are checked; the walk stops at the first
// broken one and names the seed, the step and what broke.
SoakOutcome RunSoak(std::uint64_t seed, std::uint64_t steps);

} // namespace quillmere::soak

// A short run of the soak walk on every test run; quillmere_soak walks as long
// as asked.

#include "soak/SoakWalk.h"

#include <gtest/gtest.h>

namespace quillmere {
namespace {

TEST(SoakTest, EveryCheckHoldsOnShortWalksAndTheyReachWhatMatters) {
    soak::SoakCounts total;
    for (const std::uint64_t seed : {1, 2, 3, 4}) {
        const soak::SoakOutcome outcome = soak::RunSoak(seed, 5000);
        ASSERT_EQ(outcome.Failure, "");
        total.Moves += outcome.Counts.Moves;
        total.Rebuilds += outcome.Counts.Rebuilds;
        total.Refused += outcome.Counts.Refused;
        total.Starts += outcome.Counts.Starts;
    }
    EXPECT_GT(total.Moves, 1000u);
    EXPECT_GT(total.Rebuilds, 50u);
    EXPECT_GT(total.Refused, 10u);
    EXPECT_GT(total.Starts, 8u);
}

} // namespace
} // namespace quillmere

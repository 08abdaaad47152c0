#include "app/FrameScheduler.h"

#include <gtest/gtest.h>

namespace quillmere {
namespace {

TEST(FrameScheduler, StepsThroughTheFramesAtTheirDelays) {
    FrameScheduler scheduler;
    scheduler.Start({100, 200, 300}, 0, 1000);
    EXPECT_EQ(scheduler.FrameAt(1000), 0);
    EXPECT_EQ(scheduler.FrameAt(1099), 0);
    EXPECT_EQ(scheduler.FrameAt(1100), 1);
    EXPECT_EQ(scheduler.FrameAt(1299), 1);
    EXPECT_EQ(scheduler.FrameAt(1300), 2);
    EXPECT_EQ(scheduler.NextChangeAfter(1000), 1100);
    EXPECT_EQ(scheduler.NextChangeAfter(1150), 1300);
    EXPECT_EQ(scheduler.NextChangeAfter(1300), 1600);
}

TEST(FrameScheduler, LoopCountZeroRepeatsForEver) {
    FrameScheduler scheduler;
    scheduler.Start({500, 500}, 0, 0);
    EXPECT_EQ(scheduler.FrameAt(1000), 0) << "second round";
    EXPECT_EQ(scheduler.FrameAt(1500), 1);
    const std::int64_t muchLater = 1000LL * 3600 * 24;
    EXPECT_EQ(scheduler.FrameAt(muchLater), 0);
    EXPECT_EQ(scheduler.FrameAt(muchLater + 700), 1);
    EXPECT_EQ(scheduler.NextChangeAfter(muchLater + 700), muchLater + 1000);
}

TEST(FrameScheduler, FiniteLoopCountEndsOnTheLastFrame) {
    FrameScheduler scheduler;
    scheduler.Start({100, 100, 100}, 1, 0); // played twice
    EXPECT_EQ(scheduler.FrameAt(350), 0);
    EXPECT_EQ(scheduler.FrameAt(550), 2);
    EXPECT_FALSE(scheduler.NextChangeAfter(550).has_value()) << "last frame of the last play";
    EXPECT_EQ(scheduler.FrameAt(600), 2);
    EXPECT_EQ(scheduler.FrameAt(100000), 2);
    EXPECT_FALSE(scheduler.NextChangeAfter(100000).has_value());
}

TEST(FrameScheduler, WithoutLoopExtensionPlaysOnce) {
    FrameScheduler scheduler;
    scheduler.Start({100, 100}, -1, 0);
    EXPECT_EQ(scheduler.NextChangeAfter(50), 100);
    EXPECT_EQ(scheduler.FrameAt(150), 1);
    EXPECT_FALSE(scheduler.NextChangeAfter(150).has_value());
    EXPECT_EQ(scheduler.FrameAt(250), 1);
}

TEST(FrameScheduler, ReplacingRestartsAtTheFirstFrame) {
    FrameScheduler scheduler;
    scheduler.Start({500, 500, 500, 500, 500}, 0, 0);
    EXPECT_EQ(scheduler.FrameAt(1700), 3);
    scheduler.Start({500, 500}, 0, 1700);
    EXPECT_EQ(scheduler.FrameAt(1700), 0) << "the new picture starts at frame 1";
    EXPECT_EQ(scheduler.NextChangeAfter(1700), 2200);
    EXPECT_EQ(scheduler.FrameAt(2200), 1);
    EXPECT_EQ(scheduler.FrameAt(2700), 0) << "the new picture's two-frame loop, not the old one";
}

TEST(FrameScheduler, StopEndsTheAnimation) {
    FrameScheduler scheduler;
    scheduler.Start({100, 100}, 0, 0);
    EXPECT_TRUE(scheduler.IsRunning());
    scheduler.Stop();
    EXPECT_FALSE(scheduler.IsRunning());
    EXPECT_EQ(scheduler.FrameAt(150), 0);
    EXPECT_FALSE(scheduler.NextChangeAfter(150).has_value());
}

TEST(FrameScheduler, SingleFrameNeverChanges) {
    FrameScheduler scheduler;
    scheduler.Start({100}, 0, 0);
    EXPECT_EQ(scheduler.FrameAt(12345), 0);
    EXPECT_FALSE(scheduler.NextChangeAfter(0).has_value());
}

TEST(FrameScheduler, TimeBeforeTheStartShowsTheFirstFrame) {
    FrameScheduler scheduler;
    scheduler.Start({100, 100}, 0, 1000);
    EXPECT_EQ(scheduler.FrameAt(900), 0);
    EXPECT_EQ(scheduler.NextChangeAfter(900), 1100);
}

TEST(FrameScheduler, EffectiveDelay) {
    EXPECT_EQ(EffectiveDelayMs(50), 500);
    EXPECT_EQ(EffectiveDelayMs(2), 20);
    EXPECT_EQ(EffectiveDelayMs(1), 100);
    EXPECT_EQ(EffectiveDelayMs(0), 100);
}

} // namespace
} // namespace quillmere

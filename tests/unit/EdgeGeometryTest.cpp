#include "host/EdgeGeometry.h"

#include <gtest/gtest.h>

namespace quillmere {
namespace {

constexpr std::int32_t kSw = 1280;
constexpr std::int32_t kWh = 984;

TEST(ChooseEdge, PartlyOffScreenComesBackAgainstThatEdge) {
    const EdgeChoice left = ChooseEdge({-30, 100, 170, 300}, kSw, kWh);
    EXPECT_EQ(left.Edge, ScreenEdge::Left);
    EXPECT_EQ(left.Home, (ScreenRect{0, 100, 200, 300}));

    const EdgeChoice right = ChooseEdge({1200, 50, 1400, 250}, kSw, kWh);
    EXPECT_EQ(right.Edge, ScreenEdge::Right);
    EXPECT_EQ(right.Home, (ScreenRect{1080, 50, 1280, 250}));

    const EdgeChoice bottom = ChooseEdge({500, 900, 700, 1050}, kSw, kWh);
    EXPECT_EQ(bottom.Edge, ScreenEdge::Bottom);
    EXPECT_EQ(bottom.Home, (ScreenRect{500, 834, 700, 984}));
}

TEST(ChooseEdge, OffLeftAndBelowIsLeft) {
    EXPECT_EQ(ChooseEdge({-10, 900, 190, 1100}, kSw, kWh).Edge, ScreenEdge::Left);
}

TEST(ChooseEdge, FullyOnScreenTakesStrictlyNearestEdgeWithCurrentRectAsHome) {
    const ScreenRect atZero{0, 100, 200, 300};
    EXPECT_EQ(ChooseEdge(atZero, kSw, kWh).Edge, ScreenEdge::Left);
    EXPECT_EQ(ChooseEdge(atZero, kSw, kWh).Home, atZero);

    const ScreenRect touchingRight{1080, 100, 1280, 300};
    EXPECT_EQ(ChooseEdge(touchingRight, kSw, kWh).Edge, ScreenEdge::Right);
    EXPECT_EQ(ChooseEdge(touchingRight, kSw, kWh).Home, touchingRight);

    EXPECT_EQ(ChooseEdge({600, 880, 700, 980}, kSw, kWh).Edge, ScreenEdge::Bottom);
}

TEST(ChooseEdge, TiesGoToLeftThenRightThenBottom) {
    // Centred between left and right, far from the bottom.
    EXPECT_EQ(ChooseEdge({540, 100, 740, 300}, kSw, kWh).Edge, ScreenEdge::Left);
    // Equally near the right edge and the bottom.
    EXPECT_EQ(ChooseEdge({1000, 700, 1180, 884}, kSw, kWh).Edge, ScreenEdge::Right);
    // Equally near all three: 100 from each.
    const ScreenRect all{100, 400, 1180, 884};
    const EdgeChoice choice = ChooseEdge(all, kSw, kWh);
    EXPECT_EQ(choice.Edge, ScreenEdge::Left);
    EXPECT_EQ(choice.Home, all);
}

TEST(SlidePositions, LeaveTenPixelsOnScreenAndKeepPlaceAlongEdge) {
    const ScreenRect rect{-190, 40, 10, 240}; // 200 wide, 200 high
    EXPECT_EQ(HiddenOrigin(ScreenEdge::Left, {0, 40, 200, 240}, 1024, 738),
              (ScreenPoint{-190, 40}));
    EXPECT_EQ(ShownOrigin(ScreenEdge::Left, rect, 1024, 738), (ScreenPoint{0, 40}));
    EXPECT_EQ(HiddenOrigin(ScreenEdge::Right, rect, 1024, 738), (ScreenPoint{1014, 40}));
    EXPECT_EQ(ShownOrigin(ScreenEdge::Right, rect, 1024, 738), (ScreenPoint{824, 40}));

    const ScreenRect low{300, 600, 450, 750}; // 150 high
    EXPECT_EQ(HiddenOrigin(ScreenEdge::Bottom, low, 1024, 738), (ScreenPoint{300, 728}));
    EXPECT_EQ(ShownOrigin(ScreenEdge::Bottom, low, 1024, 738), (ScreenPoint{300, 588}));
}

// A palette the host moved past a corner while it was hidden comes back within
// the screen along its edge too; one within it keeps its place.
TEST(SlidePositions, SlidingInAlsoBringsThePaletteWithinTheScreenAlongItsEdge) {
    struct Case {
        ScreenEdge Edge;
        ScreenRect Current;
        ScreenPoint Shown;
    };
    const Case cases[] = {
        {ScreenEdge::Left, {-190, -300, 10, -100}, {0, 0}},       // above the screen
        {ScreenEdge::Right, {1014, -50, 1214, 150}, {824, 0}},    // partly above
        {ScreenEdge::Left, {-190, 700, 10, 900}, {0, 538}},       // below the work area
        {ScreenEdge::Right, {1014, -10, 1214, 790}, {824, 0}},    // taller than the screen
        {ScreenEdge::Bottom, {-400, 728, -250, 878}, {0, 588}},   // off the left
        {ScreenEdge::Bottom, {1000, 728, 1150, 878}, {874, 588}}, // off the right
        {ScreenEdge::Left, {-190, 0, 10, 738}, {0, 0}},           // exactly as high: in place
        {ScreenEdge::Bottom, {874, 728, 1024, 878}, {874, 588}},  // touching the right: in place
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ShownOrigin(c.Edge, c.Current, 1024, 738), c.Shown)
            << "edge " << static_cast<int>(c.Edge) << " from " << c.Current.Left << ","
            << c.Current.Top;
    }
}

TEST(SlidePositions, NoEdgeMovesAsBottom) {
    const ScreenRect rect{300, 600, 450, 750};
    EXPECT_EQ(HiddenOrigin(ScreenEdge::None, rect, 1024, 738), (ScreenPoint{300, 728}));
    EXPECT_EQ(ShownOrigin(ScreenEdge::None, rect, 1024, 738), (ScreenPoint{300, 588}));
}

} // namespace
} // namespace quillmere

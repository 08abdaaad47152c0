#include "app/CentredPlacement.h"

#include <gtest/gtest.h>

#include <vector>

namespace quillmere {
namespace {

// A 300 x 250 window over an owner on a work area of 1280 x 984.
TEST(CentredOn, CentresOnTheOwnerAndStaysOnTheWorkArea) {
    const ScreenRect work{0, 0, 1280, 984};
    struct Case {
        const char* Owner;
        ScreenRect Around;
        ScreenPoint Expected;
    };
    const std::vector<Case> cases = {
        {"in the middle", {400, 300, 836, 736}, {468, 393}},
        {"dragged far right and down", {1000, 800, 1436, 1236}, {980, 734}},
        {"dragged off the top left", {-300, -200, 136, 236}, {0, 0}},
        {"narrower than the window", {600, 400, 700, 450}, {500, 300}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CentredOn(c.Around, 300, 250, work), c.Expected) << c.Owner;
    }
}

TEST(CentredOn, AWindowLargerThanTheWorkAreaKeepsItsTopLeftOnIt) {
    const ScreenRect work{0, 30, 640, 480};
    EXPECT_EQ(CentredOn({100, 100, 300, 300}, 800, 600, work), (ScreenPoint{0, 30}));
}

} // namespace
} // namespace quillmere

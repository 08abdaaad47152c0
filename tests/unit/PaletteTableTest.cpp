#include "host/PaletteTable.h"

#include <gtest/gtest.h>

namespace quillmere {
namespace {

TEST(PaletteTable, AppendResetsStaleRowsAfterForget) {
    PaletteTable table;
    PSinfo& first = table.Append();
    first.Handle = 7;
    first.Title = "Layers";
    first.Edge = ScreenEdge::Right;
    first.Home = {1080, 100, 1280, 300};
    first.Selected = false;
    table.Forget();
    EXPECT_EQ(table.Count(), 0);
    EXPECT_EQ(table.FindByHandle(7), 0) << "forgotten rows must not be found";

    PSinfo& again = table.Append();
    EXPECT_EQ(again.Handle, kNoWindow);
    EXPECT_TRUE(again.Title.empty());
    EXPECT_EQ(again.Edge, ScreenEdge::None) << "no scan has set the new row's edge";
    EXPECT_EQ(again.Home, ScreenRect{});
    EXPECT_TRUE(again.Selected) << "every new row starts ticked";
}

TEST(PaletteTable, FindByHandleReturnsLowestRow) {
    PaletteTable table;
    table.Append().Handle = 5;
    table.Append().Handle = 9;
    table.Append().Handle = 9;
    EXPECT_EQ(table.FindByHandle(9), 2);
    EXPECT_EQ(table.FindByHandle(4), 0);
}

TEST(PaletteTable, ReplaceCopiesRowsAndCount) {
    PaletteTable scanned;
    for (const char* title : {"A", "B"}) {
        scanned.Append().Title = title;
    }
    PaletteTable live;
    for (int i = 0; i < 5; ++i) {
        live.Append();
    }
    live.ReplaceWith(scanned);
    ASSERT_EQ(live.Count(), 2);
    EXPECT_EQ(live.Row(1).Title, "A");
    EXPECT_EQ(live.Row(2).Title, "B");
    scanned.Row(1).Title = "changed";
    EXPECT_EQ(live.Row(1).Title, "A") << "a row owns its strings";
}

} // namespace
} // namespace quillmere

#include "autohide/SlideMoves.h"
#include "PaletteRows.h"
#include "platform/sim/SimulatedDesktop.h"

#include <gtest/gtest.h>

#include <vector>

namespace quillmere {
namespace {

using sim::SimMove;
using sim::SimulatedDesktop;

class SlideMovesTest : public ::testing::Test {
protected:
    // A palette window and its row; the row's home rectangle is deliberately
    // left at zero, since moves are computed from the current rectangle only.
    std::int32_t AddRow(const ScreenRect& rect, ScreenEdge edge, bool selected = true) {
        testing::AddPaletteRow(m_desktop, m_table, rect, edge, selected);
        return m_table.Count();
    }
    WindowHandle HandleOf(std::int32_t row) const { return m_table.Row(row).Handle; }
    ScreenRect RectOfRow(std::int32_t row) const { return m_desktop.RectOf(HandleOf(row)); }

    SimulatedDesktop m_desktop{1024, 738};
    PaletteTable m_table;
};

TEST_F(SlideMovesTest, MovesAcrossTheRowsEdgeKeepingTheSize) {
    const auto left = AddRow({0, 120, 200, 420}, ScreenEdge::Left);
    const auto right = AddRow({500, 300, 800, 400}, ScreenEdge::Right);
    const auto bottom = AddRow({333, 400, 533, 550}, ScreenEdge::Bottom);
    for (auto row : {left, right, bottom}) {
        SlideOut(m_table.Row(row), m_desktop);
    }
    EXPECT_EQ(RectOfRow(left), (ScreenRect{-190, 120, 10, 420}));
    EXPECT_EQ(RectOfRow(right), (ScreenRect{1014, 300, 1314, 400}));
    EXPECT_EQ(RectOfRow(bottom), (ScreenRect{333, 728, 533, 878}));
    for (auto row : {left, right, bottom}) {
        SlideIn(m_table.Row(row), m_desktop);
    }
    EXPECT_EQ(RectOfRow(left), (ScreenRect{0, 120, 200, 420}));
    EXPECT_EQ(RectOfRow(right), (ScreenRect{724, 300, 1024, 400}));
    EXPECT_EQ(RectOfRow(bottom), (ScreenRect{333, 588, 533, 738}));
}

TEST_F(SlideMovesTest, UsesTheCurrentPlaceAlongTheEdgeAndTheCurrentScreen) {
    const auto row = AddRow({0, 100, 200, 300}, ScreenEdge::Right);
    m_desktop.SetRect(HandleOf(row), {10, 444, 210, 644});
    m_desktop.SetScreen(1600, 900);
    SlideIn(m_table.Row(row), m_desktop);
    EXPECT_EQ(RectOfRow(row), (ScreenRect{1400, 444, 1600, 644}));
}

TEST_F(SlideMovesTest, SlideOutAllMovesTickedRowsThatHaveAnEdgeInTableOrder) {
    const auto right = AddRow({800, 10, 900, 110}, ScreenEdge::Right);
    const auto unticked = AddRow({0, 10, 100, 110}, ScreenEdge::Left, false);
    const auto noEdge = AddRow({400, 10, 500, 110}, ScreenEdge::None);
    const auto anotherNoEdge = AddRow({400, 200, 500, 300}, ScreenEdge::None);
    const auto left = AddRow({0, 200, 100, 300}, ScreenEdge::Left);

    SlideOutAll(m_table, m_desktop);

    const std::vector<SimMove> expected{{HandleOf(right), {1014, 10, 1114, 110}},
                                        {HandleOf(left), {-90, 200, 10, 300}}};
    EXPECT_EQ(m_desktop.Moves(), expected);
    EXPECT_EQ(RectOfRow(unticked), (ScreenRect{0, 10, 100, 110}));
    EXPECT_EQ(RectOfRow(noEdge), (ScreenRect{400, 10, 500, 110}));
    EXPECT_EQ(RectOfRow(anotherNoEdge), (ScreenRect{400, 200, 500, 300}));
}

TEST_F(SlideMovesTest, SlideInAllMovesEveryRowTickedOrNot) {
    const auto left = AddRow({-90, 10, 10, 110}, ScreenEdge::Left);
    const auto unticked = AddRow({500, 300, 600, 400}, ScreenEdge::Left, false);
    const auto noEdge = AddRow({400, 10, 500, 110}, ScreenEdge::None);

    SlideInAll(m_table, m_desktop);

    const std::vector<SimMove> expected{{HandleOf(left), {0, 10, 100, 110}},
                                        {HandleOf(unticked), {0, 300, 100, 400}},
                                        {HandleOf(noEdge), {400, 638, 500, 738}}};
    EXPECT_EQ(m_desktop.Moves(), expected);
}

TEST_F(SlideMovesTest, RowsPastTheCountAreNeverMoved) {
    AddRow({0, 10, 100, 110}, ScreenEdge::Left);
    AddRow({800, 10, 900, 110}, ScreenEdge::Right);
    m_table.Forget();
    SlideOutAll(m_table, m_desktop);
    SlideInAll(m_table, m_desktop);
    EXPECT_TRUE(m_desktop.Moves().empty());
}

} // namespace
} // namespace quillmere

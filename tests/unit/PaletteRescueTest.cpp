#include "autohide/PaletteRescue.h"
#include "FrmMainFakes.h"
#include "PaletteRows.h"
#include "app/EventFunnel.h"
#include "autohide/SlideMoves.h"
#include "platform/sim/SimulatedDesktop.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace quillmere {
namespace {

using sim::SimMove;
using sim::SimulatedDesktop;

// Screen 1280 x 984.
class PaletteRescueTest : public ::testing::Test {
protected:
    WindowHandle AddRow(const ScreenRect& rect, ScreenEdge edge) {
        return testing::AddPaletteRow(m_desktop, m_table, rect, edge).Handle;
    }

    SimulatedDesktop m_desktop{1280, 984};
    PaletteTable m_table;
    PaletteRescue m_rescue;
};

TEST_F(PaletteRescueTest, BringsEveryPaletteBackAsACloseWould) {
    AddRow({-190, 100, 10, 300}, ScreenEdge::Left);
    AddRow({1270, 100, 1470, 300}, ScreenEdge::Right);
    AddRow({500, 974, 700, 1124}, ScreenEdge::Bottom);
    AddRow({300, 300, 400, 400}, ScreenEdge::None);
    m_rescue.Update(m_table);

    SimulatedDesktop closed = m_desktop;
    SlideInAll(m_table, closed);
    EXPECT_FALSE(m_rescue.AllBack(m_desktop));
    EXPECT_FALSE(m_rescue.BroughtBack());
    m_rescue.BringBack(m_desktop);
    EXPECT_TRUE(m_rescue.AllBack(m_desktop));
    EXPECT_TRUE(m_rescue.BroughtBack());

    EXPECT_EQ(m_desktop.Moves(), closed.Moves());
    EXPECT_EQ(m_desktop.Moves().size(), 4u);
}

TEST_F(PaletteRescueTest, CoversEveryRowOfALargeTable) {
    for (int i = 0; i < 300; ++i) {
        AddRow({-190, i, 10, 200 + i}, ScreenEdge::Left);
    }
    m_rescue.Update(m_table);
    m_rescue.BringBack(m_desktop);
    EXPECT_EQ(m_desktop.Moves().size(), 300u);
    EXPECT_TRUE(m_rescue.AllBack(m_desktop));
}

TEST_F(PaletteRescueTest, UsesTheLastPublishedTableOnly) {
    const WindowHandle first = AddRow({-190, 100, 10, 300}, ScreenEdge::Left);
    m_rescue.Update(m_table);
    m_table.Forget();
    const WindowHandle later = AddRow({1270, 100, 1470, 300}, ScreenEdge::Right);

    m_rescue.BringBack(m_desktop);
    EXPECT_EQ(m_desktop.Moves(), (std::vector<SimMove>{{first, {0, 100, 200, 300}}}))
        << "the table changed but was not published yet";

    m_rescue.Update(m_table);
    m_desktop.ClearMoves();
    m_rescue.BringBack(m_desktop);
    EXPECT_EQ(m_desktop.Moves(), (std::vector<SimMove>{{later, {1080, 100, 1280, 300}}}));
}

TEST_F(PaletteRescueTest, TheFunnelRefreshesTheCopyAfterEveryEventAndRunsNoneOnceBroughtBack) {
    testing::RecordingMessages messages;
    EventFunnel funnel(messages, m_rescue, m_table);
    const WindowHandle left = AddRow({-190, 100, 10, 300}, ScreenEdge::Left);
    EXPECT_FALSE(funnel.Run([] { throw std::runtime_error("refused"); }));
    EXPECT_EQ(messages.Shown, (testing::Strings{"refused."}));

    // The failed event still refreshed the copy: the row added before it is rescued.
    int runs = 0;
    m_rescue.BringBack(m_desktop);
    EXPECT_EQ(m_desktop.Moves(), (std::vector<SimMove>{{left, {0, 100, 200, 300}}}));
    ButtonModel button("OK");
    button.OnClick = [&] { ++runs; };
    EXPECT_FALSE(funnel.Run([&] { ++runs; }));
    EXPECT_FALSE(funnel.Run(button)) << "nor a control's click";
    EXPECT_EQ(runs, 0) << "the process is ending: no event may send a palette out again";
}

} // namespace
} // namespace quillmere

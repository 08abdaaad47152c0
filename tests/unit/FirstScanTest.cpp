#include "RecordingCheckList.h"
#include "host/Discovery.h"
#include "platform/sim/MemoryIniStore.h"
#include "platform/sim/SimulatedDesktop.h"

#include <gtest/gtest.h>

namespace quillmere {
namespace {

using sim::MemoryIniStore;
using sim::SimulatedDesktop;
using testing::RecordingCheckList;

// Screen 1280 x 984; the host is 1200 wide, so palettes may be 600 wide.
class FirstScanTest : public ::testing::Test {
protected:
    FirstScanTest() { m_host = m_desktop.AddHost({40, 0, 1240, 984}); }

    void Scan(bool hideTicked = true) {
        FirstScan(m_tables, m_desktop, m_selection, m_chkBox, hideTicked);
    }
    const PaletteTable& Table() const { return m_tables.FloatingWindows; }

    SimulatedDesktop m_desktop{1280, 984};
    MemoryIniStore m_store;
    IniFile m_selection{m_store, "C:\\Quillmere\\Options.ini"};
    HostTables m_tables;
    RecordingCheckList m_chkBox;
    WindowHandle m_host = kNoWindow;
};

TEST_F(FirstScanTest, ListsPalettesInEnumerationOrderWithEdgeHomeAndTick) {
    const WindowHandle layers = m_desktop.AddPalette("Layers", {1040, 100, 1240, 400});
    const WindowHandle color = m_desktop.AddPalette("Color", {-30, 120, 170, 320});
    m_desktop.AddPalette("Adobe Photoshop", {400, 400, 500, 500});

    Scan();

    ASSERT_EQ(Table().Count(), 2);
    const PSinfo& first = Table().Row(1);
    EXPECT_EQ(first.Handle, layers);
    EXPECT_EQ(first.Title, "Layers");
    EXPECT_EQ(first.Edge, ScreenEdge::Right);
    EXPECT_EQ(first.Home, (ScreenRect{1040, 100, 1240, 400}));
    EXPECT_TRUE(first.Selected);

    const PSinfo& second = Table().Row(2);
    EXPECT_EQ(second.Handle, color);
    EXPECT_EQ(second.Edge, ScreenEdge::Left);
    EXPECT_EQ(second.Home, (ScreenRect{0, 120, 200, 320}));

    ASSERT_EQ(m_chkBox.Entries().size(), 2u);
    EXPECT_EQ(m_chkBox.Entries()[0].Text, "Layers");
    EXPECT_TRUE(m_chkBox.Entries()[0].Checked);
    EXPECT_EQ(m_chkBox.Entries()[1].Text, "Color");
}

TEST_F(FirstScanTest, SlidesTickedPalettesOutLeavingTenPixels) {
    const WindowHandle right = m_desktop.AddPalette("R", {1040, 100, 1240, 400});
    const WindowHandle left = m_desktop.AddPalette("L", {-30, 120, 170, 320});
    const WindowHandle bottom = m_desktop.AddPalette("B", {500, 850, 700, 970});

    Scan();

    EXPECT_EQ(m_desktop.RectOf(right), (ScreenRect{1270, 100, 1470, 400}));
    EXPECT_EQ(m_desktop.RectOf(left), (ScreenRect{-190, 120, 10, 320}));
    EXPECT_EQ(m_desktop.RectOf(bottom), (ScreenRect{500, 974, 700, 1094}));

    // A palette left slid out by an earlier run is not moved again.
    m_tables.FloatingWindows.Forget();
    m_desktop.ClearMoves();
    Scan();
    EXPECT_TRUE(m_desktop.Moves().empty());
}

TEST_F(FirstScanTest, WithAutoHideOffPalettesStayWhereTheyStand) {
    const WindowHandle right = m_desktop.AddPalette("R", {1040, 100, 1240, 400});
    Scan(false);
    ASSERT_EQ(Table().Count(), 1);
    EXPECT_TRUE(Table().Row(1).Selected);
    EXPECT_TRUE(m_desktop.Moves().empty());
    EXPECT_EQ(m_desktop.RectOf(right), (ScreenRect{1040, 100, 1240, 400}));
}

TEST_F(FirstScanTest, NeverAppendsToATableThatHoldsRows) {
    m_desktop.AddPalette("R", {1040, 100, 1240, 400});
    Scan();
    m_desktop.ClearMoves();
    Scan();
    EXPECT_EQ(Table().Count(), 1);
    EXPECT_EQ(m_chkBox.Entries().size(), 1u);
    EXPECT_TRUE(m_desktop.Moves().empty());
}

TEST_F(FirstScanTest, SelectionFileUnticksByValueWhateverTheName) {
    m_store.SetText(m_selection.Path(), "[Options]\r\n3=left,120\r\n7=left,120\r\n9=Left,300\r\n");
    const WindowHandle a = m_desktop.AddPalette("A", {0, 120, 200, 300});
    const WindowHandle b = m_desktop.AddPalette("B", {-40, 120, 160, 300});
    const WindowHandle c = m_desktop.AddPalette("C", {0, 300, 200, 400});

    Scan();

    ASSERT_EQ(Table().Count(), 3);
    EXPECT_FALSE(Table().Row(1).Selected);
    EXPECT_FALSE(Table().Row(2).Selected) << "same edge and home top: not told apart";
    EXPECT_TRUE(Table().Row(3).Selected) << "values compare case-sensitively";
    EXPECT_FALSE(m_chkBox.Entries()[0].Checked);
    EXPECT_FALSE(m_chkBox.Entries()[1].Checked);
    EXPECT_TRUE(m_chkBox.Entries()[2].Checked);

    EXPECT_EQ(m_desktop.RectOf(a).Left, 0) << "unticked palettes are not moved";
    EXPECT_EQ(m_desktop.RectOf(b).Left, -40);
    EXPECT_EQ(m_desktop.RectOf(c).Left, -190);
}

TEST_F(FirstScanTest, BottomPalettesAreKnownByHomeLeft) {
    m_store.SetText(m_selection.Path(), "[Options]\r\n0=bottom,344\r\n");
    m_desktop.AddPalette("Low", {344, 900, 544, 1000});
    Scan();
    ASSERT_EQ(Table().Count(), 1);
    EXPECT_EQ(Table().Row(1).Edge, ScreenEdge::Bottom);
    EXPECT_EQ(Table().Row(1).Home.Top, 984 - 100);
    EXPECT_FALSE(Table().Row(1).Selected);
}

TEST_F(FirstScanTest, UntitledPalettesAreNumberedFromOneAtEveryScan) {
    m_desktop.AddPalette("", {0, 100, 200, 200});
    m_desktop.AddPalette("Named", {0, 300, 200, 400});
    m_desktop.AddPalette("", {0, 500, 200, 600});
    Scan();
    ASSERT_EQ(Table().Count(), 3);
    EXPECT_EQ(Table().Row(1).Title, "Palette1");
    EXPECT_EQ(Table().Row(3).Title, "Palette2");

    m_tables.FloatingWindows.Forget();
    Scan();
    EXPECT_EQ(Table().Row(1).Title, "Palette1");
}

TEST_F(FirstScanTest, TiedPaletteGetsAFullRowAndIsHidden) {
    // Exactly centred between the left and right edges, far above the bottom.
    const WindowHandle centred = m_desktop.AddPalette("Centre", {540, 100, 740, 300});
    m_store.SetText(m_selection.Path(), "[Options]\r\n0=right,100\r\n");
    Scan();
    ASSERT_EQ(Table().Count(), 1);
    const PSinfo& row = Table().Row(1);
    EXPECT_EQ(row.Edge, ScreenEdge::Left);
    EXPECT_EQ(row.Title, "Centre");
    EXPECT_EQ(row.Home, (ScreenRect{540, 100, 740, 300}));
    EXPECT_TRUE(row.Selected);
    EXPECT_EQ(m_desktop.RectOf(centred).Left, -190);
}

TEST_F(FirstScanTest, MinimisedHostStillListsHiddenAndWidePalettes) {
    m_desktop.SetStyle(m_host, kStyleVisible | kStyleBorder | kStyleMinimize);
    m_desktop.Add({"PSFloatC", "Hidden", kStyleBorder | kStylePopup, {0, 100, 200, 300}});
    m_desktop.AddPalette("Wide", {0, 400, 900, 500});
    Scan();
    EXPECT_EQ(Table().Count(), 2);
}

} // namespace
} // namespace quillmere

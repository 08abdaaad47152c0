#include "RecordingCheckList.h"
#include "host/Discovery.h"
#include "host/SelectionFile.h"
#include "platform/sim/MemoryIniStore.h"
#include "platform/sim/SimulatedDesktop.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace quillmere {
namespace {

using sim::MemoryIniStore;
using sim::SimulatedDesktop;
using testing::RecordingCheckList;

class RescanTest : public ::testing::Test {
protected:
    RescanTest() { m_host = m_desktop.AddHost({40, 0, 1240, 984}); }

    void Tick() { RescanPalettes(m_tables, m_desktop, m_selection, m_chkBox); }
    const PaletteTable& Table() const { return m_tables.FloatingWindows; }

    // The check list must always mirror the table row for row.
    void ExpectCheckListMirrorsTable() const {
        ASSERT_EQ(m_chkBox.Entries().size(), static_cast<std::size_t>(Table().Count()));
        for (std::int32_t i = 1; i <= Table().Count(); ++i) {
            EXPECT_EQ(m_chkBox.Entries()[i - 1].Text, Table().Row(i).Title) << "row " << i;
            EXPECT_EQ(m_chkBox.Entries()[i - 1].Checked, Table().Row(i).Selected) << "row " << i;
        }
    }

    SimulatedDesktop m_desktop{1280, 984};
    MemoryIniStore m_store;
    IniFile m_selection{m_store, "/opt/quillmere/Options.ini"};
    HostTables m_tables;
    RecordingCheckList m_chkBox;
    WindowHandle m_host = kNoWindow;
};

TEST_F(RescanTest, EmptyTableGetsAFirstScanWithSavedChoices) {
    m_store.SetText(m_selection.Path(), "[Options]\n0=left,100\n");
    m_desktop.AddPalette("Tools", {0, 100, 60, 700});
    Tick();
    ASSERT_EQ(Table().Count(), 1);
    EXPECT_FALSE(Table().Row(1).Selected);
    ExpectCheckListMirrorsTable();
}

TEST_F(RescanTest, HostGoneForgetsTableAndEmptiesCheckList) {
    m_desktop.AddPalette("A", {0, 100, 200, 300});
    m_desktop.AddPalette("B", {0, 400, 200, 600});
    Tick();
    ASSERT_EQ(Table().Count(), 2);

    m_desktop.Remove(m_host);
    Tick();
    EXPECT_EQ(Table().Count(), 0);
    EXPECT_TRUE(m_chkBox.Entries().empty());

    Tick(); // no host, empty table: nothing to remove
    EXPECT_TRUE(m_chkBox.Entries().empty());
}

TEST_F(RescanTest, MinimisedHostFreezesTheTable) {
    m_desktop.AddPalette("A", {0, 100, 200, 300});
    Tick();
    m_desktop.SetStyle(m_host, kStyleVisible | kStyleBorder | kStyleMinimize);
    m_desktop.AddPalette("B", {0, 400, 200, 600});
    m_desktop.ClearMoves();
    Tick();
    EXPECT_EQ(Table().Count(), 1);
    EXPECT_TRUE(m_desktop.Moves().empty());

    m_desktop.SetStyle(m_host, kStyleVisible | kStyleBorder);
    Tick();
    EXPECT_EQ(Table().Count(), 2);
    ExpectCheckListMirrorsTable();
}

TEST_F(RescanTest, MovedPalettesWithSameCaptionsCauseNoRebuild) {
    const WindowHandle a = m_desktop.AddPalette("A", {0, 100, 200, 300});
    Tick();
    m_tables.FloatingWindows.Row(1).Selected = false; // as the user's untick would
    m_chkBox.SetChecked(0, false);
    m_desktop.SetRect(a, {1000, 100, 1200, 300});
    Tick();
    ASSERT_EQ(Table().Count(), 1);
    EXPECT_EQ(Table().Row(1).Edge, ScreenEdge::Left) << "no rebuild: the edge is kept";
    EXPECT_FALSE(Table().Row(1).Selected);
    ExpectCheckListMirrorsTable();
}

TEST_F(RescanTest, NewPaletteEntersTickedAndUnmovedWhileOthersKeepEdgeHomeAndTick) {
    m_store.SetText(m_selection.Path(), "[Options]\n0=left,400\n");
    const WindowHandle a = m_desktop.AddPalette("A", {0, 100, 200, 300});
    Tick();
    m_tables.FloatingWindows.Row(1).Selected = false;
    m_chkBox.SetChecked(0, false);
    // A palette dragged elsewhere keeps its first edge and home.
    m_desktop.SetRect(a, {1100, 500, 1300, 700});

    const WindowHandle b = m_desktop.AddPalette("B", {0, 400, 200, 600});
    m_desktop.ClearMoves();
    Tick();

    ASSERT_EQ(Table().Count(), 2);
    const PSinfo& kept = Table().Row(Table().FindByHandle(a));
    EXPECT_EQ(kept.Edge, ScreenEdge::Left);
    EXPECT_EQ(kept.Home.Top, 100);
    EXPECT_FALSE(kept.Selected);
    const PSinfo& added = Table().Row(Table().FindByHandle(b));
    EXPECT_TRUE(added.Selected) << "the selection file is not consulted for a newcomer";
    EXPECT_TRUE(m_desktop.Moves().empty()) << "the re-scan moves nothing";
    ExpectCheckListMirrorsTable();
}

TEST_F(RescanTest, RealCaptionChangeRebuildsUntitledRenumberingDoesNot) {
    const WindowHandle a = m_desktop.AddPalette("", {0, 100, 200, 300});
    Tick();
    ASSERT_EQ(Table().Row(1).Title, "Palette1");

    m_desktop.SetCaption(a, "Brushes");
    Tick();
    EXPECT_EQ(Table().Row(1).Title, "Palette1") << "untitled names never trigger a rebuild";

    m_desktop.SetCaption(a, "");
    Tick();
    const WindowHandle b = m_desktop.AddPalette("Color", {0, 400, 200, 600});
    Tick();
    ASSERT_EQ(Table().Count(), 2);
    m_desktop.SetCaption(b, "Swatches");
    Tick();
    EXPECT_EQ(Table().Row(Table().FindByHandle(b)).Title, "Swatches");
    ExpectCheckListMirrorsTable();
}

TEST_F(RescanTest, ReplacedPaletteIsDroppedAndTheNewOneListed) {
    const WindowHandle a = m_desktop.AddPalette("A", {0, 100, 200, 300});
    const WindowHandle b = m_desktop.AddPalette("B", {0, 400, 200, 600});
    Tick();
    ASSERT_EQ(Table().Count(), 2);

    m_desktop.Remove(b);
    const WindowHandle c = m_desktop.AddPalette("C", {0, 700, 200, 900});
    Tick();

    ASSERT_EQ(Table().Count(), 2);
    EXPECT_NE(Table().FindByHandle(a), 0);
    EXPECT_EQ(Table().FindByHandle(b), 0) << "the closed palette's handle is dropped";
    EXPECT_NE(Table().FindByHandle(c), 0) << "the new palette is listed";
    ExpectCheckListMirrorsTable();
}

// The list follows a change entry by entry: one palette opened, closed or
// renamed among 100 costs it one or two calls (three when it also moved in the
// window order), not a rebuild of all 100.
TEST_F(RescanTest, OnePaletteChangedAmongAHundredCostsTheListAFewCallsNotARebuild) {
    std::vector<WindowHandle> palettes;
    for (int i = 0; i < 100; ++i) {
        palettes.push_back(
            m_desktop.AddPalette("Tool " + std::to_string(i), {0, 10 + i * 8, 200, 160 + i * 8}));
    }
    Tick();
    const struct {
        const char* Change;
        int Calls; // insert and tick; remove; new text; remove, insert and tick
        std::function<void()> Make;
    } changes[] = {
        {"opened", 2,
         [&] {
             palettes.push_back(m_desktop.AddPalette("New", {0, 300, 200, 450}));
         }},
        {"closed", 1, [&] { m_desktop.Remove(palettes[40]); }},
        {"renamed", 1, [&] { m_desktop.SetCaption(palettes[70], "Renamed"); }},
        {"moved to the top and renamed", 3,
         [&] {
             m_desktop.BringToTop(palettes[10]);
             m_desktop.SetCaption(palettes[10], "Swatches");
         }},
    };
    for (const auto& change : changes) {
        const int before = m_chkBox.Calls();
        change.Make();
        Tick();
        EXPECT_EQ(m_chkBox.Calls() - before, change.Calls) << "a palette " << change.Change;
        ExpectCheckListMirrorsTable();
    }
}

// The host destroys an unticked palette and makes it again at the same place:
// the new window joins ticked, as every newcomer does, but the user never
// ticked it, so the next save keeps its entry.
TEST_F(RescanTest, APaletteTheHostMakesAnewJoinsTickedAndKeepsItsSavedEntry) {
    m_store.SetText(m_selection.Path(), "[Options]\n0=left,100\n");
    const WindowHandle old = m_desktop.AddPalette("Tools", {0, 100, 200, 300});
    m_desktop.AddPalette("Color", {0, 400, 200, 600});
    Tick();
    ASSERT_FALSE(Table().Row(1).Selected);

    m_desktop.Remove(old);
    m_desktop.AddPalette("Tools", {0, 100, 200, 300});
    Tick();
    ASSERT_EQ(Table().Count(), 2);
    EXPECT_TRUE(Table().Row(2).Selected) << "a newcomer joins ticked";
    SaveSelection(Table(), m_selection);
    EXPECT_EQ(m_store.ReadSection(m_selection.Path(), "Options"),
              (std::vector<std::string>{"0=left,100"}));
    ExpectCheckListMirrorsTable();
}

TEST_F(RescanTest, RebuildToZeroRowsLeavesAnEmptyTable) {
    const WindowHandle a = m_desktop.AddPalette("A", {0, 100, 200, 300});
    Tick();
    m_desktop.Remove(a);
    Tick();
    EXPECT_EQ(Table().Count(), 0);
    EXPECT_TRUE(m_chkBox.Entries().empty());
}

} // namespace
} // namespace quillmere

#include "autohide/PointerTracker.h"
#include "FrmMainFakes.h"
#include "PaletteRows.h"
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
using sim::SimMove;
using sim::SimulatedDesktop;

using testing::kSettingsPath;

// Screen 1280 x 984. Left and right palettes are 200 x 200 unless stated.
class PointerTrackerTest : public ::testing::Test {
protected:
    WindowHandle AddRow(const ScreenRect& rect, ScreenEdge edge, bool selected = true) {
        const WindowHandle window =
            testing::AddPaletteRow(m_desktop, m_table, rect, edge, selected).Handle;
        m_added.push_back(window);
        return window;
    }
    // Runs body once in each mode from an empty table; the palettes it adds
    // with AddRow are gone again after each run.
    void InEachMode(std::initializer_list<const char*> modes, const std::function<void()>& body) {
        for (const char* mode : modes) {
            SCOPED_TRACE(mode);
            SetMode(mode);
            m_table = PaletteTable{};
            body();
            for (const WindowHandle window : m_added) {
                m_desktop.Remove(window);
            }
            m_added.clear();
        }
    }
    void AddRowFor(WindowHandle window, ScreenEdge edge, bool selected) {
        PSinfo& row = m_table.Append();
        row.Handle = window;
        row.Edge = edge;
        row.Selected = selected;
    }
    void SetMode(const std::string& mode) { m_settings.WriteValue("Info", "FWoption", mode); }
    void Tick(ScreenPoint pointer) {
        m_desktop.SetCursor(pointer);
        m_desktop.ClearMoves();
        TrackPointer(m_table, m_desktop, m_settings, m_gate);
    }
    ScreenRect RectOf(WindowHandle window) const { return m_desktop.RectOf(window); }

    SimulatedDesktop m_desktop{1280, 984};
    MemoryIniStore m_store;
    IniFile m_settings{m_store, kSettingsPath};
    PaletteTable m_table;
    AutoHideGate m_gate;
    std::vector<WindowHandle> m_added;
};

// Slid-out and slid-in places of the palettes most tests use.
constexpr ScreenRect kUpperLeftOut{-190, 100, 10, 300};
constexpr ScreenRect kUpperLeftIn{0, 100, 200, 300};
constexpr ScreenRect kLowerLeftOut{-190, 400, 10, 600};
constexpr ScreenRect kLowerLeftIn{0, 400, 200, 600};
constexpr ScreenRect kRightOut{1270, 100, 1470, 300};
constexpr ScreenRect kRightIn{1080, 100, 1280, 300};

TEST_F(PointerTrackerTest, PointerOnTheStripOfALeftPaletteBringsItFlushAgainstTheEdge) {
    SetMode("Together");
    const WindowHandle left = AddRow(kUpperLeftOut, ScreenEdge::Left);
    Tick({5, 200});
    EXPECT_EQ(m_desktop.Moves(), (std::vector<SimMove>{{left, kUpperLeftIn}}));
}

TEST_F(PointerTrackerTest, TogetherBringsInEveryTickedPaletteOfThatEdgeOnly) {
    SetMode("Together");
    const WindowHandle upper = AddRow(kUpperLeftOut, ScreenEdge::Left);
    const WindowHandle right = AddRow(kRightOut, ScreenEdge::Right);
    AddRow({-190, 700, 10, 900}, ScreenEdge::Left, false);
    const WindowHandle lower = AddRow(kLowerLeftOut, ScreenEdge::Left);

    Tick({5, 500});

    EXPECT_EQ(m_desktop.Moves(),
              (std::vector<SimMove>{{upper, kUpperLeftIn}, {lower, kLowerLeftIn}}));
    EXPECT_EQ(RectOf(right), kRightOut);
}

TEST_F(PointerTrackerTest, SeparatelyBringsInTheHoveredPaletteAndSendsOutTheOthersOfItsEdge) {
    SetMode("Separately");
    const WindowHandle a = AddRow(kUpperLeftOut, ScreenEdge::Left);
    const WindowHandle b = AddRow(kLowerLeftOut, ScreenEdge::Left);
    const WindowHandle right = AddRow(kRightIn, ScreenEdge::Right);

    Tick({5, 200});
    EXPECT_EQ(m_desktop.Moves(), (std::vector<SimMove>{{a, kUpperLeftIn}}))
        << "B already stands slid out";

    Tick({5, 500});
    EXPECT_EQ(m_desktop.Moves(), (std::vector<SimMove>{{b, kLowerLeftIn}, {a, kUpperLeftOut}}))
        << "the hovered palette comes in first, then the others go out in table order";
    EXPECT_EQ(RectOf(right), kRightIn) << "palettes on other edges are not touched";
}

TEST_F(PointerTrackerTest, MixedBringsInOneAtATimeAndSendsOutTogetherOnceEveryBandIsLeft) {
    SetMode("Mixed");
    const WindowHandle a = AddRow(kUpperLeftOut, ScreenEdge::Left);
    const WindowHandle b = AddRow(kLowerLeftOut, ScreenEdge::Left);
    const WindowHandle right = AddRow(kRightOut, ScreenEdge::Right);

    Tick({5, 200});
    EXPECT_EQ(m_desktop.Moves(), (std::vector<SimMove>{{a, kUpperLeftIn}}));

    // Where B would stand when slid in: no window there, but inside B's band.
    Tick({100, 500});
    EXPECT_TRUE(m_desktop.Moves().empty());

    Tick({5, 500});
    EXPECT_EQ(m_desktop.Moves(), (std::vector<SimMove>{{b, kLowerLeftIn}}));
    EXPECT_EQ(RectOf(a), kUpperLeftIn);

    Tick({640, 800});
    EXPECT_EQ(m_desktop.Moves(), (std::vector<SimMove>{{a, kUpperLeftOut}, {b, kLowerLeftOut}}));
    EXPECT_EQ(RectOf(right), kRightOut);
}

TEST_F(PointerTrackerTest, APaletteAlreadyWhereASlideWouldPutItIsNotMoved) {
    InEachMode({"Together", "Separately", "Mixed"}, [&] {
        const WindowHandle upper = AddRow(kUpperLeftIn, ScreenEdge::Left);
        AddRow(kRightOut, ScreenEdge::Right);
        // Over the upper palette, slid in: every palette stays where it is.
        Tick({5, 200});
        Tick({5, 200});
        EXPECT_TRUE(m_desktop.Moves().empty());
        // Off palettes, the upper one goes out; the others already are.
        Tick({640, 800});
        EXPECT_EQ(m_desktop.Moves(), (std::vector<SimMove>{{upper, kUpperLeftOut}}));
        Tick({640, 800});
        EXPECT_TRUE(m_desktop.Moves().empty());
    });
}

TEST_F(PointerTrackerTest, MixedBandsAreStrictAtTheScreenEdge) {
    SetMode("Mixed");
    // A left palette the user left in the middle of the screen: its band is
    // where it would stand slid in, 0 < x < 200 and 100 < y < 300.
    const WindowHandle left = AddRow({300, 100, 500, 300}, ScreenEdge::Left);

    Tick({1, 200});
    EXPECT_TRUE(m_desktop.Moves().empty());

    Tick({0, 200});
    EXPECT_EQ(m_desktop.Moves(), (std::vector<SimMove>{{left, {-190, 100, 10, 300}}}));
}

TEST_F(PointerTrackerTest, MixedCountsTheBandsOfUntickedRows) {
    AddRow({300, 100, 500, 300}, ScreenEdge::Left, false);
    const WindowHandle right = AddRow(kRightIn, ScreenEdge::Right);

    SetMode("Mixed");
    Tick({100, 200});
    EXPECT_TRUE(m_desktop.Moves().empty());

    SetMode("Together");
    Tick({100, 200});
    EXPECT_EQ(m_desktop.Moves(), (std::vector<SimMove>{{right, kRightOut}}));
}

TEST_F(PointerTrackerTest, PointerOffPalettesSlidesOutEveryTickedPaletteAtEveryTick) {
    InEachMode({"Together", "Separately", "Mixed", "no such mode"}, [&] {
        const WindowHandle left = AddRow(kUpperLeftIn, ScreenEdge::Left);
        const WindowHandle right = AddRow(kRightOut, ScreenEdge::Right);
        const WindowHandle bottom = AddRow({600, 700, 800, 900}, ScreenEdge::Bottom);
        const WindowHandle unticked = AddRow({400, 400, 500, 500}, ScreenEdge::Left, false);

        Tick({640, 20});
        EXPECT_EQ(m_desktop.Moves(),
                  (std::vector<SimMove>{{left, kUpperLeftOut}, {bottom, {600, 974, 800, 1174}}}))
            << "the right palette already stands slid out";
        EXPECT_EQ(RectOf(right), kRightOut);
        EXPECT_EQ(RectOf(unticked), (ScreenRect{400, 400, 500, 500}));
    });
}

TEST_F(PointerTrackerTest, AnotherApplicationsWindowCountsAsOffPalettes) {
    SetMode("Together");
    const WindowHandle left = AddRow(kUpperLeftIn, ScreenEdge::Left);
    m_desktop.Add({"Notepad", "Untitled", kStyleVisible | kStyleBorder, {0, 0, 600, 600}});
    m_desktop.AddHost({600, 0, 1280, 984});
    m_desktop.BringToTop(m_desktop.FindTopLevelWindow("Notepad"));

    Tick({100, 200});
    EXPECT_EQ(m_desktop.Moves(), (std::vector<SimMove>{{left, kUpperLeftOut}}));
    m_desktop.SetRect(left, kUpperLeftIn);
    Tick({900, 200});
    EXPECT_EQ(m_desktop.Moves(), (std::vector<SimMove>{{left, kUpperLeftOut}}))
        << "the host's main window is not a palette either";
}

TEST_F(PointerTrackerTest, ControlsInsideAPaletteAndPopupsItOwnsCountAsThePalette) {
    SetMode("Separately");
    const WindowHandle palette = AddRow(kUpperLeftIn, ScreenEdge::Left);
    const WindowHandle other = AddRow(kLowerLeftIn, ScreenEdge::Left);
    m_desktop.AddChild(palette, "Button", {10, 110, 60, 130});
    const WindowHandle view = m_desktop.AddChild(palette, "PSViewC", {0, 150, 200, 300});
    m_desktop.AddChild(view, "Edit", {10, 160, 100, 180});
    m_desktop.Add(
        {"ComboLBox", "", kStyleVisible | kStylePopup, {210, 100, 300, 200}, kNoWindow, palette});

    // The hovered palette stays in; the other one of its edge goes out.
    const std::vector<SimMove> hovered{{other, kLowerLeftOut}};
    for (ScreenPoint point : {ScreenPoint{20, 120}, ScreenPoint{50, 170}, ScreenPoint{250, 150}}) {
        SCOPED_TRACE(::testing::Message() << point.X << "," << point.Y);
        m_desktop.SetRect(other, kLowerLeftIn);
        Tick(point);
        EXPECT_EQ(m_desktop.Moves(), hovered);
        EXPECT_EQ(RectOf(palette), kUpperLeftIn);
    }
}

TEST_F(PointerTrackerTest, APopupOwnedByAnotherWindowIsOffPalettes) {
    SetMode("Together");
    const WindowHandle palette = AddRow(kUpperLeftIn, ScreenEdge::Left);
    const WindowHandle dialog =
        m_desktop.Add({"#32770", "Dialog", kStyleVisible | kStyleBorder, {700, 100, 900, 300}});
    m_desktop.Add(
        {"ComboLBox", "", kStyleVisible | kStylePopup, {300, 100, 400, 200}, kNoWindow, dialog});
    Tick({350, 150});
    EXPECT_EQ(m_desktop.Moves(), (std::vector<SimMove>{{palette, kUpperLeftOut}}));
}

TEST_F(PointerTrackerTest, AnUntickedPaletteUnderThePointerSendsEveryTickedOneOutInEveryMode) {
    InEachMode({"Together", "Separately", "Mixed"}, [&] {
        const WindowHandle ticked = AddRow(kUpperLeftIn, ScreenEdge::Left);
        AddRow(kLowerLeftIn, ScreenEdge::Left, false);

        // The pointer is inside the unticked palette's own band, too.
        Tick({100, 500});
        EXPECT_EQ(m_desktop.Moves(), (std::vector<SimMove>{{ticked, kUpperLeftOut}}));
    });
}

TEST_F(PointerTrackerTest, APaletteWindowMissingFromTheTableSendsEveryTickedOneOut) {
    SetMode("Mixed");
    const WindowHandle ticked = AddRow(kUpperLeftIn, ScreenEdge::Left);
    m_desktop.AddPalette("New palette", {600, 400, 800, 600});
    Tick({700, 500});
    EXPECT_EQ(m_desktop.Moves(), (std::vector<SimMove>{{ticked, kUpperLeftOut}}));
}

TEST_F(PointerTrackerTest, TheLowestRowWithTheHoveredHandleDecides) {
    SetMode("Together");
    const WindowHandle shared = m_desktop.AddPalette("P", kUpperLeftIn);
    AddRowFor(shared, ScreenEdge::Left, false);
    AddRowFor(shared, ScreenEdge::Left, true);
    Tick({5, 200});
    EXPECT_EQ(m_desktop.Moves(), (std::vector<SimMove>{{shared, kUpperLeftOut}}))
        << "row 1 is unticked, so everything ticked goes out";

    m_table.Row(1).Selected = true;
    m_table.Row(2).Selected = false;
    Tick({5, 200});
    EXPECT_EQ(m_desktop.Moves(), (std::vector<SimMove>{{shared, kUpperLeftIn}}));
}

TEST_F(PointerTrackerTest, AModeTextThatNamesNoModeActsAsTogether) {
    InEachMode({"together", "Sideways", ""}, [&] {
        const WindowHandle upper = AddRow(kUpperLeftOut, ScreenEdge::Left);
        const WindowHandle lower = AddRow(kLowerLeftOut, ScreenEdge::Left);
        Tick({5, 200});
        EXPECT_EQ(m_desktop.Moves(),
                  (std::vector<SimMove>{{upper, kUpperLeftIn}, {lower, kLowerLeftIn}}))
            << "the pointer brings them back, as in Together";
        Tick({640, 500});
        EXPECT_EQ(m_desktop.Moves(),
                  (std::vector<SimMove>{{upper, kUpperLeftOut}, {lower, kLowerLeftOut}}));
    });
}

TEST_F(PointerTrackerTest, AMissingSettingsFileMeansTogether) {
    const WindowHandle upper = AddRow(kUpperLeftOut, ScreenEdge::Left);
    const WindowHandle lower = AddRow(kLowerLeftOut, ScreenEdge::Left);
    Tick({5, 200});
    EXPECT_EQ(m_desktop.Moves(),
              (std::vector<SimMove>{{upper, kUpperLeftIn}, {lower, kLowerLeftIn}}));
}

TEST_F(PointerTrackerTest, ReadsTheModeFromTheFileAtEveryTick) {
    const WindowHandle upper = AddRow(kUpperLeftOut, ScreenEdge::Left);
    const WindowHandle lower = AddRow(kLowerLeftOut, ScreenEdge::Left);

    SetMode("Together");
    const int readsBefore = m_store.ReadCount();
    Tick({5, 200});
    EXPECT_EQ(m_store.ReadCount(), readsBefore + 1);
    EXPECT_EQ(m_desktop.Moves(),
              (std::vector<SimMove>{{upper, kUpperLeftIn}, {lower, kLowerLeftIn}}));

    // Changed by hand between two ticks.
    m_store.SetText(kSettingsPath, "[Info]\r\nFWoption=Mixed\r\n");
    m_desktop.SetRect(upper, kUpperLeftOut);
    m_desktop.SetRect(lower, kLowerLeftOut);
    Tick({5, 200});
    EXPECT_EQ(m_store.ReadCount(), readsBefore + 2);
    EXPECT_EQ(m_desktop.Moves(), (std::vector<SimMove>{{upper, kUpperLeftIn}}));
}

TEST_F(PointerTrackerTest, ARowWithAnUnknownEdgeHasNoBandAndIsNeverMovedByTheTracker) {
    struct Case {
        ScreenPoint Pointer;
        bool LeftSlidesOut;
        const char* What;
    };
    const Case cases[] = {
        {{500, 500}, false, "hovering a ticked row with no edge moves nothing"},
        {{800, 500}, false, "hovering the other one moves nothing either"},
        {{400, 900}, true, "inside the band the unticked row would have as a bottom palette"},
        {{640, 900}, true, "off every palette"},
    };
    for (const Case& c : cases) {
        InEachMode({"Together", "Separately", "Mixed"}, [&] {
            AddRow({400, 400, 600, 600}, ScreenEdge::None);
            const WindowHandle left = AddRow(kUpperLeftIn, ScreenEdge::Left);
            AddRow({700, 400, 900, 600}, ScreenEdge::None);
            AddRow({300, 100, 500, 300}, ScreenEdge::None, false);
            Tick(c.Pointer);
            const std::vector<SimMove> out{{left, kUpperLeftOut}};
            EXPECT_EQ(m_desktop.Moves(), c.LeftSlidesOut ? out : std::vector<SimMove>{}) << c.What;
        });
    }
}

TEST_F(PointerTrackerTest, AnEmptyTableMovesNothing) {
    SetMode("Together");
    const WindowHandle stray = m_desktop.AddPalette("P", kUpperLeftOut);
    Tick({5, 200});
    Tick({640, 500});
    EXPECT_TRUE(m_desktop.Moves().empty());
    EXPECT_EQ(RectOf(stray), kUpperLeftOut);
}

TEST(EdgeBand, IsWhereThePaletteWouldStandSlidInWithStrictBounds) {
    struct Case {
        ScreenEdge Edge;
        ScreenRect Current;
        ScreenPoint Pointer;
        bool Inside;
    };
    // Screen 1280 x 984; each palette stands wherever, its band depends on its size only.
    const ScreenRect side{500, 100, 700, 300};    // 200 wide, rows 101..299
    const ScreenRect bottom{300, 974, 500, 1124}; // 150 high, columns 301..499
    const Case cases[] = {
        {ScreenEdge::Left, side, {1, 101}, true},
        {ScreenEdge::Left, side, {199, 299}, true},
        {ScreenEdge::Left, side, {0, 200}, false},
        {ScreenEdge::Left, side, {200, 200}, false},
        {ScreenEdge::Left, side, {100, 100}, false},
        {ScreenEdge::Left, side, {100, 300}, false},
        {ScreenEdge::Right, side, {1081, 200}, true},
        {ScreenEdge::Right, side, {1279, 200}, true},
        {ScreenEdge::Right, side, {1080, 200}, false},
        {ScreenEdge::Right, side, {1280, 200}, false},
        {ScreenEdge::Right, side, {1200, 300}, false},
        {ScreenEdge::Bottom, bottom, {301, 835}, true},
        {ScreenEdge::Bottom, bottom, {499, 983}, true},
        {ScreenEdge::Bottom, bottom, {300, 900}, false},
        {ScreenEdge::Bottom, bottom, {500, 900}, false},
        {ScreenEdge::Bottom, bottom, {400, 834}, false},
        {ScreenEdge::Bottom, bottom, {400, 984}, false},
        {ScreenEdge::None, side, {100, 200}, false},
        {ScreenEdge::None, side, {1200, 200}, false},
        {ScreenEdge::None, bottom, {400, 900}, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(InEdgeBand(c.Edge, c.Current, c.Pointer, 1280, 984), c.Inside)
            << '"' << EdgeName(c.Edge) << "\" at " << c.Pointer.X << "," << c.Pointer.Y;
    }
    EXPECT_TRUE(InEdgeBand(ScreenEdge::Right, side, {1500, 200}, 1600, 984))
        << "follows the screen width";
}

} // namespace
} // namespace quillmere

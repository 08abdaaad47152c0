#include "RecordingCheckList.h"
#include "autohide/PointerTracker.h"
#include "autohide/SlideMoves.h"
#include "host/Discovery.h"
#include "host/EdgeGeometry.h"
#include "platform/sim/MemoryIniStore.h"
#include "platform/sim/SimulatedDesktop.h"
#include "settings/SettingsFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quillmere {
namespace {

Monitor Screen(ScreenRect bounds, bool primary = false) {
    return {bounds, bounds, primary};
}

MonitorLayout Layout(std::initializer_list<Monitor> monitors) {
    MonitorLayout layout;
    for (const Monitor& monitor : monitors) {
        layout.Add(monitor);
    }
    return layout;
}

// The primary, 1280 x 1024 at (0, 0), always listed first; the second (and
// third) monitor where each layout puts it.
const Monitor kPrimary = Screen({0, 0, 1280, 1024}, true);
const MonitorLayout kAlone = Layout({kPrimary});
const MonitorLayout kRight = Layout({kPrimary, Screen({1280, 0, 2560, 1024})});
const MonitorLayout kLeft = Layout({kPrimary, Screen({-1280, 0, 0, 1024})});
const MonitorLayout kBelow = Layout({kPrimary, Screen({0, 1024, 1280, 2048})});
const MonitorLayout kAbove = Layout({kPrimary, Screen({0, -1024, 1280, 0})});
const MonitorLayout kThree =
    Layout({kPrimary, Screen({1280, 0, 2560, 1024}), Screen({2560, 0, 3840, 1024})});
// A smaller monitor to the right, level with the primary's top.
const MonitorLayout kSmaller = Layout({kPrimary, Screen({1280, 0, 2304, 768})});
// The taskbar along the bottom of monitor 2.
const MonitorLayout kTaskbarOn2 =
    Layout({kPrimary, {{1280, 0, 2560, 1024}, {1280, 0, 2560, 984}, false}});

struct EdgesCase {
    const char* Name;
    MonitorLayout Monitors;
    std::size_t Monitor;
    MonitorEdges Expected;
};

TEST(MonitorEdges, AnEdgeAnotherMonitorTouchesAnywhereIsInner) {
    const std::vector<EdgesCase> cases{
        {"alone", kAlone, 0, {0, 1280, 1024, true, true, true}},
        {"right: primary", kRight, 0, {0, 1280, 1024, true, false, true}},
        {"right: monitor 2", kRight, 1, {1280, 2560, 1024, false, true, true}},
        {"left: primary", kLeft, 0, {0, 1280, 1024, false, true, true}},
        {"left: monitor 2", kLeft, 1, {-1280, 0, 1024, true, false, true}},
        {"below: primary", kBelow, 0, {0, 1280, 1024, true, true, false}},
        {"below: monitor 2", kBelow, 1, {0, 1280, 2048, true, true, true}},
        {"above: monitor 2", kAbove, 1, {0, 1280, 0, true, true, false}},
        {"three: middle", kThree, 1, {1280, 2560, 1024, false, false, true}},
        {"three: last", kThree, 2, {2560, 3840, 1024, false, true, true}},
        // Beside the primary's right edge only from y 0 to 768: the whole edge is inner.
        {"smaller: primary", kSmaller, 0, {0, 1280, 1024, true, false, true}},
        {"smaller: monitor 2", kSmaller, 1, {1280, 2304, 768, false, true, true}},
        {"taskbar on 2", kTaskbarOn2, 1, {1280, 2560, 984, false, true, true}},
        // Touching at a corner only shares no stretch of either edge.
        {"corner",
         Layout({kPrimary, Screen({1280, 1024, 2560, 2048})}),
         0,
         {0, 1280, 1024, true, true, true}},
        {"no monitor", MonitorLayout{}, 0, {}},
    };
    for (const EdgesCase& c : cases) {
        const MonitorEdges e = EdgesOf(c.Monitors, c.Monitor);
        const MonitorEdges& x = c.Expected;
        EXPECT_TRUE(e.Left == x.Left && e.Right == x.Right && e.Bottom == x.Bottom &&
                    e.LeftOuter == x.LeftOuter && e.RightOuter == x.RightOuter &&
                    e.BottomOuter == x.BottomOuter)
            << c.Name << ": lines " << e.Left << ", " << e.Right << ", " << e.Bottom << " outer "
            << e.LeftOuter << e.RightOuter << e.BottomOuter;
    }
}

TEST(MonitorOf, LargestOverlapElseNearestTiesToTheFirst) {
    struct Case {
        ScreenRect Rect;
        std::size_t Expected;
    };
    const std::vector<Case> cases{
        {{1200, 100, 1400, 300}, 1},   // 80 px on the primary, 120 on monitor 2
        {{1180, 100, 1380, 300}, 0},   // 100 on each: the first listed
        {{2550, 100, 2750, 300}, 1},   // slid out at monitor 2's right: its strip
        {{-500, 100, -300, 300}, 0},   // on no monitor: the nearest
        {{3000, 2000, 3200, 2200}, 1}, // below and right of both
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MonitorOf(kRight, c.Rect), c.Expected)
            << c.Rect.Left << "," << c.Rect.Top << "-" << c.Rect.Right << "," << c.Rect.Bottom;
    }
}

struct ClassifyCase {
    const char* Name;
    MonitorLayout Monitors;
    ScreenRect Rect;
    ScreenEdge Edge;
    ScreenRect Home;
};

TEST(ChooseEdgeOn, RulesRunOnThePalettesMonitorWithInnerEdgesInfinitelyFar) {
    const std::vector<ClassifyCase> cases{
        // The layout of the fault report: near monitor 2's left, which is inner.
        {"right: near 2's inner left",
         kRight,
         {1300, 400, 1500, 600},
         ScreenEdge::Bottom,
         {1300, 400, 1500, 600}},
        {"right: near 2's bottom",
         kRight,
         {1400, 800, 1600, 1000},
         ScreenEdge::Bottom,
         {1400, 800, 1600, 1000}},
        {"right: off 2's right",
         kRight,
         {2500, 100, 2700, 300},
         ScreenEdge::Right,
         {2360, 100, 2560, 300}},
        {"right: primary near its inner right",
         kRight,
         {1040, 100, 1240, 400},
         ScreenEdge::Bottom,
         {1040, 100, 1240, 400}},
        {"right: sticks into 2 from the primary",
         kRight,
         {1150, 100, 1350, 300},
         ScreenEdge::Bottom,
         {1150, 100, 1350, 300}},
        {"left: off 2's left",
         kLeft,
         {-1300, 100, -1100, 300},
         ScreenEdge::Left,
         {-1280, 100, -1080, 300}},
        {"left: near 2's left",
         kLeft,
         {-1270, 100, -1070, 300},
         ScreenEdge::Left,
         {-1270, 100, -1070, 300}},
        {"left: primary near its inner left",
         kLeft,
         {20, 120, 220, 320},
         ScreenEdge::Bottom,
         {20, 120, 220, 320}},
        {"below: primary near its inner bottom",
         kBelow,
         {500, 850, 700, 1000},
         ScreenEdge::Left,
         {500, 850, 700, 1000}},
        {"below: off 2's bottom",
         kBelow,
         {500, 1950, 700, 2100},
         ScreenEdge::Bottom,
         {500, 1898, 700, 2048}},
        {"above: on 2, bottom inner",
         kAbove,
         {500, -300, 700, -100},
         ScreenEdge::Left,
         {500, -300, 700, -100}},
        {"three: middle has only a bottom",
         kThree,
         {1300, 100, 1500, 300},
         ScreenEdge::Bottom,
         {1300, 100, 1500, 300}},
        {"three: last takes its right",
         kThree,
         {3600, 100, 3800, 300},
         ScreenEdge::Right,
         {3600, 100, 3800, 300}},
        {"smaller: 2's bottom at 768",
         kSmaller,
         {1500, 500, 1700, 700},
         ScreenEdge::Bottom,
         {1500, 500, 1700, 700}},
        {"smaller: off 2's bottom",
         kSmaller,
         {1500, 700, 1700, 900},
         ScreenEdge::Bottom,
         {1500, 568, 1700, 768}},
        {"taskbar on 2: above it",
         kTaskbarOn2,
         {1500, 900, 1700, 1000},
         ScreenEdge::Bottom,
         {1500, 884, 1700, 984}},
        {"no outer edge: stays",
         Layout({kPrimary, Screen({-1280, 0, 0, 1024}), Screen({1280, 0, 2560, 1024}),
                 Screen({0, 1024, 1280, 2048})}),
         {500, 400, 700, 600},
         ScreenEdge::None,
         {500, 400, 700, 600}},
    };
    for (const ClassifyCase& c : cases) {
        const EdgeChoice choice = ChooseEdgeOn(c.Monitors, c.Rect);
        EXPECT_EQ(choice.Edge, c.Edge) << c.Name;
        EXPECT_EQ(choice.Home, c.Home) << c.Name;
    }
}

TEST(MonitorSlides, HideAndShowAtTheOuterEdgeOfTheirOwnMonitor) {
    struct Case {
        const char* Name;
        MonitorLayout Monitors;
        ScreenEdge Edge;
        ScreenRect Shown;
        ScreenPoint Hidden;
    };
    const std::vector<Case> cases{
        {"right: at 2's right", kRight, ScreenEdge::Right, {2360, 100, 2560, 300}, {2550, 100}},
        {"left: at 2's left", kLeft, ScreenEdge::Left, {-1280, 100, -1080, 300}, {-1470, 100}},
        {"below: at 2's bottom", kBelow, ScreenEdge::Bottom, {500, 1898, 700, 2048}, {500, 2038}},
        {"taskbar on 2", kTaskbarOn2, ScreenEdge::Bottom, {1500, 784, 1700, 984}, {1500, 974}},
    };
    for (const Case& c : cases) {
        const MonitorEdges edges = EdgesAt(c.Monitors, c.Shown);
        EXPECT_EQ(HiddenOrigin(c.Edge, c.Shown, edges), c.Hidden) << c.Name;
        const ScreenRect hidden{c.Hidden.X, c.Hidden.Y, c.Hidden.X + c.Shown.Width(),
                                c.Hidden.Y + c.Shown.Height()};
        // Slid out, the strip alone decides the monitor, and it slides back there.
        EXPECT_EQ(BackOrigin(c.Edge, hidden, c.Monitors, c.Monitors),
                  (ScreenPoint{c.Shown.Left, c.Shown.Top}))
            << c.Name;
    }
    // An inner edge is never crossed: a right row left on the primary stays.
    EXPECT_EQ(BackOrigin(ScreenEdge::Right, {500, 100, 700, 300}, kRight, kRight),
              (ScreenPoint{500, 100}));
}

TEST(PlaceOnNewLayout, EveryPaletteEndsWhereAMonitorShowsIt) {
    struct Case {
        const char* Name;
        MonitorLayout Before;
        MonitorLayout Now;
        ScreenEdge Edge;
        ScreenRect Current;
        ScreenEdge NewEdge;
        ScreenRect Home;
    };
    const std::vector<Case> cases{
        {"right: 2 removed while slid out at its right",
         kRight,
         kAlone,
         ScreenEdge::Right,
         {2550, 100, 2750, 300},
         ScreenEdge::Right,
         {1080, 100, 1280, 300}},
        {"right: 2 removed, shown in its middle",
         kRight,
         kAlone,
         ScreenEdge::Bottom,
         {1800, 300, 2000, 500},
         ScreenEdge::Right,
         {1080, 300, 1280, 500}},
        {"left: 2 removed while slid out at its left",
         kLeft,
         kAlone,
         ScreenEdge::Left,
         {-1470, 100, -1270, 300},
         ScreenEdge::Left,
         {0, 100, 200, 300}},
        {"below: 2 removed while slid out at its bottom",
         kBelow,
         kAlone,
         ScreenEdge::Bottom,
         {500, 2038, 700, 2188},
         ScreenEdge::Bottom,
         {500, 874, 700, 1024}},
        {"smaller: 2 removed, a tall palette slid out there",
         kSmaller,
         kAlone,
         ScreenEdge::Right,
         {2294, 600, 2494, 1200},
         ScreenEdge::Right,
         {1080, 168, 1280, 768}},
        // A second monitor arrives beside the primary's right, where a palette hides:
        // judged where it stood slid in, it takes the primary's bottom instead.
        {"right: 2 added over a right palette",
         kAlone,
         kRight,
         ScreenEdge::Right,
         {1270, 100, 1470, 300},
         ScreenEdge::Bottom,
         {1080, 100, 1280, 300}},
        {"alone: unchanged layout keeps a left palette",
         kAlone,
         kAlone,
         ScreenEdge::Left,
         {-190, 100, 10, 300},
         ScreenEdge::Left,
         {0, 100, 200, 300}},
    };
    for (const Case& c : cases) {
        const EdgeChoice choice = PlaceOnNewLayout(c.Edge, c.Current, c.Before, c.Now);
        EXPECT_EQ(choice.Edge, c.NewEdge) << c.Name;
        EXPECT_EQ(choice.Home, c.Home) << c.Name;
    }
}

// The whole loop on the simulated desktop: first scan, pointer, close and a
// monitor removed while its palettes are slid out.
TEST(MonitorsOnTheDesktop, PalettesOnMonitorTwoHideThereAndComeBackWhenItGoes) {
    struct Case {
        const char* Name;
        MonitorLayout Monitors;
        ScreenRect Palette;
        ScreenPoint Hidden;
        ScreenPoint Strip;
        ScreenPoint AfterRemoval; // slid out on the primary
        ScreenRect Steady;        // at an outer edge of the primary that stays outer
    };
    const std::vector<Case> cases{
        {"right",
         kRight,
         {2360, 200, 2560, 400},
         {2550, 200},
         {2555, 300},
         {1270, 200},
         {0, 600, 200, 800}},
        {"left",
         kLeft,
         {-1280, 200, -1080, 400},
         {-1470, 200},
         {-1275, 300},
         {-190, 200},
         {1080, 600, 1280, 800}},
        {"below",
         kBelow,
         {500, 1898, 700, 2048},
         {500, 2038},
         {600, 2043},
         {500, 1014},
         {0, 600, 200, 800}},
        // Slid out at monitor 2's right, below the primary's height.
        {"below, right edge",
         kBelow,
         {1080, 1300, 1280, 1450},
         {1270, 1300},
         {1275, 1375},
         {1270, 874},
         {0, 600, 200, 800}},
    };
    for (const Case& c : cases) {
        sim::SimulatedDesktop desktop;
        desktop.SetMonitors(c.Monitors);
        desktop.AddHost({40, 30, 1240, 990});
        const WindowHandle palette = desktop.AddPalette("P", c.Palette);
        const WindowHandle steady = desktop.AddPalette("S", c.Steady);
        sim::MemoryIniStore store;
        const IniFile selection{store, "C:\\Q\\Options.ini"};
        const IniFile settings{store, "C:\\Q\\ZC.reg"};
        HostTables tables;
        testing::RecordingCheckList chkBox;
        AutoHideGate gate;
        const auto origin = [&] {
            const ScreenRect r = desktop.RectOf(palette);
            return ScreenPoint{r.Left, r.Top};
        };

        FirstScan(tables, desktop, selection, chkBox, true);
        EXPECT_EQ(origin(), c.Hidden) << c.Name << ": slid out across monitor 2's outer edge";
        desktop.SetCursor(c.Strip);
        TrackPointer(tables.FloatingWindows, desktop, settings, gate);
        EXPECT_EQ(origin(), (ScreenPoint{c.Palette.Left, c.Palette.Top}))
            << c.Name << ": the strip brings it back on monitor 2";
        desktop.SetCursor({640, 500});
        TrackPointer(tables.FloatingWindows, desktop, settings, gate);
        SlideInAll(tables.FloatingWindows, desktop);
        EXPECT_EQ(origin(), (ScreenPoint{c.Palette.Left, c.Palette.Top}))
            << c.Name << ": brought back on its own monitor";

        TrackPointer(tables.FloatingWindows, desktop, settings, gate);
        desktop.SetMonitors(kAlone);
        TrackPointer(tables.FloatingWindows, desktop, settings, gate);
        EXPECT_EQ(origin(), c.Hidden) << c.Name << ": nothing slides before the re-scan";
        desktop.ClearMoves();
        RescanPalettes(tables, desktop, selection, chkBox);
        TrackPointer(tables.FloatingWindows, desktop, settings, gate);
        EXPECT_EQ(origin(), c.AfterRemoval) << c.Name << ": its strip shows on the primary";
        for (const sim::SimMove& move : desktop.Moves()) {
            EXPECT_NE(move.Window, steady) << c.Name << ": one still slid out in place stays";
        }
    }
}

// "Together" and "Separately" act on one edge of one monitor: the bottom of
// monitor 2 is not the bottom of the primary.
TEST(MonitorsOnTheDesktop, TheModesKeepToTheHoveredPalettesMonitor) {
    for (const char* mode : {"Together", "Separately"}) {
        sim::SimulatedDesktop desktop;
        desktop.SetMonitors(kRight);
        desktop.AddHost({40, 30, 1240, 990});
        const WindowHandle onPrimary = desktop.AddPalette("A", {300, 874, 500, 1024});
        const WindowHandle onSecond = desktop.AddPalette("B", {1700, 874, 1900, 1024});
        const WindowHandle besideIt = desktop.AddPalette("C", {2000, 874, 2200, 1024});
        sim::MemoryIniStore store;
        const IniFile settings{store, "C:\\Q\\ZC.reg"};
        WriteSetting(settings, kFWoptionKey, mode);
        HostTables tables;
        testing::RecordingCheckList chkBox;
        AutoHideGate gate;
        FirstScan(tables, desktop, IniFile{store, "C:\\Q\\Options.ini"}, chkBox, true);

        desktop.SetCursor({1800, 1019});
        TrackPointer(tables.FloatingWindows, desktop, settings, gate);
        EXPECT_EQ(desktop.RectOf(onSecond).Top, 874) << mode << ": the hovered one comes in";
        EXPECT_EQ(desktop.RectOf(besideIt).Top, std::string(mode) == "Together" ? 874 : 1014)
            << mode << ": the other one at monitor 2's bottom follows the mode";
        EXPECT_EQ(desktop.RectOf(onPrimary).Top, 1014)
            << mode << ": the primary's bottom stays out";
    }
}

} // namespace
} // namespace quillmere

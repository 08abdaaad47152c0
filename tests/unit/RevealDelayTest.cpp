// The reveal and hide delays and the drag rule, through the main window's
// pointer timer: the delays come from the settings file as the creation
// sequence reads them, the clock and the buttons from the simulated desktop.

#include "FrmMainFixture.h"
#include "app/DelayMenu.h"
#include "settings/SettingsFile.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace quillmere::testing {
namespace {

// Where the pointer rests. A and B are ticked left palettes, R a ticked right
// one; each strip is over its palette whether it is out or in.
enum class Spot { A, B, R, Canvas, BandOfB };

ScreenPoint PointAt(Spot spot) {
    switch (spot) {
    case Spot::A:
        return {5, 200};
    case Spot::B:
        return {5, 500};
    case Spot::R:
        return {1275, 200};
    case Spot::Canvas: // over no window and outside every band
        return {640, 800};
    case Spot::BandOfB: // where B stands when in: no window there while it is out
        return {100, 500};
    }
    return {};
}

constexpr ScreenRect kAOut{-190, 100, 10, 300};
constexpr ScreenRect kAIn{0, 100, 200, 300};
constexpr ScreenRect kBOut{-190, 400, 10, 600};
constexpr ScreenRect kBIn{0, 400, 200, 600};
constexpr ScreenRect kROut{1270, 100, 1470, 300};
constexpr ScreenRect kRIn{1080, 100, 1280, 300};

constexpr bool kUp = false;
constexpr bool kDown = true;

// A tick up to 16 ms before a delay's end counts as at its end.
// One tick: the clock moves on by Ms, the pointer rests at Where with a
// button Held or not, then the timer fires. In: the palettes standing in
// afterwards.
struct Step {
    std::uint64_t Ms;
    Spot Where;
    bool Held;
    const char* In;
};

struct Case {
    const char* Name;
    const char* Mode;
    const char* Delays; // the lines of section "Info" that give them
    std::vector<Step> Steps;
};

void PrintTo(const Case& c, std::ostream* out) {
    *out << c.Name;
}

const Case kCases[] = {
    // The reveal delay, in each mode.
    {"TogetherRevealsAfterTheDelayAndAShownPaletteNeverWaits",
     "Together",
     "ShowDelay=500\r\n",
     {{0, Spot::A, kUp, ""},
      {400, Spot::A, kUp, ""},
      {83, Spot::A, kUp, ""},
      {1, Spot::A, kUp, "AB"},
      {100, Spot::B, kUp, "AB"},
      {100, Spot::Canvas, kUp, ""}}},
    {"TogetherWaitsAgainOnAnotherPalette",
     "Together",
     "ShowDelay=500\r\n",
     {{0, Spot::A, kUp, ""},
      {400, Spot::A, kUp, ""},
      {100, Spot::R, kUp, ""},
      {400, Spot::R, kUp, ""},
      {100, Spot::R, kUp, "R"}}},
    {"TogetherLeavingCancelsTheWait",
     "Together",
     "ShowDelay=500\r\n",
     {{0, Spot::A, kUp, ""},
      {400, Spot::A, kUp, ""},
      {100, Spot::Canvas, kUp, ""},
      {100, Spot::A, kUp, ""},
      {400, Spot::A, kUp, ""},
      {100, Spot::A, kUp, "AB"}}},
    {"SeparatelySendsTheOthersOutWhenTheRevealComes",
     "Separately",
     "ShowDelay=500\r\n",
     {{0, Spot::A, kUp, ""},
      {500, Spot::A, kUp, "A"},
      {100, Spot::B, kUp, "A"},
      {400, Spot::B, kUp, "A"},
      {100, Spot::B, kUp, "B"},
      {100, Spot::A, kUp, "B"}}},
    {"SeparatelyLeavingCancelsTheWait",
     "Separately",
     "ShowDelay=500\r\n",
     {{0, Spot::A, kUp, ""},
      {400, Spot::A, kUp, ""},
      {100, Spot::Canvas, kUp, ""},
      {100, Spot::A, kUp, ""},
      {500, Spot::A, kUp, "A"}}},
    {"MixedWaitsOnEachPaletteAndKeepsItsBands",
     "Mixed",
     "ShowDelay=500\r\n",
     {{0, Spot::A, kUp, ""},
      {500, Spot::A, kUp, "A"},
      {100, Spot::BandOfB, kUp, "A"},
      {100, Spot::B, kUp, "A"},
      {400, Spot::B, kUp, "A"},
      {100, Spot::B, kUp, "AB"},
      {100, Spot::Canvas, kUp, ""}}},
    {"MixedLeavingCancelsTheWait",
     "Mixed",
     "ShowDelay=500\r\n",
     {{0, Spot::A, kUp, ""},
      {400, Spot::A, kUp, ""},
      {100, Spot::BandOfB, kUp, ""},
      {100, Spot::A, kUp, ""},
      {500, Spot::A, kUp, "A"}}},
    // The hide delay, in each mode.
    {"TogetherHidesOnceThePointerHasStayedAway",
     "Together",
     "HideDelay=500\r\n",
     {{0, Spot::A, kUp, "AB"},
      {100, Spot::Canvas, kUp, "AB"},
      {400, Spot::Canvas, kUp, "AB"},
      {100, Spot::B, kUp, "AB"},
      {100, Spot::Canvas, kUp, "AB"},
      {483, Spot::Canvas, kUp, "AB"},
      {1, Spot::Canvas, kUp, ""},
      {1000, Spot::Canvas, kUp, ""}}},
    {"SeparatelyDelaysTheHideButNotTheSlideOutsOfAReveal",
     "Separately",
     "HideDelay=500\r\n",
     {{0, Spot::A, kUp, "A"},
      {100, Spot::B, kUp, "B"},
      {100, Spot::Canvas, kUp, "B"},
      {300, Spot::Canvas, kUp, "B"},
      {100, Spot::B, kUp, "B"},
      {100, Spot::Canvas, kUp, "B"},
      {500, Spot::Canvas, kUp, ""}}},
    {"MixedStartsTheHideDelayOnceEveryBandIsLeft",
     "Mixed",
     "HideDelay=500\r\n",
     {{0, Spot::A, kUp, "A"},
      {100, Spot::BandOfB, kUp, "A"},
      {1000, Spot::BandOfB, kUp, "A"},
      {100, Spot::Canvas, kUp, "A"},
      {400, Spot::Canvas, kUp, "A"},
      {100, Spot::Canvas, kUp, ""}}},
    // Both delays at once: a shown palette neither waits nor hides early.
    {"BothDelaysTogether",
     "Together",
     "ShowDelay=250\r\nHideDelay=1000\r\n",
     {{0, Spot::A, kUp, ""},
      {250, Spot::A, kUp, "AB"},
      {100, Spot::Canvas, kUp, "AB"},
      {900, Spot::Canvas, kUp, "AB"},
      {100, Spot::A, kUp, "AB"},
      {100, Spot::Canvas, kUp, "AB"},
      {1000, Spot::Canvas, kUp, ""}}},
    // A button that went down over a shown palette.
    {"AHeldButtonKeepsTheShownPalettesUntilItIsReleased",
     "Together",
     "",
     {{0, Spot::A, kUp, "AB"},
      {100, Spot::A, kDown, "AB"},
      {100, Spot::Canvas, kDown, "AB"},
      {2000, Spot::Canvas, kDown, "AB"},
      {100, Spot::Canvas, kUp, ""}}},
    {"AButtonPressedJustBeforeLeavingCountsAsPressedOverThePalette",
     "Together",
     "",
     {{0, Spot::A, kUp, "AB"}, {100, Spot::Canvas, kDown, "AB"}, {100, Spot::Canvas, kUp, ""}}},
    {"ADragOntoAnotherPaletteRevealsItAsUsualAndKeepsTheFirst",
     "Separately",
     "ShowDelay=500\r\n",
     {{0, Spot::A, kUp, ""},
      {500, Spot::A, kUp, "A"},
      {100, Spot::A, kDown, "A"},
      {100, Spot::B, kDown, "A"},
      {500, Spot::B, kDown, "AB"},
      {100, Spot::A, kDown, "A"}, // shown, so no wait: B goes out at once
      {100, Spot::B, kDown, "A"},
      {500, Spot::B, kDown, "AB"},
      {100, Spot::Canvas, kDown, "A"},
      {100, Spot::Canvas, kUp, ""}}},
    {"TheHideDelayCountsFromTheRelease",
     "Mixed",
     "HideDelay=500\r\n",
     {{0, Spot::A, kUp, "A"},
      {100, Spot::A, kDown, "A"},
      {100, Spot::Canvas, kDown, "A"},
      {1000, Spot::Canvas, kDown, "A"},
      {100, Spot::Canvas, kUp, "A"},
      {483, Spot::Canvas, kUp, "A"},
      {1, Spot::Canvas, kUp, ""}}},
    // A button held elsewhere changes nothing.
    {"AButtonHeldOnTheCanvasRevealsAndHidesAsUsual",
     "Together",
     "",
     {{0, Spot::Canvas, kDown, ""},
      {100, Spot::A, kDown, "AB"},
      {100, Spot::Canvas, kDown, ""},
      {100, Spot::Canvas, kUp, ""}}},
    {"AButtonPressedOnTheCanvasDuringTheHideDelayKeepsNothing",
     "Together",
     "HideDelay=500\r\n",
     {{0, Spot::A, kUp, "AB"},
      {100, Spot::Canvas, kUp, "AB"},
      {100, Spot::Canvas, kDown, "AB"},
      {400, Spot::Canvas, kDown, ""}}},
    {"AButtonPressedOnAHiddenStripKeepsNothing",
     "Separately",
     "ShowDelay=500\r\n",
     {{0, Spot::A, kUp, ""},
      {100, Spot::A, kDown, ""},
      {400, Spot::A, kDown, "A"},
      {100, Spot::Canvas, kDown, ""}}},
};

class RevealDelayTest : public FrmMainTest, public ::testing::WithParamInterface<Case> {
protected:
    // The names of the palettes standing in, in the order A, B, R.
    std::string InNow() const {
        const char names[] = {'A', 'B', 'R'};
        const ScreenRect in[] = {kAIn, kBIn, kRIn};
        std::string standingIn;
        for (std::size_t i = 0; i < m_palettes.size(); ++i) {
            if (m_desktop.RectOf(m_palettes[i]) == in[i]) {
                standingIn += names[i];
            }
        }
        return standingIn;
    }
    std::vector<WindowHandle> m_palettes; // A, B, R
};

TEST_P(RevealDelayTest, FollowsThePointerTheClockAndTheButtons) {
    const Case& c = GetParam();
    Settings(std::string("FWoption=") + c.Mode + "\r\n" + c.Delays);
    ASSERT_TRUE(Create());
    for (const auto& [rect, edge] :
         {std::pair{kAOut, ScreenEdge::Left}, std::pair{kBOut, ScreenEdge::Left},
          std::pair{kROut, ScreenEdge::Right}}) {
        m_palettes.push_back(AddRow(rect, edge, true));
    }

    for (std::size_t i = 0; i < c.Steps.size(); ++i) {
        const Step& step = c.Steps[i];
        m_desktop.AdvanceClock(step.Ms);
        m_desktop.SetCursor(PointAt(step.Where));
        m_desktop.SetMouseButtonDown(step.Held);
        m_form.MousePosTimer();
        EXPECT_EQ(InNow(), step.In) << "after step " << i + 1;
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, RevealDelayTest, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& param) {
                             return std::string(param.param.Name);
                         });

TEST_F(FrmMainTest, AutoHideSwitchedOffAndOnAgainMakesAShownPaletteWaitAgain) {
    Settings("ShowDelay=500\r\n");
    ASSERT_TRUE(Create());
    const WindowHandle palette = AddRow({-190, 100, 10, 300}, ScreenEdge::Left, true);
    m_desktop.SetCursor({5, 200});
    for (int tick = 0; tick <= 5; ++tick, m_desktop.AdvanceClock(100)) {
        m_form.MousePosTimer();
    }
    ASSERT_EQ(m_desktop.RectOf(palette).Left, 0);
    m_form.ChkEnabled.SetChecked(false);
    m_form.ChkEnabled.SetChecked(true);
    m_form.MousePosTimer();
    EXPECT_EQ(m_desktop.RectOf(palette).Left, -190) << "slid out by the switch, and waiting";
}

TEST_F(FrmMainTest, TheDelaysAreReadAtStartOnlyAndAValueThatIsNoDelayStaysInTheFile) {
    Settings("ShowDelay=abc\r\nHideDelay=750\r\n");
    ASSERT_TRUE(Create());
    EXPECT_EQ(m_form.Delays(), (AutoHideDelays{0, 750}));
    EXPECT_EQ(Stored("ShowDelay"), "abc");

    // Edited by hand while the program runs: the next start reads it, not the timer.
    Settings("ShowDelay=500\r\nHideDelay=0\r\n");
    const int readsBefore = m_store.ReadCount();
    m_form.MousePosTimer();
    EXPECT_EQ(m_store.ReadCount(), readsBefore + 1) << "only the mode is read at a tick";
    EXPECT_EQ(m_form.Delays(), (AutoHideDelays{0, 750}));
}

TEST(DelayMenu, ChecksTheDelayInForceAndShowsAnyOtherAsCustom) {
    struct MenuCase {
        std::uint32_t Ms;
        std::vector<std::string> Shown; // caption=stored ms, "*" before the checked one
    };
    const MenuCase cases[] = {
        {0, {"*None=0", "0.25 s=250", "0.5 s=500", "1 s=1000"}},
        {500, {"None=0", "0.25 s=250", "*0.5 s=500", "1 s=1000"}},
        {700, {"None=0", "0.25 s=250", "0.5 s=500", "1 s=1000", "*Custom (700 ms)=700"}},
    };
    for (const MenuCase& c : cases) {
        std::vector<std::string> shown;
        for (const DelayChoice& choice : DelayChoices(c.Ms)) {
            shown.push_back((choice.Checked ? "*" : "") + choice.Caption + "=" +
                            std::to_string(choice.Ms));
        }
        EXPECT_EQ(shown, c.Shown) << c.Ms << " ms";
    }
}

TEST_F(FrmMainTest, AMenuChoiceStoresTheDelayAndARefusedOneLeavesWhatIsStored) {
    ASSERT_TRUE(Create());
    EXPECT_TRUE(Run([&] { m_form.MnuRevealDelayClick(250); }));
    EXPECT_TRUE(Run([&] { m_form.MnuHideDelayClick(1000); }));
    EXPECT_EQ(Stored("ShowDelay"), "250");
    EXPECT_EQ(Stored("HideDelay"), "1000");
    EXPECT_EQ(m_form.Delays(), (AutoHideDelays{250, 1000}));

    // Edited by hand, then made read-only: the refused choice reads back what the file holds.
    m_store.SetText(kSettingsPath, "[Info]\r\nShowDelay=750\r\nHideDelay=x\r\n");
    m_store.SetReadOnly(kSettingsPath, true);
    EXPECT_FALSE(Run([&] { m_form.MnuRevealDelayClick(500); }));
    EXPECT_EQ(m_messages.Shown, (Strings{"Unable to write to C:\\Quillmere\\ZC.reg."}));
    EXPECT_EQ(m_form.Delays(), (AutoHideDelays{750, 0}));
}

} // namespace
} // namespace quillmere::testing

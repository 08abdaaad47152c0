#include "FrmMainFixture.h"

#include <string>
#include <vector>

namespace quillmere {
namespace {

using sim::MemoryIniStore;
using sim::SimMove;
using testing::FrmMainTest;
using testing::kSelectionPath;
using testing::kSettingsPath;
using testing::Strings;

TEST_F(FrmMainTest, IsBuiltInTheDesignState) {
    EXPECT_EQ(Modes(), (std::vector<bool>{true, false, false}));
    EXPECT_EQ(m_form.LblSetting.Caption(), "Windows appear and disappear together");
    EXPECT_FALSE(m_form.ChkEnabled.Checked());
    EXPECT_EQ(Timers(), (std::vector<bool>{true, true}));
    EXPECT_EQ(m_form.MousePos.Interval(), 100u);
    EXPECT_EQ(m_form.TimerEnum.Interval(), 2000u);
    EXPECT_EQ(m_form.ChkBox.Count(), 0);
}

TEST_F(FrmMainTest, StartWithoutSettingsFileTurnsAutoHideOnInModeTogether) {
    EXPECT_TRUE(Create());
    EXPECT_TRUE(m_form.ChkEnabled.Checked());
    EXPECT_EQ(Timers(), (std::vector<bool>{true, true}));
    EXPECT_EQ(Modes(), (std::vector<bool>{true, false, false}));
    EXPECT_EQ(m_form.LblSetting.Caption(), "Windows appear and disappear together");
    EXPECT_EQ(m_loader.Loaded, (Strings{"together"}));
    EXPECT_EQ(Info(), (Strings{"OnTop=Yes", "Enabled=Yes"})) << "only the ticks' handlers write";
    EXPECT_EQ(m_form.Btnselect.Caption(), "Select None");
    EXPECT_TRUE(m_messages.Shown.empty());
}

TEST_F(FrmMainTest, StartWithAutoHideOffStopsBothTimersAndWritesNothing) {
    for (const char* stored : {"No", "yes", ""}) {
        SCOPED_TRACE(stored);
        MemoryIniStore store;
        store.SetText(kSettingsPath,
                      std::string("[Info]\r\nOnTop=No\r\nEnabled=") + stored + "\r\n");
        TFrmMain form(Context(store));
        EXPECT_TRUE(Run([&] { form.FormCreate(); }));
        EXPECT_FALSE(form.ChkEnabled.Checked());
        EXPECT_FALSE(form.MousePos.Enabled());
        EXPECT_FALSE(form.TimerEnum.Enabled());
        EXPECT_EQ(store.WriteCount(), 0);
    }
}

TEST_F(FrmMainTest, StartShowsTheStoredModeAndAnyOtherWordAsTogether) {
    constexpr const char* kTogether = "Windows appear and disappear together";
    struct Case {
        const char* Settings;
        std::vector<bool> Modes;
        const char* Caption;
        Strings Loaded;
        int Writes;
        Strings Info;
    };
    // Checking Type2 or Type3 runs its click handler, which loads the
    // illustration and writes the mode back (a value already stored is not
    // written again); the creation sequence then loads it again. Type1 is
    // checked already, so only the sequence loads it.
    const Case cases[] = {
        {"OnTop=No\r\nEnabled=No\r\nFWoption=Mixed\r\n",
         {false, false, true},
         "Windows appear separately and disappear together",
         {"Mixed", "mixed"},
         0,
         {"OnTop=No", "Enabled=No", "FWoption=Mixed"}},
        {"FWoption=Separately\r\n",
         {false, true, false},
         "Windows appear and disappear separately",
         {"Separately", "separately"},
         2,
         {"FWoption=Separately", "OnTop=Yes", "Enabled=Yes"}},
        {"OnTop=No\r\nEnabled=No\r\nFWoption=Together\r\n",
         {true, false, false},
         kTogether,
         {"together"},
         0,
         {"OnTop=No", "Enabled=No", "FWoption=Together"}},
        // No stored word leaves the window and the tracker disagreeing.
        {"FWoption=together\r\n",
         {true, false, false},
         kTogether,
         {"together"},
         2,
         {"FWoption=together", "OnTop=Yes", "Enabled=Yes"}},
        {"OnTop=No\r\nEnabled=No\r\nFWoption=Sideways\r\n",
         {true, false, false},
         kTogether,
         {"together"},
         0,
         {"OnTop=No", "Enabled=No", "FWoption=Sideways"}},
        {"OnTop=No\r\nEnabled=No\r\nFWoption=\r\n",
         {true, false, false},
         kTogether,
         {"together"},
         0,
         {"OnTop=No", "Enabled=No", "FWoption="}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Settings);
        MemoryIniStore store;
        store.SetText(kSettingsPath, std::string("[Info]\r\n") + c.Settings);
        m_loader.Loaded.clear();
        TFrmMain form(Context(store));
        EXPECT_TRUE(Run([&] { form.FormCreate(); }));
        EXPECT_EQ((std::vector<bool>{form.optionTogether.Checked(), form.OptionSeparately.Checked(),
                                     form.OptionMixed.Checked()}),
                  c.Modes);
        EXPECT_EQ(form.LblSetting.Caption(), c.Caption);
        EXPECT_EQ(m_loader.Loaded, c.Loaded);
        EXPECT_EQ(store.WriteCount(), c.Writes);
        EXPECT_EQ(store.ReadSection(kSettingsPath, "Info"), c.Info);
    }
}

TEST_F(FrmMainTest, StartForgetsOldRowsAndListsNothingWithoutTheHost) {
    m_tables.FloatingWindows.Append().Handle = m_desktop.AddPalette("P", {0, 100, 200, 300});
    m_tables.ScannedWindows.Append();
    EXPECT_TRUE(Create());
    EXPECT_EQ(m_tables.FloatingWindows.Count(), 0);
    EXPECT_EQ(m_tables.ScannedWindows.Count(), 0);
    EXPECT_EQ(m_form.ChkBox.Count(), 0);
    EXPECT_TRUE(m_desktop.Moves().empty());
}

TEST_F(FrmMainTest, StartWithTheHostRunningListsAndHidesTheTickedPalettes) {
    const WindowHandle layers = m_desktop.AddPalette("Layers", {1040, 100, 1240, 400});
    const WindowHandle color = m_desktop.AddPalette("Color", {10, 120, 210, 320});
    StartHost();
    m_store.SetText(kSelectionPath, "[Options]\r\n1=left,120\r\n");

    EXPECT_TRUE(Create());

    EXPECT_EQ(m_form.ChkBox.Entries(),
              (std::vector<CheckListModel::Entry>{{"Layers", true}, {"Color", false}}));
    EXPECT_EQ(m_desktop.Moves(), (std::vector<SimMove>{{layers, {1270, 100, 1470, 400}}}));
    EXPECT_EQ(m_desktop.RectOf(color), (ScreenRect{10, 120, 210, 320}));
}

TEST_F(FrmMainTest, StartWithAutoHideOffLeavesEveryPaletteWhereItStands) {
    const WindowHandle layers = m_desktop.AddPalette("Layers", {1040, 100, 1240, 400});
    const WindowHandle color = m_desktop.AddPalette("Color", {10, 120, 210, 320});
    const WindowHandle brushes = m_desktop.AddPalette("Brushes", {500, 700, 700, 900});
    StartHost();
    Settings("Enabled=No\r\n");
    m_store.SetText(kSelectionPath, "[Options]\r\n1=left,120\r\n");

    EXPECT_TRUE(Create());
    EXPECT_EQ(m_form.ChkBox.Entries(), (std::vector<CheckListModel::Entry>{
                                           {"Layers", true}, {"Color", false}, {"Brushes", true}}));
    EXPECT_TRUE(m_desktop.Moves().empty());

    // Turning auto-hide on hides the ticked ones, each at its own edge.
    EXPECT_TRUE(Click(m_form.ChkEnabled));
    EXPECT_EQ(m_desktop.Moves(), (std::vector<SimMove>{{layers, {1270, 100, 1470, 400}},
                                                       {brushes, {500, 974, 700, 1174}}}));
    EXPECT_EQ(m_desktop.RectOf(color), (ScreenRect{10, 120, 210, 320}));
    EXPECT_EQ(Timers(), (std::vector<bool>{true, true}));
    EXPECT_EQ(Stored("Enabled"), "Yes");
}

TEST_F(FrmMainTest, NoTimerActsBeforeTheCreationSequenceHasEnded) {
    // The administrator notice of step 7 waits for the user while both
    // timers, running since the window was built, fire inside its box.
    const WindowHandle layers = m_desktop.AddPalette("Layers", {1040, 100, 1240, 400});
    m_desktop.AddPalette("Color", {10, 120, 210, 320});
    StartHost();
    Settings("SystemStart=Yes\r\nEnabled=No\r\n");
    m_startup.Administrator = false;
    m_messages.WhileShown = [&] {
        m_form.TimerEnum.Fire();
        m_form.MousePos.Fire();
    };

    EXPECT_TRUE(Create());

    EXPECT_EQ(m_messages.Notices.size(), 1u);
    EXPECT_EQ(m_tables.FloatingWindows.Count(), 2);
    EXPECT_EQ(m_form.ChkBox.Entries(),
              (std::vector<CheckListModel::Entry>{{"Layers", true}, {"Color", true}}));
    EXPECT_TRUE(m_desktop.Moves().empty()) << "\"Enabled\" is \"No\"";

    // Unticking Layers' one entry brings it flush, and no second row hides it.
    m_form.ChkBox.UserToggle(0);
    EXPECT_EQ(m_desktop.RectOf(layers), (ScreenRect{1080, 100, 1280, 400}));
}

TEST_F(FrmMainTest, ARefusedWriteAtStartSkipsTheRestOfTheSequence) {
    m_desktop.AddPalette("Layers", {1040, 100, 1240, 400});
    StartHost();
    Settings("Enabled=Yes\r\nFWoption=Mixed\r\nSystemStart=Yes\r\n");
    m_store.SetReadOnly(kSettingsPath, true);

    EXPECT_FALSE(Create());

    EXPECT_EQ(m_messages.Shown, (Strings{"Unable to write to C:\\Quillmere\\ZC.reg."}));
    EXPECT_EQ(m_windows.Calls, (Strings{"region", "tray data"}))
        << "the refused \"OnTop\" write comes before the topmost call";
    EXPECT_TRUE(m_form.ChkTop.Checked()) << "the box shows the state it was given";
    EXPECT_FALSE(m_form.ChkStart.Checked());
    EXPECT_TRUE(m_startup.Calls.empty());
    EXPECT_FALSE(m_form.ChkEnabled.Checked());
    EXPECT_EQ(Timers(), (std::vector<bool>{true, true})) << "as the window was built";
    EXPECT_EQ(Modes(), (std::vector<bool>{true, false, false}));
    EXPECT_TRUE(m_loader.Loaded.empty());
    EXPECT_EQ(m_tables.FloatingWindows.Count(), 0) << "no first scan";
    EXPECT_EQ(m_form.ChkBox.Count(), 0);
    EXPECT_TRUE(m_desktop.Moves().empty());
}

TEST_F(FrmMainTest, AReadOnlySettingsFileHoldingTheChoicesStartsCleanly) {
    m_desktop.AddPalette("Layers", {1040, 100, 1240, 400});
    StartHost();
    Settings("OnTop=Yes\r\nSystemStart=No\r\nEnabled=Yes\r\nFWoption=Mixed\r\n");
    m_store.SetReadOnly(kSettingsPath, true);

    EXPECT_TRUE(Create());

    EXPECT_TRUE(m_messages.Shown.empty());
    EXPECT_TRUE(m_form.ChkTop.Checked());
    EXPECT_TRUE(m_form.ChkEnabled.Checked());
    EXPECT_EQ(Modes(), (std::vector<bool>{false, false, true}));
    EXPECT_EQ(m_form.ChkBox.Count(), 1);
    EXPECT_EQ(m_store.WriteCount(), 0);

    // Only a real change is refused.
    EXPECT_FALSE(Click(m_form.ChkTop));
    EXPECT_EQ(m_messages.Shown, (Strings{"Unable to write to C:\\Quillmere\\ZC.reg."}));
}

TEST_F(FrmMainTest, ChoosingAModeShowsItStoresItAndLoadsItsIllustration) {
    EXPECT_TRUE(Click(m_form.OptionSeparately));
    EXPECT_EQ(Modes(), (std::vector<bool>{false, true, false}));
    EXPECT_EQ(m_form.LblSetting.Caption(), "Windows appear and disappear separately");
    EXPECT_EQ(Stored("FWoption"), "Separately");

    EXPECT_TRUE(Click(m_form.OptionMixed));
    EXPECT_EQ(m_form.LblSetting.Caption(), "Windows appear separately and disappear together");
    EXPECT_EQ(Stored("FWoption"), "Mixed");

    EXPECT_TRUE(Click(m_form.optionTogether));
    EXPECT_EQ(Modes(), (std::vector<bool>{true, false, false}));
    EXPECT_EQ(m_form.LblSetting.Caption(), "Windows appear and disappear together");
    EXPECT_EQ(Stored("FWoption"), "Together");

    EXPECT_EQ(m_loader.Loaded, (Strings{"Separately", "Mixed", "together"}));
    EXPECT_EQ(m_store.WriteCount(), 3);
    EXPECT_TRUE(m_desktop.Moves().empty()) << "the tracker applies a mode at its next tick";
}

TEST_F(FrmMainTest, ClickingTheCheckedModeDoesNothing) {
    EXPECT_TRUE(Click(m_form.optionTogether));
    EXPECT_EQ(m_store.WriteCount(), 0);
    EXPECT_TRUE(m_loader.Loaded.empty());
}

TEST_F(FrmMainTest, ARefusedModeWriteLeavesTheStoredModeAndSkipsTheIllustration) {
    Settings("FWoption=Together\r\n");
    m_store.SetReadOnly(kSettingsPath, true);
    EXPECT_FALSE(Click(m_form.OptionMixed));
    EXPECT_EQ(m_messages.Shown, (Strings{"Unable to write to C:\\Quillmere\\ZC.reg."}));
    EXPECT_EQ(Modes(), (std::vector<bool>{false, false, true}));
    EXPECT_EQ(m_form.LblSetting.Caption(), "Windows appear separately and disappear together");
    EXPECT_TRUE(m_loader.Loaded.empty());
    EXPECT_EQ(Stored("FWoption"), "Together");
}

TEST_F(FrmMainTest, TurningAutoHideOnSlidesOutEveryTickedRowByItsEdge) {
    const WindowHandle left = AddRow({0, 100, 200, 300}, ScreenEdge::Left, true);
    const WindowHandle right = AddRow({1080, 100, 1280, 300}, ScreenEdge::Right, true);
    const WindowHandle bottom = AddRow({500, 834, 700, 984}, ScreenEdge::Bottom, true);
    const WindowHandle noEdge = AddRow({300, 300, 400, 400}, ScreenEdge::None, true);
    const WindowHandle unticked = AddRow({600, 300, 700, 400}, ScreenEdge::Left, false);
    m_form.MousePos.SetEnabled(false);
    m_form.TimerEnum.SetEnabled(false);

    EXPECT_TRUE(Click(m_form.ChkEnabled));

    EXPECT_EQ(Timers(), (std::vector<bool>{true, true}));
    EXPECT_EQ(Stored("Enabled"), "Yes");
    EXPECT_EQ(m_desktop.Moves(), (std::vector<SimMove>{{left, {-190, 100, 10, 300}},
                                                       {right, {1270, 100, 1470, 300}},
                                                       {bottom, {500, 974, 700, 1124}},
                                                       {noEdge, {300, 974, 400, 1074}}}))
        << "a row without an edge is moved as bottom";
    EXPECT_EQ(m_desktop.RectOf(unticked), (ScreenRect{600, 300, 700, 400}));
}

TEST_F(FrmMainTest, TurningAutoHideOffBringsEveryPaletteFullyOnScreen) {
    m_form.ChkEnabled.SetChecked(true);
    m_desktop.ClearMoves();
    const WindowHandle right = AddRow({1270, 100, 1470, 400}, ScreenEdge::Right, true);
    const WindowHandle unticked = AddRow({500, 300, 700, 500}, ScreenEdge::Left, false);
    const WindowHandle noEdge = AddRow({300, 300, 400, 400}, ScreenEdge::None, true);

    EXPECT_TRUE(Click(m_form.ChkEnabled));

    EXPECT_EQ(Timers(), (std::vector<bool>{false, false}));
    EXPECT_EQ(Stored("Enabled"), "No");
    EXPECT_EQ(m_desktop.Moves(), (std::vector<SimMove>{{right, {1080, 100, 1280, 400}},
                                                       {unticked, {0, 300, 200, 500}},
                                                       {noEdge, {300, 884, 400, 984}}}));
}

TEST_F(FrmMainTest, ARefusedEnableWriteLeavesTimersAndPalettesAlone) {
    AddRow({0, 100, 200, 300}, ScreenEdge::Left, true);
    m_form.MousePos.SetEnabled(false);
    m_form.TimerEnum.SetEnabled(false);
    m_store.SetReadOnly(kSettingsPath, true);

    EXPECT_FALSE(Click(m_form.ChkEnabled));

    EXPECT_EQ(m_messages.Shown, (Strings{"Unable to write to C:\\Quillmere\\ZC.reg."}));
    EXPECT_TRUE(m_form.ChkEnabled.Checked());
    EXPECT_EQ(Timers(), (std::vector<bool>{false, false}));
    EXPECT_TRUE(m_desktop.Moves().empty());
}

TEST_F(FrmMainTest, ThePointerTimerFollowsTheModeChosenSinceTheLastTick) {
    const WindowHandle upper = AddRow({-190, 100, 10, 300}, ScreenEdge::Left, true);
    const WindowHandle lower = AddRow({0, 400, 200, 600}, ScreenEdge::Left, true);
    m_desktop.SetCursor({5, 200});

    EXPECT_TRUE(Click(m_form.OptionSeparately));
    EXPECT_TRUE(Run([&] { m_form.MousePos.Fire(); }));

    EXPECT_EQ(m_desktop.Moves(),
              (std::vector<SimMove>{{upper, {0, 100, 200, 300}}, {lower, {-190, 400, 10, 600}}}));
}

TEST_F(FrmMainTest, TheRescanTimerKeepsTheListInStepWithTheHost) {
    m_desktop.AddPalette("Layers", {1040, 100, 1240, 400});
    EXPECT_TRUE(Create());
    EXPECT_EQ(m_form.ChkBox.Count(), 0);

    StartHost();
    EXPECT_TRUE(Run([&] { m_form.TimerEnum.Fire(); }));
    EXPECT_EQ(m_form.ChkBox.Entries(), (std::vector<CheckListModel::Entry>{{"Layers", true}}));
    EXPECT_EQ(m_tables.FloatingWindows.Count(), 1);

    m_desktop.Remove(m_desktop.FindTopLevelWindow("Photoshop"));
    EXPECT_TRUE(Run([&] { m_form.TimerEnum.Fire(); }));
    EXPECT_EQ(m_form.ChkBox.Count(), 0);
    EXPECT_EQ(m_tables.FloatingWindows.Count(), 0);
}

} // namespace
} // namespace quillmere

// The user's palette choices: the check click, Select All/None, the close and
// the selection file they write.

#include "FrmMainFixture.h"
#include "common/ProgramError.h"
#include "host/SelectionFile.h"
#include "settings/SettingsFile.h"

#include <functional>

namespace quillmere {
namespace {

using sim::SimMove;
using testing::FrmMainTest;
using testing::kSelectionPath;
using testing::Strings;

class SelectionTest : public FrmMainTest {
protected:
    std::string File() const { return m_store.Text(kSelectionPath); }
    void Write(const std::string& optionsLines) {
        m_store.SetText(kSelectionPath, "[Other]\r\nx=1\r\n[Options]\r\n" + optionsLines);
    }

    // Three rows, one per edge, none of them ticked, each dragged a little
    // way from its edge.
    void ThreeUntickedRows() {
        m_left = AddRow({30, 120, 230, 320}, ScreenEdge::Left, false);
        m_right = AddRow({1050, 118, 1250, 318}, ScreenEdge::Right, false);
        m_bottom = AddRow({344, 800, 544, 950}, ScreenEdge::Bottom, false);
    }

    // No rows and no entries, the window not closing, for the next case.
    void ClearRows() {
        m_tables.FloatingWindows.Forget();
        while (m_form.ChkBox.Count() > 0) {
            m_form.ChkBox.Remove(0);
        }
        m_form.CloseCancelled();
    }

    WindowHandle m_left = kNoWindow;
    WindowHandle m_right = kNoWindow;
    WindowHandle m_bottom = kNoWindow;
};

TEST_F(SelectionTest, ACheckClickReappliesEveryRowAndSavesTheUntickedOnes) {
    ThreeUntickedRows();
    m_form.ChkBox.UserToggle(1); // auto-hide is off: the click applies all the same

    EXPECT_EQ(Ticks(), (std::vector<bool>{false, true, false}));
    EXPECT_EQ(m_desktop.Moves(), (std::vector<SimMove>{{m_left, {0, 120, 200, 320}},
                                                       {m_right, {1270, 118, 1470, 318}},
                                                       {m_bottom, {344, 834, 544, 984}}}));
    EXPECT_EQ(File(), "[Options]\r\n0=left,120\r\n2=bottom,344\r\n");

    m_form.ChkBox.UserToggle(0);
    EXPECT_EQ(File(), "[Options]\r\n2=bottom,344\r\n") << "a ticked row has no entry";
}

TEST_F(SelectionTest, HandlersOnAnEmptyTableDoNothing) {
    Write("0=left,120\r\n");
    const std::string before = File();
    m_form.ChkBoxClickCheck();
    m_form.Btnselect.Click();
    EXPECT_EQ(m_form.Btnselect.Caption(), "Select None");
    EXPECT_EQ(File(), before);
    EXPECT_EQ(m_store.WriteCount(), 0);
    EXPECT_TRUE(m_desktop.Moves().empty());
}

TEST_F(SelectionTest, SelectButtonFlipsRowsMarksAndCaptionButLeavesTheFile) {
    const WindowHandle left = AddRow({-190, 120, 10, 320}, ScreenEdge::Left, true);
    const WindowHandle right = AddRow({1080, 118, 1280, 318}, ScreenEdge::Right, false);

    m_form.Btnselect.Click();
    EXPECT_EQ(m_form.Btnselect.Caption(), "Select All");
    EXPECT_EQ(Ticks(), (std::vector<bool>{false, false}));
    EXPECT_EQ(Marks(), (std::vector<bool>{false, false}));
    EXPECT_EQ(m_desktop.Moves(), (std::vector<SimMove>{{left, {0, 120, 200, 320}}}))
        << "the right palette already stands slid in";
    EXPECT_EQ(m_store.WriteCount(), 0);

    m_desktop.ClearMoves();
    m_form.Btnselect.Click();
    EXPECT_EQ(m_form.Btnselect.Caption(), "Select None");
    EXPECT_EQ(Ticks(), (std::vector<bool>{true, true}));
    EXPECT_EQ(Marks(), (std::vector<bool>{true, true}));
    EXPECT_EQ(m_desktop.Moves(), (std::vector<SimMove>{{left, {-190, 120, 10, 320}},
                                                       {right, {1270, 118, 1470, 318}}}));
    EXPECT_EQ(m_store.WriteCount(), 0);

    m_form.Btnselect.Click();
    m_form.ChkBox.UserToggle(0);
    EXPECT_EQ(m_form.Btnselect.Caption(), "Select All") << "only the button changes it";
}

TEST_F(SelectionTest, CloseSavesTheChoicesThenBringsEveryPaletteBack) {
    const WindowHandle left = AddRow({-190, 120, 10, 320}, ScreenEdge::Left, true);
    const WindowHandle right = AddRow({1080, 118, 1280, 318}, ScreenEdge::Right, false);
    const WindowHandle bottom = AddRow({344, 974, 544, 1124}, ScreenEdge::Bottom, true);

    EXPECT_TRUE(MayClose(m_funnel, m_form));

    EXPECT_EQ(File(), "[Options]\r\n1=right,118\r\n");
    EXPECT_EQ(Ticks(), (std::vector<bool>{false, false, false}));
    EXPECT_EQ(Marks(), (std::vector<bool>{true, false, true})) << "the list is left alone";
    EXPECT_EQ(m_desktop.Moves(),
              (std::vector<SimMove>{{left, {0, 120, 200, 320}}, {bottom, {344, 834, 544, 984}}}));
    EXPECT_EQ(m_desktop.RectOf(right), (ScreenRect{1080, 118, 1280, 318}));

    // The session end was called off: the palettes hide again as ticked.
    m_form.CloseCancelled();
    EXPECT_EQ(Ticks(), (std::vector<bool>{true, false, true}));
}

TEST_F(SelectionTest, SelectNoneThenCloseListsEveryRow) {
    ThreeUntickedRows();
    m_form.Btnselect.Click();
    EXPECT_TRUE(MayClose(m_funnel, m_form));
    EXPECT_EQ(File(), "[Options]\r\n0=left,120\r\n1=right,118\r\n2=bottom,344\r\n");
}

TEST_F(SelectionTest, SavingKeepsTheChoicesOfPalettesNotInTheTable) {
    // right,118 is a row's that came in ticked without the user: kept too, as
    // it stands. The unticked row's own name 1 is taken, so it gets the next
    // past the rows.
    Write("0=left,500\r\n1=right,118\r\n7=bottom,9\r\n");
    AddRow({1080, 118, 1280, 318}, ScreenEdge::Right, true);
    AddRow({0, 120, 200, 320}, ScreenEdge::Left, false);

    EXPECT_TRUE(MayClose(m_funnel, m_form));
    EXPECT_EQ(File(), "[Other]\r\nx=1\r\n[Options]\r\n2=left,120\r\n0=left,500\r\n1=right,118\r\n"
                      "7=bottom,9\r\n");
}

TEST_F(SelectionTest, ASaveThatFailsPartWayLeavesTheOldSectionOrTheNewOne) {
    AddRow({0, 120, 200, 320}, ScreenEdge::Left, false);
    AddRow({1080, 118, 1280, 318}, ScreenEdge::Right, false);
    const Strings before{"0=left,500"};
    // The kept entry keeps its name 0, so the first row takes the next past the rows.
    const Strings after{"2=left,120", "1=right,118", "0=left,500"};
    for (int accepted = 0; accepted <= 4; ++accepted) {
        Write("0=left,500\r\n");
        m_store.RefuseWritesAfter(accepted);
        try {
            SaveSelection(m_tables.FloatingWindows,
                          SelectionFileFor(m_store, testing::kExecutable));
        } catch (const ProgramError&) {
        }
        m_store.RefuseWritesAfter(-1);
        const Strings now = m_store.ReadSection(kSelectionPath, "Options");
        EXPECT_TRUE(now == before || now == after) << accepted << " writes accepted";
    }
}

TEST_F(SelectionTest, ClosingWithoutTheHostKeepsEverySavedChoice) {
    Write("0=left,500\r\n3=bottom,9\r\n");
    EXPECT_TRUE(MayClose(m_funnel, m_form));
    EXPECT_EQ(m_store.ReadSection(kSelectionPath, "Options"),
              (Strings{"0=left,500", "3=bottom,9"}));
}

// A palette listed in the file but ticked in the table (the host made its
// window anew, or the file could not be read at start) keeps its entry until
// the user ticks it.
TEST_F(SelectionTest, OnlyTheUsersOwnTickDropsASavedEntry) {
    const struct {
        const char* Act;
        std::function<void(TFrmMain&)> Do;
        Strings Kept;
    } cases[] = {
        {"nothing", [](TFrmMain&) {}, {"0=left,120", "5=right,40"}},
        {"an untick of another entry",
         [](TFrmMain& form) { form.ChkBox.UserToggle(1); },
         {"1=left,400", "0=left,120", "5=right,40"}},
        {"untick and tick again",
         [](TFrmMain& form) {
             form.ChkBox.UserToggle(0);
             form.ChkBox.UserToggle(0);
         },
         {"5=right,40"}},
        {"Select None, then Select All",
         [](TFrmMain& form) {
             form.Btnselect.Click();
             form.Btnselect.Click();
         },
         {"5=right,40"}},
    };
    for (const auto& c : cases) {
        ClearRows();
        Write("0=left,120\r\n5=right,40\r\n");
        AddRow({0, 120, 200, 320}, ScreenEdge::Left, true);
        AddRow({0, 400, 200, 600}, ScreenEdge::Left, true);
        m_form.Btnselect.SetCaption("Select None");
        c.Do(m_form);
        EXPECT_TRUE(MayClose(m_funnel, m_form)) << c.Act;
        EXPECT_EQ(m_store.ReadSection(kSelectionPath, "Options"), c.Kept) << c.Act;
    }
}

// Windows may end the session without asking first: the palettes come back
// all the same, the choices are saved when the file takes them, nothing is
// shown, and after a close query nothing is written again.
TEST_F(SelectionTest, ASessionEndBringsEveryPaletteBackAskedFirstOrNot) {
    for (const bool readOnly : {false, true}) {
        ClearRows();
        m_store.SetText(kSelectionPath, "");
        m_store.SetReadOnly(kSelectionPath, readOnly);
        const WindowHandle left = AddRow({-190, 120, 10, 320}, ScreenEdge::Left, true);
        AddRow({1080, 118, 1280, 318}, ScreenEdge::Right, false);
        m_form.SessionEnded();
        EXPECT_EQ(m_desktop.RectOf(left), (ScreenRect{0, 120, 200, 320})) << readOnly;
        EXPECT_EQ(m_store.ReadSection(kSelectionPath, "Options"),
                  readOnly ? Strings{} : Strings{"1=right,118"});
    }
    EXPECT_TRUE(m_messages.Shown.empty());

    m_store.SetReadOnly(kSelectionPath, false);
    m_form.CloseCancelled();
    ASSERT_TRUE(MayClose(m_funnel, m_form));
    const int writes = m_store.WriteCount();
    m_form.SessionEnded();
    EXPECT_EQ(m_store.WriteCount(), writes) << "the close query has saved already";
}

TEST_F(SelectionTest, AFileThatCannotBeReadIsNeverErased) {
    Write("0=left,120\r\n");
    const std::string before = File();
    const WindowHandle left = AddRow({-190, 120, 10, 320}, ScreenEdge::Left, true);
    m_store.SetUnreadable(kSelectionPath, true);

    EXPECT_FALSE(MayClose(m_funnel, m_form));
    EXPECT_FALSE(Run([&] { m_form.ChkBox.UserToggle(0); }));

    EXPECT_EQ(m_messages.Shown, (Strings{"Unable to read C:\\Quillmere\\Options.ini.",
                                         "Unable to read C:\\Quillmere\\Options.ini."}));
    EXPECT_EQ(File(), before);
    EXPECT_EQ(m_desktop.RectOf(left), (ScreenRect{0, 120, 200, 320})) << "the click applied";
}

// Another program holds Options.ini at start: every palette is listed (and
// hides), the error box says why, and the entries survive the next save.
TEST_F(SelectionTest, AFileUnreadableAtStartIsReportedAndKept) {
    Write("0=left,120\r\n");
    m_desktop.AddPalette("Color", {20, 120, 220, 320});
    m_desktop.AddPalette("Layers", {1040, 100, 1240, 400});
    StartHost();
    m_store.SetUnreadable(kSelectionPath, true);

    EXPECT_FALSE(Create());
    EXPECT_EQ(m_messages.Shown, (Strings{"Unable to read C:\\Quillmere\\Options.ini."}));
    EXPECT_EQ(m_form.ChkBox.Entries(),
              (std::vector<CheckListModel::Entry>{{"Color", true}, {"Layers", true}}));

    m_store.SetUnreadable(kSelectionPath, false);
    EXPECT_TRUE(MayClose(m_funnel, m_form));
    EXPECT_EQ(m_store.ReadSection(kSelectionPath, "Options"), (Strings{"0=left,120"}));
}

TEST_F(SelectionTest, ARefusedWriteAtCloseKeepsTheWindowAndThePalettesHidden) {
    const WindowHandle left = AddRow({-190, 120, 10, 320}, ScreenEdge::Left, true);
    m_store.SetReadOnly(kSelectionPath, true);

    EXPECT_FALSE(MayClose(m_funnel, m_form));

    EXPECT_EQ(m_messages.Shown, (Strings{"Unable to write to C:\\Quillmere\\Options.ini."}));
    EXPECT_EQ(Ticks(), (std::vector<bool>{true}));
    EXPECT_EQ(m_desktop.RectOf(left), (ScreenRect{-190, 120, 10, 320}));
}

TEST_F(SelectionTest, TheSessionEndSavesWhatItCanAndBringsEveryPaletteBackWithNoBox) {
    const WindowHandle left = AddRow({-190, 120, 10, 320}, ScreenEdge::Left, true);
    AddRow({1080, 118, 1280, 318}, ScreenEdge::Right, false);
    for (const bool refused : {true, false}) {
        SCOPED_TRACE(refused ? "Options.ini refused" : "Options.ini writable");
        m_store.SetReadOnly(kSelectionPath, refused);
        m_form.SessionEnding();
        EXPECT_TRUE(m_messages.Shown.empty());
        EXPECT_EQ(Ticks(), (std::vector<bool>{false, false}));
        EXPECT_EQ(m_desktop.RectOf(left), (ScreenRect{0, 120, 200, 320}));
        EXPECT_EQ(File(), refused ? "" : "[Options]\r\n1=right,118\r\n");
        m_form.CloseCancelled();
    }
}

TEST_F(SelectionTest, ARefusedWriteAfterACheckClickKeepsTheNewChoices) {
    const WindowHandle left = AddRow({-190, 120, 10, 320}, ScreenEdge::Left, true);
    m_store.SetReadOnly(kSelectionPath, true);

    EXPECT_FALSE(Run([&] { m_form.ChkBox.UserToggle(0); }));

    EXPECT_EQ(m_messages.Shown, (Strings{"Unable to write to C:\\Quillmere\\Options.ini."}));
    EXPECT_EQ(Ticks(), (std::vector<bool>{false}));
    EXPECT_EQ(m_desktop.RectOf(left), (ScreenRect{0, 120, 200, 320}));
}

TEST_F(SelectionTest, AnUntickedPaletteComesBackUntickedAndOnScreenAfterARestart) {
    const WindowHandle layers = m_desktop.AddPalette("Layers", {1040, 100, 1240, 400});
    const WindowHandle color = m_desktop.AddPalette("Color", {20, 120, 220, 320});
    StartHost();
    ASSERT_TRUE(Create());
    m_form.ChkBox.UserToggle(1);
    ASSERT_TRUE(MayClose(m_funnel, m_form));
    EXPECT_EQ(m_desktop.RectOf(layers), (ScreenRect{1080, 100, 1280, 400}));
    EXPECT_EQ(m_desktop.RectOf(color), (ScreenRect{0, 120, 200, 320}));

    TFrmMain restarted(Context(m_store));
    ASSERT_TRUE(Run([&] { restarted.FormCreate(); }));
    EXPECT_EQ(restarted.ChkBox.Entries(),
              (std::vector<CheckListModel::Entry>{{"Layers", true}, {"Color", false}}));
    EXPECT_EQ(m_desktop.RectOf(layers), (ScreenRect{1270, 100, 1470, 400}));
    EXPECT_EQ(m_desktop.RectOf(color), (ScreenRect{0, 120, 200, 320}));
}

} // namespace
} // namespace quillmere

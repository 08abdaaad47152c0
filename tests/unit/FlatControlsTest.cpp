#include "app/FlatControls.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace quillmere {
namespace {

TEST(FlatCheckBox, RunsItsClickHandlerExactlyWhenTheStateChanges) {
    FlatCheckBox box("Enabled");
    std::vector<bool> seen;
    box.OnClick = [&] { seen.push_back(box.Checked()); };

    box.SetChecked(false);
    EXPECT_TRUE(seen.empty()) << "unchecked already";
    box.SetChecked(true);
    box.SetChecked(true);
    box.SetChecked(false);
    EXPECT_EQ(seen, (std::vector<bool>{true, false})) << "the handler sees the new state";
}

TEST(FlatCheckBox, TheUsersClickTogglesAndRunsTheHandler) {
    FlatCheckBox box("Enabled");
    int clicks = 0;
    int redraws = 0;
    box.OnClick = [&] { ++clicks; };
    box.OnChanged = [&] { ++redraws; };
    box.Click();
    EXPECT_TRUE(box.Checked());
    box.Click();
    EXPECT_FALSE(box.Checked());
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(redraws, 2);
}

TEST(FlatCheckBox, KeepsItsNewStateWhenTheHandlerFails) {
    FlatCheckBox box("Enabled");
    box.OnClick = [] { throw std::runtime_error("refused"); };
    EXPECT_THROW(box.SetChecked(true), std::runtime_error);
    EXPECT_TRUE(box.Checked());
}

class RadioGroupTest : public ::testing::Test {
protected:
    RadioGroupTest() {
        for (FlatRadioButton* button : {&m_one, &m_two, &m_three}) {
            button->OnClick = [this, button] { m_clicked.push_back(button->Caption()); };
        }
    }
    std::vector<bool> States() const {
        return {m_one.Checked(), m_two.Checked(), m_three.Checked()};
    }

    RadioGroup m_group;
    FlatRadioButton m_one{m_group, "Type1", true};
    FlatRadioButton m_two{m_group, "Type2"};
    FlatRadioButton m_three{m_group, "Type3"};
    std::vector<std::string> m_clicked;
};

TEST_F(RadioGroupTest, StartsAsBuiltAndOnlyItsFirstButtonStartsTheGroup) {
    EXPECT_EQ(States(), (std::vector<bool>{true, false, false}));
    EXPECT_EQ((std::vector<bool>{m_one.StartsGroup(), m_two.StartsGroup(), m_three.StartsGroup()}),
              (std::vector<bool>{true, false, false}))
        << "the window's WS_GROUP follows from the group";
    EXPECT_TRUE(ButtonModel().StartsGroup() && FlatCheckBox().StartsGroup());
}

TEST_F(RadioGroupTest, CheckingAnUncheckedButtonUnchecksTheOthersSilentlyBeforeItsHandler) {
    std::vector<std::string> redrawn;
    for (FlatRadioButton* button : {&m_one, &m_two, &m_three}) {
        button->OnChanged = [&redrawn, button] { redrawn.push_back(button->Caption()); };
    }
    m_two.Click();
    EXPECT_EQ(redrawn, (std::vector<std::string>{"Type1", "Type2"}));
    EXPECT_EQ(States(), (std::vector<bool>{false, true, false}));
    EXPECT_EQ(m_clicked, (std::vector<std::string>{"Type2"}));
    m_three.SetChecked(true);
    EXPECT_EQ(States(), (std::vector<bool>{false, false, true}));
    EXPECT_EQ(m_clicked, (std::vector<std::string>{"Type2", "Type3"}));

    std::vector<bool> seen;
    m_one.OnClick = [&] { seen = States(); };
    m_one.SetChecked(true);
    EXPECT_EQ(seen, (std::vector<bool>{true, false, false}));
}

TEST_F(RadioGroupTest, CheckingTheCheckedButtonOrUncheckingRunsNothing) {
    m_one.SetChecked(true);
    m_one.Click();
    EXPECT_TRUE(m_clicked.empty());
    m_one.SetChecked(false);
    EXPECT_EQ(States(), (std::vector<bool>{false, false, false}));
    EXPECT_TRUE(m_clicked.empty());
    m_one.SetChecked(true);
    EXPECT_EQ(m_clicked, (std::vector<std::string>{"Type1"}));
}

TEST(CheckListModel, CheckMarksSetByTheProgramNeverRunTheClickCheckHandler) {
    CheckListModel list;
    int clickChecks = 0;
    list.OnClickCheck = [&](int) { ++clickChecks; };
    list.Append("Layers");
    list.Append("Color");
    EXPECT_FALSE(list.At(0).Checked) << "entries come unchecked";
    list.SetChecked(0, true);
    list.SetChecked(1, true);
    list.SetChecked(1, false);
    EXPECT_EQ(clickChecks, 0);
    EXPECT_EQ(list.Entries(),
              (std::vector<CheckListModel::Entry>{{"Layers", true}, {"Color", false}}));
}

TEST(CheckListModel, TheUsersToggleFlipsTheMarkThenRunsTheHandlerWithItsIndex) {
    CheckListModel list;
    list.Append("Layers");
    list.Append("Color");
    list.SetChecked(1, true);
    std::vector<std::pair<int, bool>> seen;
    list.OnClickCheck = [&](int index) { seen.emplace_back(index, list.At(index).Checked); };
    list.UserToggle(1);
    list.UserToggle(0);
    EXPECT_EQ(seen, (std::vector<std::pair<int, bool>>{{1, false}, {0, true}}));
}

// Each change names the one entry it changed, so that the window redraws only
// that one; a change that changes nothing names none.
TEST(CheckListModel, EachChangeNamesItsEntry) {
    using Change = CheckListModel::Change;
    CheckListModel list;
    std::vector<std::pair<Change, int>> seen;
    list.OnChanged = [&](Change change, int index) { seen.emplace_back(change, index); };
    list.Append("Layers");
    list.Append("Color");
    list.Insert(1, "Brushes");
    list.Insert(4, "past the end");
    list.SetText(2, "Swatches");
    list.SetText(2, "Swatches");
    list.SetChecked(0, true);
    list.SetChecked(0, true);
    list.Remove(0);
    list.Remove(5);
    list.UserToggle(1);
    EXPECT_EQ(list.Entries(),
              (std::vector<CheckListModel::Entry>{{"Brushes", false}, {"Swatches", true}}));
    EXPECT_EQ(seen, (std::vector<std::pair<Change, int>>{{Change::Inserted, 0},
                                                         {Change::Inserted, 1},
                                                         {Change::Inserted, 1},
                                                         {Change::TextChanged, 2},
                                                         {Change::CheckChanged, 0},
                                                         {Change::Removed, 0},
                                                         {Change::CheckChanged, 1}}));
}

TEST(TimerModel, FiresOnlyWhileEnabledAndReportsChangesOfState) {
    TimerModel timer(100, true);
    int ticks = 0;
    int changes = 0;
    timer.OnTimer = [&] { ++ticks; };
    timer.OnChanged = [&] { ++changes; };
    EXPECT_EQ(timer.Interval(), 100u);
    timer.Fire();
    timer.SetEnabled(true);
    timer.SetEnabled(false);
    timer.Fire();
    EXPECT_EQ(ticks, 1);
    EXPECT_EQ(changes, 1);
    EXPECT_FALSE(timer.Enabled());
}

} // namespace
} // namespace quillmere

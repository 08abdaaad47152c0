// "Start with Windows": the check box, the stored "SystemStart" and the
// start-up list behind the administrator test.

#include "FrmMainFixture.h"

namespace quillmere {
namespace {

using testing::FrmMainTest;
using testing::kSettingsPath;
using testing::Strings;

constexpr const char* kNotice =
    "Information: You should be logged in as an administrator to let Quillmere to start "
    "with Windows.";
constexpr const char* kSet = "set Quillmere=C:\\Quillmere\\quillmere.exe";

struct ClickCase {
    const char* Name;
    bool Administrator;
    bool WasTicked;
    StartupEntryWrite SetResult;
    bool SettingsReadOnly;
    // What the click leaves.
    Strings Calls;
    std::string SystemStart;
    Strings Errors;
    Strings Notices;
    bool TickedAfter;
};

void PrintTo(const ClickCase& c, std::ostream* out) {
    *out << c.Name;
}

class ChkStartClickTest : public FrmMainTest, public ::testing::WithParamInterface<ClickCase> {};

TEST_P(ChkStartClickTest, ClickLeavesTheListTheFileAndTheBoxAsExpected) {
    const ClickCase& c = GetParam();
    if (c.WasTicked) {
        Settings("SystemStart=Yes\r\n");
        m_form.ChkStart.Restore(true);
    }
    m_startup.Administrator = c.Administrator;
    m_startup.SetResult = c.SetResult;
    m_store.SetReadOnly(kSettingsPath, c.SettingsReadOnly);

    m_form.RunEvent([&] { m_form.ChkStart.Click(); });

    EXPECT_EQ(m_startup.Calls, c.Calls);
    EXPECT_EQ(Stored("SystemStart"), c.SystemStart);
    EXPECT_EQ(m_messages.Shown, c.Errors);
    EXPECT_EQ(m_messages.Notices, c.Notices);
    EXPECT_EQ(m_form.ChkStart.Checked(), c.TickedAfter);
}

std::string CaseName(const ::testing::TestParamInfo<ClickCase>& param) {
    return param.param.Name;
}

using W = StartupEntryWrite;
// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, ChkStartClickTest, ::testing::Values(
    //        name                                 admin  was    set result         ro-ini
    ClickCase{"TickEntersTheProgram",              true,  false, W::Written,        false,
              {"admin?", kSet}, "Yes", {}, {}, true},
    ClickCase{"UntickRemovesIt",                   true,  true,  W::Written,        false,
              {"admin?", "remove Quillmere"}, "No", {}, {}, false},
    ClickCase{"AListThatWillNotOpenIsPassedOver",  true,  false, W::KeyUnavailable, false,
              {"admin?", kSet}, "Yes", {}, {}, true},
    ClickCase{"ARefusedValueIsReported",           true,  false, W::ValueRefused,   false,
              {"admin?", kSet}, "Yes", {"Failed to set data for 'Quillmere'"}, {}, true},
    ClickCase{"ARefusedSettingsWriteSkipsTheList", true,  false, W::Written,        true,
              {"admin?"}, "", {"Unable to write to C:\\Quillmere\\ZC.reg."}, {}, true},
    ClickCase{"NoAdministratorGetsTheBoxBack",     false, false, W::Written,        false,
              {"admin?"}, "", {}, {kNotice}, false},
    ClickCase{"NoAdministratorUntickingKeepsTick", false, true,  W::Written,        false,
              {"admin?"}, "Yes", {}, {kNotice}, true}),
    CaseName);
// clang-format on

TEST_F(FrmMainTest, AStoredStartWithWindowsIsEnteredAgainAtEveryStart) {
    Settings("SystemStart=Yes\r\nEnabled=No\r\n");
    EXPECT_TRUE(Create());
    EXPECT_TRUE(m_form.ChkStart.Checked());
    EXPECT_EQ(m_startup.Calls, (Strings{"admin?", kSet}));
    EXPECT_EQ(Stored("SystemStart"), "Yes");

    // Without an administrator's rights: the notice, and the box keeps the
    // stored choice.
    testing::FakeStartupRegistry user;
    user.Administrator = false;
    TFrmMain form({m_tables, m_desktop, m_store, testing::kExecutable, m_loader, m_messages,
                   m_messages, user, m_windows, m_windows, m_shell});
    EXPECT_TRUE(form.RunEvent([&] { form.FormCreate(); }));
    EXPECT_TRUE(form.ChkStart.Checked());
    EXPECT_EQ(m_messages.Notices, (Strings{kNotice}));
    EXPECT_EQ(user.Calls, (Strings{"admin?"}));
}

TEST_F(FrmMainTest, StartWithWindowsOffAtStartRunsNothing) {
    for (const char* stored : {"No", "yes", ""}) {
        Settings(std::string("SystemStart=") + stored + "\r\nEnabled=No\r\n");
        EXPECT_TRUE(Create());
        EXPECT_FALSE(m_form.ChkStart.Checked()) << stored;
    }
    EXPECT_TRUE(m_startup.Calls.empty());
}

TEST(StartupCommand, QuotesAPathWithABlankSoNoShorterPathIsStarted) {
    EXPECT_EQ(StartupCommand("C:\\Program Files\\Quillmere\\quillmere.exe"),
              "\"C:\\Program Files\\Quillmere\\quillmere.exe\"");
    EXPECT_EQ(StartupCommand("C:\\Tools\\quillmere.exe"), "C:\\Tools\\quillmere.exe");
}

} // namespace
} // namespace quillmere

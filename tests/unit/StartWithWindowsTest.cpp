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

constexpr const char* kCommand = "C:\\Quillmere\\quillmere.exe";
constexpr const char* kSetFailed = "Failed to set data for 'Quillmere'";

struct ClickCase {
    const char* Name;
    bool Administrator;
    bool WasTicked;
    StartupEntryWrite SetResult;
    bool RemoveRefused;
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
        m_startup.Entries["Quillmere"] = kCommand;
        m_form.ChkStart.Restore(true);
    }
    m_startup.Administrator = c.Administrator;
    m_startup.SetResult = c.SetResult;
    m_startup.RemoveRefused = c.RemoveRefused;
    m_store.SetReadOnly(kSettingsPath, c.SettingsReadOnly);

    Click(m_form.ChkStart);

    EXPECT_EQ(m_startup.Calls, c.Calls);
    EXPECT_EQ(Stored("SystemStart"), c.SystemStart);
    EXPECT_EQ(m_messages.Shown, c.Errors);
    EXPECT_EQ(m_messages.Notices, c.Notices);
    EXPECT_EQ(m_form.ChkStart.Checked(), c.TickedAfter);
    EXPECT_EQ(m_startup.Entries.count("Quillmere") == 1, c.TickedAfter)
        << "the start-up list agrees with the box";
}

std::string CaseName(const ::testing::TestParamInfo<ClickCase>& param) {
    return param.param.Name;
}

using W = StartupEntryWrite;
// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, ChkStartClickTest, ::testing::Values(
    //        name                                 admin  was    set result         rm-ref ro-ini
    ClickCase{"TickEntersTheProgram",              true,  false, W::Written,        false, false,
              {"admin?", kSet}, "Yes", {}, {}, true},
    ClickCase{"UntickRemovesIt",                   true,  true,  W::Written,        false, false,
              {"admin?", "remove Quillmere"}, "No", {}, {}, false},
    ClickCase{"AListThatWillNotOpenIsReported",    true,  false, W::KeyUnavailable, false, false,
              {"admin?", kSet}, "No", {kSetFailed}, {}, false},
    ClickCase{"ARefusedValueIsReported",           true,  false, W::ValueRefused,   false, false,
              {"admin?", kSet}, "No", {kSetFailed}, {}, false},
    ClickCase{"ARefusedRemovalIsReported",         true,  true,  W::Written,        true,  false,
              {"admin?", "remove Quillmere"}, "Yes",
              {"Failed to delete data for 'Quillmere'"}, {}, true},
    ClickCase{"ARefusedSettingsWriteSkipsTheList", true,  false, W::Written,        false, true,
              {"admin?"}, "", {"Unable to write to C:\\Quillmere\\ZC.reg."}, {}, false},
    ClickCase{"NoAdministratorGetsTheBoxBack",     false, false, W::Written,        false, false,
              {"admin?"}, "", {}, {kNotice}, false},
    ClickCase{"NoAdministratorUntickingKeepsTick", false, true,  W::Written,        false, false,
              {"admin?"}, "Yes", {}, {kNotice}, true}),
    CaseName);
// clang-format on

TEST_F(FrmMainTest, AtStartAnEntryThatAlreadyStartsThisProgramNeedsNothing) {
    struct Case {
        const char* Name;
        bool Administrator;
        const char* Entry; // the Run value before the start; null: none
        Strings Calls;
        Strings Notices;
        const char* EntryAfter;
    };
    const Case cases[] = {
        {"current, not elevated", false, kCommand, {}, {}, kCommand},
        {"current, administrator", true, kCommand, {}, {}, kCommand},
        {"moved, administrator", true, "C:\\Old\\quillmere.exe", {"admin?", kSet}, {}, kCommand},
        {"moved, not elevated",
         false,
         "C:\\Old\\quillmere.exe",
         {"admin?"},
         {kNotice},
         "C:\\Old\\quillmere.exe"},
        {"missing, administrator", true, nullptr, {"admin?", kSet}, {}, kCommand},
    };
    Settings("SystemStart=Yes\r\nEnabled=No\r\nOnTop=No\r\n");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        testing::FakeStartupRegistry startup;
        startup.Administrator = c.Administrator;
        if (c.Entry != nullptr) {
            startup.Entries["Quillmere"] = c.Entry;
        }
        testing::RecordingMessages messages;
        TFrmMain form({m_tables, m_desktop, m_store, testing::kExecutable, m_loader, messages,
                       startup, m_windows, m_windows, m_shell});
        EXPECT_TRUE(Run([&] { form.FormCreate(); }));
        EXPECT_TRUE(form.ChkStart.Checked()) << "the box keeps the stored choice";
        EXPECT_EQ(startup.Calls, c.Calls);
        EXPECT_EQ(messages.Notices, c.Notices);
        EXPECT_EQ(startup.StartupEntry("Quillmere").value_or("(none)"), c.EntryAfter);
        EXPECT_EQ(m_store.WriteCount(), 0);
    }
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

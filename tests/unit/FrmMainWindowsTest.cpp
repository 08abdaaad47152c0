#include "FrmMainFixture.h"

#include <cstdint>
#include <string>

namespace quillmere {
namespace {

using testing::FrmMainTest;
using testing::Strings;

TEST_F(FrmMainTest, StartShapesTheWindowThenAppliesStayOnTheTop) {
    struct Case {
        const char* Stored;
        bool Ticked;
        Strings Calls;
        const char* AfterwardsInFile;
    };
    const Case cases[] = {
        // The tick's handler makes the window topmost, then the sequence once more.
        {"OnTop=Yes\r\n", true, {"region", "tray data", "topmost yes", "topmost yes"}, "Yes"},
        {"", true, {"region", "tray data", "topmost yes", "topmost yes"}, "Yes"},
        {"OnTop=No\r\n", false, {"region", "tray data", "topmost no"}, "No"},
        {"OnTop=yes\r\n", false, {"region", "tray data", "topmost no"}, "yes"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Stored);
        sim::MemoryIniStore store;
        store.SetText(testing::kSettingsPath, std::string("[Info]\r\n") + c.Stored);
        TFrmMain form(Context(store));
        m_windows.Calls.clear();
        EXPECT_TRUE(Run([&] { form.FormCreate(); }));
        EXPECT_EQ(form.ChkTop.Checked(), c.Ticked);
        EXPECT_EQ(m_windows.Calls, c.Calls);
        EXPECT_EQ(store.ReadValue(testing::kSettingsPath, "Info", "OnTop", "(none)"),
                  c.AfterwardsInFile);
    }
}

TEST_F(FrmMainTest, StayOnTheTopWritesTheChoiceBeforeItChangesTheTopmostState) {
    Settings("OnTop=No\r\n");
    ASSERT_TRUE(Create());
    m_windows.Calls.clear();

    EXPECT_TRUE(Click(m_form.ChkTop));
    EXPECT_EQ(Stored("OnTop"), "Yes");
    EXPECT_TRUE(Click(m_form.ChkTop));
    EXPECT_EQ(Stored("OnTop"), "No");
    EXPECT_EQ(m_windows.Calls, (Strings{"topmost yes", "topmost no"}));

    m_store.SetReadOnly(testing::kSettingsPath, true);
    EXPECT_FALSE(Click(m_form.ChkTop));
    EXPECT_EQ(m_messages.Shown, (Strings{"Unable to write to C:\\Quillmere\\ZC.reg."}));
    EXPECT_EQ(m_windows.Calls.size(), 2u) << "the topmost state stays as it was";
    EXPECT_TRUE(m_form.ChkTop.Checked()) << "the tick stays as the user set it";
}

TEST_F(FrmMainTest, OnlyTheLeftButtonOnTheHeaderDragsTheWindow) {
    using Handler = void (TFrmMain::*)(MouseButton);
    for (Handler handler : {&TFrmMain::Panel1MouseDown, &TFrmMain::Image1MouseDown,
                            &TFrmMain::Label4MouseDown, &TFrmMain::Label5MouseDown}) {
        m_windows.Calls.clear();
        for (MouseButton button : {MouseButton::Right, MouseButton::Middle, MouseButton::Left}) {
            (m_form.*handler)(button);
        }
        EXPECT_EQ(m_windows.Calls, (Strings{"drag"}));
    }
}

TEST_F(FrmMainTest, AboutAndHelpOpenTheirWindowAndFile) {
    m_form.BtnAbout.Click();
    m_form.BtnHelp.Click();
    EXPECT_EQ(m_windows.Calls, (Strings{"about"}));
    // An executable in a drive's root: the help file beside it, with one "\".
    TFrmMain rooted(Context(m_store, "D:\\quillmere.exe"));
    rooted.BtnHelp.Click();
    EXPECT_EQ(m_shell.Opened,
              (Strings{"open|C:\\Quillmere\\help.chm|c:\\", "open|D:\\help.chm|c:\\"}));
}

TEST_F(FrmMainTest, OkHidesToTheNotificationAreaAndTheIconBringsTheWindowBack) {
    const Strings hide{"icon add", "main hide", "app hide", "tool window yes"};
    const Strings restore{"foreground", "icon delete", "main show", "app show", "tool window no"};
    const Strings menu{"foreground", "menu"};
    struct Case {
        std::uint32_t MouseMessage;
        Strings Calls;
        bool InTrayAfterwards;
    };
    const Case cases[] = {
        {0x0200, {}, true},      // moves
        {0x0201, {}, true},      // a single left click
        {0x0202, {}, true},      // its release
        {0x0205, {}, true},      // the right button's release
        {0x0204, menu, true},    // the right button's press opens the menu
        {0x0203, restore, false} // a left double-click
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.MouseMessage);
        m_windows.Calls.clear();
        m_form.BtnOK.Click();
        EXPECT_TRUE(m_form.InTray());
        m_form.TrayIconMessage(c.MouseMessage);
        Strings expected = hide;
        expected.insert(expected.end(), c.Calls.begin(), c.Calls.end());
        EXPECT_EQ(m_windows.Calls, expected);
        EXPECT_EQ(m_form.InTray(), c.InTrayAfterwards);
        m_form.RestoreFromTray();
    }

    m_windows.Calls.clear();
    m_form.BtnOK.Click();
    m_form.MnuOpenClick();
    EXPECT_EQ(Strings(m_windows.Calls.begin() + 4, m_windows.Calls.end()), restore);
    EXPECT_FALSE(m_form.InTray());
}

TEST_F(FrmMainTest, WithoutAnIconTheWindowStaysShownUntilAFreshTaskbarTakesIt) {
    const Strings hide{"icon add", "main hide", "app hide", "tool window yes"};
    const Strings restore{"foreground", "icon delete", "main show", "app show", "tool window no"};
    struct Step {
        const char* Name;
        bool IconAccepted;
        bool Ok; // "OK" pressed, else "TaskbarCreated"
        Strings Calls;
        bool InTrayAfterwards;
    };
    Strings lostIcon{"icon add"};
    lostIcon.insert(lostIcon.end(), restore.begin(), restore.end());
    const Step steps[] = {
        {"OK, icon refused", false, true, {"icon add"}, false},
        {"a fresh taskbar, still refused", false, false, {"icon add"}, false},
        {"a fresh taskbar takes it: hidden as asked", true, false, hide, true},
        {"the shell restarts and refuses it: shown again", false, false, lostIcon, false},
        {"the next taskbar takes it", true, false, hide, true},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.Name);
        m_windows.Calls.clear();
        m_windows.IconAccepted = step.IconAccepted;
        if (step.Ok) {
            m_form.BtnOK.Click();
        } else {
            m_form.TaskbarCreated();
        }
        EXPECT_EQ(m_windows.Calls, step.Calls);
        EXPECT_EQ(m_form.InTray(), step.InTrayAfterwards);
    }
}

TEST_F(FrmMainTest, ASecondCopyBringsTheWindowToTheFrontFromWhereverItIs) {
    m_form.AnotherCopyStarted();
    EXPECT_EQ(m_windows.Calls, (Strings{"foreground"}));
    m_form.HideToTray();
    m_windows.Calls.clear();
    m_form.AnotherCopyStarted();
    EXPECT_EQ(m_windows.Calls, (Strings{"foreground", "icon delete", "main show", "app show",
                                        "tool window no", "foreground"}));
    EXPECT_FALSE(m_form.InTray());
}

TEST_F(FrmMainTest, AFreshTaskbarGetsTheIconBackOnlyWhileTheWindowIsHidden) {
    m_form.TaskbarCreated();
    EXPECT_TRUE(m_windows.Calls.empty());
    m_form.HideToTray();
    m_windows.Calls.clear();
    m_form.TaskbarCreated();
    m_form.MnuExitClick();
    m_form.FormDestroy();
    EXPECT_EQ(m_windows.Calls, (Strings{"icon add", "close", "icon delete"}));
}

} // namespace
} // namespace quillmere

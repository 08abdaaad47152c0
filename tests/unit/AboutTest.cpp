#include "FakeShellLauncher.h"
#include "app/ProductInfo.h"
#include "app/UnitAbout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quillmere::testing {
namespace {

const std::string kWebPageText(kWebPage);
const std::string kMailTo = "mailto:" + std::string(kSupportEmail);

class AboutTest : public ::testing::Test {
protected:
    RecordingShell m_shell;
    int m_closes = 0;
    TFrmAbout m_form{m_shell, [this] { ++m_closes; }};
};

TEST_F(AboutTest, EachLinkHandsItsAddressToTheShellAtEveryClick) {
    struct Case {
        const char* Link;
        void (TFrmAbout::*Click)();
        std::string Opened;
    };
    const std::vector<Case> cases = {
        {"Label7 (web page)", &TFrmAbout::Label7Click, "open|" + kWebPageText + "|c:\\"},
        {"Label6 (support e-mail)", &TFrmAbout::Label6Click, "|" + kMailTo + "|c:\\"},
    };
    for (const Case& link : cases) {
        m_shell.Opened.clear();
        (m_form.*link.Click)();
        (m_form.*link.Click)();
        EXPECT_EQ(m_shell.Opened, (std::vector<std::string>{link.Opened, link.Opened}))
            << link.Link << ": the shell gets the address again at the second click";
    }
    EXPECT_EQ(m_closes, 0) << "following a link leaves the window open";
}

TEST_F(AboutTest, TheLinksShowTheAddressesTheyOpen) {
    EXPECT_EQ(m_form.Label7.Caption(), "website: " + kWebPageText);
    EXPECT_EQ(m_form.Label6.Caption(), "Support Email: " + std::string(kSupportEmail));
}

TEST_F(AboutTest, OkAsksTheWindowToCloseAndOpensNothing) {
    m_form.BtnOK.Click();
    EXPECT_EQ(m_closes, 1);
    EXPECT_TRUE(m_shell.Opened.empty());
}

} // namespace
} // namespace quillmere::testing

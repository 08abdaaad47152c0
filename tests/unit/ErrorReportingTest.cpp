#include "app/ErrorReporting.h"
#include "FrmMainFakes.h"
#include "app/EventFunnel.h"
#include "common/ProgramError.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace quillmere {
namespace {

TEST(FormatErrorMessage, AddsAFullStopWhenTheLastCharacterSortsAfterIt) {
    EXPECT_EQ(FormatErrorMessage("Unable to write to C:\\Quillmere\\ZC.reg"),
              "Unable to write to C:\\Quillmere\\ZC.reg.");
    EXPECT_EQ(FormatErrorMessage("Why?"), "Why?.");
    EXPECT_EQ(FormatErrorMessage("path/"), "path/.");
    EXPECT_EQ(FormatErrorMessage("Caf\xE9"), "Caf\xE9.") << "bytes above 127 sort after '.'";
}

TEST(FormatErrorMessage, LeavesMessagesEndingAtOrBeforeAFullStop) {
    EXPECT_EQ(FormatErrorMessage("Done."), "Done.");
    EXPECT_EQ(FormatErrorMessage("Stop!"), "Stop!");
    EXPECT_EQ(FormatErrorMessage("Failed to set data for 'Quillmere'"),
              "Failed to set data for 'Quillmere'");
    EXPECT_EQ(FormatErrorMessage("a, b,"), "a, b,");
    EXPECT_EQ(FormatErrorMessage("-"), "-");
    EXPECT_EQ(FormatErrorMessage(""), "");
}

// The one funnel of the windows, with no palettes to rescue.
class EventFunnelTest : public ::testing::Test {
protected:
    testing::RecordingMessages m_reporter;
    PaletteRescue m_rescue;
    PaletteTable m_table;
    EventFunnel m_funnel{m_reporter, m_rescue, m_table};
};

TEST_F(EventFunnelTest, ShowsAProgramErrorAndSkipsTheRestOfTheHandler) {
    std::vector<std::string> steps;
    const auto refusedWrite = [] { throw ProgramError("Unable to write to C:\\ZC.reg"); };
    const bool completed = m_funnel.Run([&] {
        steps.push_back("caption");
        refusedWrite();
        steps.push_back("illustration");
    });
    EXPECT_FALSE(completed);
    EXPECT_EQ(steps, (std::vector<std::string>{"caption"}));
    EXPECT_EQ(m_reporter.Shown, (std::vector<std::string>{"Unable to write to C:\\ZC.reg."}));
}

TEST_F(EventFunnelTest, AHandlerThatCompletesShowsNothing) {
    int runs = 0;
    EXPECT_TRUE(m_funnel.Run([&] { ++runs; }));
    EXPECT_EQ(runs, 1);
    EXPECT_TRUE(m_reporter.Shown.empty());
}

TEST_F(EventFunnelTest, ADefectIsShownTooAndNeverEscapes) {
    ButtonModel button("OK");
    button.OnClick = [] { throw 42; };
    EXPECT_FALSE(m_funnel.Run([] { throw std::logic_error("bug"); }));
    EXPECT_FALSE(m_funnel.Run([] { throw 42; }));
    EXPECT_FALSE(m_funnel.Run(button)) << "a control's click has the same guard";
    EXPECT_EQ(m_reporter.Shown,
              (std::vector<std::string>{"bug.", "Unexpected error.", "Unexpected error."}));
}

} // namespace
} // namespace quillmere

#include "app/ErrorReporting.h"
#include "common/ProgramError.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace quillmere {
namespace {

class RecordingReporter final : public ErrorReporter {
public:
    void ShowError(const std::string& text) override { Shown.push_back(text); }
    std::vector<std::string> Shown;
};

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

TEST(RunHandler, ShowsAProgramErrorAndSkipsTheRestOfTheHandler) {
    RecordingReporter reporter;
    std::vector<std::string> steps;
    const auto refusedWrite = [] { throw ProgramError("Unable to write to C:\\ZC.reg"); };
    const bool completed = RunHandler(reporter, [&] {
        steps.push_back("caption");
        refusedWrite();
        steps.push_back("illustration");
    });
    EXPECT_FALSE(completed);
    EXPECT_EQ(steps, (std::vector<std::string>{"caption"}));
    EXPECT_EQ(reporter.Shown, (std::vector<std::string>{"Unable to write to C:\\ZC.reg."}));
}

TEST(RunHandler, AHandlerThatCompletesShowsNothing) {
    RecordingReporter reporter;
    int runs = 0;
    EXPECT_TRUE(RunHandler(reporter, [&] { ++runs; }));
    EXPECT_EQ(runs, 1);
    EXPECT_TRUE(reporter.Shown.empty());
}

TEST(RunHandler, ADefectIsShownTooAndNeverEscapes) {
    RecordingReporter reporter;
    EXPECT_FALSE(RunHandler(reporter, [] { throw std::logic_error("bug"); }));
    EXPECT_FALSE(RunHandler(reporter, [] { throw 42; }));
    EXPECT_EQ(reporter.Shown, (std::vector<std::string>{"bug.", "Unexpected error."}));
}

} // namespace
} // namespace quillmere

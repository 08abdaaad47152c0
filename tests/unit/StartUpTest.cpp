#include "app/StartUp.h"
#include "FrmMainFakes.h"
#include "platform/sim/MemoryIniStore.h"

#include <gtest/gtest.h>

namespace quillmere {
namespace {

using testing::kExecutable;
using testing::kSettingsPath;
using testing::Strings;

// Every call in order; the store stands in for the disk.
class RecordingProcess final : public ProcessShell {
public:
    explicit RecordingProcess(sim::MemoryIniStore& store) : m_store(store) {}
    bool ClaimSingleCopy() override { return Note("claim", FirstCopy); }
    void ShowRunningCopy() override { Note("show the running copy", true); }
    bool CreateApplicationWindow() override { return Note("application window", true); }
    void SetShutdownLevel(unsigned level) override { ShutdownLevel = level; }
    bool FileExists(const std::string& path) override {
        return Note("exists " + path, m_store.FileExists(path));
    }
    void MakeApplicationTopmost() override {
        Note("topmost, file holds " +
                 std::to_string(m_store.ReadSection(kSettingsPath, "Info").size()),
             true);
    }
    void SetApplicationTitle(std::string_view title) override {
        Note("title " + std::string(title), true);
    }
    bool CreateMainWindow() override { return Note("main window", MainWindowMade); }
    int RunEventLoop() override {
        Note("loop", true);
        return 0;
    }
    void ShowFatalError(const std::string& message) override { Note("fatal " + message, true); }

    bool MainWindowMade = true;
    bool FirstCopy = true;
    unsigned ShutdownLevel = 0;
    Strings Calls;

private:
    bool Note(std::string call, bool result) {
        Calls.push_back(std::move(call));
        return result;
    }
    sim::MemoryIniStore& m_store;
};

TEST(RunProgram, TheFirstStartWritesTheDefaultsInOrderThenMakesTheApplicationTopmost) {
    sim::MemoryIniStore store;
    RecordingProcess shell(store);
    EXPECT_EQ(RunProgram(shell, store, kExecutable), 0);
    EXPECT_EQ(shell.Calls,
              (Strings{"claim", "application window", std::string("exists ") + kSettingsPath,
                       "topmost, file holds 5", "title Quillmere", "main window", "loop"}));
    EXPECT_EQ(store.ReadSection(kSettingsPath, "Info"),
              (Strings{"FWoption=Together", "SystemStart=No", "OnTop=Yes", "Enabled=Yes",
                       "Language=English"}));
    // Applications may take 0x100-0x3FF; every program has 0x280 unless it asks.
    EXPECT_GT(shell.ShutdownLevel, 0x280u) << "the session's end reaches the host first";
    EXPECT_LE(shell.ShutdownLevel, 0x3FFu);
}

TEST(RunProgram, AnExistingFileIsNeverTouchedHoweverIncomplete) {
    for (const char* text : {"", "[Info]\r\nLanguage=Klingon\r\n"}) {
        sim::MemoryIniStore store;
        store.SetText(kSettingsPath, text);
        RecordingProcess shell(store);
        EXPECT_EQ(RunProgram(shell, store, kExecutable), 0);
        EXPECT_EQ(store.WriteCount(), 0);
        EXPECT_EQ(shell.Calls,
                  (Strings{"claim", "application window", std::string("exists ") + kSettingsPath,
                           "title Quillmere", "main window", "loop"}));
    }
}

TEST(RunProgram, ASecondCopyShowsTheFirstAndEndsWithStatusZeroTouchingNothing) {
    sim::MemoryIniStore store;
    RecordingProcess shell(store);
    shell.FirstCopy = false;
    EXPECT_EQ(RunProgram(shell, store, kExecutable), 0);
    EXPECT_EQ(shell.Calls, (Strings{"claim", "show the running copy"}));
    EXPECT_EQ(store.WriteCount(), 0) << "not even the first start's settings";
}

TEST(RunProgram, AFailedStartEndsWithStatusOneAndNoMainWindow) {
    sim::MemoryIniStore store;
    store.SetReadOnly(kSettingsPath, true);
    RecordingProcess shell(store);
    EXPECT_EQ(RunProgram(shell, store, kExecutable), 1);
    EXPECT_EQ(shell.Calls.back(), "fatal Unable to write to C:\\Quillmere\\ZC.reg.");
    EXPECT_EQ(shell.Calls.size(), 4u) << "nothing after the fatal-error box";

    sim::MemoryIniStore writable;
    RecordingProcess refused(writable);
    refused.MainWindowMade = false;
    EXPECT_EQ(RunProgram(refused, writable, kExecutable), 1);
    EXPECT_EQ(refused.Calls.back(), "main window");
}

} // namespace
} // namespace quillmere

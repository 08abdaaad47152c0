#include "settings/SettingsFile.h"
#include "FrmMainFakes.h"
#include "common/ProgramError.h"
#include "host/SelectionFile.h"
#include "platform/sim/MemoryIniStore.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quillmere {
namespace {

using sim::MemoryIniStore;
using testing::kExecutable;
using testing::kSelectionPath;
using testing::kSettingsPath;

TEST(SettingsFile, LiesBesideTheExecutable) {
    MemoryIniStore store;
    EXPECT_EQ(SettingsFileFor(store, kExecutable).Path(), kSettingsPath);
    EXPECT_EQ(SelectionFileFor(store, kExecutable).Path(), kSelectionPath);
    EXPECT_EQ(SettingsFileFor(store, "C:\\quillmere.exe").Path(), "C:\\ZC.reg");
}

TEST(SettingsFile, FirstStartWritesTheFiveEntriesInOrder) {
    MemoryIniStore store;
    const IniFile settings = SettingsFileFor(store, kExecutable);
    WriteFirstStartSettings(settings);
    EXPECT_EQ(settings.ReadSection("Info"),
              (std::vector<std::string>{"FWoption=Together", "SystemStart=No", "OnTop=Yes",
                                        "Enabled=Yes", "Language=English"}));
    EXPECT_EQ(store.WriteCount(), 5);
}

TEST(SettingsFile, MissingFileGivesTheReadingDefaults) {
    MemoryIniStore store;
    const IniFile settings = SettingsFileFor(store, kExecutable);
    EXPECT_EQ(ReadSetting(settings, kOnTopKey), "Yes");
    EXPECT_EQ(ReadSetting(settings, kSystemStartKey), "No");
    EXPECT_EQ(ReadSetting(settings, kEnabledKey), "Yes");
    EXPECT_EQ(ReadSetting(settings, kFWoptionKey), "Together");
    EXPECT_FALSE(store.FileExists(kSettingsPath)) << "reading never creates the file";
}

TEST(SettingsFile, AMissingKeyIsNeverCompletedByReading) {
    MemoryIniStore store;
    store.SetText(kSettingsPath, "[Info]\r\nOnTop=No\r\n");
    const IniFile settings = SettingsFileFor(store, kExecutable);
    EXPECT_EQ(ReadSetting(settings, kOnTopKey), "No");
    EXPECT_EQ(ReadSetting(settings, kEnabledKey), "Yes");
    EXPECT_EQ(ReadSetting(settings, kFWoptionKey), "Together");
    EXPECT_EQ(store.WriteCount(), 0);
    EXPECT_EQ(settings.ReadSection("Info"), (std::vector<std::string>{"OnTop=No"}));
}

TEST(SettingsFile, WriteSettingReplacesOneEntryInSectionInfo) {
    MemoryIniStore store;
    const IniFile settings = SettingsFileFor(store, kExecutable);
    WriteFirstStartSettings(settings);
    WriteDisplayMode(settings, DisplayMode::Mixed);
    EXPECT_EQ(ReadSetting(settings, kFWoptionKey), "Mixed");
    EXPECT_EQ(settings.ReadSection("Info").size(), 5u);
}

TEST(SettingsFile, ARefusedFirstStartWriteStopsAtTheFirstEntry) {
    MemoryIniStore store;
    store.SetReadOnly(kSettingsPath, true);
    const IniFile settings = SettingsFileFor(store, kExecutable);
    try {
        WriteFirstStartSettings(settings);
        FAIL() << "the write must be refused";
    } catch (const ProgramError& error) {
        EXPECT_EQ(std::string(error.what()), std::string("Unable to write to ") + kSettingsPath);
    }
    EXPECT_FALSE(store.FileExists(kSettingsPath));
}

TEST(SettingsFile, ModeNamesReadBackAndAnyOtherTextIsTogether) {
    struct Case {
        const char* Text;
        DisplayMode Mode;
    };
    const Case cases[] = {
        {"Together", DisplayMode::Together}, {"Separately", DisplayMode::Separately},
        {"Mixed", DisplayMode::Mixed},       {"together", DisplayMode::Together},
        {"MIXED", DisplayMode::Together},    {"Separately ", DisplayMode::Together},
        {"", DisplayMode::Together},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseMode(c.Text), c.Mode) << '"' << c.Text << '"';
    }
    for (const DisplayMode mode :
         {DisplayMode::Together, DisplayMode::Separately, DisplayMode::Mixed}) {
        EXPECT_EQ(ParseMode(ModeName(mode)), mode) << ModeName(mode);
    }
    MemoryIniStore store;
    EXPECT_EQ(ReadDisplayMode(SettingsFileFor(store, kExecutable)), DisplayMode::Together)
        << "a missing file";
}

TEST(SettingsFile, OnlyTheExactWordYesIsOn) {
    EXPECT_TRUE(IsYes("Yes"));
    for (const char* value : {"yes", "YES", "Yes ", "", "No", "1", "True"}) {
        EXPECT_FALSE(IsYes(value)) << '"' << value << '"';
    }
}

TEST(SettingsFile, ADelayIsAWholeDecimalNumberFrom0To5000OrElse0) {
    struct Case {
        const char* Text;
        std::uint32_t Ms;
    };
    const Case cases[] = {
        {"0", 0},   {"250", 250}, {"5000", 5000}, {"0500", 500}, {"5001", 0},
        {"-1", 0},  {"+5", 0},    {"1e3", 0},     {"12.5", 0},   {"500ms", 0},
        {"abc", 0}, {"", 0},      {"5 00", 0},    {"0x10", 0},   {"99999999999999999999", 0}};
    for (const Case& c : cases) {
        EXPECT_EQ(ParseDelay(c.Text), c.Ms) << '"' << c.Text << '"';
    }
}

TEST(SelectionFile, EdgeNamesReadBackAndPlaceTheRowAlongItsEdge) {
    struct Case {
        ScreenEdge Edge;
        const char* Name;
        const char* Value;
    };
    // Home left 30, top 70: sides are known by their top, the bottom by its left.
    const Case cases[] = {{ScreenEdge::Left, "left", "left,70"},
                          {ScreenEdge::Right, "right", "right,70"},
                          {ScreenEdge::Bottom, "bottom", "bottom,30"},
                          {ScreenEdge::None, "", ",30"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Value);
        EXPECT_EQ(EdgeName(c.Edge), c.Name);
        EXPECT_EQ(ParseEdge(c.Name), c.Edge);
        PSinfo row;
        row.Home = {30, 70, 230, 270};
        row.Edge = c.Edge;
        EXPECT_EQ(SelectionValue(row), c.Value);
    }
    for (const char* text : {"Left", "RIGHT", "bottom ", "top"}) {
        EXPECT_EQ(ParseEdge(text), ScreenEdge::None) << '"' << text << '"';
    }
}

} // namespace
} // namespace quillmere

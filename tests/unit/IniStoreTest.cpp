#include "common/ProgramError.h"
#include "platform/sim/MemoryIniStore.h"
#include "settings/IniDocument.h"
#include "settings/IniFile.h"
#include "settings/PortableIniStore.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace quillmere {
namespace {

namespace fs = std::filesystem;

std::string Slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class PortableIniStoreTest : public ::testing::Test {
protected:
    PortableIniStoreTest() {
        m_dir = fs::temp_directory_path() /
                ("quillmere-ini-" + std::to_string(::getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    ~PortableIniStoreTest() override {
        fs::permissions(m_dir, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(m_dir);
    }

    std::string PathOf(const char* name) const { return (m_dir / name).string(); }

    fs::path m_dir;
    PortableIniStore m_store;
};

TEST_F(PortableIniStoreTest, MissingFileSectionOrEntryGivesTheDefault) {
    const std::string path = PathOf("ZC.reg");
    EXPECT_EQ(m_store.ReadValue(path, "Info", "FWoption", "Together"), "Together");
    EXPECT_TRUE(m_store.ReadSection(path, "Options").empty());
    m_store.WriteValue(path, "Info", "Enabled", "No");
    EXPECT_EQ(m_store.ReadValue(path, "Other", "Enabled", "Yes"), "Yes");
    EXPECT_EQ(m_store.ReadValue(path, "Info", "OnTop", "Yes"), "Yes");
}

TEST_F(PortableIniStoreTest, WritesRoundTripInOrderAndReplaceInPlace) {
    const std::string path = PathOf("ZC.reg");
    m_store.WriteValue(path, "Info", "FWoption", "Together");
    m_store.WriteValue(path, "Info", "SystemStart", "No");
    m_store.WriteValue(path, "Info", "OnTop", "Yes");
    m_store.WriteValue(path, "info", "fwoption", "Mixed");

    EXPECT_EQ(Slurp(path), "[Info]\r\nFWoption=Mixed\r\nSystemStart=No\r\nOnTop=Yes\r\n");
    EXPECT_EQ(m_store.ReadValue(path, "INFO", "FWOPTION", ""), "Mixed");
    EXPECT_FALSE(fs::exists(path + ".quillmere-tmp"));
}

TEST_F(PortableIniStoreTest, EraseSectionLeavesOtherSectionsAndForeignLinesAlone) {
    const std::string path = PathOf("Options.ini");
    {
        std::ofstream out(path);
        out << "; kept by hand\n[Other]\nx=1\n[Options]\n0=left,120\n2=bottom,344\n";
    }
    EXPECT_EQ(m_store.ReadSection(path, "options"),
              (std::vector<std::string>{"0=left,120", "2=bottom,344"}));
    m_store.EraseSection(path, "Options");
    m_store.WriteValue(path, "Options", "1", "right,118");
    EXPECT_EQ(Slurp(path), "; kept by hand\r\n[Other]\r\nx=1\r\n[Options]\r\n1=right,118\r\n");
}

TEST_F(PortableIniStoreTest, ValuesAreCutAt2047Characters) {
    const std::string path = PathOf("ZC.reg");
    m_store.WriteValue(path, "Info", "Long", std::string(3000, 'x'));
    EXPECT_EQ(m_store.ReadValue(path, "Info", "Long", "").size(), 2047u);
}

TEST_F(PortableIniStoreTest, RefusedWriteRaisesTheErrorAndKeepsTheOldFile) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "root ignores permissions; the refusal is covered by MemoryIniStore";
    }
    const std::string path = PathOf("ZC.reg");
    m_store.WriteValue(path, "Info", "Enabled", "Yes");
    fs::permissions(m_dir, fs::perms::owner_read | fs::perms::owner_exec);
    try {
        m_store.WriteValue(path, "Info", "Enabled", "No");
        FAIL() << "the write should have been refused";
    } catch (const ProgramError& error) {
        EXPECT_EQ(std::string(error.what()), "Unable to write to " + path);
    }
    EXPECT_EQ(m_store.ReadValue(path, "Info", "Enabled", ""), "Yes");
}

TEST_F(PortableIniStoreTest, WriteIntoMissingDirectoryIsRefused) {
    const std::string path = (m_dir / "no-such-dir" / "ZC.reg").string();
    EXPECT_THROW(m_store.WriteValue(path, "Info", "Enabled", "No"), ProgramError);
    EXPECT_THROW(m_store.EraseSection(path, "Info"), ProgramError);
}

TEST(MemoryIniStore, RefusesWritesToReadOnlyFilesWithThePath) {
    sim::MemoryIniStore store;
    store.SetReadOnly("C:\\Q\\ZC.reg", true);
    try {
        store.WriteValue("C:\\Q\\ZC.reg", "Info", "Enabled", "No");
        FAIL() << "expected a refusal";
    } catch (const ProgramError& error) {
        EXPECT_STREQ(error.what(), "Unable to write to C:\\Q\\ZC.reg");
    }
    EXPECT_FALSE(store.FileExists("C:\\Q\\ZC.reg"));
}

TEST(IniDocument, KeepsFirstOfDuplicateNamesAndTrimsBlanks) {
    const IniDocument doc = IniDocument::Parse("[Info]\r\n Enabled = No \r\nEnabled=Yes\r\n");
    ASSERT_NE(doc.Find("Info", "enabled"), nullptr);
    EXPECT_EQ(*doc.Find("Info", "enabled"), "No");
    EXPECT_EQ(doc.Find("Nope", "enabled"), nullptr);
}

TEST(LocationBesideExecutable, UsesTheExecutablesDirectory) {
    EXPECT_EQ(LocationBesideExecutable("C:\\Tools\\Quillmere\\quillmere.exe", "ZC.reg"),
              "C:\\Tools\\Quillmere\\ZC.reg");
    EXPECT_EQ(LocationBesideExecutable("C:\\quillmere.exe", "Options.ini"), "C:\\Options.ini");
    EXPECT_EQ(LocationBesideExecutable("/opt/q/quillmere", "ZC.reg"), "/opt/q/ZC.reg");
}

} // namespace
} // namespace quillmere

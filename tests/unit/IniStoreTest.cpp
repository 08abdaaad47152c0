#include "common/ProgramError.h"
#include "platform/sim/IniDocument.h"
#include "platform/sim/MemoryIniStore.h"
#include "platform/sim/PortableIniStore.h"
#include "settings/IniFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
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

void Put(const fs::path& path, std::string_view text, fs::perms mode) {
    std::ofstream(path, std::ios::binary) << text;
    fs::permissions(path, mode);
}

// The message of the ProgramError the action raises, or "" when it raises none.
template <class Action> std::string ErrorOf(Action action) {
    try {
        action();
    } catch (const ProgramError& error) {
        return error.what();
    }
    return "";
}

constexpr auto kReadOnly = fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
constexpr auto kOwnerOnly = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;

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
    std::set<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(m_dir)) {
        names.insert(entry.path().filename().string());
    }
    EXPECT_EQ(names, (std::set<std::string>{"ZC.reg", "ZC.reg.lock"})) << "no temporary file left";
}

TEST_F(PortableIniStoreTest, WritesThroughALinkAndKeepsTheFileMode) {
    const std::string path = PathOf("ZC.reg");
    Put(PathOf("real.reg"), "[Info]\r\nEnabled=Yes\r\n", kOwnerOnly);
    fs::create_symlink("real.reg", path);
    m_store.WriteValue(path, "Info", "Enabled", "No");
    EXPECT_TRUE(fs::is_symlink(path));
    EXPECT_EQ(Slurp(PathOf("real.reg")), "[Info]\r\nEnabled=No\r\n");
    EXPECT_EQ(fs::status(path).permissions(), kOwnerOnly);
}

// What the user sees as a file that cannot be written, even when the program
// runs as root, which the permissions themselves do not stop.
TEST_F(PortableIniStoreTest, UnwritablePathsReadAsTheyStandAndRefuseWrites) {
    const struct {
        const char* Name;
        void (*Make)(const fs::path& path);
        const char* Enabled; // as read, "?" for the fallback
    } kCases[] = {
        {"directory", [](const fs::path& path) { fs::create_directory(path); }, "?"},
        {"read-only file",
         [](const fs::path& path) { Put(path, "[Info]\r\nEnabled=Yes\r\n", kReadOnly); }, "Yes"},
        {"link to a read-only file",
         [](const fs::path& path) {
             Put(path.string() + ".target", "[Info]\r\nEnabled=Yes\r\n", kReadOnly);
             fs::create_symlink(path.filename().string() + ".target", path);
         },
         "Yes"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.Name);
        const std::string path = PathOf(c.Name);
        c.Make(path);
        const auto snapshot = [&] {
            return std::tuple(fs::symlink_status(path).type(), fs::status(path).permissions(),
                              fs::is_regular_file(path) ? Slurp(path) : "");
        };
        const auto before = snapshot();
        EXPECT_EQ(m_store.ReadValue(path, "Info", "Enabled", "?"), c.Enabled);
        EXPECT_EQ(m_store.ReadSection(path, "Info").size(), c.Enabled[0] == '?' ? 0u : 1u);
        EXPECT_EQ(ErrorOf([&] { m_store.WriteValue(path, "Info", "Enabled", "No"); }),
                  "Unable to write to " + path);
        EXPECT_EQ(ErrorOf([&] { m_store.EraseSection(path, "Info"); }),
                  "Unable to write to " + path);
        EXPECT_EQ(snapshot(), before);
    }
}

TEST_F(PortableIniStoreTest, TwoProcessesWritingAtOnceLoseNoEntry) {
    constexpr int kWrites = 500;
    const std::string path = PathOf("ZC.reg");
    m_store.WriteValue(path, "Info", "Untouched", "kept");
    std::set<std::string> expected{"Untouched=kept"};
    std::vector<pid_t> writers;
    for (const std::string prefix : {"A", "B"}) {
        for (int i = 0; i < kWrites; ++i) {
            expected.insert(prefix + std::to_string(i) + "=1");
        }
        const pid_t pid = ::fork();
        ASSERT_NE(pid, -1);
        if (pid == 0) {
            PortableIniStore store;
            const std::string error = ErrorOf([&] {
                for (int i = 0; i < kWrites; ++i) {
                    store.WriteValue(path, "Info", prefix + std::to_string(i), "1");
                }
            });
            ::_exit(error.empty() ? 0 : 1);
        }
        writers.push_back(pid);
    }
    for (const pid_t pid : writers) {
        int status = -1;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "a write was refused";
    }
    const std::vector<std::string> lines = m_store.ReadSection(path, "Info");
    EXPECT_EQ(std::set<std::string>(lines.begin(), lines.end()), expected);
}

TEST_F(PortableIniStoreTest, SectionWritesLeaveOtherSectionsAndForeignLinesAlone) {
    const std::string path = PathOf("Options.ini");
    {
        std::ofstream out(path);
        out << "; kept by hand\n[Other]\nx=1\n[Options]\n0=left,120\n2=bottom,344\n[After]\ny=2\n";
    }
    EXPECT_EQ(m_store.ReadSection(path, "options"),
              (std::vector<std::string>{"0=left,120", "2=bottom,344"}));
    m_store.WriteSection(path, "Options", {"1=right,118", "4=bottom,9"});
    EXPECT_EQ(Slurp(path), "; kept by hand\r\n[Other]\r\nx=1\r\n[Options]\r\n1=right,118\r\n"
                           "4=bottom,9\r\n[After]\r\ny=2\r\n")
        << "replaced where it stands";
    m_store.EraseSection(path, "Options");
    m_store.WriteValue(path, "Options", "1", "right,118");
    EXPECT_EQ(Slurp(path),
              "; kept by hand\r\n[Other]\r\nx=1\r\n[After]\r\ny=2\r\n[Options]\r\n1=right,118\r\n");
}

TEST_F(PortableIniStoreTest, ValuesAreCutAt2047Characters) {
    const std::string path = PathOf("ZC.reg");
    m_store.WriteValue(path, "Info", "Long", std::string(3000, 'x'));
    EXPECT_EQ(m_store.ReadValue(path, "Info", "Long", "").size(), 2047u);
}

TEST_F(PortableIniStoreTest, RefusedWriteRaisesTheErrorAndKeepsTheOldFile) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "root ignores a directory's permissions";
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

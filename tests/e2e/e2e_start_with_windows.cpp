// End-to-end probe of "Start with Windows" on the Win32 side: the entry in the
// machine-wide Run key written, overwritten and removed through the real
// registry, and the administrator test, each of its ways on its own against
// the real token and the deny-only rule over group lists made here. Prints
// one line per check and, last, "PASS" or "FAIL". The Wine prefix is this
// run's own copy, so the Run key needs no restoring.

#include "DemoDesktop.h"
#include "platform/win32/AdministratorTest.h"
#include "platform/win32/UniqueHandle.h"
#include "platform/win32/Win32StartupRegistry.h"

#include <windows.h>

#include <sddl.h>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace {

using namespace probe;
using quillmere::StartupEntryWrite;
using quillmere::win32::kRunKeyPath;
using quillmere::win32::UniqueRegKey;
using quillmere::win32::UniqueSid;

constexpr const char* kEntryName = "Quillmere";

// A value of the Run key as the registry gives it back.
struct StoredValue {
    LONG Status = ERROR_SUCCESS;
    DWORD Type = REG_NONE;
    DWORD Size = 0;
    std::vector<BYTE> Data;

    // The text without its terminating zero.
    std::string Text() const {
        std::size_t length = Data.size();
        if (length > 0 && Data[length - 1] == 0) {
            --length;
        }
        return std::string(reinterpret_cast<const char*>(Data.data()), length);
    }
};

UniqueRegKey OpenRunKeyForReading() {
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kRunKeyPath, 0, KEY_QUERY_VALUE, &key) !=
        ERROR_SUCCESS) {
        return UniqueRegKey();
    }
    return UniqueRegKey(key);
}

StoredValue ReadEntry(const char* name) {
    StoredValue value;
    const UniqueRegKey key = OpenRunKeyForReading();
    if (!key) {
        value.Status = ERROR_FILE_NOT_FOUND;
        return value;
    }
    value.Data.resize(4096);
    value.Size = static_cast<DWORD>(value.Data.size());
    value.Status =
        ::RegQueryValueExA(key.Get(), name, nullptr, &value.Type, value.Data.data(), &value.Size);
    value.Data.resize(value.Status == ERROR_SUCCESS ? value.Size : 0);
    return value;
}

void CheckStoredEntry(const std::string& command, const std::string& what) {
    const StoredValue stored = ReadEntry(kEntryName);
    Check(stored.Status == ERROR_SUCCESS, what + Format(": read back (status %ld)", stored.Status));
    Check(stored.Type == REG_SZ, what + Format(": type REG_SZ (type %lu)", stored.Type));
    Check(stored.Text() == command, what + ": text [" + stored.Text() + "]");
    Check(stored.Size == command.size() + 1,
          what + Format(": stored size %lu = length %u + 1", stored.Size,
                        static_cast<unsigned>(command.size())));
}

void CheckRunKeyEntry() {
    quillmere::win32::Win32StartupRegistry registry;

    const std::string quoted = "\"C:\\Some Dir\\quillmere.exe\"";
    Check(registry.SetStartupEntry(kEntryName, quoted) == StartupEntryWrite::Written,
          "set: quoted command written");
    CheckStoredEntry(quoted, "set");

    const std::string plain = "C:\\Tools\\quillmere.exe";
    Check(registry.SetStartupEntry(kEntryName, plain) == StartupEntryWrite::Written,
          "set again: plain command written");
    CheckStoredEntry(plain, "set again");
    Check(registry.StartupEntry(kEntryName) == plain, "read: the entry holds the plain command");

    Check(registry.RemoveStartupEntry(kEntryName), "remove: reported gone");
    LONG status = ReadEntry(kEntryName).Status;
    Check(status == ERROR_FILE_NOT_FOUND, Format("remove: the entry is gone (status %ld)", status));
    Check(!registry.StartupEntry(kEntryName).has_value(), "read: no entry");

    Check(registry.RemoveStartupEntry(kEntryName), "remove again: harmless, reported gone");
    status = ReadEntry(kEntryName).Status;
    Check(status == ERROR_FILE_NOT_FOUND,
          Format("remove again: harmless, still gone (status %ld)", status));
}

std::string SidText(PSID sid) {
    char* text = nullptr;
    if (!::ConvertSidToStringSidA(sid, &text)) {
        return "?";
    }
    std::string result(text);
    ::LocalFree(text);
    return result;
}

void CheckAdministratorTest() {
    const UniqueSid administrators = quillmere::win32::CreateAdministratorsSid();
    Check(static_cast<bool>(administrators), "the Administrators SID is made");
    if (!administrators) {
        return;
    }
    Check(SidText(administrators.Get()) == "S-1-5-32-544",
          "the Administrators SID reads " + SidText(administrators.Get()));

    const bool whole = quillmere::win32::IsAdministrator();
    const std::optional<bool> byCall =
        quillmere::win32::IsAdministratorByMembershipCall(administrators.Get());
    const bool byGroups = quillmere::win32::IsAdministratorByTokenGroups(administrators.Get());
    const char* callText = !byCall ? "not found" : (*byCall ? "true" : "false");
    std::printf("info IsAdministrator %s, CheckTokenMembership %s, token groups %s\n",
                whole ? "true" : "false", callText, byGroups ? "true" : "false");

    Check(whole, "IsAdministrator says yes under Wine");
    Check(byCall.has_value(), std::string("CheckTokenMembership found in advapi32: ") + callText);
    Check(byCall.has_value() && *byCall == whole,
          std::string("CheckTokenMembership agrees with IsAdministrator: ") + callText);
    Check(byGroups == whole, std::string("the token-group walk agrees with IsAdministrator: ") +
                                 (byGroups ? "true" : "false"));
    quillmere::win32::Win32StartupRegistry registry;
    Check(registry.IsAdministrator() == whole, "Win32StartupRegistry::IsAdministrator agrees");
}

// A TOKEN_GROUPS of the given groups, laid out as GetTokenInformation lays it
// out: the count, then the groups one after another.
class GroupList {
public:
    explicit GroupList(const std::vector<SID_AND_ATTRIBUTES>& groups)
        : m_buffer(offsetof(TOKEN_GROUPS, Groups) +
                   (groups.empty() ? 1 : groups.size()) * sizeof(SID_AND_ATTRIBUTES)) {
        auto* list = reinterpret_cast<TOKEN_GROUPS*>(m_buffer.data());
        list->GroupCount = static_cast<DWORD>(groups.size());
        for (std::size_t index = 0; index < groups.size(); ++index) {
            list->Groups[index] = groups[index];
        }
    }

    const TOKEN_GROUPS& Get() const {
        return *reinterpret_cast<const TOKEN_GROUPS*>(m_buffer.data());
    }

private:
    std::vector<BYTE> m_buffer;
};

void CheckDenyOnlyRule() {
    const UniqueSid administrators = quillmere::win32::CreateAdministratorsSid();
    SID_IDENTIFIER_AUTHORITY worldAuthority = SECURITY_WORLD_SID_AUTHORITY;
    PSID everyoneSid = nullptr;
    ::AllocateAndInitializeSid(&worldAuthority, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0,
                               &everyoneSid);
    const UniqueSid everyone(everyoneSid);
    Check(administrators && everyone, "rule: the Administrators and Everyone SIDs are made");
    if (!administrators || !everyone) {
        return;
    }
    const PSID admins = administrators.Get();
    const auto grants = [&](const std::vector<SID_AND_ATTRIBUTES>& groups) {
        return quillmere::win32::GroupsGrantAdministrator(GroupList(groups).Get(), admins);
    };

    const PSID world = everyone.Get();
    constexpr DWORD kEnabled = SE_GROUP_ENABLED;
    constexpr DWORD kDenyOnly = SE_GROUP_ENABLED | SE_GROUP_USE_FOR_DENY_ONLY;
    const struct {
        const char* Name;
        std::vector<SID_AND_ATTRIBUTES> Groups;
        bool Grants;
    } cases[] = {
        {"enabled Administrators", {{admins, kEnabled}}, true},
        {"deny-only Administrators (a filtered token)", {{admins, kDenyOnly}}, false},
        {"Administrators not enabled", {{admins, SE_GROUP_MANDATORY}}, false},
        {"Everyone, then enabled Administrators", {{world, kEnabled}, {admins, kEnabled}}, true},
        {"deny-only, then enabled Administrators", {{admins, kDenyOnly}, {admins, kEnabled}}, true},
        {"Everyone alone", {{world, kEnabled}}, false},
        {"no groups", {}, false},
    };
    for (const auto& c : cases) {
        Check(grants(c.Groups) == c.Grants,
              Format("rule: %s %s", c.Name, c.Grants ? "grants" : "does not grant"));
    }
}

} // namespace

int main() {
    try {
        CheckRunKeyEntry();
        CheckAdministratorTest();
        CheckDenyOnlyRule();
    } catch (const std::exception& error) {
        Check(false, std::string("no error escapes: ") + error.what());
    }
    return Verdict();
}

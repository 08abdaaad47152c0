#include "platform/win32/AdministratorTest.h"

#include <memory>
#include <new>

namespace quillmere::win32 {

namespace {

// GetVersion sets its top bit outside the NT family (Win32s, Windows 9x).
constexpr DWORD kNotNtFamilyBit = 0x80000000;
// CheckTokenMembership arrived with Windows 2000 (5.0).
constexpr DWORD kFirstMembershipCallMajorVersion = 5;
// A group grants its rights when it is enabled and not kept for deny checks only.
constexpr DWORD kGrantMask = SE_GROUP_ENABLED | SE_GROUP_USE_FOR_DENY_ONLY;
constexpr DWORD kGrantingAttributes = SE_GROUP_ENABLED;

using CheckTokenMembershipFunction = BOOL(WINAPI*)(HANDLE, PSID, PBOOL);

CheckTokenMembershipFunction FindCheckTokenMembership() noexcept {
    const HMODULE advapi = ::GetModuleHandleA("advapi32.dll");
    if (advapi == nullptr) {
        return nullptr;
    }
    const FARPROC address = ::GetProcAddress(advapi, "CheckTokenMembership");
    // Through the generic function pointer type, which converts to any other
    // without a warning about the mismatched signature.
    return reinterpret_cast<CheckTokenMembershipFunction>(reinterpret_cast<void (*)()>(address));
}

// The thread's own token when it impersonates someone, else the process's.
UniqueKernelHandle OpenEffectiveToken() noexcept {
    HANDLE token = nullptr;
    // Opened as ourselves, so that an impersonated user without rights to
    // the token does not make the open fail.
    if (::OpenThreadToken(::GetCurrentThread(), TOKEN_QUERY, TRUE, &token)) {
        return UniqueKernelHandle(token);
    }
    if (::GetLastError() != ERROR_NO_TOKEN) {
        return UniqueKernelHandle();
    }
    if (::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &token)) {
        return UniqueKernelHandle(token);
    }
    return UniqueKernelHandle();
}

} // namespace

UniqueSid CreateAdministratorsSid() noexcept {
    SID_IDENTIFIER_AUTHORITY ntAuthority = SECURITY_NT_AUTHORITY;
    PSID sid = nullptr;
    if (!::AllocateAndInitializeSid(&ntAuthority, 2, SECURITY_BUILTIN_DOMAIN_RID,
                                    DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0, &sid)) {
        return UniqueSid();
    }
    return UniqueSid(sid);
}

std::optional<bool> IsAdministratorByMembershipCall(PSID administrators) noexcept {
    const CheckTokenMembershipFunction checkTokenMembership = FindCheckTokenMembership();
    if (checkTokenMembership == nullptr) {
        return std::nullopt;
    }
    BOOL isMember = FALSE;
    if (!checkTokenMembership(nullptr, administrators, &isMember)) {
        return false;
    }
    return isMember != FALSE;
}

bool IsAdministratorByTokenGroups(PSID administrators) noexcept {
    const UniqueKernelHandle token = OpenEffectiveToken();
    if (!token) {
        return false;
    }
    DWORD size = 0;
    if (!::GetTokenInformation(token.Get(), TokenGroups, nullptr, 0, &size) &&
        ::GetLastError() != ERROR_INSUFFICIENT_BUFFER) {
        return false;
    }
    // operator new's storage is aligned for TOKEN_GROUPS and its pointers.
    const std::unique_ptr<BYTE[]> buffer(new (std::nothrow) BYTE[size]);
    if (!buffer || !::GetTokenInformation(token.Get(), TokenGroups, buffer.get(), size, &size)) {
        return false;
    }
    return GroupsGrantAdministrator(*reinterpret_cast<const TOKEN_GROUPS*>(buffer.get()),
                                    administrators);
}

bool GroupsGrantAdministrator(const TOKEN_GROUPS& groups, PSID administrators) noexcept {
    for (DWORD index = 0; index < groups.GroupCount; ++index) {
        const SID_AND_ATTRIBUTES& group = groups.Groups[index];
        if (::EqualSid(group.Sid, administrators) &&
            (group.Attributes & kGrantMask) == kGrantingAttributes) {
            return true;
        }
    }
    return false;
}

bool IsAdministrator() noexcept {
    const DWORD version = ::GetVersion();
    if ((version & kNotNtFamilyBit) != 0) {
        return true;
    }
    const UniqueSid administrators = CreateAdministratorsSid();
    if (!administrators) {
        return false;
    }
    const DWORD majorVersion = LOBYTE(LOWORD(version));
    if (majorVersion >= kFirstMembershipCallMajorVersion) {
        if (const std::optional<bool> answer =
                IsAdministratorByMembershipCall(administrators.Get())) {
            return *answer;
        }
    }
    return IsAdministratorByTokenGroups(administrators.Get());
}

} // namespace quillmere::win32

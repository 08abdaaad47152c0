#pragma once

// Whether the current user may change the machine-wide start-up list: a
// member of the built-in Administrators group (S-1-5-32-544). None of these
// functions throws; every failure along the way counts as "not an
// administrator".

#include "platform/win32/UniqueHandle.h"

#include <windows.h>

#include <optional>

namespace quillmere::win32 {

// The whole test. Outside the NT family there are no user rights to test and
// everyone counts as an administrator. From Windows 2000 on, the system's
// CheckTokenMembership answers when advapi32 has it; otherwise, and on older
// systems, the groups of the calling thread's (or else the process's) token
// are walked.
bool IsAdministrator() noexcept;

// The SID of the built-in Administrators group; empty when it could not be
// made.
UniqueSid CreateAdministratorsSid() noexcept;

// CheckTokenMembership, looked up at run time in the loaded advapi32, asked
// about the caller's effective token. Empty when advapi32 has no such
// function; false when the call fails.
std::optional<bool> IsAdministratorByMembershipCall(PSID administrators) noexcept;

// The group walk over the calling thread's token, or the process's when the
// thread has none of its own. False when the token or its groups cannot be
// read.
bool IsAdministratorByTokenGroups(PSID administrators) noexcept;

// Whether `groups` grants `administrators`: the group is listed, enabled and
// not marked for deny-only (a filtered token under UAC lists Administrators
// that way, and it grants nothing).
bool GroupsGrantAdministrator(const TOKEN_GROUPS& groups, PSID administrators) noexcept;

} // namespace quillmere::win32

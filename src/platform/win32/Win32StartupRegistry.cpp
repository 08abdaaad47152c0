#include "platform/win32/Win32StartupRegistry.h"

#include "platform/win32/AdministratorTest.h"
#include "platform/win32/UniqueHandle.h"

#include <windows.h>

#include <string>

namespace quillmere::win32 {

namespace {

// The Run key, created when missing; empty when it cannot be opened.
UniqueRegKey OpenRunKey() noexcept {
    HKEY key = nullptr;
    if (::RegCreateKeyExA(HKEY_LOCAL_MACHINE, kRunKeyPath, 0, nullptr, REG_OPTION_NON_VOLATILE,
                          KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS) {
        return UniqueRegKey();
    }
    return UniqueRegKey(key);
}

} // namespace

bool Win32StartupRegistry::IsAdministrator() {
    return win32::IsAdministrator();
}

std::optional<std::string> Win32StartupRegistry::StartupEntry(std::string_view name) {
    const std::string nameText(name);
    // A command longer than this is none that we wrote.
    char data[1024] = {};
    DWORD size = sizeof(data);
    if (::RegGetValueA(HKEY_LOCAL_MACHINE, kRunKeyPath, nameText.c_str(), RRF_RT_REG_SZ, nullptr,
                       data, &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return std::string(data);
}

StartupEntryWrite Win32StartupRegistry::SetStartupEntry(std::string_view name,
                                                        std::string_view command) {
    const UniqueRegKey key = OpenRunKey();
    if (!key) {
        return StartupEntryWrite::KeyUnavailable;
    }
    const std::string nameText(name);
    const std::string commandText(command);
    // A REG_SZ value is stored with its terminating zero.
    const DWORD size = static_cast<DWORD>(commandText.size() + 1);
    if (::RegSetValueExA(key.Get(), nameText.c_str(), 0, REG_SZ,
                         reinterpret_cast<const BYTE*>(commandText.c_str()),
                         size) != ERROR_SUCCESS) {
        return StartupEntryWrite::ValueRefused;
    }
    return StartupEntryWrite::Written;
}

bool Win32StartupRegistry::RemoveStartupEntry(std::string_view name) {
    const UniqueRegKey key = OpenRunKey();
    if (!key) {
        // A list nobody may change may still hold the entry.
        return !StartupEntry(name).has_value();
    }
    const std::string nameText(name);
    // A value already gone is what we wanted anyway.
    const LSTATUS status = ::RegDeleteValueA(key.Get(), nameText.c_str());
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

} // namespace quillmere::win32

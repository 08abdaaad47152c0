#include "platform/win32/Win32IniStore.h"

#include "common/ProgramError.h"

#include <windows.h>

namespace quillmere::win32 {

namespace {

// A value holds at most 2047 characters; the list of entry names of one
// section at most 16384 bytes, names separated by NULs.
constexpr DWORD kValueBufferSize = 2048;
constexpr DWORD kNameListBufferSize = 16384;

[[noreturn]] void ThrowUnableToWrite(const std::string& path) {
    throw ProgramError("Unable to write to " + path);
}

} // namespace

std::string Win32IniStore::ReadValue(const std::string& path, std::string_view section,
                                     std::string_view name, std::string_view fallback) {
    const std::string sectionText(section);
    const std::string nameText(name);
    const std::string fallbackText(fallback);
    char buffer[kValueBufferSize] = {};
    const DWORD length =
        ::GetPrivateProfileStringA(sectionText.c_str(), nameText.c_str(), fallbackText.c_str(),
                                   buffer, kValueBufferSize, path.c_str());
    return std::string(buffer, length);
}

void Win32IniStore::WriteValue(const std::string& path, std::string_view section,
                               std::string_view name, std::string_view value) {
    const std::string sectionText(section);
    const std::string nameText(name);
    const std::string valueText(value);
    if (!::WritePrivateProfileStringA(sectionText.c_str(), nameText.c_str(), valueText.c_str(),
                                      path.c_str())) {
        ThrowUnableToWrite(path);
    }
}

void Win32IniStore::EraseSection(const std::string& path, std::string_view section) {
    const std::string sectionText(section);
    if (!::WritePrivateProfileStringA(sectionText.c_str(), nullptr, nullptr, path.c_str())) {
        ThrowUnableToWrite(path);
    }
}

void Win32IniStore::WriteSection(const std::string& path, std::string_view section,
                                 const std::vector<std::string>& lines) {
    const std::string sectionText(section);
    // The lines one after another, each ended by a NUL, the list by a second NUL.
    std::string block;
    for (const std::string& line : lines) {
        block += line;
        block += '\0';
    }
    block += '\0';
    if (!::WritePrivateProfileSectionA(sectionText.c_str(), block.c_str(), path.c_str())) {
        ThrowUnableToWrite(path);
    }
}

std::vector<std::string> Win32IniStore::ReadSection(const std::string& path,
                                                    std::string_view section) {
    const std::string sectionText(section);
    std::vector<char> names(kNameListBufferSize, '\0');
    const DWORD length = ::GetPrivateProfileStringA(sectionText.c_str(), nullptr, "", names.data(),
                                                    kNameListBufferSize, path.c_str());
    std::vector<std::string> entries;
    // The names come one after another, each ended by a NUL, the list by a
    // second NUL.
    for (DWORD start = 0; start < length;) {
        const std::string name(names.data() + start);
        if (name.empty()) {
            break;
        }
        entries.push_back(name + "=" + ReadValue(path, section, name, ""));
        start += static_cast<DWORD>(name.size()) + 1;
    }
    return entries;
}

std::string ExecutablePath() {
    char buffer[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameA(nullptr, buffer, MAX_PATH);
    return std::string(buffer, length);
}

} // namespace quillmere::win32

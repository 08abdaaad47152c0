#include "platform/win32/Win32IniStore.h"

#include "common/ProgramError.h"
#include "platform/win32/UniqueHandle.h"

#include <windows.h>

namespace quillmere::win32 {

namespace {

// A value read alone holds at most 2047 characters. A section is read whole,
// through a buffer that starts at this size and doubles until it fits.
constexpr DWORD kValueBufferSize = 2048;
constexpr DWORD kSectionBufferStart = 32768;
// A file that another program holds open without sharing (a sync or virus-scan
// tool) is tried again this often, this far apart, before its read fails.
constexpr int kReadTries = 10;
constexpr DWORD kReadRetryMs = 100;

[[noreturn]] void ThrowUnableToWrite(const std::string& path) {
    throw ProgramError("Unable to write to " + path);
}

// The file held open for reading while its section is read, so that nobody
// locks it in between; none when it does not exist. Throws when it exists but
// stays unreadable.
UniqueFileHandle OpenForReading(const std::string& path) {
    for (int attempt = 1;; ++attempt) {
        UniqueFileHandle file(::CreateFileA(
            path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        const DWORD error = ::GetLastError();
        if (file || error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
            return file;
        }
        if (attempt == kReadTries) {
            throw ProgramError("Unable to read " + path);
        }
        ::Sleep(kReadRetryMs);
    }
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
    const UniqueFileHandle file = OpenForReading(path);
    if (!file) {
        return {};
    }
    const std::string sectionText(section);
    std::vector<char> text(kSectionBufferStart, '\0');
    DWORD length = 0;
    // A buffer too small is filled to its size less 2; only a larger one tells.
    for (;;) {
        const auto size = static_cast<DWORD>(text.size());
        length = ::GetPrivateProfileSectionA(sectionText.c_str(), text.data(), size, path.c_str());
        if (length + 2 < size) {
            break;
        }
        text.assign(text.size() * 2, '\0');
    }
    std::vector<std::string> entries;
    // The lines come one after another, each ended by a NUL.
    for (DWORD start = 0; start < length;) {
        std::string line(text.data() + start);
        if (line.empty()) {
            break;
        }
        start += static_cast<DWORD>(line.size()) + 1;
        entries.push_back(std::move(line));
    }
    return entries;
}

std::string ExecutablePath() {
    char buffer[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameA(nullptr, buffer, MAX_PATH);
    return std::string(buffer, length);
}

} // namespace quillmere::win32

#include "platform/win32/Win32ShellLauncher.h"

#include <shellapi.h>

#include <string>

namespace quillmere::win32 {

void Win32ShellLauncher::ShellOpen(std::string_view verb, const std::string& file,
                                   std::string_view directory) {
    const std::string verbText(verb);
    const std::string directoryText(directory);
    ::ShellExecuteA(m_owner, verbText.empty() ? nullptr : verbText.c_str(), file.c_str(), nullptr,
                    directoryText.c_str(), SW_SHOWNORMAL);
}

} // namespace quillmere::win32

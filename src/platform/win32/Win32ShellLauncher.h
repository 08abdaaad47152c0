#pragma once

#include "app/ShellLauncher.h"

#include <windows.h>

namespace quillmere::win32 {

// ShellExecuteA on behalf of one window, which owns any message the shell shows.
class Win32ShellLauncher final : public ShellLauncher {
public:
    explicit Win32ShellLauncher(HWND owner) : m_owner(owner) {}
    void ShellOpen(std::string_view verb, const std::string& file,
                   std::string_view directory) override;

private:
    HWND m_owner;
};

} // namespace quillmere::win32

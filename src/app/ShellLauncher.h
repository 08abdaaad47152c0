#pragma once

#include <string>
#include <string_view>

namespace quillmere {

// Working directory handed to the shell with every document or address.
inline constexpr std::string_view kShellDirectory = "c:\\";

// Hands a document or an address to the shell, which opens it with the
// program associated with it (ShellExecuteA with no parameters and
// SW_SHOWNORMAL, owned by the window that asks). Nothing is reported: a
// missing file or program simply opens nothing.
class ShellLauncher {
public:
    virtual ~ShellLauncher() = default;
    // An empty verb asks for the default action.
    virtual void ShellOpen(std::string_view verb, const std::string& file,
                           std::string_view directory) = 0;
};

} // namespace quillmere

#pragma once

#include <windows.h>

#include <cstdint>
#include <string_view>
#include <vector>

namespace quillmere::win32 {

// The resource type of the mode illustrations in the executable.
inline constexpr const char* kGifResourceType = "GIF";

// A copy of the bytes of the "GIF" resource `name` in `module`, the name
// matched without regard to letter case. Throws ProgramError when the module
// has no such resource.
std::vector<std::uint8_t> LoadGifResource(HMODULE module, std::string_view name);

} // namespace quillmere::win32

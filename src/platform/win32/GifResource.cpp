#include "platform/win32/GifResource.h"

#include "common/ProgramError.h"

#include <string>

namespace quillmere::win32 {

std::vector<std::uint8_t> LoadGifResource(HMODULE module, std::string_view name) {
    // Resource compilers store string names in upper case and the loader
    // upper-cases the name it is given; doing it here as well keeps the match
    // independent of the loader's own folding.
    std::string upper(name);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    HRSRC info = ::FindResourceA(module, upper.c_str(), kGifResourceType);
    HGLOBAL loaded = info != nullptr ? ::LoadResource(module, info) : nullptr;
    const void* data = loaded != nullptr ? ::LockResource(loaded) : nullptr;
    const DWORD size = info != nullptr ? ::SizeofResource(module, info) : 0;
    if (data == nullptr || size == 0) {
        throw ProgramError("Resource " + std::string(name) + " not found");
    }
    // Resources of a loaded module need no release; the copy is ours to keep.
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    return std::vector<std::uint8_t>(bytes, bytes + size);
}

} // namespace quillmere::win32

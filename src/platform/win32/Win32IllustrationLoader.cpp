#include "platform/win32/Win32IllustrationLoader.h"

#include "app/GifAnimation.h"
#include "platform/win32/GifResource.h"

namespace quillmere::win32 {

void LoadIllustration(HMODULE module, std::string_view name, AnimatedPicture& picture) {
    const std::vector<std::uint8_t> bytes = LoadGifResource(module, name);
    picture.SetAnimation(DecodeGif(bytes));
}

void Win32IllustrationLoader::LoadIllustration(std::string_view name) {
    win32::LoadIllustration(m_module, name, m_picture);
}

} // namespace quillmere::win32

#pragma once

#include "app/IllustrationLoader.h"
#include "platform/win32/AnimatedPicture.h"

#include <windows.h>

#include <string_view>

namespace quillmere::win32 {

// LoadIllustration(name, picture): the "GIF" resource `name` of `module`
// (any letter case), decoded from a copy of its bytes, put into `picture`,
// which drops its previous animation and plays this one from frame 1.
// Throws ProgramError when the resource is missing or does not decode.
void LoadIllustration(HMODULE module, std::string_view name, AnimatedPicture& picture);

// The main window's loader, bound to its `img` and to the program's own module.
class Win32IllustrationLoader : public IllustrationLoader {
public:
    Win32IllustrationLoader(HMODULE module, AnimatedPicture& picture)
        : m_module(module), m_picture(picture) {}

    void LoadIllustration(std::string_view name) override;

private:
    HMODULE m_module;
    AnimatedPicture& m_picture;
};

} // namespace quillmere::win32

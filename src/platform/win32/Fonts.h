#pragma once

#include "platform/win32/DpiScale.h"
#include "platform/win32/UniqueHandle.h"

#include <windows.h>

#include <initializer_list>

namespace quillmere::win32 {

// Whether a font family of this exact face name is installed.
bool FontFaceInstalled(const char* face) noexcept;

// A regular font of the first installed face among `faces` (the last one is
// taken when none is installed, and the font mapper picks its nearest), with
// a character height of designHeight pixels at 96 DPI, scaled by `scale`.
UniqueFont CreateFaceFont(std::initializer_list<const char*> faces, int designHeight,
                          const DpiScale& scale) noexcept;

} // namespace quillmere::win32

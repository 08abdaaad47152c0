#include "platform/win32/Fonts.h"

namespace quillmere::win32 {

namespace {

int CALLBACK NoteFamily(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

} // namespace

bool FontFaceInstalled(const char* face) noexcept {
    LOGFONTA query{};
    query.lfCharSet = DEFAULT_CHARSET;
    ::lstrcpynA(query.lfFaceName, face, LF_FACESIZE);
    bool found = false;
    HDC screen = ::GetDC(nullptr);
    if (screen != nullptr) {
        ::EnumFontFamiliesExA(screen, &query, &NoteFamily, reinterpret_cast<LPARAM>(&found), 0);
        ::ReleaseDC(nullptr, screen);
    }
    return found;
}

UniqueFont CreateFaceFont(std::initializer_list<const char*> faces, int designHeight,
                          const DpiScale& scale) noexcept {
    const char* chosen = "";
    for (const char* face : faces) {
        chosen = face;
        if (FontFaceInstalled(face)) {
            break;
        }
    }
    LOGFONTA font{};
    // Negative: the character height, without the internal leading.
    font.lfHeight = -scale(designHeight);
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = DEFAULT_QUALITY;
    ::lstrcpynA(font.lfFaceName, chosen, LF_FACESIZE);
    return UniqueFont(::CreateFontIndirectA(&font));
}

} // namespace quillmere::win32

#include "platform/win32/ErrorBox.h"

namespace quillmere::win32 {

std::string ErrorBoxText(std::string_view message) {
    std::string text(message);
    if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') {
        text += '.';
    }
    return text;
}

void ShowErrorBox(HWND owner, std::string_view message) {
    const std::string text = ErrorBoxText(message);
    ::MessageBoxA(owner, text.c_str(), kApplicationTitle, MB_ICONERROR | MB_OK);
}

} // namespace quillmere::win32

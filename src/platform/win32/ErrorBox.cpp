#include "platform/win32/ErrorBox.h"

namespace quillmere::win32 {

void MessageBoxErrorReporter::ShowError(const std::string& text) {
    ::MessageBoxA(m_owner, text.c_str(), kApplicationTitle, MB_ICONERROR | MB_OK);
}

void ShowErrorBox(HWND owner, const std::string& message) {
    MessageBoxErrorReporter(owner).ShowError(FormatErrorMessage(message));
}

} // namespace quillmere::win32

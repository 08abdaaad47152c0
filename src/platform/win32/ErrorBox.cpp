#include "platform/win32/ErrorBox.h"

#include "app/StartUp.h"

namespace quillmere::win32 {

void MessageBoxErrorReporter::ShowError(const std::string& text) {
    ::MessageBoxA(m_owner, text.c_str(), kApplicationTitle.data(), MB_ICONERROR | MB_OK);
}

void MessageBoxInformation::ShowInformation(std::string_view text, std::string_view caption) {
    ::MessageBoxA(m_owner, std::string(text).c_str(), std::string(caption).c_str(),
                  MB_ICONINFORMATION | MB_OK);
}

} // namespace quillmere::win32

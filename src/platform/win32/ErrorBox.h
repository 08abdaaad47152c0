#pragma once

#include "app/ErrorReporting.h"
#include "app/InformationBox.h"

#include <windows.h>

#include <string>

namespace quillmere::win32 {

// The application's standard error box, modal to its owner (which may be
// null): the text as given, the application title as caption, an OK button
// and the error icon.
class MessageBoxErrorReporter final : public ErrorReporter {
public:
    explicit MessageBoxErrorReporter(HWND owner) : m_owner(owner) {}
    void ShowError(const std::string& text) override;

private:
    HWND m_owner;
};

// The application's message box for notices, modal to its owner: OK button
// and the information icon.
class MessageBoxInformation final : public InformationBox {
public:
    explicit MessageBoxInformation(HWND owner) : m_owner(owner) {}
    void ShowInformation(std::string_view text, std::string_view caption) override;

private:
    HWND m_owner;
};

} // namespace quillmere::win32

#include "app/UnitAbout.h"

#include "app/ProductInfo.h"

#include <string>
#include <utility>

namespace quillmere {

TFrmAbout::TFrmAbout(ShellLauncher& shell, std::function<void()> close)
    : Label1("Quillmere " + std::string(kProductVersion)),
      Label7("website: " + std::string(kWebPage)),
      Label6("Support Email: " + std::string(kSupportEmail)), m_shell(shell),
      m_close(std::move(close)) {
    BtnOK.OnClick = std::bind_front(&TFrmAbout::BtnOKClick, this);
}

void TFrmAbout::Label7Click() {
    m_shell.ShellOpen("open", std::string(kWebPage), kShellDirectory);
}

void TFrmAbout::Label6Click() {
    m_shell.ShellOpen("", "mailto:" + std::string(kSupportEmail), kShellDirectory);
}

void TFrmAbout::BtnOKClick() {
    if (m_close) {
        m_close();
    }
}

} // namespace quillmere

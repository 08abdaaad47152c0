#pragma once

#include "app/FlatControls.h"
#include "app/ShellLauncher.h"

#include <functional>

namespace quillmere {

// The About window's model and handlers, free of any window system: the
// product's name and version and two links, to the web page and to the
// support e-mail address. The window that shows it draws the labels and the
// button, runs Label7Click and Label6Click for clicks on the links and
// BtnOK's Click for "Ok", and closes itself when the form calls close.
class TFrmAbout {
public:
    // shell must outlive the form.
    TFrmAbout(ShellLauncher& shell, std::function<void()> close);
    TFrmAbout(const TFrmAbout&) = delete;
    TFrmAbout& operator=(const TFrmAbout&) = delete;

    // Opens the web page in the system's browser.
    void Label7Click();
    // Opens a new message to the support address in the system's mail program.
    void Label6Click();
    // Closes the window, which ends its modal loop.
    void BtnOKClick();

    LabelModel Label1;
    LabelModel Label7;
    LabelModel Label6;
    ButtonModel BtnOK{"Ok"};

private:
    ShellLauncher& m_shell;
    std::function<void()> m_close;
};

} // namespace quillmere

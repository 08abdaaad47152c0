#pragma once

#include "settings/IniStore.h"

#include <string>
#include <string_view>

namespace quillmere {

// What the process entry needs of the window system. Results of the window
// calls are not checked, except that a window that cannot be made ends the
// start.
class ProcessShell {
public:
    virtual ~ProcessShell() = default;
    // Claims the one copy of the program allowed in the user's session; false
    // when another copy already holds it.
    virtual bool ClaimSingleCopy() = 0;
    // Asks the copy that runs to bring its main window back from the
    // notification area to the front. Never waits long on it.
    virtual void ShowRunningCopy() = 0;
    // The invisible owner of every window of ours; false when refused.
    virtual bool CreateApplicationWindow() = 0;
    // SetProcessShutdownParameters(level, 0): where this process stands in the
    // order in which the session's end reaches programs (higher is earlier).
    virtual void SetShutdownLevel(unsigned level) = 0;
    virtual bool FileExists(const std::string& path) = 0;
    // SetWindowPos(application window, HWND_TOPMOST, 0, 0, 0, 0, 0x53).
    virtual void MakeApplicationTopmost() = 0;
    // The application window's caption, the text of the taskbar entry.
    virtual void SetApplicationTitle(std::string_view title) = 0;
    // Creates the main window, hidden; its creation sequence runs inside.
    // False when refused.
    virtual bool CreateMainWindow() = 0;
    // Shows the main window and runs the event loop until the main window
    // has closed; returns the loop's exit status.
    virtual int RunEventLoop() = 0;
    // The fatal-error box: captioned "Application Error", the message, an OK
    // button and the error icon.
    virtual void ShowFatalError(const std::string& message) = 0;
};

inline constexpr std::string_view kApplicationTitle = "Quillmere";
// Above the 0x280 that every program gets, in the range 0x300-0x3FF that
// applications use to be told first: the session's end reaches this program
// before the host, so the palettes are back before the host saves its layout.
inline constexpr unsigned kShutdownLevel = 0x300;

// The process from start to end. A second copy in the session only shows the
// first one and ends with status 0, touching no file and no palette. Else: its place before
// the host at the session's end; the application window; on the very first
// start (no settings file beside the executable) the default settings and
// the topmost call; the title; the main window; the event loop. Returns the
// exit status: the loop's (0 after a normal end), or 1 when the first-start
// settings cannot be written (after the fatal-error box) or a window cannot
// be made.
int RunProgram(ProcessShell& shell, IniStore& store, std::string_view executablePath);

} // namespace quillmere

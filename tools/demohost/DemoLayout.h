#pragma once

// The desktop that the demo host puts up, shared by the demo host and the
// end-to-end probes so that both agree on what a first scan must find. The
// screen is the 1280 x 1024 Xvfb display; its work area is the whole screen.
// Rectangles are screen pixels, right/bottom exclusive.

#include <cstdint>

namespace demo {

inline constexpr int kScreenWidth = 1280;
inline constexpr int kWorkAreaHeight = 1024;

// Main window of class "Photoshop": 1200 wide, so a palette may be at most 600 wide.
inline constexpr int kHostLeft = 40;
inline constexpr int kHostTop = 30;
inline constexpr int kHostRight = 1240;
inline constexpr int kHostBottom = 990;

enum class Kind {
    Palette,     // a palette the scan must list
    DialogFrame, // WS_DLGFRAME: rejected
    ButtonChild, // has a "Button" child: rejected
    ViewButton,  // has a "PSViewC" child that has a "Button" child: rejected
    TooWide,     // wider than half the host: rejected
    HostCaption, // captioned "Adobe Photoshop": rejected
    Invisible,   // not WS_VISIBLE: rejected
};

struct DemoWindow {
    const char* Caption;
    Kind WindowKind;
    int Left, Top, Right, Bottom;
    // For palettes: the edge the scan must give and where the first scan
    // must slide it (top-left of the hidden position).
    const char* Edge;
    int HiddenX, HiddenY;
};

inline constexpr DemoWindow kWindows[] = {
    // Fully on screen, nearest the right edge (distance 40).
    {"Layers", Kind::Palette, 1040, 100, 1240, 400, "right", 1270, 100},
    // Partly off the right edge.
    {"Navigator", Kind::Palette, 1180, 450, 1380, 650, "right", 1270, 450},
    // Fully on screen, nearest the left edge (distance 20).
    {"Color", Kind::Palette, 20, 120, 220, 320, "left", -190, 120},
    // Untitled, nearest the bottom (distance 24).
    {"", Kind::Palette, 500, 850, 700, 1000, "bottom", 500, 1014},
    // Untitled, partly off the left edge.
    {"", Kind::Palette, -50, 500, 150, 700, "left", -190, 500},
    {"Dialog", Kind::DialogFrame, 400, 200, 600, 300, nullptr, 0, 0},
    {"Buttoned", Kind::ButtonChild, 400, 320, 600, 420, nullptr, 0, 0},
    {"Viewer", Kind::ViewButton, 400, 440, 600, 540, nullptr, 0, 0},
    {"Wide", Kind::TooWide, 300, 560, 1000, 660, nullptr, 0, 0},
    {"Adobe Photoshop", Kind::HostCaption, 400, 680, 600, 780, nullptr, 0, 0},
    {"Hidden", Kind::Invisible, 400, 100, 600, 180, nullptr, 0, 0},
};

inline constexpr int kWindowCount = static_cast<int>(sizeof(kWindows) / sizeof(kWindows[0]));

// Commands the demo host's main window ("Photoshop") accepts, posted as
// window messages by the test programs (or sent by democtl.exe).
inline constexpr unsigned kMsgMinimise = 0x8000 + 1; // WM_APP + 1: minimise the host
inline constexpr unsigned kMsgRestore = 0x8000 + 2;  // WM_APP + 2: restore it
inline constexpr unsigned kMsgOpenPalette =
    0x8000 + 3; // wParam: left, lParam: top; caption "Opened"
inline constexpr unsigned kMsgClosePalette = 0x8000 + 4;  // wParam: index into kWindows
inline constexpr unsigned kMsgRenamePalette = 0x8000 + 5; // wParam: index; new caption "Renamed"
inline constexpr unsigned kMsgHang = 0x8000 + 6;          // wParam: milliseconds not to answer

} // namespace demo

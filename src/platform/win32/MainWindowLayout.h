#pragma once

// The main window's drawing plan at 96 DPI: client coordinates (left, top,
// width, height), scaled by DpiScale for the screen. Labels, connector lines
// and the header are painted by the window itself; the controls that take
// input are child windows at the rectangles below. The end-to-end probes
// read the same rectangles.

#include "platform/win32/DpiScale.h"

#include <windows.h>

namespace quillmere::win32::layout {

using Box = DesignBox;

inline constexpr COLORREF kBackground = RGB(98, 138, 178);
inline constexpr COLORREF kSeparatorGrey = RGB(160, 160, 164);
inline constexpr COLORREF kConnectorBlack = RGB(0, 0, 0);

// The window is this square; only the circle inside its region shows.
inline constexpr int kClientSize = 436;
inline constexpr int kRegionDiameter = 430;

// The header panel reaches 16 px above the window and 5 px past its right
// edge, so that only its left and bottom bevels show.
inline constexpr Box kPanel1{0, -16, 441, 121};
// Items of the header, placed in the panel at (125, 64), (170, 62) and
// (161, 80); here in the window's client coordinates.
inline constexpr Box kImage1{125, 48, 33, 41};
inline constexpr Box kLabel4{170, 46, 129, 23};
inline constexpr Box kLabel5{161, 64, 141, 27};

enum class LabelFont { Window, Header };

struct PaintedLabel {
    const char* Text;
    Box Bounds;
    LabelFont Font;
};

inline constexpr PaintedLabel kHeaderLabels[] = {
    {"Adobe Photoshop", kLabel4, LabelFont::Header},
    {"Quillmere", kLabel5, LabelFont::Header},
};

inline constexpr PaintedLabel kLabels[] = {
    {"Select hidden type", {72, 112, 121, 24}, LabelFont::Window},   // Label1
    {"Hidden windows list", {264, 112, 129, 16}, LabelFont::Window}, // Label2
    {"Options", {261, 244, 57, 16}, LabelFont::Window},              // Label3
};

// LblSetting: centred and word-wrapped; its text follows the mode.
inline constexpr Box kLblSetting{45, 232, 172, 33};

// The mode's illustration and the controls, in tab order.
inline constexpr Box kImg{79, 144, 102, 73};
inline constexpr Box kOptionTogether{36, 288, 57, 25};
inline constexpr Box kOptionSeparately{100, 288, 57, 25};
inline constexpr Box kOptionMixed{164, 288, 57, 25};
inline constexpr Box kChkBox{264, 136, 121, 73};
inline constexpr Box kBtnselect{280, 219, 89, 22};
inline constexpr Box kChkEnabled{253, 264, 121, 17};
inline constexpr Box kChkStart{253, 280, 137, 17};
inline constexpr Box kChkTop{253, 296, 121, 17};
inline constexpr Box kBtnOK{132, 344, 73, 25};
inline constexpr Box kBtnAbout{220, 344, 73, 25};
inline constexpr Box kBtnHelp{220, 376, 73, 25};

struct Connector {
    Box Bounds;
    COLORREF Colour;
};

// The trees that join the labels to their controls, and the two separators.
inline constexpr Connector kConnectors[] = {
    {{40, 119, 28, 2}, kConnectorBlack},   // Shape1
    {{40, 120, 2, 167}, kConnectorBlack},  // Shape2
    {{43, 274, 128, 2}, kConnectorBlack},  // Shape3
    {{105, 275, 2, 13}, kConnectorBlack},  // Shape4
    {{169, 275, 2, 13}, kConnectorBlack},  // Shape5
    {{236, 120, 24, 2}, kConnectorBlack},  // Shape6
    {{236, 121, 2, 110}, kConnectorBlack}, // Shape7
    {{249, 137, 2, 71}, kConnectorBlack},  // Shape8
    {{236, 174, 14, 2}, kConnectorBlack},  // Shape9
    {{250, 135, 10, 2}, kConnectorBlack},  // Shape10
    {{250, 207, 10, 2}, kConnectorBlack},  // Shape11
    {{237, 229, 38, 2}, kConnectorBlack},  // Shape12
    {{236, 251, 22, 2}, kConnectorBlack},  // Shape13
    {{236, 252, 2, 55}, kConnectorBlack},  // Shape14
    {{237, 271, 14, 2}, kConnectorBlack},  // Shape15
    {{236, 304, 14, 2}, kConnectorBlack},  // Shape16
    {{236, 287, 14, 2}, kConnectorBlack},  // Shape17
    {{0, 328, 441, 2}, kSeparatorGrey},    // Shape19
    {{0, 104, 451, 2}, kSeparatorGrey},    // Shape20
};

} // namespace quillmere::win32::layout

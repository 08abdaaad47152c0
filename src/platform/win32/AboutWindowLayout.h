#pragma once

// The About window's layout at 96 DPI: its client area and, in its client
// coordinates (left, top, width, height), every rectangle it shows, scaled by
// DpiScale for the screen.

#include "platform/win32/DpiScale.h"

namespace quillmere::win32::about_layout {

inline constexpr int kClientWidth = 291;
inline constexpr int kClientHeight = 216;
inline constexpr DesignBox kImage1{13, 8, 49, 49};
inline constexpr int kIconSize = 32;
inline constexpr DesignBox kLabel1{68, 8, 209, 17};
inline constexpr DesignBox kLabel7{5, 136, 281, 17};
inline constexpr DesignBox kLabel6{12, 160, 273, 17};
inline constexpr DesignBox kBtnOK{120, 184, 73, 25};

} // namespace quillmere::win32::about_layout

#pragma once

#include <cstdint>

namespace quillmere {

// A top-level or child window of any process. Win32 window handles carry 32
// significant bits even in 64-bit processes; 0 means "no window".
using WindowHandle = std::uintptr_t;
inline constexpr WindowHandle kNoWindow = 0;

// Screen pixels; Right and Bottom are exclusive, as GetWindowRect reports them.
struct ScreenRect {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Right = 0;
    std::int32_t Bottom = 0;

    std::int32_t Width() const { return Right - Left; }
    std::int32_t Height() const { return Bottom - Top; }
    bool operator==(const ScreenRect&) const = default;
};

// The screen edge a palette hides behind. None marks a row that no scan has
// placed yet.
enum class ScreenEdge { Left, Right, Bottom, None };

struct ScreenPoint {
    std::int32_t X = 0;
    std::int32_t Y = 0;
    bool operator==(const ScreenPoint&) const = default;
};

// Window style bits the palette test and the host checks rely on.
inline constexpr std::uint32_t kStyleMinimize = 0x20000000;
inline constexpr std::uint32_t kStyleVisible = 0x10000000;
inline constexpr std::uint32_t kStyleBorder = 0x00800000;
inline constexpr std::uint32_t kStyleDlgFrame = 0x00400000;
inline constexpr std::uint32_t kStyleChild = 0x40000000;
inline constexpr std::uint32_t kStylePopup = 0x80000000;

} // namespace quillmere

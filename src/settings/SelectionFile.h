#pragma once

#include "host/PSinfo.h"

#include <string>
#include <string_view>
#include <vector>

namespace quillmere {

inline constexpr std::string_view kSelectionSection = "Options";

// An edge as the selection file spells it: "left", "right", "bottom", and ""
// for None.
std::string_view EdgeName(ScreenEdge edge);
// The edge EdgeName gives that text for; exact and case-sensitive, anything
// else is None.
ScreenEdge ParseEdge(std::string_view text);

// How a palette is known in the selection file: its edge and its home
// position along that edge ("left,120", "bottom,344").
std::string SelectionValue(const PSinfo& row);

// True when any "name=value" line's text after its first "=" equals value
// exactly. Names are not looked at.
bool IsListedInSelection(const std::vector<std::string>& lines, std::string_view value);

} // namespace quillmere

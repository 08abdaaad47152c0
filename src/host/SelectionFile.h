#pragma once

#include "host/PSinfo.h"
#include "host/PaletteTable.h"
#include "settings/IniFile.h"
#include "settings/IniStore.h"

#include <string>
#include <string_view>
#include <vector>

namespace quillmere {

// "Options.ini": the palettes the user left unticked, known by edge and place.
inline constexpr std::string_view kSelectionFileName = "Options.ini";
inline constexpr std::string_view kSelectionSection = "Options";

// "Options.ini" beside the executable, opened afresh by each user.
IniFile SelectionFileFor(IniStore& store, std::string_view executablePath);

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

// Rewrites section "Options" from the table, in one write, so that the file
// holds either the old section or the new one: one entry per unticked row, named
// by its index from 0 in row order (or, when an entry kept below has that
// name, by the next number past the last row index), valued by its
// SelectionValue. Every other entry already in the file follows as it stands,
// name and value, in file order, unless the user has ticked a row of its value
// (TickedByUser): a palette that is closed, a host that is not running, a
// palette the host made anew and an entry that could not be read at start
// never cost the user a saved choice. The section is read before anything is
// written, so a file that cannot be read (ProgramError) is left untouched; a
// refused write throws ProgramError; other sections are left alone.
void SaveSelection(const PaletteTable& table, const IniFile& selectionFile);

} // namespace quillmere

#pragma once

#include "app/CheckList.h"
#include "host/HostWindowSystem.h"
#include "host/PaletteTable.h"
#include "settings/IniFile.h"

namespace quillmere {

// Fills an empty FloatingWindows from the desktop's windows: every palette
// gets its edge, home rectangle and saved choice from the selection file, an
// entry in the check list, and, when hideTicked, is slid out if ticked. A
// table that holds rows is left as it is. A selection file that cannot be read
// leaves every palette ticked, and its ProgramError escapes once the table
// and the list are complete.
void FirstScan(HostTables& tables, HostWindowSystem& windows, const IniFile& selectionFile,
               CheckList& chkBox, bool hideTicked);

// One run of the periodic re-scan: empties the table when the host is gone,
// runs a first scan when it is empty, stays frozen while the host is
// minimised, and rebuilds the table and the check list when palettes came,
// went or were renamed.
void RescanPalettes(HostTables& tables, HostWindowSystem& windows, const IniFile& selectionFile,
                    CheckList& chkBox);

// When the monitors differ from those the table was classified on, every row
// is classified afresh from where its palette stands (where it stood slid in,
// when it is slid out), its tick kept, and a palette whose new home is
// elsewhere is moved there; the pointer tracker hides the ticked ones at its
// next tick. Returns whether the monitors had changed.
bool FollowMonitorChange(PaletteTable& table, HostWindowSystem& windows);

} // namespace quillmere

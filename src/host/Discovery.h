#pragma once

#include "host/HostWindowSystem.h"
#include "host/PaletteTable.h"
#include "settings/IniFile.h"

#include <string>

namespace quillmere {

// The main window's palette check list as discovery sees it: discovery
// declares what it needs of the list, and the form's model of the list
// (CheckListModel) fulfils it. Entry i (from 0) stands for table row i + 1.
// Setting a check mark here is the program's own act and never counts as the
// user's click. Each call changes one entry, so that a change of one palette
// costs the list one or two calls, whatever the number of palettes.
class CheckList {
public:
    virtual ~CheckList() = default;

    // A new entry, unchecked, at the end or before entry index.
    virtual void Append(const std::string& text) = 0;
    virtual void Insert(int index, const std::string& text) = 0;
    virtual void Remove(int index) = 0;
    virtual void SetText(int index, const std::string& text) = 0;
    virtual void SetChecked(int index, bool checked) = 0;
};

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

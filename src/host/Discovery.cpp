#include "host/Discovery.h"

#include "common/ProgramError.h"
#include "host/EdgeGeometry.h"
#include "host/PaletteTest.h"
#include "host/ScreenMeasures.h"
#include "host/SelectionFile.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace quillmere {

namespace {

constexpr std::string_view kUntitledPrefix = "Palette";

PaletteTestContext HostContext(HostWindowSystem& windows, WindowHandle host, bool firstScan) {
    return {windows.WindowRectOf(host).Width(), (windows.StyleOf(host) & kStyleMinimize) != 0,
            firstScan};
}

// Fills a freshly appended row for an accepted palette, which stands at rect
// now: handle, edge, home rectangle and title.
void FillRow(PSinfo& row, ScreenMeasures& screen, WindowHandle window, const ScreenRect& rect,
             const std::string& title) {
    row.Handle = window;
    const EdgeChoice choice = ChooseEdgeOn(screen.Monitors(), rect);
    row.Edge = choice.Edge;
    row.Home = choice.Home;
    row.Title = title;
    row.Selected = true;
}

std::string TitleFor(std::string caption, std::int32_t& untitledCount) {
    if (!caption.empty()) {
        return caption;
    }
    ++untitledCount;
    return std::string(kUntitledPrefix) + std::to_string(untitledCount);
}

bool IsUntitledName(const std::string& title) {
    return title.starts_with(kUntitledPrefix);
}

// The re-scan's change test: rows came or went (counts differ, or a handle of
// either table is missing from the other), or a palette's real caption changed.
bool TablesDiffer(const PaletteTable& live, const PaletteTable& scanned) {
    if (live.Count() != scanned.Count()) {
        return true;
    }
    for (const PSinfo& old : live.Rows()) {
        if (scanned.FindByHandle(old.Handle) == 0) {
            return true;
        }
    }
    for (const PSinfo& now : scanned.Rows()) {
        if (live.FindByHandle(now.Handle) == 0) {
            return true;
        }
    }
    for (const PSinfo& old : live.Rows()) {
        for (const PSinfo& now : scanned.Rows()) {
            if (old.Handle == now.Handle && !IsUntitledName(old.Title) &&
                !IsUntitledName(now.Title) && old.Title != now.Title) {
                return true;
            }
        }
    }
    return false;
}

// What an entry of the check list shows, with the palette it stands for.
struct ShownEntry {
    WindowHandle Handle;
    std::string Text;
    bool Checked;
};

std::vector<ShownEntry> ShownEntries(const PaletteTable& table) {
    std::vector<ShownEntry> shown;
    shown.reserve(static_cast<std::size_t>(table.Count()));
    for (const PSinfo& row : table.Rows()) {
        shown.push_back({row.Handle, row.Title, row.Selected});
    }
    return shown;
}

// Brings the check list from what it shows to the rows of the table, entry by
// entry: the entries of palettes gone are removed, those of new palettes are
// inserted at their rows, and an entry that stays changes only where its text
// or mark differs. One palette opened, closed or renamed so costs the list one
// or two calls among any number of palettes (a palette that moved in the
// window order, three).
void UpdateCheckList(std::vector<ShownEntry> shown, const PaletteTable& table, CheckList& chkBox) {
    for (auto i = static_cast<int>(shown.size()) - 1; i >= 0; --i) {
        if (table.FindByHandle(shown[static_cast<std::size_t>(i)].Handle) == 0) {
            chkBox.Remove(i);
            shown.erase(shown.begin() + i);
        }
    }
    for (std::int32_t row = 1; row <= table.Count(); ++row) {
        const PSinfo& palette = table.Row(row);
        const int index = row - 1;
        const auto at = shown.begin() + index;
        if (at == shown.end() || at->Handle != palette.Handle) {
            const auto later = std::find_if(at, shown.end(), [&](const ShownEntry& entry) {
                return entry.Handle == palette.Handle;
            });
            if (later != shown.end()) {
                chkBox.Remove(static_cast<int>(later - shown.begin()));
                shown.erase(later);
            }
            chkBox.Insert(index, palette.Title);
            shown.insert(shown.begin() + index, {palette.Handle, palette.Title, false});
        }
        ShownEntry& entry = shown[static_cast<std::size_t>(index)];
        if (entry.Text != palette.Title) {
            chkBox.SetText(index, palette.Title);
        }
        if (entry.Checked != palette.Selected) {
            chkBox.SetChecked(index, palette.Selected);
        }
    }
}

} // namespace

void FirstScan(HostTables& tables, HostWindowSystem& windows, const IniFile& selectionFile,
               CheckList& chkBox, bool hideTicked) {
    // Rows already there came from a scan the list already shows: a second
    // first scan would list and hide every palette twice.
    if (!tables.FloatingWindows.Empty()) {
        return;
    }
    // The saved choices, read once for the whole scan. A file another program
    // holds does not stop the scan: its palettes come in ticked, and the error
    // is reported once the list is complete, while the file keeps what it holds.
    std::vector<std::string> saved;
    std::optional<ProgramError> unreadable;
    try {
        saved = selectionFile.ReadSection(kSelectionSection);
    } catch (const ProgramError& error) {
        unreadable = error;
    }
    const WindowHandle host = windows.FindTopLevelWindow(kHostClass);
    const PaletteTestContext context = HostContext(windows, host, true);
    PaletteTable& table = tables.FloatingWindows;
    tables.UntitledPaletteCount = 0;
    ScreenMeasures screen(windows);

    windows.EnumerateTopLevelWindows([&](WindowHandle window) {
        PaletteTestResult test = TestPalette(windows, window, context);
        if (test.Verdict != PaletteVerdict::Palette) {
            return true;
        }
        PSinfo& row = table.Append();
        const std::string title = TitleFor(std::move(test.Caption), tables.UntitledPaletteCount);
        chkBox.Append(title);
        const ScreenRect& rect = test.Rect;
        FillRow(row, screen, window, rect, title);

        if (IsListedInSelection(saved, SelectionValue(row))) {
            row.Selected = false;
        }
        if (row.Selected && hideTicked && row.Edge != ScreenEdge::None) {
            const ScreenPoint to = HiddenOrigin(row.Edge, rect, EdgesAt(screen.Monitors(), rect));
            // One already slid out (left so by an earlier run) needs no move.
            if (to.X != rect.Left || to.Y != rect.Top) {
                windows.MoveWindowTo(window, to.X, to.Y, rect.Width(), rect.Height());
            }
        }
        return true;
    });

    table.SetClassifiedOn(screen.Monitors());
    int entry = 0;
    for (const PSinfo& row : table.Rows()) {
        chkBox.SetChecked(entry++, row.Selected);
    }
    if (unreadable) {
        throw *unreadable;
    }
}

bool FollowMonitorChange(PaletteTable& table, HostWindowSystem& windows) {
    ScreenMeasures screen(windows);
    const MonitorLayout& now = screen.Monitors();
    if (!LayoutChanged(table.ClassifiedOn(), now)) {
        return false;
    }
    for (PSinfo& row : table.Rows()) {
        const ScreenRect current = windows.WindowRectOf(row.Handle);
        const EdgeChoice choice = PlaceOnNewLayout(row.Edge, current, table.ClassifiedOn(), now);
        // One slid out where its new home hides it too stays out; any other
        // goes home, and the tracker hides the ticked ones at its next tick.
        const bool hiddenThere =
            choice.Edge == row.Edge &&
            HiddenOrigin(choice.Edge, choice.Home, EdgesAt(now, choice.Home)) ==
                ScreenPoint{current.Left, current.Top};
        if (!hiddenThere && (choice.Home.Left != current.Left || choice.Home.Top != current.Top)) {
            windows.MoveWindowTo(row.Handle, choice.Home.Left, choice.Home.Top, current.Width(),
                                 current.Height());
        }
        row.Edge = choice.Edge;
        row.Home = choice.Home;
    }
    table.SetClassifiedOn(now);
    return true;
}

void RescanPalettes(HostTables& tables, HostWindowSystem& windows, const IniFile& selectionFile,
                    CheckList& chkBox) {
    PaletteTable& live = tables.FloatingWindows;
    PaletteTable& scanned = tables.ScannedWindows;

    const WindowHandle host = windows.FindTopLevelWindow(kHostClass);
    if (host == kNoWindow) {
        for (std::int32_t i = live.Count() - 1; i >= 0; --i) {
            chkBox.Remove(i);
        }
        live.Forget();
        return;
    }
    if (live.Empty()) {
        FirstScan(tables, windows, selectionFile, chkBox, true);
        return;
    }
    // Before the freeze: no palette may stay where no monitor shows it.
    FollowMonitorChange(live, windows);
    if ((windows.StyleOf(host) & kStyleMinimize) != 0) {
        return;
    }

    scanned.Forget();
    tables.UntitledPaletteCount = 0;
    const PaletteTestContext context = HostContext(windows, host, false);
    ScreenMeasures screen(windows);
    windows.EnumerateTopLevelWindows([&](WindowHandle window) {
        PaletteTestResult test = TestPalette(windows, window, context);
        if (test.Verdict == PaletteVerdict::Palette) {
            FillRow(scanned.Append(), screen, window, test.Rect,
                    TitleFor(std::move(test.Caption), tables.UntitledPaletteCount));
        }
        return true;
    });
    scanned.SetClassifiedOn(screen.Monitors());

    if (!TablesDiffer(live, scanned)) {
        return;
    }

    // Palettes still there keep what the user and the first scan gave them;
    // the new caption wins.
    for (const PSinfo& old : live.Rows()) {
        for (PSinfo& now : scanned.Rows()) {
            if (old.Handle == now.Handle) {
                now.Home = old.Home;
                now.Selected = old.Selected;
                now.TickedByUser = old.TickedByUser;
                now.Edge = old.Edge;
            }
        }
    }
    std::vector<ShownEntry> shown = ShownEntries(live);
    live.ReplaceWith(scanned);
    UpdateCheckList(std::move(shown), live, chkBox);
}

} // namespace quillmere

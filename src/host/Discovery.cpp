#include "host/Discovery.h"

#include "host/EdgeGeometry.h"
#include "host/PaletteTest.h"
#include "host/ScreenMeasures.h"
#include "host/SelectionFile.h"

#include <string>

namespace quillmere {

namespace {

constexpr std::string_view kUntitledPrefix = "Palette";

PaletteTestContext HostContext(HostWindowSystem& windows, WindowHandle host, bool firstScan) {
    return {windows.WindowRectOf(host).Width(), (windows.StyleOf(host) & kStyleMinimize) != 0,
            firstScan};
}

// Fills a freshly appended row for an accepted palette: handle, edge, home
// rectangle and title. Returns the palette's current rectangle.
ScreenRect FillRow(PSinfo& row, HostWindowSystem& windows, ScreenMeasures& screen,
                   WindowHandle window, const std::string& title) {
    const ScreenRect rect = windows.WindowRectOf(window);
    row.Handle = window;
    const EdgeChoice choice = ChooseEdge(rect, screen.Width(), screen.WorkAreaHeight());
    row.Edge = choice.Edge;
    row.Home = choice.Home;
    row.Title = title;
    row.Selected = true;
    return rect;
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

void RebuildCheckList(const PaletteTable& table, std::int32_t oldCount, CheckList& chkBox) {
    for (std::int32_t i = 0; i < oldCount; ++i) {
        chkBox.RemoveFirst();
    }
    for (const PSinfo& row : table.Rows()) {
        chkBox.Append(row.Title);
    }
    int entry = 0;
    for (const PSinfo& row : table.Rows()) {
        if (row.Selected) {
            chkBox.SetChecked(entry, true);
        }
        ++entry;
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
        const ScreenRect rect = FillRow(row, windows, screen, window, title);

        // The saved choice; the file is read afresh for every palette.
        if (IsListedInSelection(selectionFile.ReadSection(kSelectionSection),
                                SelectionValue(row))) {
            row.Selected = false;
        }
        if (row.Selected && hideTicked) {
            const ScreenPoint to =
                HiddenOrigin(row.Edge, rect, screen.Width(), screen.WorkAreaHeight());
            // One already slid out (left so by an earlier run) needs no move.
            if (to.X != rect.Left || to.Y != rect.Top) {
                windows.MoveWindowTo(window, to.X, to.Y, rect.Width(), rect.Height());
            }
        }
        return true;
    });

    int entry = 0;
    for (const PSinfo& row : table.Rows()) {
        chkBox.SetChecked(entry++, row.Selected);
    }
}

void RescanPalettes(HostTables& tables, HostWindowSystem& windows, const IniFile& selectionFile,
                    CheckList& chkBox) {
    PaletteTable& live = tables.FloatingWindows;
    PaletteTable& scanned = tables.ScannedWindows;

    const WindowHandle host = windows.FindTopLevelWindow(kHostClass);
    if (host == kNoWindow) {
        for (std::int32_t i = 0; i < live.Count(); ++i) {
            chkBox.RemoveFirst();
        }
        live.Forget();
        return;
    }
    if (live.Empty()) {
        FirstScan(tables, windows, selectionFile, chkBox, true);
        return;
    }
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
            FillRow(scanned.Append(), windows, screen, window,
                    TitleFor(std::move(test.Caption), tables.UntitledPaletteCount));
        }
        return true;
    });

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
                now.Edge = old.Edge;
            }
        }
    }
    const std::int32_t oldCount = live.Count();
    live.ReplaceWith(scanned);
    RebuildCheckList(live, oldCount, chkBox);
}

} // namespace quillmere

// End-to-end probe of the first scan against the demo host: the real window
// system (Win32HostWindowSystem), the real profile service (Win32IniStore) and
// a selection file that unticks "Color". Prints one line per check and, last,
// "PASS" or "FAIL".

#include "DemoLayout.h"
#include "common/ProgramError.h"
#include "host/Discovery.h"
#include "host/PSinfo.h"
#include "platform/win32/Win32HostWindowSystem.h"
#include "platform/win32/Win32IniStore.h"
#include "settings/IniFile.h"

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

using quillmere::ScreenRect;

constexpr DWORD kHostWaitMs = 10000;
constexpr DWORD kMoveWaitMs = 2000;
constexpr DWORD kPollMs = 50;

int g_failures = 0;

void Check(bool holds, const std::string& what) {
    std::printf("%s %s\n", holds ? "ok  " : "FAIL", what.c_str());
    std::fflush(stdout);
    if (!holds) {
        ++g_failures;
    }
}

// printf into a std::string (GCC 12 warns wrongly about some chains of
// "literal" + std::string at -O3).
template <typename... Args> std::string Format(const char* format, Args... args) {
    char buffer[512] = {};
    std::snprintf(buffer, sizeof(buffer), format, args...);
    return buffer;
}

std::string Describe(const ScreenRect& rect) {
    return Format("(%d,%d)-(%d,%d)", rect.Left, rect.Top, rect.Right, rect.Bottom);
}

ScreenRect LayoutRect(const demo::DemoWindow& window) {
    return {window.Left, window.Top, window.Right, window.Bottom};
}

ScreenRect RectOf(HWND window) {
    RECT rect{};
    ::GetWindowRect(window, &rect);
    return {rect.left, rect.top, rect.right, rect.bottom};
}

// Where a palette's home is: its layout rectangle, brought fully back on
// screen across the edge it sticks out of.
ScreenRect ExpectedHome(const demo::DemoWindow& window) {
    ScreenRect home = LayoutRect(window);
    const int width = home.Width();
    const int height = home.Height();
    if (home.Left < 0) {
        home = {0, home.Top, width, home.Bottom};
    } else if (home.Right > demo::kScreenWidth) {
        home = {demo::kScreenWidth - width, home.Top, demo::kScreenWidth, home.Bottom};
    } else if (home.Bottom > demo::kWorkAreaHeight) {
        home = {home.Left, demo::kWorkAreaHeight - height, home.Right, demo::kWorkAreaHeight};
    }
    return home;
}

// The check list as discovery drives it, with every call remembered.
class RecordingCheckList final : public quillmere::CheckList {
public:
    struct Entry {
        std::string Text;
        bool Checked = false;
    };

    void Append(const std::string& text) override { Entries.push_back({text, false}); }
    void RemoveFirst() override {
        ++Removals;
        if (!Entries.empty()) {
            Entries.erase(Entries.begin());
        }
    }
    void SetChecked(int index, bool checked) override {
        if (index < 0 || index >= static_cast<int>(Entries.size())) {
            ++OutOfRange;
            return;
        }
        Entries[static_cast<std::size_t>(index)].Checked = checked;
    }

    std::vector<Entry> Entries;
    int Removals = 0;
    int OutOfRange = 0;
};

// One demo window as found on the desktop.
struct Found {
    const demo::DemoWindow* Layout = nullptr;
    HWND Window = nullptr;
};

std::vector<HWND> TopLevelWindowsOfClass(const char* className) {
    struct State {
        const char* ClassName;
        std::vector<HWND> Windows;
    } state{className, {}};
    ::EnumWindows(
        [](HWND window, LPARAM lParam) -> BOOL {
            auto* s = reinterpret_cast<State*>(lParam);
            char name[256] = {};
            ::GetClassNameA(window, name, sizeof(name));
            if (std::string(name) == s->ClassName) {
                s->Windows.push_back(window);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&state));
    return state.Windows;
}

std::string CaptionOf(HWND window) {
    char caption[256] = {};
    ::GetWindowTextA(window, caption, sizeof(caption));
    return caption;
}

// The demo windows in enumeration order, matched to the layout: captioned
// ones by caption, untitled ones by their untouched layout rectangle.
std::vector<Found> FindDemoWindows() {
    std::vector<Found> found;
    for (HWND window : TopLevelWindowsOfClass(quillmere::kPaletteClass.data())) {
        const std::string caption = CaptionOf(window);
        for (const demo::DemoWindow& layout : demo::kWindows) {
            const bool matches = caption.empty() ? std::string(layout.Caption).empty() &&
                                                       RectOf(window) == LayoutRect(layout)
                                                 : caption == layout.Caption;
            if (matches) {
                found.push_back({&layout, window});
                break;
            }
        }
    }
    return found;
}

bool WaitForDemoHost(std::vector<Found>& found) {
    const DWORD start = ::GetTickCount();
    for (;;) {
        found = FindDemoWindows();
        if (::FindWindowA(quillmere::kHostClass.data(), nullptr) != nullptr &&
            static_cast<int>(found.size()) == demo::kWindowCount) {
            return true;
        }
        if (::GetTickCount() - start > kHostWaitMs) {
            return false;
        }
        ::Sleep(kPollMs);
    }
}

bool IsPalette(const Found& window) {
    return window.Layout->WindowKind == demo::Kind::Palette;
}
bool IsColor(const Found& window) {
    return std::string(window.Layout->Caption) == "Color";
}

bool AllTickedHidden(const std::vector<Found>& palettes) {
    for (const Found& palette : palettes) {
        const ScreenRect rect = RectOf(palette.Window);
        if (!IsColor(palette) &&
            (rect.Left != palette.Layout->HiddenX || rect.Top != palette.Layout->HiddenY)) {
            return false;
        }
    }
    return true;
}

void WaitUntil(bool (*done)(const std::vector<Found>&), const std::vector<Found>& windows) {
    const DWORD start = ::GetTickCount();
    while (!done(windows) && ::GetTickCount() - start < kMoveWaitMs) {
        ::Sleep(kPollMs);
    }
}

bool AllAtLayout(const std::vector<Found>& windows) {
    for (const Found& window : windows) {
        if (!(RectOf(window.Window) == LayoutRect(*window.Layout))) {
            return false;
        }
    }
    return true;
}

std::string TempDirectory() {
    char buffer[MAX_PATH] = {};
    const DWORD length = ::GetTempPathA(MAX_PATH, buffer);
    return std::string(buffer, length);
}

void CheckIniStore(quillmere::win32::Win32IniStore& store, const std::string& directory) {
    const std::string path = directory + "quillmere_e2e_store.ini";
    ::DeleteFileA(path.c_str());
    Check(store.ReadValue(path, "Info", "Mode", "Together") == "Together",
          "INI: missing file reads the default");
    Check(store.ReadSection(path, "Info").empty(), "INI: missing file has an empty section");
    store.WriteValue(path, "Info", "Mode", "Mixed");
    store.WriteValue(path, "Info", "Enabled", "Yes");
    store.WriteValue(path, "Info", "mode", "Separately");
    Check(store.ReadValue(path, "INFO", "MODE", "") == "Separately",
          "INI: names match without regard to case, a write replaces the entry");
    const std::vector<std::string> lines = store.ReadSection(path, "Info");
    Check(lines.size() == 2 && lines[0].substr(lines[0].find('=')) == "=Separately" &&
              lines[1] == "Enabled=Yes",
          "INI: read-a-section gives name=value in file order");
    store.EraseSection(path, "Info");
    Check(store.ReadSection(path, "Info").empty() &&
              store.ReadValue(path, "Info", "Enabled", "No") == "No",
          "INI: erase removes the section with its entries");
    ::DeleteFileA(path.c_str());

    const std::string refused = "C:\\quillmere-no-such-directory\\refused.ini";
    std::string message;
    try {
        store.WriteValue(refused, "Info", "Mode", "Mixed");
    } catch (const quillmere::ProgramError& error) {
        message = error.what();
    }
    Check(message == "Unable to write to " + refused,
          "INI: a refused write raises \"Unable to write to <path>\" (got \"" + message + "\")");

    const std::string exe = quillmere::win32::ExecutablePath();
    Check(exe.size() > 19 && exe.substr(exe.size() - 19) == "\\e2e_first_scan.exe",
          "ExecutablePath is this program: " + exe);
}

void CheckRows(const quillmere::PaletteTable& table, const std::vector<Found>& palettes) {
    Check(table.Count() == static_cast<int>(palettes.size()),
          "the table lists " + std::to_string(palettes.size()) + " palettes (got " +
              std::to_string(table.Count()) + ")");
    if (table.Count() != static_cast<int>(palettes.size())) {
        return;
    }
    int untitled = 0;
    for (int i = 1; i <= table.Count(); ++i) {
        const quillmere::PSinfo& row = table.Row(i);
        const demo::DemoWindow& layout = *palettes[static_cast<std::size_t>(i - 1)].Layout;
        const HWND expected = palettes[static_cast<std::size_t>(i - 1)].Window;
        const std::string title = std::string(layout.Caption).empty()
                                      ? "Palette" + std::to_string(++untitled)
                                      : std::string(layout.Caption);
        const std::string name = "row " + std::to_string(i) + " \"" + title + "\"";
        Check(row.Handle == reinterpret_cast<quillmere::WindowHandle>(expected),
              name + ": handle in enumeration order");
        Check(row.Title == title, name + ": title (got \"" + row.Title + "\")");
        Check(row.Edge == layout.Edge, name + ": edge " + layout.Edge + " (got " + row.Edge + ")");
        const ScreenRect home{row.Left, row.Top, row.Right, row.Bottom};
        Check(home == ExpectedHome(layout),
              name + ": home " + Describe(ExpectedHome(layout)) + " (got " + Describe(home) + ")");
        const bool wantSelected = title != "Color";
        Check(row.Selected == wantSelected,
              name + (wantSelected ? ": ticked" : ": unticked by the selection file"));
    }
}

void CheckList(const RecordingCheckList& list, const quillmere::PaletteTable& table) {
    Check(static_cast<int>(list.Entries.size()) == table.Count() && list.Removals == 0 &&
              list.OutOfRange == 0,
          "check list: one entry per row, nothing removed, no index out of range");
    for (int i = 1; i <= table.Count() && i <= static_cast<int>(list.Entries.size()); ++i) {
        const RecordingCheckList::Entry& entry = list.Entries[static_cast<std::size_t>(i - 1)];
        const quillmere::PSinfo& row = table.Row(i);
        Check(entry.Text == row.Title && entry.Checked == row.Selected,
              "check list entry " + std::to_string(i - 1) + ": \"" + entry.Text + "\" " +
                  (entry.Checked ? "[x]" : "[ ]") + " mirrors its row");
    }
}

void CheckMoves(const std::vector<Found>& palettes, const std::vector<Found>& others) {
    WaitUntil(AllTickedHidden, palettes);
    for (const Found& palette : palettes) {
        const ScreenRect now = RectOf(palette.Window);
        const ScreenRect before = LayoutRect(*palette.Layout);
        const std::string name =
            Format("\"%s\" at %s", palette.Layout->Caption, Describe(before).c_str());
        const bool sizeKept = now.Width() == before.Width() && now.Height() == before.Height();
        if (IsColor(palette)) {
            Check(now == before, name + ": unticked, not moved (now " + Describe(now) + ")");
        } else {
            Check(now.Left == palette.Layout->HiddenX && now.Top == palette.Layout->HiddenY &&
                      sizeKept,
                  name + Format(": slid out to (%d,%d), size kept (now %s)",
                                palette.Layout->HiddenX, palette.Layout->HiddenY,
                                Describe(now).c_str()));
        }
    }
    for (const Found& other : others) {
        Check(RectOf(other.Window) == LayoutRect(*other.Layout),
              Format("\"%s\" (not a palette) not moved", other.Layout->Caption));
    }
}

// Puts the palettes back where the layout has them, so that a second run
// against the same demo host finds them where it expects them.
void RestorePalettes(const std::vector<Found>& palettes) {
    for (const Found& palette : palettes) {
        const ScreenRect home = LayoutRect(*palette.Layout);
        ::SetWindowPos(palette.Window, nullptr, home.Left, home.Top, home.Width(), home.Height(),
                       SWP_NOZORDER | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS);
    }
    WaitUntil(AllAtLayout, palettes);
}

} // namespace

int main() {
    std::vector<Found> found;
    if (!WaitForDemoHost(found)) {
        Check(false, "the demo host and its " + std::to_string(demo::kWindowCount) +
                         " windows are up (found " + std::to_string(found.size()) + ")");
        std::printf("FAIL\n");
        return 1;
    }
    std::vector<Found> palettes;
    std::vector<Found> others;
    for (const Found& window : found) {
        (IsPalette(window) ? palettes : others).push_back(window);
    }
    Check(AllAtLayout(found), "every demo window stands at its layout rectangle before the scan");

    quillmere::win32::Win32HostWindowSystem windows;
    Check(windows.ScreenWidth() == demo::kScreenWidth,
          "screen width " + std::to_string(windows.ScreenWidth()));
    Check(windows.WorkAreaHeight() == demo::kWorkAreaHeight,
          "work-area height " + std::to_string(windows.WorkAreaHeight()));

    quillmere::win32::Win32IniStore store;
    const std::string directory = TempDirectory();
    try {
        CheckIniStore(store, directory);

        const quillmere::IniFile selection(store, directory + "quillmere_e2e_Options.ini");
        ::DeleteFileA(selection.Path().c_str());
        selection.WriteValue("Options", "0", "left,120");

        quillmere::HostTables tables;
        RecordingCheckList list;
        const DWORD start = ::GetTickCount();
        quillmere::FirstScan(tables, windows, selection, list, true);
        std::printf("info first scan took %lu ms\n",
                    static_cast<unsigned long>(::GetTickCount() - start));

        CheckRows(tables.FloatingWindows, palettes);
        CheckList(list, tables.FloatingWindows);
        CheckMoves(palettes, others);
        ::DeleteFileA(selection.Path().c_str());
    } catch (const std::exception& error) {
        Check(false, std::string("no error escapes: ") + error.what());
    }
    RestorePalettes(palettes);

    std::printf("%s\n", g_failures == 0 ? "PASS" : "FAIL");
    return g_failures == 0 ? 0 : 1;
}

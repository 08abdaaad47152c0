// End-to-end probe of the first scan against the demo host: the real window
// system (Win32HostWindowSystem), the real profile service (Win32IniStore) and
// a selection file that unticks "Color". Prints one line per check and, last,
// "PASS" or "FAIL".

#include "DemoDesktop.h"
#include "RecordingCheckList.h"
#include "common/ProgramError.h"
#include "host/Discovery.h"
#include "host/PSinfo.h"
#include "host/SelectionFile.h"
#include "platform/win32/Win32HostWindowSystem.h"
#include "platform/win32/Win32IniStore.h"
#include "settings/IniFile.h"

#include <windows.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace probe;
using quillmere::testing::RecordingCheckList;

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

std::string SectionOf(quillmere::win32::Win32IniStore& store, const std::string& path,
                      std::size_t& count) {
    const std::vector<std::string> lines = store.ReadSection(path, "Options");
    count = lines.size();
    return lines.empty() ? std::string() : lines.back();
}

// A section is read whole, whatever its size, and a file another program holds
// is reported, never taken for empty.
void CheckHostileSections(quillmere::win32::Win32IniStore& store, const std::string& directory) {
    const std::string path = directory + "quillmere_e2e_hostile.ini";
    const auto write = [&](const std::string& options) {
        std::ofstream(path, std::ios::binary) << "[Options]\r\n" << options << "[Info]\r\nx=1\r\n";
    };
    std::size_t count = 0;
    write(std::string(20000, 'n') + "=x\r\n0=left,120\r\n");
    std::string last = SectionOf(store, path, count);
    Check(last == "0=left,120" && count == 2,
          Format("INI: an entry after a 20 KB name is read (%d lines)", static_cast<int>(count)));
    write("0=" + std::string(65536, 'v') + "\r\n");
    Check(SectionOf(store, path, count).size() == 2 + 65536, "INI: a 64 KB value is read uncut");
    std::string many;
    for (int i = 0; i < 100000; ++i) {
        many += std::to_string(i) + "=left," + std::to_string(i) + "\r\n";
    }
    write(many);
    last = SectionOf(store, path, count);
    Check(last == "99999=left,99999" && count == 100000,
          Format("INI: 100,000 entries are read (%d)", static_cast<int>(count)));

    write("0=left,120\r\n");
    HANDLE held = ::CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    std::string message;
    try {
        store.ReadSection(path, "Options");
    } catch (const quillmere::ProgramError& error) {
        message = error.what();
    }
    Check(message == "Unable to read " + path,
          "INI: a file held without sharing raises \"Unable to read <path>\" (got \"" + message +
              "\")");
    // Let go of while the read retries: it then succeeds.
    std::thread release([&] {
        ::Sleep(300);
        ::CloseHandle(held);
    });
    message.clear();
    try {
        message = SectionOf(store, path, count);
    } catch (const quillmere::ProgramError& error) {
        message = error.what();
    }
    release.join();
    Check(message == "0=left,120",
          "INI: a file let go of within the retries is read (got \"" + message + "\")");
    ::DeleteFileA(path.c_str());
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

    CheckHostileSections(store, directory);

    const std::string exe = quillmere::win32::ExecutablePath();
    Check(exe.size() > 19 && exe.substr(exe.size() - 19) == "\\e2e_first_scan.exe",
          "ExecutablePath is this program: " + exe);
}

void CheckRows(const quillmere::PaletteTable& table, const std::vector<Found>& palettes) {
    Check(table.Count() == static_cast<int>(palettes.size()),
          Format("the table lists %d palettes (got %d)", static_cast<int>(palettes.size()),
                 table.Count()));
    if (table.Count() != static_cast<int>(palettes.size())) {
        return;
    }
    const std::vector<std::string> titles = ExpectedTitles(palettes);
    for (int i = 1; i <= table.Count(); ++i) {
        const quillmere::PSinfo& row = table.Row(i);
        const Found& palette = palettes[static_cast<std::size_t>(i - 1)];
        const std::string& title = titles[static_cast<std::size_t>(i - 1)];
        const std::string name = Format("row %d \"%s\"", i, title.c_str());
        Check(row.Handle == reinterpret_cast<quillmere::WindowHandle>(palette.Window),
              name + ": handle in enumeration order");
        Check(row.Title == title, name + ": title (got \"" + row.Title + "\")");
        const std::string edge(quillmere::EdgeName(row.Edge));
        Check(edge == palette.Layout->Edge,
              name + ": edge " + palette.Layout->Edge + " (got " + edge + ")");
        const ScreenRect& home = row.Home;
        const ScreenRect expectedHome = ExpectedHome(*palette.Layout);
        Check(home == expectedHome,
              name + ": home " + Describe(expectedHome) + " (got " + Describe(home) + ")");
        const bool wantSelected = !palette.Is("Color");
        Check(row.Selected == wantSelected,
              name + (wantSelected ? ": ticked" : ": unticked by the selection file"));
    }
}

void CheckList(const RecordingCheckList& list, const quillmere::PaletteTable& table) {
    // An index out of range throws, and the probe reports it as an escaped error.
    const std::vector<RecordingCheckList::Entry>& entries = list.Entries();
    Check(static_cast<int>(entries.size()) == table.Count() && list.Removals() == 0,
          "check list: one entry per row, nothing removed, no index out of range");
    for (int i = 1; i <= table.Count() && i <= static_cast<int>(entries.size()); ++i) {
        const RecordingCheckList::Entry& entry = entries[static_cast<std::size_t>(i - 1)];
        const quillmere::PSinfo& row = table.Row(i);
        Check(entry.Text == row.Title && entry.Checked == row.Selected,
              "check list entry " + std::to_string(i - 1) + ": \"" + entry.Text + "\" " +
                  (entry.Checked ? "[x]" : "[ ]") + " mirrors its row");
    }
}

// MoveWindowTo must not wait for a hung host. Proven by the order of events,
// not by timing: the host is seen not to answer, the move returns, and the
// host is seen still not answering; the move lands once it answers again.
void CheckMoveWhileHostHangs(quillmere::HostWindowSystem& windows, const Found& color) {
    const HWND host = ::FindWindowA(quillmere::kHostClass.data(), nullptr);
    constexpr DWORD kHangMs = 4000;
    ::PostMessageA(host, demo::kMsgHang, kHangMs, 0);
    Check(WaitUntil([&] { return !Answers(host, 200, SMTO_ABORTIFHUNG | SMTO_BLOCK); }, kHangMs),
          "hang: the host stops answering sent messages");
    const ScreenRect before = RectOf(color.Window);
    windows.MoveWindowTo(reinterpret_cast<quillmere::WindowHandle>(color.Window),
                         color.Layout->HiddenX, color.Layout->HiddenY, before.Width(),
                         before.Height());
    Check(!Answers(host, 200, SMTO_ABORTIFHUNG | SMTO_BLOCK),
          "hang: MoveWindowTo returned while the host still hung");
    const bool landed = WaitUntil(
        [&] {
            const ScreenRect now = RectOf(color.Window);
            return now.Left == color.Layout->HiddenX && now.Top == color.Layout->HiddenY;
        },
        kHangMs + 10000);
    Check(landed, "hang: the move landed once the host answered again (now " +
                      Describe(RectOf(color.Window)) + ")");
}

} // namespace

int main() {
    std::vector<Found> found;
    if (!WaitForDemoHost(found)) {
        return Verdict();
    }
    const std::vector<Found> palettes = PalettesOf(found);
    Check(AllAtLayout(found), "every demo window stands at its layout rectangle before the scan");

    quillmere::win32::Win32HostWindowSystem windows;
    const quillmere::MonitorLayout monitors = windows.Monitors();
    Check(monitors.Count == 1 && monitors.At(0).Primary &&
              monitors.At(0).Bounds ==
                  ScreenRect{0, 0, demo::kScreenWidth, demo::kWorkAreaHeight} &&
              monitors.At(0).WorkArea.Height() == demo::kWorkAreaHeight,
          Format("one primary monitor %s, work area %s", Describe(monitors.At(0).Bounds).c_str(),
                 Describe(monitors.At(0).WorkArea).c_str()));

    quillmere::win32::Win32IniStore store;
    const std::string directory = TempDirectory();
    try {
        CheckIniStore(store, directory);

        // "Color" stands at the left edge with its home top at 120.
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
        CheckSlidOut(found, "Color");
        ::DeleteFileA(selection.Path().c_str());

        for (const Found& palette : palettes) {
            if (palette.Is("Color")) {
                CheckMoveWhileHostHangs(windows, palette);
            }
        }
    } catch (const std::exception& error) {
        Check(false, std::string("no error escapes: ") + error.what());
    }
    return Verdict();
}

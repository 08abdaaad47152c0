#include "autohide/PointerTracker.h"
#include "host/Discovery.h"
#include "host/SelectionFile.h"
#include "platform/sim/MemoryIniStore.h"
#include "platform/sim/PortableIniStore.h"
#include "platform/sim/SimulatedDesktop.h"
#include "settings/SettingsFile.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

namespace quillmere {
namespace {

constexpr std::int32_t kScreenWidth = 1280;
constexpr std::int32_t kWorkAreaHeight = 984;
constexpr int kTopLevelWindows = 300;
constexpr const char* kExecutable = "C:\\Quillmere\\quillmere.exe";

// Counts what the palette list is asked to do: each call is one change the
// window's list box has to show.
class CountingCheckList final : public CheckList {
public:
    void Append(const std::string&) override { ++Operations; }
    void Insert(int, const std::string&) override { ++Operations; }
    void Remove(int) override { ++Operations; }
    void SetText(int, const std::string&) override { ++Operations; }
    void SetChecked(int, bool) override { ++Operations; }

    std::uint64_t Operations = 0;
};

// A desktop of 300 top-level windows: other applications' windows on top
// (the largest covers the middle of the screen), then the host's palettes
// spread over the left, right and bottom edges, then the host's main window.
// The table comes from a real first scan, which also slides every palette out.
struct Desktop {
    explicit Desktop(int palettes) {
        const int others = kTopLevelWindows - palettes - 1;
        desktop.Add(
            {"Chrome_WidgetWin_1", "Browser", kStyleVisible | kStyleBorder, {300, 200, 980, 800}});
        for (int i = 1; i < others; ++i) {
            const bool visible = i % 4 != 0;
            desktop.Add({"Window" + std::to_string(i % 7),
                         "Other " + std::to_string(i),
                         (visible ? kStyleVisible : 0u) | kStyleBorder,
                         {250 + i % 50, 150 + i % 40, 900 + i % 50, 700 + i % 40}});
        }
        for (int i = 0; i < palettes; ++i) {
            const std::int32_t along = 10 + (i / 3) * 8;
            ScreenRect rect;
            switch (i % 3) {
            case 0:
                rect = {0, along, 200, along + 150};
                break;
            case 1:
                rect = {kScreenWidth - 200, along, kScreenWidth, along + 150};
                break;
            default:
                rect = {300 + along, kWorkAreaHeight - 150, 500 + along, kWorkAreaHeight};
                break;
            }
            const WindowHandle palette = desktop.AddPalette("Tool " + std::to_string(i), rect);
            desktop.AddChild(palette, "PSViewC",
                             {rect.Left + 5, rect.Top + 5, rect.Right - 5, rect.Bottom - 5});
        }
        desktop.AddHost({40, 0, 1240, kWorkAreaHeight});
        FirstScan(tables, desktop, SelectionFileFor(store, kExecutable), checkList, true);
        settings.WriteValue("Info", "FWoption", "Together");
    }

    sim::SimulatedDesktop desktop{kScreenWidth, kWorkAreaHeight};
    sim::MemoryIniStore store;
    IniFile settings = SettingsFileFor(store, kExecutable);
    HostTables tables;
    CountingCheckList checkList;
    AutoHideGate gate;
};

void ReportCalls(benchmark::State& state, const sim::SimulatedDesktop& desktop) {
    state.counters["calls/op"] = benchmark::Counter(static_cast<double>(desktop.CallCount()),
                                                    benchmark::Counter::kAvgIterations);
    state.counters["palettes"] = static_cast<double>(state.range(0));
}

void RunTicks(benchmark::State& state, Desktop& d, const char* mode, ScreenPoint pointer) {
    d.settings.WriteValue("Info", "FWoption", mode);
    d.desktop.SetCursor(pointer);
    d.desktop.ClearMoves();
    std::size_t moves = 0;
    for (auto _ : state) {
        TrackPointer(d.tables.FloatingWindows, d.desktop, d.settings, d.gate);
        moves += d.desktop.Moves().size();
        d.desktop.ClearMoves();
    }
    state.counters["moves/op"] =
        benchmark::Counter(static_cast<double>(moves), benchmark::Counter::kAvgIterations);
}

// Both delays set to the second argument (ms), and the ticks run at the pointer until they have
// come to rest: a wait the delays start has run out.
void SettleWithDelays(benchmark::State& state, Desktop& d, ScreenPoint pointer) {
    const auto ms = static_cast<std::uint32_t>(state.range(1));
    d.gate.SetDelays({ms, ms});
    state.counters["delay ms"] = static_cast<double>(ms);
    d.desktop.SetCursor(pointer);
    for (int tick = 0; tick < 2; ++tick) {
        TrackPointer(d.tables.FloatingWindows, d.desktop, d.settings, d.gate);
        d.desktop.AdvanceClock(2 * ms);
    }
}

// The pointer over another application's window: every ticked palette is slid out again. Once
// the hide delay has run out the clock is not read any more.
void BM_TickOffPalettesTogether(benchmark::State& state) {
    Desktop d(static_cast<int>(state.range(0)));
    SettleWithDelays(state, d, {640, 500});
    d.desktop.ResetCallCount();
    RunTicks(state, d, "Together", {640, 500});
    ReportCalls(state, d.desktop);
}

// The pointer resting on a shown left palette's child window: the buttons are read, a shown
// palette never waits.
void BM_TickOverShownPalette(benchmark::State& state) {
    Desktop d(static_cast<int>(state.range(0)));
    const ScreenPoint pointer{5, d.tables.FloatingWindows.Row(1).Home.Top + 20};
    SettleWithDelays(state, d, pointer);
    d.desktop.ResetCallCount();
    RunTicks(state, d, "Together", pointer);
    ReportCalls(state, d.desktop);
}

// The pointer on a hidden palette's strip while the reveal delay runs (the simulated clock
// stands still): the buttons and the clock are read, nothing moves.
void BM_TickWaitingOnAStrip(benchmark::State& state) {
    Desktop d(static_cast<int>(state.range(0)));
    d.gate.SetDelays({500, 500});
    d.desktop.ResetCallCount();
    RunTicks(state, d, "Together", {5, d.tables.FloatingWindows.Row(1).Home.Top + 20});
    ReportCalls(state, d.desktop);
}

// The pointer on a left palette's strip, over a child window of it: it comes in and every other
// ticked palette of the left edge goes out.
void BM_TickOverPaletteSeparately(benchmark::State& state) {
    Desktop d(static_cast<int>(state.range(0)));
    const PSinfo& first = d.tables.FloatingWindows.Row(1);
    d.desktop.ResetCallCount();
    RunTicks(state, d, "Separately", {5, first.Home.Top + 20});
    ReportCalls(state, d.desktop);
}

// "Mixed" off palettes and outside every band: all bands are tested, then all slide out.
void BM_TickMixedOutsideEveryBand(benchmark::State& state) {
    Desktop d(static_cast<int>(state.range(0)));
    d.desktop.ResetCallCount();
    RunTicks(state, d, "Mixed", {640, 500});
    ReportCalls(state, d.desktop);
}

// As BM_TickOffPalettesTogether, with the mode read from a real file on disk
// at every tick, as the program does.
void BM_TickSettingsOnDisk(benchmark::State& state) {
    Desktop d(static_cast<int>(state.range(0)));
    const std::string path =
        (std::filesystem::temp_directory_path() / "quillmere-bench-ZC.reg").string();
    PortableIniStore disk;
    const IniFile settings(disk, path);
    settings.WriteValue("Info", "FWoption", "Together");
    d.desktop.SetCursor({640, 500});
    d.desktop.ResetCallCount();
    for (auto _ : state) {
        TrackPointer(d.tables.FloatingWindows, d.desktop, settings, d.gate);
        d.desktop.ClearMoves();
    }
    ReportCalls(state, d.desktop);
    std::filesystem::remove(path);
    std::filesystem::remove(path + ".lock");
}

// The 2000 ms re-scan while nothing changed: no rebuild.
void BM_RescanUnchanged(benchmark::State& state) {
    Desktop d(static_cast<int>(state.range(0)));
    const IniFile selection = SelectionFileFor(d.store, kExecutable);
    d.desktop.ResetCallCount();
    for (auto _ : state) {
        RescanPalettes(d.tables, d.desktop, selection, d.checkList);
    }
    ReportCalls(state, d.desktop);
}

// The re-scan when one palette's caption changes at every run: the table is rebuilt.
void BM_RescanRebuild(benchmark::State& state) {
    Desktop d(static_cast<int>(state.range(0)));
    const IniFile selection = SelectionFileFor(d.store, kExecutable);
    const WindowHandle renamed = d.tables.FloatingWindows.Row(1).Handle;
    bool flip = false;
    std::size_t rebuilds = 0;
    d.desktop.ResetCallCount();
    for (auto _ : state) {
        flip = !flip;
        const char* caption = flip ? "Layers" : "Channels";
        d.desktop.SetCaption(renamed, caption);
        RescanPalettes(d.tables, d.desktop, selection, d.checkList);
        rebuilds += d.tables.FloatingWindows.Row(1).Title == caption ? 1 : 0;
    }
    state.counters["rebuilt/op"] =
        benchmark::Counter(static_cast<double>(rebuilds), benchmark::Counter::kAvgIterations);
    ReportCalls(state, d.desktop);
}

enum class PaletteChange { Open, OpenRestacked, Close, Rename };

// One palette opens, closes or is renamed among the others, and the re-scan
// takes it in; then the change is undone and taken in again. "list ops/change"
// counts what the check list is asked to do for one change. A restacked open
// turns the window order of every palette over first and brings the new one
// on top, as Wine does once the palettes have been slid out: the list follows
// the new window order, a removal and an insertion for each entry that changed
// places, which the window shows together once the re-scan is over.
void RescanAfterChange(benchmark::State& state, PaletteChange change) {
    Desktop d(static_cast<int>(state.range(0)));
    const IniFile selection = SelectionFileFor(d.store, kExecutable);
    const ScreenRect place{0, 500, 200, 650};
    WindowHandle palette = d.tables.FloatingWindows.Row(2).Handle;
    d.checkList.Operations = 0;
    d.desktop.ResetCallCount();
    for (auto _ : state) {
        for (int undo = 0; undo < 2; ++undo) {
            switch (change) {
            case PaletteChange::OpenRestacked:
                if (undo == 0) {
                    for (const PSinfo& row : d.tables.FloatingWindows.Rows()) {
                        d.desktop.BringToTop(row.Handle);
                    }
                }
                [[fallthrough]];
            case PaletteChange::Open:
            case PaletteChange::Close:
                if ((change != PaletteChange::Close) == (undo == 0)) {
                    palette = d.desktop.AddPalette("Opened", place);
                    d.desktop.BringToTop(palette);
                } else {
                    d.desktop.Remove(palette);
                }
                break;
            case PaletteChange::Rename:
                d.desktop.SetCaption(palette, undo == 0 ? "Renamed" : "Tool 1");
                break;
            }
            RescanPalettes(d.tables, d.desktop, selection, d.checkList);
        }
    }
    state.counters["list ops/change"] = benchmark::Counter(
        static_cast<double>(d.checkList.Operations) / 2.0, benchmark::Counter::kAvgIterations);
    ReportCalls(state, d.desktop);
}

void BM_RescanPaletteOpened(benchmark::State& state) {
    RescanAfterChange(state, PaletteChange::Open);
}
void BM_RescanPaletteOpenedRestacked(benchmark::State& state) {
    RescanAfterChange(state, PaletteChange::OpenRestacked);
}
void BM_RescanPaletteClosed(benchmark::State& state) {
    RescanAfterChange(state, PaletteChange::Close);
}
void BM_RescanPaletteRenamed(benchmark::State& state) {
    RescanAfterChange(state, PaletteChange::Rename);
}

// The first scan at start: every palette is listed once.
void BM_FirstScan(benchmark::State& state) {
    Desktop d(static_cast<int>(state.range(0)));
    const IniFile selection = SelectionFileFor(d.store, kExecutable);
    d.checkList.Operations = 0;
    for (auto _ : state) {
        HostTables tables;
        FirstScan(tables, d.desktop, selection, d.checkList, false);
    }
    state.counters["list ops"] = benchmark::Counter(static_cast<double>(d.checkList.Operations),
                                                    benchmark::Counter::kAvgIterations);
    state.counters["palettes"] = static_cast<double>(state.range(0));
}

BENCHMARK(BM_TickOffPalettesTogether)
    ->ArgsProduct({{10, 100}, {0, 500}})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TickOverShownPalette)
    ->ArgsProduct({{10, 100}, {0, 500}})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TickWaitingOnAStrip)->Arg(10)->Arg(100)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TickSettingsOnDisk)->Arg(10)->Arg(100)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TickOverPaletteSeparately)->Arg(10)->Arg(100)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TickMixedOutsideEveryBand)->Arg(10)->Arg(100)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RescanUnchanged)->Arg(10)->Arg(100)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RescanRebuild)->Arg(10)->Arg(100)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RescanPaletteOpened)
    ->Arg(10)
    ->Arg(30)
    ->Arg(60)
    ->Arg(100)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RescanPaletteOpenedRestacked)
    ->Arg(10)
    ->Arg(30)
    ->Arg(60)
    ->Arg(100)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RescanPaletteClosed)
    ->Arg(10)
    ->Arg(30)
    ->Arg(60)
    ->Arg(100)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RescanPaletteRenamed)
    ->Arg(10)
    ->Arg(30)
    ->Arg(60)
    ->Arg(100)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FirstScan)->Arg(10)->Arg(30)->Arg(60)->Arg(100)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace quillmere

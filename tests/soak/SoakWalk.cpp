#include "soak/SoakWalk.h"

#include "app/UnitMain.h"
#include "host/EdgeGeometry.h"
#include "host/PSinfo.h"
#include "platform/sim/MemoryIniStore.h"
#include "platform/sim/SimulatedDesktop.h"
#include "unit/FakeShellLauncher.h"
#include "unit/FrmMainFakes.h"

#include <algorithm>
#include <array>
#include <functional>
#include <map>
#include <memory>
#include <numeric>
#include <random>
#include <string_view>
#include <vector>

namespace quillmere::soak {

namespace {

using testing::kSelectionPath;
using testing::kSettingsPath;

constexpr std::int32_t kScreenWidth = 1280;
constexpr std::int32_t kWorkAreaHeight = 984;
constexpr std::int32_t kScreenHeight = 1024; // the pointer also reaches the taskbar
constexpr std::size_t kWindowLimit = 14;
constexpr ScreenRect kHostRect{40, 0, 1240, 984};
constexpr std::array<std::string_view, 8> kCaptions{
    "Layers", "Color", "Brushes", "History", "Navigator", "", "Palette 2", "Adobe Photoshop"};

const PSinfo* FindRow(const std::vector<PSinfo>& rows, WindowHandle window) {
    const auto it = std::find_if(rows.begin(), rows.end(),
                                 [&](const PSinfo& row) { return row.Handle == window; });
    return it != rows.end() ? &*it : nullptr;
}

// Whether a move took a window flush with its row's edge or out across it to
// the strip, keeping its place along the edge.
bool SlidesAcrossEdge(ScreenEdge edge, const ScreenRect& was, const ScreenRect& to) {
    switch (edge) {
    case ScreenEdge::Left:
        return to.Top == was.Top && (to.Left == 0 || to.Left == kVisibleStrip - was.Width());
    case ScreenEdge::Right:
        return to.Top == was.Top &&
               (to.Left == kScreenWidth - was.Width() || to.Left == kScreenWidth - kVisibleStrip);
    case ScreenEdge::Bottom:
        return to.Left == was.Left && (to.Top == kWorkAreaHeight - was.Height() ||
                                       to.Top == kWorkAreaHeight - kVisibleStrip);
    case ScreenEdge::None: // rows always have an edge
        break;
    }
    return false;
}

class Walk {
public:
    explicit Walk(std::uint64_t seed) : m_random(seed) {
        if (!Chance(4)) {
            m_host = m_desktop.AddHost(kHostRect);
        }
        for (int i = Pick(7); i > 0; --i) {
            OpenWindow();
        }
        EditSettings();
        EditSelection();
    }

    // One random step, then every check; returns what broke, or nothing.
    std::string Step() {
        struct Action {
            int Weight;
            const char* Name;
            void (Walk::*Run)();
        };
        static constexpr std::array<Action, 14> kActions{{
            {30, "the pointer roams, then ticks", &Walk::RoamAndTick},
            {8, "a pointer tick", &Walk::PointerTick},
            {12, "a re-scan tick", &Walk::RescanTick},
            {6, "a window opens", &Walk::OpenWindow},
            {12, "a window closes, is renamed, replaced, shown, hidden or raised",
             &Walk::ChangeWindow},
            {3, "the host opens, closes, is minimised or restored", &Walk::HostAction},
            {2, "ZC.reg is edited by hand", &Walk::EditSettings},
            {2, "Options.ini is edited by hand", &Walk::EditSelection},
            {2, "a file turns read-only or writable", &Walk::ToggleReadOnly},
            {2, "a mode button is clicked", &Walk::ClickMode},
            {3, "Enabled is clicked", &Walk::ClickEnabled},
            {6, "a check list entry is clicked", &Walk::ClickCheck},
            {2, "Select All/None is clicked", &Walk::ClickSelect},
            {1, "the window is asked to close", &Walk::QueryClose},
        }};
        m_failure.clear();
        m_desktop.ClearMoves();
        m_rowsBefore = Rows();
        m_rectsBefore.clear();
        for (const WindowHandle window : m_windows) {
            m_rectsBefore[window] = m_desktop.RectOf(window);
        }
        const char* name = "the program starts";
        if (!m_form) {
            Start();
        } else {
            static constexpr int kTotal = std::accumulate(
                kActions.begin(), kActions.end(), 0,
                [](int total, const Action& action) { return total + action.Weight; });
            int weight = Pick(kTotal);
            const Action* action = kActions.data();
            for (; weight >= action->Weight; ++action) {
                weight -= action->Weight;
            }
            (this->*action->Run)();
            name = action->Name;
        }
        m_counts.Moves += m_desktop.Moves().size();
        CheckAlways();
        return m_failure.empty() ? std::string() : name + (": " + m_failure) + Describe();
    }

    const SoakCounts& Counts() const { return m_counts; }

private:
    std::int32_t Pick(std::size_t n) { return static_cast<std::int32_t>(m_random() % n); }
    bool Chance(std::size_t n) { return Pick(n) == 0; }
    template <typename Container> auto& PickFrom(Container& items) {
        return items[static_cast<std::size_t>(Pick(items.size()))];
    }
    bool Run(const std::function<void()>& event) { return m_funnel.Run(event); }

    std::vector<PSinfo> Rows() const {
        const auto rows = m_tables.FloatingWindows.Rows();
        return {rows.begin(), rows.end()};
    }

    // Fully on screen, most near an edge, now and then too wide for a palette.
    ScreenRect RandomRect() {
        const std::int32_t width = Chance(12) ? 650 : 60 + Pick(241);
        const std::int32_t height = 60 + Pick(341);
        std::int32_t left = Chance(3) ? Pick(30) : Pick(kScreenWidth - width + 1);
        left = Chance(3) ? kScreenWidth - width - Pick(30) : left;
        const std::int32_t top =
            Chance(3) ? kWorkAreaHeight - height - Pick(30) : Pick(kWorkAreaHeight - height + 1);
        return {left, top, left + width, top + height};
    }

    std::string Garbage() {
        constexpr std::string_view kChars =
            "[]=;\r\n \tInfoOptionsFWEnabledMixedleft,bottom-01\xe9";
        std::string text;
        for (int i = Pick(60); i > 0; --i) {
            text += PickFrom(kChars);
        }
        return text;
    }

    void Start() {
        m_ownWindows.Calls.clear();
        m_form = std::make_unique<TFrmMain>(
            FrmMainContext{m_tables, m_desktop, m_store, testing::kExecutable, m_loader, m_messages,
                           m_startup, m_ownWindows, m_ownWindows, m_shell});
        const bool created = Run([this] { m_form->FormCreate(); });
        // A creation cut short by a refused write leaves the timers where it got to.
        m_autoHide = created ? m_form->ChkEnabled.Checked() : m_form->MousePos.Enabled();
        Expect(m_autoHide || m_desktop.Moves().empty(), "a start with auto-hide off moved");
        ++m_counts.Starts;
    }

    // A palette (now and then one the palette test turns down), or a dialog,
    // most owned by another window; on top of the others.
    void OpenWindow() {
        if (m_windows.size() >= kWindowLimit) {
            return;
        }
        const ScreenRect rect = RandomRect();
        const ScreenRect inside{rect.Left + 4, rect.Top + 20, rect.Right - 4, rect.Bottom - 4};
        WindowHandle window = kNoWindow;
        if (const std::int32_t kind = Pick(10); kind < 7) {
            std::uint32_t style = kStyleVisible | kStyleBorder | kStylePopup;
            style ^=
                Chance(12) ? std::array{kStyleVisible, kStyleBorder, kStyleDlgFrame}[Pick(3)] : 0u;
            window = m_desktop.Add(
                {std::string(kPaletteClass), std::string(PickFrom(kCaptions)), style, rect});
            if (!Chance(3)) {
                m_children.push_back(m_desktop.AddChild(window, "PSViewC", inside));
            }
            if (Chance(15)) {
                m_children.push_back(m_desktop.AddChild(window, "Button", inside));
            }
        } else {
            const WindowHandle owner = kind < 9 && !m_windows.empty() ? PickFrom(m_windows) : 0;
            window = m_desktop.Add({"#32770", "", kStyleVisible | kStyleBorder, inside, 0, owner});
        }
        m_desktop.BringToTop(window);
        m_windows.push_back(window);
    }

    void ChangeWindow() {
        if (m_windows.empty()) {
            return;
        }
        WindowHandle& window = PickFrom(m_windows);
        const ScreenRect rect = m_desktop.RectOf(window);
        switch (Pick(5)) {
        case 0:
            m_desktop.Remove(window);
            window = m_windows.back();
            m_windows.pop_back();
            break;
        case 1:
            m_desktop.SetCaption(window, std::string(PickFrom(kCaptions)));
            break;
        case 2: // closed, and a palette opened in its place
            m_desktop.Remove(window);
            window = m_desktop.AddPalette(std::string(PickFrom(kCaptions)), rect);
            m_desktop.BringToTop(window);
            break;
        case 3:
            m_desktop.SetStyle(window, m_desktop.StyleOf(window) ^ kStyleVisible);
            break;
        default:
            m_desktop.BringToTop(window);
            break;
        }
    }

    void HostAction() {
        if (m_host == kNoWindow) {
            m_host = m_desktop.AddHost(kHostRect);
        } else if (const std::uint32_t style = m_desktop.StyleOf(m_host);
                   (style & kStyleMinimize) != 0 || Chance(3)) {
            m_desktop.SetStyle(m_host, style ^ kStyleMinimize);
        } else if (Chance(2)) {
            m_desktop.BringToTop(m_host);
        } else {
            m_desktop.Remove(m_host); // its palettes stay, as a crashed host's may
            m_host = kNoWindow;
        }
    }

    // Over a row's strip or body, a child window, any window, or anywhere.
    void RoamAndTick() {
        ScreenRect area{0, 0, kScreenWidth, kScreenHeight};
        const std::vector<PSinfo> rows = Rows();
        std::erase_if(m_children, [this](WindowHandle child) { return !m_desktop.Exists(child); });
        if (const std::int32_t target = Pick(4); target == 0 && !rows.empty()) {
            area = m_desktop.RectOf(PickFrom(rows).Handle);
        } else if (target == 1 && !m_children.empty()) {
            area = m_desktop.RectOf(PickFrom(m_children));
        } else if (target == 2 && !m_windows.empty()) {
            area = m_desktop.RectOf(PickFrom(m_windows));
        }
        const ScreenRect on{std::max(area.Left, 0), std::max(area.Top, 0),
                            std::min(area.Right, kScreenWidth),
                            std::min(area.Bottom, kScreenHeight)};
        ScreenPoint pointer{Pick(kScreenWidth), Pick(kScreenHeight)};
        if (on.Width() > 0 && on.Height() > 0) {
            pointer = {on.Left + Pick(on.Width()), on.Top + Pick(on.Height())};
        }
        pointer.X = Chance(8) ? (Chance(2) ? 0 : kScreenWidth - 1) : pointer.X;
        m_desktop.SetCursor(pointer);
        PointerTick();
    }

    void PointerTick() {
        Run([this] { m_form->MousePos.Fire(); });
        Expect(Rows() == m_rowsBefore, "a pointer tick changed the table");
        Expect(m_autoHide || m_desktop.Moves().empty(), "a pointer tick with auto-hide off moved");
        for (const sim::SimMove& move : m_desktop.Moves()) {
            const PSinfo* row = FindRow(m_rowsBefore, move.Window);
            Expect(row == nullptr || row->Selected, "a pointer tick moved an unticked row");
        }
    }

    void RescanTick() {
        Run([this] { m_form->TimerEnum.Fire(); });
        const std::vector<PSinfo> rows = Rows();
        if (!m_autoHide) {
            Expect(rows == m_rowsBefore && m_desktop.Moves().empty(),
                   "a re-scan tick with auto-hide off acted");
            return;
        }
        if (m_host == kNoWindow) {
            Expect(rows.empty() && m_form->ChkBox.Count() == 0, "rows outlived the host");
            return;
        }
        if (!m_rowsBefore.empty()) {
            Expect(m_desktop.Moves().empty(), "a re-scan of a filled table moved a window");
            m_counts.Rebuilds += rows != m_rowsBefore ? 1 : 0;
        }
        for (const PSinfo& row : rows) {
            const PSinfo* old = FindRow(m_rowsBefore, row.Handle);
            Expect(m_rowsBefore.empty() ||
                       (old != nullptr ? row.Home == old->Home && row.Edge == old->Edge &&
                                             row.Selected == old->Selected
                                       : row.Selected),
                   "a re-scan lost what a row had, or did not tick a new one");
            if ((m_desktop.StyleOf(m_host) & kStyleMinimize) == 0) {
                Expect(m_desktop.ClassNameOf(row.Handle) == kPaletteClass,
                       "a row is no live palette after a re-scan");
                // The scan names untitled palettes "Palette<n>" and takes any
                // caption of that form for one of its own names.
                const std::string caption = m_desktop.CaptionOf(row.Handle);
                Expect(caption.empty() || caption.starts_with("Palette") ||
                           row.Title.starts_with("Palette") || row.Title == caption,
                       "a renamed palette kept its old title after a re-scan");
            }
        }
    }

    void EditSettings() {
        std::string text =
            "[Info]\r\nFWoption=" +
            std::string(std::array{"Together", "Separately", "Mixed", "mixed", ""}[Pick(5)]) +
            "\r\nEnabled=" + std::array{"Yes", "No", "yes"}[Pick(3)] + "\r\n";
        m_store.SetText(kSettingsPath, Chance(4) ? (Chance(2) ? text : "") + Garbage() : text);
    }

    // Entries for where windows stand, or anywhere.
    void EditSelection() {
        std::string text = "[Options]\r\n";
        for (int i = Pick(4); i > 0; --i) {
            const ScreenRect rect =
                m_windows.empty() ? RandomRect() : m_desktop.RectOf(PickFrom(m_windows));
            const std::int32_t edge = Pick(3);
            text += std::to_string(i) + std::array{"=left,", "=right,", "=bottom,"}[edge] +
                    std::to_string(edge == 2 ? rect.Left : rect.Top) + "\r\n";
        }
        m_store.SetText(kSelectionPath, Chance(4) ? text + Garbage() : text);
    }

    // Writable files turn read-only less often than read-only ones turn back.
    void ToggleReadOnly() {
        const bool settings = Chance(2);
        bool& readOnly = settings ? m_settingsReadOnly : m_selectionReadOnly;
        if (readOnly || Chance(3)) {
            readOnly = !readOnly;
            m_store.SetReadOnly(settings ? kSettingsPath : kSelectionPath, readOnly);
        }
    }

    void ClickMode() {
        FlatRadioButton* button = std::array{&m_form->optionTogether, &m_form->OptionSeparately,
                                             &m_form->OptionMixed}[Pick(3)];
        Run([&] { button->Click(); });
    }

    // Auto-hide stays on most of the time.
    void ClickEnabled() {
        if ((!m_form->ChkEnabled.Checked() || Chance(2)) &&
            Run([this] { m_form->ChkEnabled.Click(); })) {
            m_autoHide = m_form->ChkEnabled.Checked();
            if (!m_autoHide) {
                ExpectRowsOnScreen(false, "auto-hide off left a palette off screen");
            }
        }
    }

    void ClickCheck() {
        if (const std::int32_t count = m_form->ChkBox.Count(); count > 0) {
            const std::int32_t index = Pick(count);
            Run([&] { m_form->ChkBox.UserToggle(index); });
            const std::vector<PSinfo> rows = Rows();
            Expect(rows.size() == m_rowsBefore.size() &&
                       rows[index].Selected != m_rowsBefore[index].Selected,
                   "a check click did not flip its row");
            ExpectRowsOnScreen(true, "an unticked palette stayed off screen after a check click");
        }
    }

    void ClickSelect() {
        const bool all = m_form->Btnselect.Caption() == "Select All";
        Run([this] { m_form->Btnselect.Click(); });
        for (const PSinfo& row : Rows()) {
            Expect(row.Selected == all, "Select All/None left a row as it was");
        }
        ExpectRowsOnScreen(true, "an unticked palette stayed off screen after Select None");
    }

    void QueryClose() {
        if (!MayClose(m_funnel, *m_form)) {
            Expect(Rows() == m_rowsBefore && m_desktop.Moves().empty(),
                   "a refused close changed something");
            return;
        }
        for (const PSinfo& row : Rows()) {
            Expect(!row.Selected, "a row stayed ticked after the close");
        }
        ExpectRowsOnScreen(false, "a palette stayed off screen after the close");
        if (Chance(2)) {
            m_form->CloseCancelled(); // the session end was called off
        } else {
            m_form.reset(); // the program ends; the next step runs it again
        }
    }

    void Expect(bool holds, const char* what) {
        if (!holds && m_failure.empty()) {
            m_failure = what;
        }
    }

    void ExpectRowsOnScreen(bool untickedOnly, const char* what) {
        for (const PSinfo& row : Rows()) {
            const ScreenRect r = m_desktop.RectOf(row.Handle);
            Expect((untickedOnly && row.Selected) || !m_desktop.Exists(row.Handle) ||
                       (r.Left >= 0 && r.Top >= 0 && r.Right <= kScreenWidth &&
                        r.Bottom <= kWorkAreaHeight),
                   what);
        }
    }

    void CheckAlways() {
        const std::vector<PSinfo> rows = Rows();
        // Every move is of a row, before or after the step, and slides its
        // window across the row's edge in its own size.
        for (const sim::SimMove& move : m_desktop.Moves()) {
            const PSinfo* row = FindRow(rows, move.Window);
            row = row != nullptr ? row : FindRow(m_rowsBefore, move.Window);
            const auto before = m_rectsBefore.find(move.Window); // closed windows have none
            const ScreenRect was = before != m_rectsBefore.end() ? before->second : ScreenRect{};
            Expect(row != nullptr, "a window that is no row moved");
            Expect(move.To.Width() == was.Width() && move.To.Height() == was.Height(),
                   "a move changed a window's size");
            Expect(row == nullptr || SlidesAcrossEdge(row->Edge, was, move.To),
                   "a move did not slide its window across its row's edge");
        }
        if (!m_messages.Shown.empty()) {
            Expect(m_settingsReadOnly || m_selectionReadOnly, "an event failed, no file read-only");
            m_counts.Refused += m_messages.Shown.size();
            m_messages.Shown.clear();
        }
        m_loader.Loaded.clear();
        if (!m_form) {
            return;
        }
        Expect(m_form->MousePos.Enabled() == m_autoHide &&
                   m_form->TimerEnum.Enabled() == m_autoHide,
               "the timers do not follow the Enabled switch");
        const std::vector<CheckListModel::Entry>& entries = m_form->ChkBox.Entries();
        Expect(entries.size() == rows.size(), "the check list and the table differ in length");
        for (std::size_t i = 0; i < rows.size(); ++i) {
            Expect(i >= entries.size() ||
                       entries[i] == CheckListModel::Entry{rows[i].Title, rows[i].Selected},
                   "a check list entry does not show its row");
            Expect(rows[i].Edge != ScreenEdge::None && !rows[i].Title.empty(),
                   "a row has no edge or no title");
            Expect(FindRow(rows, rows[i].Handle) == &rows[i], "two rows share a window");
        }
    }

    std::string Describe() const {
        std::string text = std::string("\n  host ") + (m_host != kNoWindow ? "running" : "closed") +
                           ", auto-hide " + (m_autoHide ? "on" : "off");
        for (const PSinfo& row : Rows()) {
            text += "\n  row " + std::to_string(row.Handle) + " '" + row.Title + "' edge " +
                    std::to_string(static_cast<int>(row.Edge)) + (row.Selected ? " ticked" : "");
        }
        return text + "\n";
    }

    std::mt19937_64 m_random;
    sim::SimulatedDesktop m_desktop{kScreenWidth, kWorkAreaHeight};
    sim::MemoryIniStore m_store;
    HostTables m_tables;
    testing::RecordingLoader m_loader;
    testing::RecordingMessages m_messages;
    testing::FakeStartupRegistry m_startup;
    testing::RecordingWindows m_ownWindows;
    testing::RecordingShell m_shell;
    PaletteRescue m_rescue;
    EventFunnel m_funnel{m_messages, m_rescue, m_tables.FloatingWindows};
    std::unique_ptr<TFrmMain> m_form; // null between a close and the next run
    WindowHandle m_host = kNoWindow;
    std::vector<WindowHandle> m_windows;  // top-level windows besides the host
    std::vector<WindowHandle> m_children; // some may be gone with their parent
    bool m_autoHide = true;               // what both timers must follow
    bool m_settingsReadOnly = false;
    bool m_selectionReadOnly = false;
    std::vector<PSinfo> m_rowsBefore; // the table before this step
    std::map<WindowHandle, ScreenRect> m_rectsBefore;
    std::string m_failure;
    SoakCounts m_counts;
};

} // namespace

SoakOutcome RunSoak(std::uint64_t seed, std::uint64_t steps) {
    Walk walk(seed);
    for (std::uint64_t step = 1; step <= steps; ++step) {
        if (std::string failure = walk.Step(); !failure.empty()) {
            return {step, walk.Counts(),
                    "seed " + std::to_string(seed) + ", step " + std::to_string(step) + ", " +
                        failure};
        }
    }
    return {steps, walk.Counts(), {}};
}

} // namespace quillmere::soak

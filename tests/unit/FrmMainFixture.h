#pragma once

// The main window's model on a simulated desktop and in-memory files, with
// the recording doubles of FrmMainFakes.h. Screen 1280 x 984; the host, when
// it runs, is 1200 wide.

#include "FakeShellLauncher.h"
#include "FrmMainFakes.h"
#include "PaletteRows.h"
#include "app/UnitMain.h"
#include "platform/sim/MemoryIniStore.h"
#include "platform/sim/SimulatedDesktop.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace quillmere::testing {

class FrmMainTest : public ::testing::Test {
protected:
    void Settings(const std::string& infoLines) {
        m_store.SetText(kSettingsPath, "[Info]\r\n" + infoLines);
    }
    Strings Info() { return m_store.ReadSection(kSettingsPath, "Info"); }
    std::string Stored(const char* key) {
        return m_store.ReadValue(kSettingsPath, "Info", key, "");
    }
    void StartHost() { m_desktop.AddHost({40, 0, 1240, 984}); }
    // One event through the window's funnel, as the window runs it.
    bool Run(const std::function<void()>& event) { return m_funnel.Run(event); }
    // The user's click on a control, as its window hands it to the funnel.
    bool Click(FlatModel& control) { return m_funnel.Run(control); }
    bool Create() {
        return Run([&] { m_form.FormCreate(); });
    }
    std::vector<bool> Modes() const {
        return {m_form.optionTogether.Checked(), m_form.OptionSeparately.Checked(),
                m_form.OptionMixed.Checked()};
    }
    std::vector<bool> Timers() const {
        return {m_form.MousePos.Enabled(), m_form.TimerEnum.Enabled()};
    }
    // A row made by hand as a scan would have made it (home rectangle = rect),
    // with its check list entry.
    WindowHandle AddRow(const ScreenRect& rect, ScreenEdge edge, bool selected) {
        PSinfo& row = AddPaletteRow(m_desktop, m_tables.FloatingWindows, rect, edge, selected);
        row.Home = rect;
        m_form.ChkBox.Append(row.Title);
        m_form.ChkBox.SetChecked(m_form.ChkBox.Count() - 1, selected);
        return row.Handle;
    }
    std::vector<bool> Ticks() const {
        std::vector<bool> ticks;
        for (const PSinfo& row : m_tables.FloatingWindows.Rows()) {
            ticks.push_back(row.Selected);
        }
        return ticks;
    }
    std::vector<bool> Marks() const {
        std::vector<bool> marks;
        for (const CheckListModel::Entry& entry : m_form.ChkBox.Entries()) {
            marks.push_back(entry.Checked);
        }
        return marks;
    }
    FrmMainContext Context(IniStore& store, const std::string& executable = kExecutable) {
        return {m_tables,   m_desktop, store,     executable, m_loader,
                m_messages, m_startup, m_windows, m_windows,  m_shell};
    }

    sim::SimulatedDesktop m_desktop{1280, 984};
    sim::MemoryIniStore m_store;
    HostTables m_tables;
    RecordingLoader m_loader;
    RecordingMessages m_messages;
    FakeStartupRegistry m_startup;
    RecordingWindows m_windows;
    RecordingShell m_shell;
    PaletteRescue m_rescue;
    EventFunnel m_funnel{m_messages, m_rescue, m_tables.FloatingWindows};
    TFrmMain m_form{Context(m_store)};
};

} // namespace quillmere::testing

#pragma once

// Recording doubles for what the main window shows and the start-up list it
// changes, and where its files live. Free of GoogleTest, so that the soak
// walk can use them outside the unit tests.

#include "app/ErrorReporting.h"
#include "app/FormWindows.h"
#include "app/IllustrationLoader.h"
#include "app/InformationBox.h"
#include "settings/StartWithWindows.h"

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillmere::testing {

using Strings = std::vector<std::string>;

inline constexpr const char* kExecutable = "C:\\Quillmere\\quillmere.exe";
inline constexpr const char* kSettingsPath = "C:\\Quillmere\\ZC.reg";
inline constexpr const char* kSelectionPath = "C:\\Quillmere\\Options.ini";

class RecordingLoader final : public IllustrationLoader {
public:
    void LoadIllustration(std::string_view name) override { Loaded.emplace_back(name); }
    Strings Loaded;
};

// Both message boxes: errors as their formatted text, notices as
// "caption: text". WhileShown runs inside either box, as the events that a
// modal box's message loop dispatches would.
class RecordingMessages final : public ErrorReporter, public InformationBox {
public:
    void ShowError(const std::string& text) override {
        Shown.push_back(text);
        Dispatch();
    }
    void ShowInformation(std::string_view text, std::string_view caption) override {
        Notices.push_back(std::string(caption) + ": " + std::string(text));
        Dispatch();
    }
    Strings Shown;
    Strings Notices;
    std::function<void()> WhileShown;

private:
    void Dispatch() {
        if (WhileShown) {
            WhileShown();
        }
    }
};

// The start-up list: records every call in order and keeps what was set.
class FakeStartupRegistry final : public StartupRegistry {
public:
    bool IsAdministrator() override {
        Calls.push_back("admin?");
        return Administrator;
    }
    StartupEntryWrite SetStartupEntry(std::string_view name, std::string_view command) override {
        Calls.push_back("set " + std::string(name) + "=" + std::string(command));
        if (SetResult == StartupEntryWrite::Written) {
            Entries[std::string(name)] = std::string(command);
        }
        return SetResult;
    }
    bool RemoveStartupEntry(std::string_view name) override {
        Calls.push_back("remove " + std::string(name));
        if (RemoveRefused) {
            return false;
        }
        Entries.erase(std::string(name));
        return true;
    }
    // Not recorded in Calls: reading the list changes nothing.
    std::optional<std::string> StartupEntry(std::string_view name) override {
        const auto entry = Entries.find(std::string(name));
        return entry != Entries.end() ? std::optional<std::string>(entry->second) : std::nullopt;
    }

    bool Administrator = true;
    StartupEntryWrite SetResult = StartupEntryWrite::Written;
    bool RemoveRefused = false;
    Strings Calls;
    std::map<std::string, std::string> Entries;
};

// The form's own windows: every call in one log, in order, as "region",
// "tray data", "topmost yes", "drag", "about", "icon add", "main hide",
// "app show", "tool window yes", "foreground", "menu", "close".
class RecordingWindows final : public FormWindows, public TrayWindows {
public:
    void SetRoundRegion() override { Calls.push_back("region"); }
    void FillTrayIconData() override { Calls.push_back("tray data"); }
    void SetApplicationTopmost(bool topmost) override {
        Calls.push_back(Switch("topmost", topmost));
    }
    void BeginDragMove() override { Calls.push_back("drag"); }
    void ShowAboutModal() override { Calls.push_back("about"); }
    bool AddTrayIcon() override {
        Calls.push_back("icon add");
        return IconAccepted;
    }
    void DeleteTrayIcon() override { Calls.push_back("icon delete"); }
    void ShowMainWindow(bool shown) override { Calls.push_back(shown ? "main show" : "main hide"); }
    void ShowApplicationWindow(bool shown) override {
        Calls.push_back(shown ? "app show" : "app hide");
    }
    void SetApplicationToolWindow(bool toolWindow) override {
        Calls.push_back(Switch("tool window", toolWindow));
    }
    void BringMainWindowToForeground() override { Calls.push_back("foreground"); }
    void PopUpMenuAtPointer() override { Calls.push_back("menu"); }
    void CloseMainWindow() override { Calls.push_back("close"); }
    Strings Calls;
    // What the shell answers to an added icon.
    bool IconAccepted = true;

private:
    static std::string Switch(const char* what, bool on) {
        return std::string(what) + (on ? " yes" : " no");
    }
};

} // namespace quillmere::testing

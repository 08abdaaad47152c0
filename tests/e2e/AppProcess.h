#pragma once

// Running the real quillmere.exe from a probe: a copy of the built program in
// a temporary folder of its own (so that the settings and selection files
// beside it are the probe's, not ones left in the build folder), files
// written beside it, and the started process with its main window.

#include "DemoDesktop.h"
#include "platform/win32/UniqueHandle.h"

#include <windows.h>

#include <initializer_list>
#include <string>
#include <vector>

namespace probe {

inline constexpr DWORD kAppWaitMs = 15000;
inline constexpr DWORD kExitWaitMs = 5000;
inline constexpr const char* kAppMainClass = "TFrmMain";
// The main window's flat buttons, check boxes and radio buttons; they answer
// BM_CLICK and BM_GETCHECK as the system's buttons do.
inline constexpr const char* kFlatControlClass = "QuillmereFlat";
inline constexpr UINT kMessageTimeoutMs = 2000;
inline constexpr DWORD kStartRetryMs = 3000;

// A probe runs from <build>/tests/e2e; the program is <build>/quillmere.exe.
inline std::string BuiltProgramPath() {
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string text(path);
    for (int level = 0; level < 3; ++level) {
        text.erase(text.find_last_of('\\'));
    }
    return text + "\\quillmere.exe";
}

// A folder under the temporary directory holding a copy of quillmere.exe.
// Everything in it is deleted with it; stop the program first.
class AppFolder {
public:
    explicit AppFolder(const std::string& name) : m_directory(TempDirectory() + name) {
        ::CreateDirectoryA(m_directory.c_str(), nullptr);
    }
    ~AppFolder() { RemoveAll(); }
    AppFolder(const AppFolder&) = delete;
    AppFolder& operator=(const AppFolder&) = delete;

    const std::string& Directory() const { return m_directory; }
    std::string Program() const { return PathOf("quillmere.exe"); }
    std::string PathOf(const std::string& fileName) const { return m_directory + "\\" + fileName; }

    // Copies the built program into the folder.
    bool CopyProgram() const {
        return ::CopyFileA(BuiltProgramPath().c_str(), Program().c_str(), FALSE) != FALSE;
    }
    // The probe's usual start: the files named are deleted, so that the
    // program starts them afresh, and the program is copied in (a check).
    void CopyProgramAfresh(std::initializer_list<const char*> freshFiles = {}) const {
        for (const char* fileName : freshFiles) {
            RemoveFile(fileName);
        }
        Check(CopyProgram(), "copied " + BuiltProgramPath() + " to " + Program());
    }

    // Starts `fileName` beside the program afresh: deletes it if it exists.
    void RemoveFile(const std::string& fileName) const { ::DeleteFileA(PathOf(fileName).c_str()); }

    // One entry of an INI file beside the program, through the profile service.
    bool WriteEntry(const std::string& fileName, const char* section, const char* key,
                    const char* value) const {
        return ::WritePrivateProfileStringA(section, key, value, PathOf(fileName).c_str()) != FALSE;
    }

    std::string ReadEntry(const std::string& fileName, const char* section, const char* key) const {
        char value[256] = {};
        ::GetPrivateProfileStringA(section, key, "", value, sizeof(value),
                                   PathOf(fileName).c_str());
        return value;
    }

    // The lines of an INI section ("name=value"), in file order.
    std::vector<std::string> SectionLines(const std::string& fileName, const char* section) const {
        char buffer[4096] = {};
        ::GetPrivateProfileSectionA(section, buffer, sizeof(buffer), PathOf(fileName).c_str());
        std::vector<std::string> lines;
        for (const char* line = buffer; *line != '\0'; line += lines.back().size() + 1) {
            lines.emplace_back(line);
        }
        return lines;
    }

    // The file's lines as written, without their line ends; none when it is missing.
    std::vector<std::string> FileLines(const std::string& fileName) const {
        std::vector<std::string> lines;
        const quillmere::win32::UniqueFileHandle file(
            ::CreateFileA(PathOf(fileName).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) {
            return lines;
        }
        std::string text;
        char chunk[4096];
        DWORD read = 0;
        while (::ReadFile(file.Get(), chunk, sizeof(chunk), &read, nullptr) && read > 0) {
            text.append(chunk, read);
        }
        std::size_t start = 0;
        while (start < text.size()) {
            std::size_t end = text.find('\n', start);
            end = end == std::string::npos ? text.size() : end;
            std::string line = text.substr(start, end - start);
            if (!line.empty() && line.back() == '\r') {
                line.pop_back();
            }
            lines.push_back(line);
            start = end + 1;
        }
        return lines;
    }

private:
    void RemoveAll() const {
        WIN32_FIND_DATAA entry{};
        HANDLE search = ::FindFirstFileA(PathOf("*").c_str(), &entry);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
                    ::SetFileAttributesA(PathOf(entry.cFileName).c_str(), FILE_ATTRIBUTE_NORMAL);
                    ::DeleteFileA(PathOf(entry.cFileName).c_str());
                }
            } while (::FindNextFileA(search, &entry));
            ::FindClose(search);
        }
        ::RemoveDirectoryA(m_directory.c_str());
    }

    std::string m_directory;
};

// A started quillmere.exe. Terminated when dropped if it still runs.
class RunningApp {
public:
    RunningApp() = default;
    ~RunningApp() { Stop(); }
    RunningApp(const RunningApp&) = delete;
    RunningApp& operator=(const RunningApp&) = delete;

    // Starts the program with `directory` as its working folder and waits up
    // to waitMs for its visible main window. False when it could not start;
    // MainWindow() stays null when the window did not come up.
    bool Start(const std::string& program, const std::string& directory,
               DWORD waitMs = kAppWaitMs) {
        STARTUPINFOA startup{};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION started{};
        std::string commandLine = "\"" + program + "\"";
        // Wine may refuse for a moment right after an earlier copy of the
        // program ended.
        const bool created = WaitUntil(
            [&] {
                return ::CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr,
                                        FALSE, 0, nullptr, directory.c_str(), &startup,
                                        &started) != FALSE;
            },
            kStartRetryMs);
        if (!created) {
            return false;
        }
        m_process.Reset(started.hProcess);
        m_thread.Reset(started.hThread);
        m_processId = started.dwProcessId;
        WaitUntil(
            [&] {
                m_mainWindow = TopLevel(kAppMainClass);
                return m_mainWindow != nullptr && ::IsWindowVisible(m_mainWindow);
            },
            waitMs);
        return true;
    }

    HWND MainWindow() const { return m_mainWindow; }
    HANDLE Process() const { return m_process.Get(); }
    DWORD ProcessId() const { return m_processId; }

    // This process's first top-level window of that class; when shownOnly,
    // the first one shown.
    HWND TopLevel(const char* className, bool shownOnly = false) const {
        for (HWND window : TopLevelWindowsOfClass(className)) {
            DWORD processId = 0;
            ::GetWindowThreadProcessId(window, &processId);
            if (processId == m_processId && (!shownOnly || ::IsWindowVisible(window))) {
                return window;
            }
        }
        return nullptr;
    }

    // A child control of the main window by class and, when given, caption.
    HWND Control(const char* className, const char* caption = nullptr) const {
        return m_mainWindow == nullptr ? nullptr
                                       : ::FindWindowExA(m_mainWindow, nullptr, className, caption);
    }

    // Waits for the program to end by itself; false when it still runs.
    bool WaitForExit(DWORD timeoutMs, DWORD& exitCode) const {
        const bool ended =
            m_process && ::WaitForSingleObject(m_process.Get(), timeoutMs) == WAIT_OBJECT_0;
        exitCode = 1;
        if (ended) {
            ::GetExitCodeProcess(m_process.Get(), &exitCode);
        }
        return ended;
    }

    void Stop() {
        if (!m_process) {
            return;
        }
        if (::WaitForSingleObject(m_process.Get(), 0) == WAIT_TIMEOUT) {
            ::TerminateProcess(m_process.Get(), 2);
            ::WaitForSingleObject(m_process.Get(), kExitWaitMs);
        }
        m_process.Reset();
        m_thread.Reset();
        m_mainWindow = nullptr;
    }

private:
    quillmere::win32::UniqueKernelHandle m_process;
    quillmere::win32::UniqueKernelHandle m_thread;
    DWORD m_processId = 0;
    HWND m_mainWindow = nullptr;
};

// The palette check list's entries as shown, read across processes: "[x] "
// or "[ ] " (the entry's item data is 1 while it is checked) and the text.
// The text is asked for in UTF-16 because Wine 8 answers an ANSI LB_GETTEXT
// from another process with the unconverted UTF-16 text.
inline std::vector<std::string> ListEntries(HWND listBox) {
    std::vector<std::string> entries;
    DWORD_PTR count = 0;
    if (!::SendMessageTimeoutW(listBox, LB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, kMessageTimeoutMs,
                               &count)) {
        return entries;
    }
    for (DWORD_PTR i = 0; i < count && i < 64; ++i) {
        wchar_t text[512] = {};
        DWORD_PTR length = 0;
        DWORD_PTR checked = 0;
        ::SendMessageTimeoutW(listBox, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text),
                              SMTO_ABORTIFHUNG, kMessageTimeoutMs, &length);
        ::SendMessageTimeoutW(listBox, LB_GETITEMDATA, i, 0, SMTO_ABORTIFHUNG, kMessageTimeoutMs,
                              &checked);
        char narrow[1024] = {};
        ::WideCharToMultiByte(CP_ACP, 0, text, -1, narrow, sizeof(narrow), nullptr, nullptr);
        entries.emplace_back(std::string(checked == 1 ? "[x] " : "[ ] ") + narrow);
    }
    return entries;
}

inline std::string Join(const std::vector<std::string>& entries) {
    std::string text;
    for (const std::string& entry : entries) {
        text += (text.empty() ? "\"" : ", \"") + entry + "\"";
    }
    return "[" + text + "]";
}

// The list as it should show: each title with its check mark.
inline std::vector<std::string> ShownEntries(const std::vector<std::string>& titles,
                                             const std::vector<bool>& ticked) {
    std::vector<std::string> entries;
    for (std::size_t i = 0; i < titles.size(); ++i) {
        entries.push_back((ticked[i] ? "[x] " : "[ ] ") + titles[i]);
    }
    return entries;
}

// Key presses through the input queue of the foreground thread, where an open
// menu reads them.
inline void PressKeys(std::initializer_list<WORD> keys) {
    std::vector<INPUT> inputs;
    for (WORD key : keys) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        inputs.push_back(input);
        input.ki.dwFlags = KEYEVENTF_KEYUP;
        inputs.push_back(input);
    }
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

// Starts the program in `folder` twice, one run after the other, for a probe
// with FirstRun(RunningApp&) and SecondRun(RunningApp&): what the first run
// leaves in the files is what the second one starts from.
template <typename Probe> void RunTwice(Probe& probe, const AppFolder& folder) {
    {
        RunningApp app;
        Check(app.Start(folder.Program(), folder.Directory()), "started quillmere.exe");
        probe.FirstRun(app);
    }
    RunningApp app;
    Check(app.Start(folder.Program(), folder.Directory()), "started quillmere.exe again");
    probe.SecondRun(app);
}

} // namespace probe

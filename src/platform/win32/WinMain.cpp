#include "app/StartUp.h"
#include "autohide/PaletteRescue.h"
#include "platform/win32/ApplicationWindow.h"
#include "platform/win32/FaultGuard.h"
#include "platform/win32/MainWindow.h"
#include "platform/win32/UniqueHandle.h"
#include "platform/win32/Win32HostWindowSystem.h"
#include "platform/win32/Win32IniStore.h"

#include <windows.h>

#include <memory>

namespace quillmere::win32 {
namespace {

// The process entry's windows and files.
class Win32ProcessShell final : public ProcessShell {
public:
    Win32ProcessShell(HINSTANCE instance, PaletteRescue& rescue)
        : m_instance(instance), m_rescue(rescue) {}

    bool ClaimSingleCopy() override {
        // "Local\": the namespace of the user's session, so that each user
        // of a shared machine may run a copy of their own.
        HANDLE mutex = ::CreateMutexA(nullptr, FALSE, "Local\\Quillmere.SingleCopy");
        const DWORD error = ::GetLastError();
        m_singleCopy.Reset(mutex);
        // Without the mutex the program runs, as it would have before.
        return mutex == nullptr || error != ERROR_ALREADY_EXISTS;
    }

    void ShowRunningCopy() override {
        // The first copy may still be making its window.
        HWND running = nullptr;
        for (int tries = 0; tries < kShowRunningCopyTries && running == nullptr; ++tries) {
            running = ::FindWindowA(kMainWindowClass, kMainWindowCaption);
            if (running == nullptr) {
                ::Sleep(kShowRunningCopyPollMs);
            }
        }
        if (running == nullptr) {
            return;
        }
        // We were just started by the user, so we may hand the foreground on.
        DWORD processId = 0;
        ::GetWindowThreadProcessId(running, &processId);
        ::AllowSetForegroundWindow(processId);
        ::SendMessageTimeoutA(running, ::RegisterWindowMessageA(kShowRunningCopyMessage), 0, 0,
                              SMTO_ABORTIFHUNG, kShowRunningCopyWaitMs, nullptr);
        ::SetForegroundWindow(running);
    }

    bool CreateApplicationWindow() override { return m_application.Create(""); }

    void SetShutdownLevel(unsigned level) override { ::SetProcessShutdownParameters(level, 0); }

    bool FileExists(const std::string& path) override {
        const DWORD attributes = ::GetFileAttributesA(path.c_str());
        return attributes != INVALID_FILE_ATTRIBUTES &&
               (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
    }

    void MakeApplicationTopmost() override { m_application.SetTopmost(true); }

    void SetApplicationTitle(std::string_view title) override {
        ::SetWindowTextA(m_application.Handle(), std::string(title).c_str());
    }

    bool CreateMainWindow() override {
        m_mainWindow = std::make_unique<MainWindow>(m_instance, m_application, m_rescue);
        if (!m_mainWindow->Create()) {
            return false;
        }
        m_application.SetMainWindow(m_mainWindow->Handle());
        return true;
    }

    int RunEventLoop() override {
        ::ShowWindow(m_application.Handle(), SW_SHOWNA);
        m_mainWindow->Show();
        MSG message{};
        while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
            // Tab and the arrow keys move the focus among the main window's controls.
            if (HWND main = m_mainWindow->Handle();
                main != nullptr && ::IsDialogMessageA(main, &message)) {
                continue;
            }
            ::TranslateMessage(&message);
            ::DispatchMessageA(&message);
        }
        return static_cast<int>(message.wParam);
    }

    void ShowFatalError(const std::string& message) override {
        ::MessageBoxA(nullptr, message.c_str(), "Application Error", MB_ICONERROR | MB_OK);
    }

private:
    static constexpr int kShowRunningCopyTries = 50;
    static constexpr DWORD kShowRunningCopyPollMs = 100;
    static constexpr UINT kShowRunningCopyWaitMs = 2000;

    HINSTANCE m_instance;
    PaletteRescue& m_rescue;
    UniqueKernelHandle m_singleCopy;
    ApplicationWindow m_application;
    std::unique_ptr<MainWindow> m_mainWindow;
};

} // namespace
} // namespace quillmere::win32

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    // Static: the fault guard may read them until the very end of the process.
    static quillmere::PaletteRescue rescue;
    static quillmere::win32::Win32HostWindowSystem rescueWindows;
    quillmere::win32::InstallFaultGuard(rescue, rescueWindows);

    quillmere::win32::Win32IniStore store;
    quillmere::win32::Win32ProcessShell shell(instance, rescue);
    return quillmere::RunProgram(shell, store, quillmere::win32::ExecutablePath());
}

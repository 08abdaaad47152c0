#include "app/StartUp.h"

#include "app/ErrorReporting.h"
#include "common/ProgramError.h"
#include "settings/IniFile.h"
#include "settings/SettingsFile.h"

namespace quillmere {

int RunProgram(ProcessShell& shell, IniStore& store, std::string_view executablePath) {
    // Two copies would fight over the palettes, one sliding in what the
    // other slides out at every tick.
    if (!shell.ClaimSingleCopy()) {
        shell.ShowRunningCopy();
        return 0;
    }
    shell.SetShutdownLevel(kShutdownLevel);
    if (!shell.CreateApplicationWindow()) {
        return 1;
    }
    const IniFile settings = SettingsFileFor(store, executablePath);
    // An existing file is never touched here, however incomplete: the
    // readers' defaults cover what it lacks.
    if (!shell.FileExists(settings.Path())) {
        try {
            WriteFirstStartSettings(settings);
        } catch (const ProgramError& error) {
            shell.ShowFatalError(FormatErrorMessage(error.what()));
            return 1;
        }
        shell.MakeApplicationTopmost();
    }
    shell.SetApplicationTitle(kApplicationTitle);
    if (!shell.CreateMainWindow()) {
        return 1;
    }
    return shell.RunEventLoop();
}

} // namespace quillmere

// The editor program: one copy at a time, its settings, its editing session and its window.
#include "app/commandline.h"
#include "files/editorsession.h"
#include "files/filesystem.h"
#include "files/preferences.h"
#include "files/programfolders.h"
#include "model/crccomponent.h"
#include "platform/executablefolder.h"
#include "platform/posixprocesses.h"
#include "ui/quickedit/platform.h"
#include "ui/quickedit/widgets/infowindow.h"
#include "ui/quickedit/widgets/quickeditwindow.h"
#include "ui/quickedit/widgets/startupfiles.h"

#include <QApplication>
#include <QLockFile>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

namespace {

using namespace marquis;

// Takes the lock of the running copy into `lock`; false when another copy holds it. A lock
// that cannot be made at all (no writable folder) lets the program run.
bool lockInstance(std::unique_ptr<QLockFile>& lock)
{
    const std::filesystem::path folder = qt::instanceLockFolder();
    if (folder.empty())
        return true;
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    lock =
        std::make_unique<QLockFile>(QString::fromStdString((folder / "Marquis5300.lock").string()));
    return lock->tryLock(0) || lock->error() != QLockFile::LockFailedError;
}

std::vector<std::string> argumentsOf(int argc, char* argv[])
{
    return argc > 1 ? std::vector<std::string>(argv + 1, argv + argc) : std::vector<std::string>();
}

int runEditor(const std::optional<std::string>& file)
{
    qt::SplashWindow splash;
    splash.show();
    QApplication::processEvents();

    DiskFileSystem disk;
    const ProgramFolders folders =
        resolveProgramFolders(disk, executableFolder().string(), defaultUserDataFolder());
    CrcComponent checkValues(folders.executable);
    Preferences preferences = defaultPreferences(folders.executable);
    const std::filesystem::path settingsFile = qt::settingsFilePath();
    const bool haveSettings =
        !settingsFile.empty() && readPreferences(settingsFile, folders.executable, preferences);

    PortablePlatform platform;
    PosixProcesses processes;
    qt::QuickEditWindow window(platform, processes);
    // Without the check values every message would be saved with a wrong one and refused as
    // changed by hand when read again.
    if (!checkValues.available()) {
        splash.close();
        window.message("Can't create the check-value component " +
                checkValues.modulePath().string() + ": " + checkValues.errorText() +
                ". Normal operation not possible. You need to install the program again.",
            Buttons::Ok, Icon::Exclamation, Answer::Ok);
        return 1;
    }
    EditorSession session(checkValues, window, disk, folders, preferences);
    if (!haveSettings) {
        splash.close();
        window.showPreferences(session);
    }
    window.start(session, settingsFile);
    splash.close();
    if (window.state()->ended())
        return window.exitCode();
    window.show();
    if (file) {
        // Kept in the recent files by its full name, so it opens from there in any folder.
        std::error_code failed;
        const std::filesystem::path full = std::filesystem::absolute(*file, failed);
        window.openGivenFile(failed ? *file : full.lexically_normal().string());
        if (window.state()->ended())
            return window.exitCode();
    }
    const int result = QApplication::exec();
    return result != 0 ? result : window.exitCode();
}

} // namespace

int main(int argc, char* argv[])
{
    // --help and --version are answered before the toolkit starts, so they need no display.
    const CommandLine early = parseCommandLine(argumentsOf(argc, argv));
    if (early.action == CommandLine::Action::Help || early.action == CommandLine::Action::Version) {
        std::cout << (early.action == CommandLine::Action::Help ? commandLineHelp()
                                                                : commandLineVersion());
        return 0;
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName("Marquis5300");
    // The toolkit has taken its own options (-platform and the like) out of argv by now.
    const CommandLine commandLine = parseCommandLine(argumentsOf(argc, argv));
    if (commandLine.action == CommandLine::Action::Error) {
        std::cerr << commandLine.error << "\n";
        return 2;
    }

    std::unique_ptr<QLockFile> lock;
    if (!lockInstance(lock)) {
        qt::InfoWindow info;
        info.exec();
        return 1;
    }
    return runEditor(commandLine.file);
}

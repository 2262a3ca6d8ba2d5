// The editor program: one copy at a time, its settings, its editing session and its window.
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
#include <memory>
#include <system_error>

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

int runEditor()
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
    const int result = QApplication::exec();
    return result != 0 ? result : window.exitCode();
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName("Marquis5300");

    std::unique_ptr<QLockFile> lock;
    if (!lockInstance(lock)) {
        qt::InfoWindow info;
        info.exec();
        return 1;
    }
    return runEditor();
}

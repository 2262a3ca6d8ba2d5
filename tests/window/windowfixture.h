#pragma once

#include "files/editorsession.h"
#include "files/filesystem.h"
#include "model/crccomponent.h"
#include "platform/posixprocesses.h"
#include "support/fakeuserinterface.h"
#include "support/temporaryfolder.h"
#include "ui/controls/leddisplay.h"
#include "ui/controls/richlineedit.h"
#include "ui/quickedit/platform.h"
#include "ui/quickedit/widgets/quickeditwindow.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace marquis::testing {

// The scripted user of the window tests: answers as FakeUserInterface does, and shows the
// status line and the caption in the window as the real user port would.
class WindowUser : public FakeUserInterface {
public:
    qt::QuickEditWindow* window = nullptr;
    void status(std::string_view text) override;
    void caption(std::string_view text) override;
};

// The Quick Edit window on an editing session whose program folder is a fresh temporary
// folder; the tools, the component and the help file are those of the build.
class WindowTest : public ::testing::Test {
protected:
    WindowTest();
    ~WindowTest() override;

    // Runs the window's load for a unit type.
    void start(const std::string& unitType = "5320");
    // Opens a script file through File > Open, the user choosing `path`.
    void open(const std::string& path);
    void trigger(const char* action);

    template <typename T = QWidget> T* control(const char* name)
    {
        T* found = window->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QString caption(const char* name);
    std::string row(int r) { return display()->row(r); }
    qt::LedDisplay* display() { return control<qt::LedDisplay>("frameDisplay"); }
    qt::RichLineEdit* editor() { return control<qt::RichLineEdit>("txtEdit"); }
    QString statusLine() { return control<QLabel>("lblStatBar")->text(); }
    // Types into the message box and confirms with Enter.
    void enterMessage(const QString& number);

    static std::string binFile(const std::string& name);

    TemporaryFolder programFolder;
    CrcComponent crc { MARQUIS_BIN_DIR };
    WindowUser user;
    DiskFileSystem files;
    PortablePlatform platform;
    PosixProcesses processes;
    std::unique_ptr<qt::QuickEditWindow> window;
    std::unique_ptr<EditorSession> session;
    std::string executableFolder = std::string(MARQUIS_BIN_DIR) + "/";
};

} // namespace marquis::testing

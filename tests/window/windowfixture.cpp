#include "window/windowfixture.h"

#include "ui/controls/windows1252codec.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QTest>

namespace marquis::testing {

void WindowUser::status(std::string_view text)
{
    FakeUserInterface::status(text);
    if (window)
        window->status(text);
}

void WindowUser::caption(std::string_view text)
{
    FakeUserInterface::caption(text);
    if (window)
        window->caption(text);
}

WindowTest::WindowTest()
    : window(std::make_unique<qt::QuickEditWindow>(platform, processes))
{
    user.window = window.get();
}

WindowTest::~WindowTest()
{
    // The window's logic refers to the session: the window goes first.
    window.reset();
}

void WindowTest::start(const std::string& unitType)
{
    Preferences preferences = defaultPreferences(executableFolder);
    preferences.UnitType = unitType;
    session = std::make_unique<EditorSession>(
        crc, user, files, ProgramFolders { executableFolder, programFolder.folder() }, preferences);
    window->start(*session, programFolder / "config" / "Marquis5300.INI");
    window->show();
}

void WindowTest::open(const std::string& path)
{
    user.files.push_back(path);
    trigger("mnuFileOpen");
}

void WindowTest::trigger(const char* action)
{
    QAction* item = window->action(action);
    ASSERT_NE(item, nullptr) << action;
    ASSERT_TRUE(item->isEnabled()) << action;
    item->trigger();
}

QString WindowTest::caption(const char* name)
{
    QWidget* widget = control(name);
    if (auto* button = qobject_cast<QAbstractButton*>(widget))
        return button->text();
    if (auto* label = qobject_cast<QLabel*>(widget))
        return label->text();
    if (auto* box = qobject_cast<QGroupBox*>(widget))
        return box->title();
    return {};
}

void WindowTest::enterMessage(const QString& number)
{
    auto* box = control<QLineEdit>("txtMsg");
    box->selectAll();
    QTest::keyClicks(box, number);
    QTest::keyClick(box, Qt::Key_Return);
}

std::string WindowTest::binFile(const std::string& name)
{
    return std::string(MARQUIS_BIN_DIR) + "/" + name;
}

} // namespace marquis::testing

// The start-up companions of the window: settings and lock locations, the help anchors, the
// "running already" notice and the splash.
#include "support/temporaryfolder.h"
#include "ui/quickedit/widgets/infowindow.h"
#include "ui/quickedit/widgets/startupfiles.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace marquis::testing {
namespace {

// Sets an environment variable for one test and puts the old value back.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const char* value)
        : m_name(name)
    {
        if (const char* old = std::getenv(name))
            m_old = old;
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~ScopedEnvironment()
    {
        if (m_old)
            setenv(m_name, m_old->c_str(), 1);
        else
            unsetenv(m_name);
    }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    const char* m_name;
    std::optional<std::string> m_old;
};

TEST(StartupFiles, SettingsLiveInTheUsersConfigFolder)
{
    {
        const ScopedEnvironment config("XDG_CONFIG_HOME", "/tmp/cfg");
        EXPECT_EQ(qt::settingsFilePath(), "/tmp/cfg/Marquis5300/Marquis5300.INI");
    }
    {
        const ScopedEnvironment config("XDG_CONFIG_HOME", "");
        const ScopedEnvironment home("HOME", "/home/ann");
        EXPECT_EQ(qt::settingsFilePath(), "/home/ann/.config/Marquis5300/Marquis5300.INI");
    }
    {
        const ScopedEnvironment config("XDG_CONFIG_HOME", nullptr);
        const ScopedEnvironment home("HOME", nullptr);
        EXPECT_TRUE(qt::settingsFilePath().empty());
    }
    const ScopedEnvironment runtime("XDG_RUNTIME_DIR", nullptr);
    const ScopedEnvironment data("XDG_DATA_HOME", "/tmp/data");
    EXPECT_EQ(qt::instanceLockFolder(), "/tmp/data/Marquis5300/");
}

TEST(StartupFiles, EveryHelpContextHasItsAnchorInTheGuide)
{
    const std::filesystem::path guide = qt::helpGuideFor(MARQUIS_BIN_DIR "/Marquis5300.hlp");
    EXPECT_EQ(guide.filename(), "Marquis5300.html");
    const std::string text = readWholeFile(guide);
    ASSERT_FALSE(text.empty());
    for (const int context : { 200, 2700, 3300, 3800, 3900, 4100, 4300 })
        EXPECT_NE(text.find("name=\"" + qt::helpAnchor(context) + "\""), std::string::npos)
            << context;
    for (const char* topic : { "contents", "usinghelp", "preferences" })
        EXPECT_NE(text.find(std::string("name=\"") + topic + "\""), std::string::npos) << topic;
}

TEST(InfoWindow, TellsThatTheProgramRunsAndClosesByItself)
{
    qt::InfoWindow info;
    EXPECT_EQ(info.objectName(), "frmInfo");
    EXPECT_EQ(info.findChild<QLabel*>("lblInfo")->text().toStdString(),
        "Tessaly Marquis\u00AE 5300 is running already. Press Alt-Tab until program name and logo "
        "appear.");
    EXPECT_TRUE(info.closeTimer()->isActive());
    EXPECT_TRUE(info.closeTimer()->isSingleShot());
    EXPECT_EQ(info.closeTimer()->interval(), 10000);

    info.show();
    auto* ok = info.findChild<QPushButton*>("cmdOK");
    EXPECT_EQ(ok->text(), "&OK");
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_FALSE(info.isVisible());
}

TEST(SplashWindow, ShowsTheProductName)
{
    qt::SplashWindow splash;
    EXPECT_EQ(
        splash.findChild<QLabel*>("lblProductName")->text().toStdString(), "Marquis\u00AE 5300");
}

} // namespace
} // namespace marquis::testing

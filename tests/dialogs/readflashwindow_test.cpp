#include "build/buildfixture.h"
#include "dialogtest.h"
#include "ui/dialogs/widgets/readflashwindow.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace marquis;
using namespace marquis::testing;
using marquis::qt::ReadFlashWindow;

namespace {

class ReadFlashWindowTest : public BuildTest {
protected:
    ReadFlashWindowTest() { window.show(); }

    QPushButton* button(const char* name) { return child<QPushButton>(window, name); }
    std::string status() { return text(child<QLabel>(window, "lblStatus")->text()); }

    ReadFlashWindow window { *session, tools };
};

TEST_F(ReadFlashWindowTest, ShowsItsCaptionsAndClosesWhenIdle)
{
    EXPECT_EQ(text(window.windowTitle()), "Read / Program Flash");
    EXPECT_EQ(text(button("cmdProgram")->text()), "Program Flash from Binary Image");
    EXPECT_EQ(text(button("cmdRead")->text()), "Read Flash into Binary Image");
    EXPECT_EQ(text(child<QLabel>(window, "lblNote")->text()),
        "NOTE: Your 5300 Series Version 2 unit must be in program mode before you read or "
        "program the Flash Memory.");
    QTest::mouseClick(button("cmdClose"), Qt::LeftButton);
    EXPECT_FALSE(window.isVisible());
}

// While a command runs, neither "&Close", Escape nor the window's own close button closes the
// window, and the commands cannot be started a second time.
TEST_F(ReadFlashWindowTest, RefusesToCloseWhileProgramming)
{
    const std::string binary = workFolder.write("unit.bin", "bin").string();
    ui.files.push_back(binary);
    hold();
    bool checked = false;
    ui.onPump = [&] {
        if (checked)
            return;
        checked = true;
        QTest::mouseClick(button("cmdClose"), Qt::LeftButton);
        QTest::keyClick(&window, Qt::Key_Escape);
        window.close();
        EXPECT_TRUE(window.isVisible());
        EXPECT_FALSE(button("cmdRead")->isEnabled());
        window.readFlash(); // a click that slipped through is ignored too
        EXPECT_EQ(ui.fileDialogs.size(), 1u);
        EXPECT_EQ(status(), "Programming file unit.bin");
        release();
    };
    QTest::mouseClick(button("cmdProgram"), Qt::LeftButton);
    ui.onPump = nullptr;

    EXPECT_TRUE(checked);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(status(), "Unit has been successfully programmed.");
    EXPECT_TRUE(button("cmdRead")->isEnabled());
    window.close();
    EXPECT_FALSE(window.isVisible());
}

TEST_F(ReadFlashWindowTest, ProgrammingReportsSuccessInItsOwnStatusLine)
{
    ui.files.push_back(workFolder.write("unit.bin", "bin"));
    QTest::mouseClick(button("cmdProgram"), Qt::LeftButton);
    EXPECT_EQ(status(), "Unit has been successfully programmed.");
    EXPECT_TRUE(ui.messages.empty());
    ASSERT_EQ(runs().size(), 1u);
    EXPECT_TRUE(runs()[0].starts_with("5300 p"));
}

TEST_F(ReadFlashWindowTest, ReadingShowsTheUnitsReport)
{
    ui.files.push_back(std::filesystem::path(workFolder.folder() + "copy.bin"));
    QTest::mouseClick(button("cmdRead"), Qt::LeftButton);
    EXPECT_EQ(ui.messageTexts(), std::vector<std::string> { "Unit answered r\r\n" });
    EXPECT_EQ(status(), "");
    EXPECT_TRUE(window.isVisible());
}

} // namespace

#include "dialogs/dialogtest.h"
#include "window/windowfixture.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>

namespace marquis::testing {
namespace {

class HorizontalScrollWindowTest : public WindowTest {
protected:
    // Presses the horizontal scroll button; `user` works the dialog.
    void openScroll(std::function<void(QWidget&)> user)
    {
        whenModalOpens(std::move(user));
        QTest::mouseClick(control<QPushButton>("cmdScroll"), Qt::LeftButton);
    }

    static void click(QWidget& dialog, const char* name)
    {
        QTest::mouseClick(child<QAbstractButton>(dialog, name), Qt::LeftButton);
    }
};

TEST_F(HorizontalScrollWindowTest, OpensFromTheScrollButtonAndOkMakesTheLineScroll)
{
    start("5360");
    QTest::keyClicks(editor(), "HELLO WORLD");
    ASSERT_TRUE(control<QPushButton>("cmdScroll")->isEnabled());
    bool opened = false;
    openScroll([&](QWidget& dialog) {
        opened = true;
        EXPECT_EQ(dialog.objectName().toStdString(), "frmScroll");
        EXPECT_EQ(text(dialog.windowTitle()), "Horizontal scroll on line  1");
        const std::pair<const char*, const char*> captions[] = { { "optYes", "Continuous" },
            { "optBlock", "Block by block" }, { "optNo", "Off" }, { "optRepeat", "Scroll line" },
            { "optNonstop", "Scroll until next message " },
            { "chkLock", "Scroll line completely" }, { "cmdOk", "&OK" },
            { "cmdCancel", "&Cancel" }, { "cmdHelp", "&Help" } };
        for (const auto& [name, caption] : captions)
            EXPECT_EQ(text(child<QAbstractButton>(dialog, name)->text()), caption) << name;
        EXPECT_EQ(text(child<QGroupBox>(dialog, "Frame1")->title()), "Options");
        EXPECT_EQ(text(child<QGroupBox>(dialog, "Frame2")->title()), "Scroll speed");
        EXPECT_EQ(text(child<QLabel>(dialog, "lblRepeat")->text()), "times.");
        auto* speed = child<QLabel>(dialog, "lblSpeed");
        EXPECT_EQ(text(speed->text()), "NORMAL");

        // Not scrolled yet: "Off", and nothing else to set.
        EXPECT_TRUE(child<QRadioButton>(dialog, "optNo")->isChecked());
        auto* slider = child<QSlider>(dialog, "hsbRate");
        EXPECT_FALSE(slider->isEnabled());
        EXPECT_FALSE(child<QRadioButton>(dialog, "optRepeat")->isEnabled());

        click(dialog, "optYes");
        EXPECT_TRUE(slider->isEnabled());
        EXPECT_TRUE(child<QRadioButton>(dialog, "optNonstop")->isChecked());
        EXPECT_TRUE(dialog.findChild<QTimer*>("Timer1")->isActive());
        click(dialog, "optRepeat");
        auto* count = child<QLineEdit>(dialog, "txtRepeat");
        ASSERT_TRUE(count->isEnabled());
        QTest::keyClicks(count, "1x2)");
        EXPECT_EQ(text(count->text()), "12") << "only digits are taken";
        click(dialog, "chkLock");
        slider->setValue(7);
        EXPECT_EQ(text(speed->text()), "FASTEST");
        click(dialog, "cmdOk");
    });
    ASSERT_TRUE(opened);
    const CurrentMessage& message = session->message();
    EXPECT_EQ(message.line(1).LineScroll, "1,12");
    EXPECT_EQ(message.LockOn, "ON");
    EXPECT_EQ(caption("cmdScroll"), "Hori&z. scroll ON...");
    EXPECT_TRUE(user.messages.empty());
}

TEST_F(HorizontalScrollWindowTest, CancelKeepsTheLineAndARefusedCountKeepsTheDialogOpen)
{
    start("5360");
    QTest::keyClicks(editor(), "SHORT");
    openScroll([&](QWidget& dialog) {
        click(dialog, "optBlock");
        click(dialog, "cmdCancel");
    });
    const CurrentMessage& message = session->message();
    EXPECT_EQ(message.line(1).LineBlock, "");
    EXPECT_FALSE(message.BlockScrollOn);
    EXPECT_EQ(caption("cmdScroll"), "Hori&z. scroll OFF...");

    bool stayedOpen = false;
    openScroll([&](QWidget& dialog) {
        click(dialog, "optBlock");
        click(dialog, "optRepeat");
        click(dialog, "cmdOk"); // no count: refused with a message, the dialog stays
        stayedOpen = dialog.isVisible();
        click(dialog, "cmdCancel");
    });
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(user.messageTexts(),
        std::vector<std::string> { "You have to enter positive decimal value in Play message "
                                   "times box or choose Play until next message option." });
    EXPECT_EQ(message.line(1).LineBlock, "");
    EXPECT_EQ(message.BlockWait, "");
}

} // namespace
} // namespace marquis::testing

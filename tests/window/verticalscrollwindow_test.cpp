#include "dialogs/dialogtest.h"
#include "model/richtext.h"
#include "ui/dialogs/verticalscroll.h"
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

class VerticalScrollWindowTest : public WindowTest {
protected:
    // Two lines typed on a 5360, line 2 current.
    void typeTwoLines()
    {
        start("5360");
        QTest::keyClicks(editor(), "FIRST");
        QTest::keyClick(editor(), Qt::Key_Up);
        QTest::keyClicks(editor(), "SECOND");
    }

    void openVerticalScroll(std::function<void(QWidget&)> user)
    {
        whenModalOpens(std::move(user));
        QTest::mouseClick(control<QPushButton>("cmdWait"), Qt::LeftButton);
    }

    static void click(QWidget& dialog, const char* name)
    {
        QTest::mouseClick(child<QAbstractButton>(dialog, name), Qt::LeftButton);
    }
};

TEST_F(VerticalScrollWindowTest, OpensFromTheButtonAndOkMergesTheLines)
{
    typeTwoLines();
    bool opened = false;
    openVerticalScroll([&](QWidget& dialog) {
        opened = true;
        EXPECT_EQ(text(dialog.windowTitle()), "Vertical scroll ");
        const std::pair<const char*, const char*> captions[] = { { "optOn", "On" },
            { "optOff", "Off" }, { "optRepeat", "Scroll lines" },
            { "optNonstop", "Scroll until next message " }, { "chkLock", "Scroll line completely" },
            { "cmdOk", "&OK" }, { "cmdCancel", "&Cancel" }, { "cmdHelp", "&Help" } };
        for (const auto& [name, caption] : captions)
            EXPECT_EQ(text(child<QAbstractButton>(dialog, name)->text()), caption) << name;
        EXPECT_EQ(text(child<QGroupBox>(dialog, "Frame1")->title()), "Options");
        EXPECT_EQ(text(child<QGroupBox>(dialog, "Frame2")->title()), "Scroll speed");
        EXPECT_EQ(text(child<QLabel>(dialog, "Label1")->text()), "Vertical scroll");
        EXPECT_EQ(text(child<QLabel>(dialog, "lblRepeat")->text()), "times.");
        EXPECT_EQ(text(child<QLabel>(dialog, "lblSpeed")->text()), "Speed  normal");

        // The message does not scroll yet: "Off", and nothing else to work with.
        EXPECT_TRUE(child<QRadioButton>(dialog, "optOff")->isChecked());
        auto* slider = child<QSlider>(dialog, "hsbRate");
        EXPECT_FALSE(slider->isEnabled());
        EXPECT_FALSE(child<QRadioButton>(dialog, "optRepeat")->isEnabled());

        click(dialog, "optOn");
        EXPECT_TRUE(slider->isEnabled());
        EXPECT_EQ(slider->value(), 4);
        EXPECT_EQ(text(child<QLabel>(dialog, "lblSpeed")->text()), "NORMAL");
        EXPECT_TRUE(dialog.findChild<QTimer*>("Timer1")->isActive());
        click(dialog, "optRepeat");
        auto* count = child<QLineEdit>(dialog, "txtRepeat");
        ASSERT_TRUE(count->isEnabled());
        // An empty count is refused and the dialog stays.
        click(dialog, "cmdOk");
        EXPECT_TRUE(dialog.isVisible());
        ASSERT_EQ(user.messages.size(), 1U);
        EXPECT_EQ(user.messages[0].text, verticalscroll::BadCount);
        // Only digits go in.
        QTest::keyClicks(count, "3)");
        EXPECT_EQ(count->text(), "3");
        QTest::mouseClick(child<QCheckBox>(dialog, "chkLock"), Qt::LeftButton);
        slider->setValue(7);
        EXPECT_EQ(text(child<QLabel>(dialog, "lblSpeed")->text()), "FASTEST");
        click(dialog, "cmdOk");
    });
    ASSERT_TRUE(opened);
    const CurrentMessage& message = session->message();
    EXPECT_EQ(GetText(message.line(1).LineText), "FIRST\r\nSECOND");
    EXPECT_EQ(GetText(message.line(2).LineText), "");
    EXPECT_EQ(message.line(1).LineBlock, "0,3");
    EXPECT_EQ(message.BlockWait, "1");
    EXPECT_EQ(message.LockOn, "ON");
    EXPECT_TRUE(message.VerticalScrollOn);
    EXPECT_EQ(message.CurrentLine, 1);
    EXPECT_EQ(caption("cmdWait"), "Vert. s&croll ON...");
    EXPECT_EQ(control<QLineEdit>("txtLine")->text(), "1");
    EXPECT_FALSE(control<QLineEdit>("txtLine")->isEnabled());
}

TEST_F(VerticalScrollWindowTest, CancelKeepsTheMessage)
{
    typeTwoLines();
    const CurrentMessage before = session->message();
    openVerticalScroll([&](QWidget& dialog) {
        click(dialog, "optOn");
        click(dialog, "cmdCancel");
    });
    EXPECT_EQ(session->message(), before);
    EXPECT_EQ(caption("cmdWait"), "Vert. s&croll OFF...");
    EXPECT_TRUE(user.messages.empty());
}

} // namespace
} // namespace marquis::testing

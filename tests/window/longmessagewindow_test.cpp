// The long-message chooser as the user reaches it by typing past the end of a fixed line.
#include "dialogs/dialogtest.h"
#include "model/richtext.h"
#include "ui/dialogs/longmessage.h"
#include "window/windowfixture.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace marquis::testing {
namespace {

class LongMessageWindowTest : public WindowTest {
protected:
    // Fills line 1 and types its 21st character; `user` works the chooser.
    void typePastTheLine(std::function<void(QWidget&)> user)
    {
        QTest::keyClicks(editor(), "12345678901234567890");
        whenModalOpens(std::move(user));
        QTest::keyClick(editor(), 'X');
    }

    std::string storedText() { return GetText(session->message().line(1).LineText); }

    static void click(QWidget& dialog, const char* name)
    {
        QTest::mouseClick(child<QAbstractButton>(dialog, name), Qt::LeftButton);
    }
};

TEST_F(LongMessageWindowTest, TheTwentyFirstCharacterOpensTheChooserAndOptionZeroDropsIt)
{
    start("5360");
    bool opened = false;
    typePastTheLine([&](QWidget& dialog) {
        opened = true;
        EXPECT_EQ(dialog.objectName(), "frmSelect");
        EXPECT_EQ(text(dialog.windowTitle()), "Select");
        EXPECT_EQ(text(child<QLabel>(dialog, "lblPrompt")->text()), longmessagedialog::TypedPrompt);
        EXPECT_EQ(text(child<QLabel>(dialog, "Label2")->text()), "Do not create long message");
        EXPECT_EQ(text(child<QLabel>(dialog, "lblSelect1")->text()), longmessagedialog::Continuous);
        EXPECT_EQ(text(child<QLabel>(dialog, "lblSelect3")->text()), longmessagedialog::Vertical);
        EXPECT_EQ(text(child<QPushButton>(dialog, "cmdOk")->text()), "&Ok");
        EXPECT_EQ(text(child<QPushButton>(dialog, "cmdCancel")->text()), "&Cancel");
        EXPECT_TRUE(child<QRadioButton>(dialog, "optSelect0")->isChecked());
        click(dialog, "cmdOk");
    });
    ASSERT_TRUE(opened);
    EXPECT_EQ(storedText(), "12345678901234567890");
    const EditLine& line = session->message().line(1);
    EXPECT_EQ(line.LineScroll, "");
    EXPECT_EQ(line.LineBlock, "");
    EXPECT_TRUE(user.messages.empty());
}

TEST_F(LongMessageWindowTest, CancelKeepsTheLine)
{
    start("5320");
    bool opened = false;
    typePastTheLine([&](QWidget& dialog) {
        opened = true;
        click(dialog, "cmdCancel");
    });
    ASSERT_TRUE(opened);
    EXPECT_EQ(storedText(), "12345678901234567890");
    // The editor goes on with the line: Backspace still works.
    QTest::keyClick(editor(), Qt::Key_Backspace);
    EXPECT_EQ(storedText(), "1234567890123456789");
}

TEST_F(LongMessageWindowTest, AContinuousLineTakesTheTypedCharacterOnceItsScrollIsConfirmed)
{
    start("5360");
    std::string handedOver;
    typePastTheLine([&](QWidget& chooser) {
        child<QRadioButton>(chooser, "optSelect1")->click();
        whenModalOpens([&](QWidget& scroll) {
            handedOver = session->message().line(1).LineScroll;
            EXPECT_EQ(scroll.objectName(), "frmScroll");
            click(scroll, "cmdCancel");
        });
        click(chooser, "cmdOk");
    });
    EXPECT_EQ(handedOver, "25,0");
    // Cancelled in the scroll dialog: the line is as it was and the key stayed out.
    EXPECT_EQ(session->message().line(1).LineScroll, "");
    EXPECT_EQ(storedText(), "12345678901234567890");

    whenModalOpens([&](QWidget& chooser) {
        child<QRadioButton>(chooser, "optSelect1")->click();
        whenModalOpens([&](QWidget& scroll) { click(scroll, "cmdOk"); });
        click(chooser, "cmdOk");
    });
    QTest::keyClick(editor(), 'X');
    EXPECT_FALSE(session->message().line(1).LineScroll.empty());
    EXPECT_EQ(storedText(), "12345678901234567890X");
    EXPECT_TRUE(user.messages.empty());
}

} // namespace
} // namespace marquis::testing

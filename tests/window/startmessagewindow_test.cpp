// The start-message dialog as the user reaches it from the Quick Edit window's button.
#include "dialogs/dialogtest.h"
#include "ui/controls/numberscrollbar.h"
#include "ui/quickedit/widgets/helpwindow.h"
#include "window/windowfixture.h"

#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace marquis::testing {
namespace {

class StartMessageWindowTest : public WindowTest {
protected:
    // Clicks cmdStart; `user` works the dialog once it is open.
    void openDialog(std::function<void(QWidget&)> user)
    {
        bool opened = false;
        whenModalOpens([&opened, user](QWidget& dialog) {
            opened = true;
            user(dialog);
        });
        QTest::mouseClick(control<QPushButton>("cmdStart"), Qt::LeftButton);
        EXPECT_TRUE(opened);
    }

    static std::string label(QWidget& dialog, const char* name)
    {
        QWidget* widget = child<QWidget>(dialog, name);
        if (auto* button = qobject_cast<QAbstractButton*>(widget))
            return text(button->text());
        if (auto* box = qobject_cast<QGroupBox*>(widget))
            return text(box->title());
        if (auto* l = qobject_cast<QLabel*>(widget))
            return text(l->text());
        return {};
    }
    static QLineEdit* box(QWidget& dialog, const char* name)
    {
        return child<QLineEdit>(dialog, name);
    }
    static void click(QWidget& dialog, const char* name)
    {
        child<QAbstractButton>(dialog, name)->click();
    }
};

TEST_F(StartMessageWindowTest, OpensFromTheButtonAndOkWritesTheStartLists)
{
    start("5360");
    ASSERT_TRUE(control("cmdStart")->isEnabled());
    EXPECT_EQ(caption("cmdStart"), "&Start msg OFF...");
    openDialog([](QWidget& dialog) {
        EXPECT_EQ(text(dialog.windowTitle()), "Current msg 0");
        const std::pair<const char*, const char*> captions[] = { { "Label5", "Start message" },
            { "optOn", "On" }, { "optOff", "Off" }, { "Frame1", "First message" },
            { "Frame2", "Second message" }, { "Frame3", "Third message" },
            { "Frame4", "Fourth message" }, { "optTop3", "Beg." }, { "optEnd3", "End" },
            { "lblPlace4", "Place the call at:" }, { "cmdOk", "&OK" }, { "cmdCancel", "&Cancel" },
            { "cmdClear", "Clea&r" }, { "cmdHelp", "&Help" },
            { "lblStatus", "Press On Radio button in order to start editing." } };
        for (const auto& [name, expected] : captions)
            EXPECT_EQ(label(dialog, name), expected) << name;
        EXPECT_TRUE(child<QRadioButton>(dialog, "optOff")->isChecked());
        EXPECT_FALSE(box(dialog, "txtStart1")->isEnabled());

        click(dialog, "optOn");
        EXPECT_TRUE(box(dialog, "txtStart1")->isEnabled());
        QTest::keyClicks(box(dialog, "txtStart1"), "a1-2.");
        EXPECT_EQ(text(box(dialog, "txtStart1")->text()), "12");
        EXPECT_EQ(child<qt::NumberScrollBar>(dialog, "vsbStart1")->number(), 12);
        click(dialog, "optEnd1");
        QTest::keyClick(child<qt::NumberScrollBar>(dialog, "vsbStart2"), Qt::Key_Up);
        QTest::keyClick(child<qt::NumberScrollBar>(dialog, "vsbStart2"), Qt::Key_Up);
        QTest::keyClick(child<qt::NumberScrollBar>(dialog, "vsbStart2"), Qt::Key_Down);
        EXPECT_EQ(text(box(dialog, "txtStart2")->text()), "1");
        QTest::mouseClick(child<QPushButton>(dialog, "cmdOk"), Qt::LeftButton);
    });
    EXPECT_EQ(session->message().StartSameTask, "12");
    EXPECT_EQ(session->message().StartOtherTask, "1");
    EXPECT_EQ(caption("cmdStart"), "&Start msg ON...");
    EXPECT_TRUE(user.messages.empty());
}

TEST_F(StartMessageWindowTest, EveryCloseButOkKeepsTheLists)
{
    start("5360");
    session->message().StartOtherTask = "5";
    const std::function<void(QWidget&)> closes[] = {
        [](QWidget& dialog) { click(dialog, "cmdCancel"); },
        [](QWidget& dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); },
        [](QWidget& dialog) { dialog.close(); },
    };
    for (const auto& close : closes) {
        openDialog([&close](QWidget& dialog) {
            EXPECT_EQ(text(box(dialog, "txtStart1")->text()), "5");
            EXPECT_TRUE(child<QRadioButton>(dialog, "optTop1")->isChecked());
            box(dialog, "txtStart1")->setText("9");
            click(dialog, "optOff");
            close(dialog);
            EXPECT_FALSE(dialog.isVisible());
        });
        EXPECT_EQ(session->message().StartOtherTask, "5");
    }
}

TEST_F(StartMessageWindowTest, RefusedOkAndHelpKeepTheDialogAsTheUserLeftIt)
{
    start("5360");
    openDialog([this](QWidget& dialog) {
        click(dialog, "optOn");
        QTest::keyClicks(box(dialog, "txtStart1"), "0");
        QTest::keyClicks(box(dialog, "txtStart2"), "3");
        click(dialog, "cmdOk");
        EXPECT_EQ(user.messageTexts(),
            std::vector<std::string> {
                "Message 0 is the current message. You cannot call the current message." });
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(text(box(dialog, "txtStart1")->text()), "");

        click(dialog, "cmdHelp");
        EXPECT_TRUE(window->helpWindow()->isVisible());
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(text(box(dialog, "txtStart2")->text()), "3");
        EXPECT_TRUE(child<QRadioButton>(dialog, "optOn")->isChecked());

        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(child<QWidget>(dialog, "cmdClear"), &enter);
        EXPECT_EQ(label(dialog, "lblStatus"),
            "Pressing this button will clear all four message number fields.");
        click(dialog, "cmdOk");
    });
    EXPECT_EQ(user.messages.size(), 1u);
    EXPECT_EQ(session->message().StartOtherTask, "3");
}

} // namespace
} // namespace marquis::testing

// The Send dialog as a user works it from the main window's send button.
#include "dialogs/dialogtest.h"
#include "window/windowfixture.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>

namespace marquis::testing {
namespace {

class SendMessageWindowTest : public WindowTest {
protected:
    // Clicks the send button; `work` handles the dialog once it is open.
    void openSend(std::function<void(QWidget&)> work)
    {
        bool opened = false;
        whenModalOpens([&](QWidget& dialog) {
            opened = true;
            work(dialog);
        });
        QTest::mouseClick(control<QPushButton>("cmdSend"), Qt::LeftButton);
        EXPECT_TRUE(opened);
    }

    // Clicks a button; an option button on its caption, which is where it takes clicks.
    static void click(QWidget& dialog, const char* name)
    {
        auto* button = child<QAbstractButton>(dialog, name);
        const bool option = qobject_cast<QRadioButton*>(button) != nullptr;
        QTest::mouseClick(button, Qt::LeftButton, {},
            option ? QPoint(button->height() / 2, button->height() / 2) : QPoint());
    }

    static QPoint cell(QTableWidget* grid, int row, int column)
    {
        return grid->visualItemRect(grid->item(row, column)).center();
    }
};

TEST_F(SendMessageWindowTest, ShowsItsControlsUnderTheirCaptions)
{
    start("5360");
    openSend([](QWidget& dialog) {
        EXPECT_EQ(dialog.objectName(), "frmSend");
        EXPECT_EQ(text(dialog.windowTitle()), "Send");
        const std::pair<const char*, const char*> buttons[] = { { "optOff", "Off" },
            { "optOn", "User defined text" }, { "optSlave", "To 5300 Slave (5300 V2 units only)" },
            { "cmdOk", "&OK" }, { "cmdCancel", "&Cancel" }, { "cmdClear", "C&lear" },
            { "cmdHelp", "&Help" } };
        for (const auto& [name, caption] : buttons)
            EXPECT_EQ(text(child<QAbstractButton>(dialog, name)->text()), caption) << name;
        EXPECT_EQ(text(child<QLabel>(dialog, "Label2")->text()), "Send message out :");
        EXPECT_EQ(text(child<QLabel>(dialog, "Label1")->text()),
            "Control characters selector table (double click to paste):");
        auto* grid = child<QTableWidget>(dialog, "grdSend");
        ASSERT_EQ(grid->rowCount(), 4);
        ASSERT_EQ(grid->columnCount(), 8);
        EXPECT_EQ(text(grid->item(0, 0)->text()), "<NUL>");
        EXPECT_EQ(text(grid->item(1, 5)->text()), "<CR>");
        EXPECT_EQ(text(grid->item(3, 4)->text()), "<FS>");
        EXPECT_EQ(text(grid->item(3, 7)->text()), "<US>");

        // Off shows the short dialog with the text part disabled; the user text opens it.
        EXPECT_TRUE(child<QRadioButton>(dialog, "optOff")->isChecked());
        const int shortHeight = dialog.height();
        for (const char* name : { "grdSend", "txtSend", "lblSend", "Label1", "cmdClear" })
            EXPECT_FALSE(child<QWidget>(dialog, name)->isEnabled()) << name;
        click(dialog, "optOn");
        for (const char* name : { "grdSend", "txtSend", "lblSend", "Label1", "cmdClear" })
            EXPECT_TRUE(child<QWidget>(dialog, name)->isEnabled()) << name;
        EXPECT_GT(dialog.height(), shortHeight);
        click(dialog, "optSlave");
        EXPECT_FALSE(child<QWidget>(dialog, "txtSend")->isEnabled());
        EXPECT_EQ(dialog.height(), shortHeight);
        click(dialog, "cmdCancel");
    });
}

TEST_F(SendMessageWindowTest, OkStoresTheTextAndAnyOtherCloseKeepsTheMessage)
{
    start("5360");
    EXPECT_EQ(caption("cmdSend"), "Sen&d msg OFF...");
    openSend([](QWidget& dialog) {
        click(dialog, "optOn");
        auto* box = child<QPlainTextEdit>(dialog, "txtSend");
        auto* grid = child<QTableWidget>(dialog, "grdSend");
        box->setFocus();
        QTest::keyClicks(box, "Hi");
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell(grid, 1, 5));
        EXPECT_EQ(text(child<QLabel>(dialog, "lblSend")->text()),
            "         Key = ^M        Decimal = 13        Hex = 0Dh");
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell(grid, 1, 5));
        EXPECT_EQ(text(box->toPlainText()), "Hi<CR>");

        // Backspace right after the name would break it.
        QTest::keyClick(box, Qt::Key_Backspace);
        EXPECT_EQ(text(box->toPlainText()), "Hi<CR>");
        // A click inside the name takes all of it, and Enter on the grid replaces it.
        QTextCursor inside = box->textCursor();
        inside.setPosition(4);
        QTest::mouseClick(box->viewport(), Qt::LeftButton, {}, box->cursorRect(inside).center());
        EXPECT_EQ(text(box->textCursor().selectedText()), "<CR>");
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell(grid, 1, 2));
        QTest::keyClick(grid, Qt::Key_Return);
        EXPECT_EQ(text(box->toPlainText()), "Hi<LF>");
        EXPECT_TRUE(dialog.isVisible());
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell(grid, 1, 5));
        QTest::keyClick(grid, Qt::Key_Enter);
        click(dialog, "cmdOk");
    });
    EXPECT_EQ(session->message().OutputDevice, "Hi#J#M");
    EXPECT_EQ(caption("cmdSend"), "Sen&d msg ON...");
    EXPECT_TRUE(user.messages.empty());

    openSend([](QWidget& dialog) {
        EXPECT_TRUE(child<QRadioButton>(dialog, "optOn")->isChecked());
        EXPECT_EQ(text(child<QPlainTextEdit>(dialog, "txtSend")->toPlainText()), "Hi<LF><CR>");
        click(dialog, "optOff");
        click(dialog, "cmdCancel");
    });
    openSend([](QWidget& dialog) {
        click(dialog, "optSlave");
        dialog.close();
    });
    EXPECT_EQ(session->message().OutputDevice, "Hi#J#M");
    EXPECT_EQ(caption("cmdSend"), "Sen&d msg ON...");
}

} // namespace
} // namespace marquis::testing

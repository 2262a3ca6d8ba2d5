// The Variables dialog as the user reaches it from the Quick Edit window's Variable button.
#include "dialogs/dialogtest.h"
#include "model/richtext.h"
#include "window/windowfixture.h"

#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <QTextEdit>

namespace marquis::testing {
namespace {

class VariablesWindowTest : public WindowTest {
protected:
    std::string storedLine() { return session->message().line(1).LineText; }

    // Types "T " and a field of placeholders with one decimal place into line 1.
    void typeField()
    {
        const QString p = qt::fromWindows1252(session->message().PlaceholderChar);
        QTest::keyClicks(editor(), "T " + p + p + "." + p);
    }

    // In the open dialog: highlights the field and double-clicks the cell of variable 3.
    static void assignVariable3(QWidget& dialog)
    {
        auto* text = child<QTextEdit>(dialog, "txtEdit");
        QTextCursor highlight(text->document());
        highlight.setPosition(2);
        highlight.setPosition(6, QTextCursor::KeepAnchor);
        text->setTextCursor(highlight);
        auto* table = child<QTableWidget>(dialog, "grdSend");
        const QPoint cell = table->visualItemRect(table->item(2, 0)).center();
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell);
        QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, cell);
    }

    void clickVariableButton()
    {
        QTest::mouseClick(control<QPushButton>("cmdVar"), Qt::LeftButton);
    }
};

TEST_F(VariablesWindowTest, AssignsOnOkAndPutsTheLineBackOtherwise)
{
    start("5320");
    typeField();
    const std::string typed = storedLine();
    ASSERT_TRUE(control("cmdVar")->isEnabled());

    bool opened = false;
    whenModalOpens([&](QWidget& dialog) {
        opened = true;
        EXPECT_EQ(dialog.objectName(), "frmVar");
        EXPECT_EQ(text(dialog.windowTitle()), "Variables");
        EXPECT_EQ(text(child<QGroupBox>(dialog, "fraLine")->title()), "Variable on line  1");
        const std::pair<const char*, const char*> buttons[] = { { "cmdOk", "&OK" },
            { "cmdCancel", "&Cancel" }, { "cmdHelp", "&Help" } };
        for (const auto& [name, caption] : buttons)
            EXPECT_EQ(text(child<QPushButton>(dialog, name)->text()), caption) << name;
        auto* table = child<QTableWidget>(dialog, "grdSend");
        EXPECT_EQ(text(table->item(0, 0)->text()), "V1");
        EXPECT_EQ(text(table->item(7, 1)->text()), "V16");
        EXPECT_TRUE(child<QRadioButton>(dialog, "optOff")->isChecked());
        EXPECT_FALSE(table->isEnabled());
        child<QRadioButton>(dialog, "optOn")->click();
        EXPECT_TRUE(table->isEnabled());

        assignVariable3(dialog);
        EXPECT_EQ(text(child<QLabel>(dialog, "lblStatus")->text()), "Variable  3");
        EXPECT_FALSE(table->item(2, 0)->icon().isNull());
        EXPECT_TRUE(table->item(3, 0)->icon().isNull());
        EXPECT_TRUE(child<QPushButton>(dialog, "cmdClear")->isEnabled());
        EXPECT_NE(storedLine().find("\\f3 \\cf4 "), std::string::npos) << storedLine();
        QTest::mouseClick(child<QPushButton>(dialog, "cmdCancel"), Qt::LeftButton);
    });
    clickVariableButton();
    ASSERT_TRUE(opened);
    EXPECT_EQ(storedLine(), typed);

    // Escape closes the dialog as Cancel does.
    whenModalOpens([&](QWidget& dialog) {
        child<QRadioButton>(dialog, "optOn")->click();
        assignVariable3(dialog);
        QTest::keyClick(&dialog, Qt::Key_Escape);
    });
    clickVariableButton();
    EXPECT_EQ(storedLine(), typed);

    whenModalOpens([&](QWidget& dialog) {
        child<QRadioButton>(dialog, "optOn")->click();
        assignVariable3(dialog);
        QTest::mouseClick(child<QPushButton>(dialog, "cmdOk"), Qt::LeftButton);
    });
    clickVariableButton();
    EXPECT_NE(storedLine().find("\\f3 \\cf4 "), std::string::npos) << storedLine();
    EXPECT_EQ(GetText(storedLine()), GetText(typed));
    EXPECT_EQ(caption("cmdVar"), "&Variable ON...");
    EXPECT_TRUE(user.messages.empty()) << user.messageTexts().front();
}

} // namespace
} // namespace marquis::testing

// The Edit menu in the window: its items follow the focused control, its commands and their
// keys work on the line editor and the script text, undo never crosses a message, and a deleted
// message stays deleted in the saved file.
#include "model/richtext.h"
#include "support/assertions.h"
#include "window/windowfixture.h"

#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

namespace marquis::testing {
namespace {

class EditMenuWindowTest : public WindowTest {
protected:
    EditMenuWindowTest() { QGuiApplication::clipboard()->clear(); }
    ~EditMenuWindowTest() override { QGuiApplication::clipboard()->clear(); }

    // Opens the Edit menu (its items take their states) and says which are enabled.
    std::string openEditMenu()
    {
        auto* menu = window->findChild<QMenu*>("mnuEdit");
        emit menu->aboutToShow();
        std::string enabled;
        for (const char* item :
            { "mnuEditUndo", "mnuEditCut", "mnuEditCopy", "mnuEditPaste", "mnuEditDelete" })
            if (window->action(item)->isEnabled())
                enabled += std::string(enabled.empty() ? "" : " ") + (item + 7);
        return enabled;
    }

    void focus(QWidget* widget)
    {
        window->activateWindow();
        widget->setFocus(Qt::OtherFocusReason);
        QApplication::processEvents();
    }

    void highlight(int from, int to)
    {
        QTextCursor cursor = editor()->textCursor();
        cursor.setPosition(from);
        cursor.setPosition(to, QTextCursor::KeepAnchor);
        editor()->setTextCursor(cursor);
    }

    std::string storedLine1() { return GetText(session->message().line(1).LineText); }

    std::string savedAs(const std::filesystem::path& file)
    {
        user.files.push_back(file);
        trigger("mnuFileSaveAs");
        return readWholeFile(file);
    }
};

TEST_F(EditMenuWindowTest, ItemsFollowTheFocusedControl)
{
    start("5320");
    focus(editor());
    EXPECT_EQ(openEditMenu(), "");
    EXPECT_EQ(statusLine(), "Press F1 in order to get help on commands from Edit Menu.");
    QTest::keyClicks(editor(), "HELLO");
    EXPECT_EQ(openEditMenu(), "Undo Delete");
    highlight(0, 2);
    QGuiApplication::clipboard()->setText("X");
    EXPECT_EQ(openEditMenu(), "Undo Cut Copy Paste Delete");

    // In the number box the clipboard items are off, and their keys are the box's own.
    focus(control("txtMsg"));
    EXPECT_EQ(openEditMenu(), "Delete");
    trigger("mnuEditDelete");
    EXPECT_EQ(user.messages.back().text, "Delete message  0 ?");
    EXPECT_EQ(GetText(editor()->lineText()), "HELLO"); // the default answer is Cancel
}

TEST_F(EditMenuWindowTest, MenuAndKeysCutCopyAndPasteThroughOneRoutine)
{
    start("5320");
    focus(editor());
    QTest::keyClicks(editor(), "HELLO WORLD");
    highlight(5, 11);
    QGuiApplication::clipboard()->setText("old");
    openEditMenu();
    trigger("mnuEditCopy");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), " WORLD");
    // Plain text only, also from the editor's own Ctrl+C: nothing of the line's formats.
    QGuiApplication::clipboard()->clear();
    QTest::keyClick(editor(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->mimeData()->formats(), QStringList { "text/plain" });
    EXPECT_EQ(QGuiApplication::clipboard()->text(), " WORLD");
    trigger("mnuEditCut");
    EXPECT_EQ(row(2), "HELLO");
    EXPECT_EQ(storedLine1(), "HELLO");
    EXPECT_EQ(statusLine(), "Length of current line is  5 characters.");

    // Menu, Ctrl+V and Shift+Insert paste alike, under the length limit.
    openEditMenu();
    trigger("mnuEditPaste");
    EXPECT_EQ(row(2), "HELLO WORLD");
    QTest::keyClick(editor(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(storedLine1(), "HELLO WORLD WORLD");
    QTest::keyClick(editor(), Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(storedLine1(), "HELLO WORLD WORLD");
    EXPECT_EQ(user.messages.back().text,
        "The text to be pasted is too long to fit in 20 characters line. You may want to create "
        "a continuous scrolling message.");
    // The typing rules: a tab or a "#" combination never gets in.
    QGuiApplication::clipboard()->setText("\t");
    QTest::keyClick(editor(), Qt::Key_V, Qt::ControlModifier);
    QGuiApplication::clipboard()->setText("#A");
    openEditMenu();
    trigger("mnuEditPaste");
    EXPECT_TRUE(contains(user.messages.back().text, "Character combination #A is illegal"));
    EXPECT_EQ(storedLine1(), "HELLO WORLD WORLD");

    // Ctrl+X cuts as the menu does.
    highlight(0, 6);
    QTest::keyClick(editor(), Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "HELLO ");
    EXPECT_EQ(storedLine1(), "WORLD WORLD");
    EXPECT_TRUE(contains(savedAs(programFolder / "cut.src"), "PRINT\"WORLD WORLD\";"));
}

TEST_F(EditMenuWindowTest, UndoStoresTheLineAndForgetsTheMessageLeft)
{
    start("5320");
    focus(editor());
    QTest::keyClicks(editor(), "FIVE");
    QTest::keyClick(editor(), Qt::Key_Backspace);
    openEditMenu();
    trigger("mnuEditUndo");
    EXPECT_EQ(row(2), "FIVE");
    EXPECT_EQ(storedLine1(), "FIVE");
    QTest::keyClick(editor(), Qt::Key_Z, Qt::ControlModifier); // the typing before it
    EXPECT_EQ(storedLine1(), "");

    // Message 5's edits cannot be undone into message 6, nor the script text's into another.
    enterMessage("5");
    focus(editor());
    QTest::keyClicks(editor(), "MSG5");
    QTest::keyClick(editor(), Qt::Key_PageUp);
    EXPECT_EQ(session->message().MessageNumber, 6);
    EXPECT_FALSE(editor()->document()->isUndoAvailable());
    QTest::keyClick(editor(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(storedLine1(), "");
    EXPECT_EQ(openEditMenu(), "Delete");

    auto* script = control<QPlainTextEdit>("txtAdvEdit");
    window->setText("txtAdvEdit", "SUB 5( ) ' TASK=0\r\nEND SUB\r\n");
    script->insertPlainText("typed");
    window->setText("txtAdvEdit", "SUB 6( ) ' TASK=0\r\nEND SUB\r\n");
    EXPECT_FALSE(script->document()->isUndoAvailable());
}

TEST_F(EditMenuWindowTest, PasteIntoTheScriptTextReplacesItsSelection)
{
    start("5320");
    QTest::mouseClick(control<QPushButton>("cmdAdvEdit"), Qt::LeftButton);
    auto* script = control<QPlainTextEdit>("txtAdvEdit");
    ASSERT_TRUE(script->isVisible());
    ASSERT_TRUE(script->toPlainText().startsWith("SUB 0("));
    focus(script);
    QTextCursor cursor = script->textCursor();
    cursor.setPosition(4);
    cursor.setPosition(5, QTextCursor::KeepAnchor);
    script->setTextCursor(cursor);
    EXPECT_EQ(openEditMenu(), "Cut Copy");
    trigger("mnuEditCopy");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "0");
    QGuiApplication::clipboard()->setText("12");
    EXPECT_EQ(openEditMenu(), "Cut Copy Paste");
    trigger("mnuEditPaste");
    EXPECT_TRUE(script->toPlainText().startsWith("SUB 12("));
    // The pasted text is the message's text at once; it now holds more than an empty message.
    EXPECT_EQ(session->message().MessageScript.substr(0, 7), "SUB 12(");
    EXPECT_EQ(openEditMenu(), "Undo Paste Delete");
    trigger("mnuEditUndo");
    EXPECT_TRUE(script->toPlainText().startsWith("SUB 0("));
}

TEST_F(EditMenuWindowTest, DeletedMessagesStayDeletedAfterSaveAndOpen)
{
    start("5320");
    const std::filesystem::path file = programFolder / "three.src";
    focus(editor());
    for (const char* number : { "1", "3", "4" }) {
        enterMessage(number);
        QTest::keyClicks(editor(), QString("MESSAGE ") + number);
    }
    enterMessage("1");
    savedAs(file);

    // Message 3 from the file; message 1 changed into the store; message 8 new.
    enterMessage("1");
    QTest::keyClick(editor(), Qt::Key_End);
    QTest::keyClicks(editor(), "!");
    enterMessage("3");
    user.answers.push_back(Answer::Ok);
    openEditMenu();
    trigger("mnuEditDelete");
    EXPECT_EQ(session->message().MessageNumber, 1);
    EXPECT_EQ(row(2), "MESSAGE 1!");
    user.answers.push_back(Answer::Ok);
    trigger("mnuEditDelete");
    EXPECT_EQ(session->message().MessageNumber, 0); // nothing before it: the number below
    enterMessage("8");
    QTest::keyClicks(editor(), "EIGHT");
    user.answers.push_back(Answer::Ok);
    openEditMenu();
    trigger("mnuEditDelete");
    EXPECT_EQ(session->message().MessageNumber, 4);
    EXPECT_EQ(row(2), "MESSAGE 4");

    trigger("mnuFileSave");
    open(file.string());
    const std::string saved = readWholeFile(file);
    EXPECT_TRUE(contains(saved, "MESSAGE 4"));
    for (const char* gone : { "MESSAGE 1", "MESSAGE 3", "EIGHT", "SUB 0(" })
        EXPECT_FALSE(contains(saved, gone)) << gone;
    EXPECT_EQ(session->message().MessageNumber, 4);
}

} // namespace
} // namespace marquis::testing

// The line editor in the window: whatever changes its text (a key, Delete, the context menu, a
// drop, undo) reaches the line, the display and the saved file; whatever text arrives in it (a
// paste by any key or button, a drop) meets the typing rules and the length limits.
#include "model/richtext.h"
#include "support/assertions.h"
#include "support/temporaryfolder.h"
#include "window/windowfixture.h"

#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <memory>

namespace marquis::testing {
namespace {

class LineEditorTest : public WindowTest {
protected:
    ~LineEditorTest() override { QGuiApplication::clipboard()->clear(); }

    // Runs an item of the editor's own right-click menu, as the user would pick it.
    void contextMenu(const char* item)
    {
        const std::unique_ptr<QMenu> menu(editor()->createStandardContextMenu());
        for (QAction* action : menu->actions())
            if (action->objectName() == QLatin1String(item)) {
                ASSERT_TRUE(action->isEnabled()) << item;
                action->trigger();
                return;
            }
        FAIL() << "no " << item << " in the context menu";
    }

    // Highlights characters of the first row, as the mouse would.
    void highlight(int from, int to)
    {
        QTextCursor cursor = editor()->textCursor();
        cursor.setPosition(from);
        cursor.setPosition(to, QTextCursor::KeepAnchor);
        editor()->setTextCursor(cursor);
    }

    // Drops text from another program at the start of the editor; true when it was taken.
    bool drop(const QString& text, Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction)
    {
        QMimeData data;
        data.setText(text);
        const QPointF at(2, 2);
        QDragEnterEvent enter(at.toPoint(), actions, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(editor()->viewport(), &enter);
        QDropEvent dropped(at, actions, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(editor()->viewport(), &dropped);
        EXPECT_NE(dropped.dropAction(), Qt::MoveAction); // the other program keeps its text
        return dropped.isAccepted();
    }

    std::string savedAs(const char* name)
    {
        const std::filesystem::path file = programFolder / name;
        user.files.push_back(file);
        trigger("mnuFileSaveAs");
        return readWholeFile(file);
    }

    std::string storedLine(int line) { return session->message().line(line).LineText; }

    // The Delete key as the platform delivers it, with the character 127.
    void pressDelete()
    {
        const QString del(QChar(127));
        QTest::sendKeyEvent(QTest::Press, editor(), Qt::Key_Delete, del, Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, editor(), Qt::Key_Delete, del, Qt::NoModifier);
    }
};

TEST_F(LineEditorTest, ContextMenuCutReachesTheDisplayAndTheSavedFile)
{
    start("5320");
    QTest::keyClicks(editor(), "HELLO");
    highlight(2, 5);
    contextMenu("edit-cut");
    EXPECT_EQ(row(2), "HE");
    EXPECT_EQ(GetText(storedLine(1)), "HE");
    EXPECT_EQ(statusLine(), "Length of current line is  2 characters.");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "LLO");
    const std::string saved = savedAs("cut.src");
    EXPECT_TRUE(contains(saved, "PRINT\"HE\";"));
    EXPECT_FALSE(contains(saved, "HELLO"));

    // The menu's Undo and Redo are edits as well.
    contextMenu("edit-undo");
    EXPECT_EQ(row(2), "HELLO");
    EXPECT_EQ(GetText(storedLine(1)), "HELLO");
    contextMenu("edit-redo");
    EXPECT_EQ(row(2), "HE");
    editor()->selectAll();
    contextMenu("edit-delete");
    EXPECT_EQ(row(2), "");
    EXPECT_EQ(GetText(storedLine(1)), "");
    EXPECT_FALSE(contains(savedAs("deleted.src"), "PRINT\"HE\";"));
}

TEST_F(LineEditorTest, DeleteKeyDeletesAtTheCaretAndTheHighlight)
{
    start("5320");
    QTest::keyClicks(editor(), "ABCDEFGHIJKLMNOPQRST");
    QTest::keyClick(editor(), Qt::Key_Home);
    pressDelete(); // a full line gives characters up
    EXPECT_EQ(row(2), "BCDEFGHIJKLMNOPQRST");
    highlight(2, 6);
    pressDelete();
    EXPECT_EQ(row(2), "BCHIJKLMNOPQRST");
    EXPECT_EQ(GetText(storedLine(1)), "BCHIJKLMNOPQRST");
    EXPECT_EQ(statusLine(), "Length of current line is  15 characters.");
    QTest::keyClick(editor(), Qt::Key_End);
    pressDelete(); // nothing after the caret
    EXPECT_EQ(row(2), "BCHIJKLMNOPQRST");
    EXPECT_TRUE(user.messages.empty());
}

TEST_F(LineEditorTest, EveryPasteMeetsTheLengthLimitAndTheTypingRules)
{
    start("5320");
    QTest::keyClicks(editor(), "HELLO");
    QClipboard* clipboard = QGuiApplication::clipboard();

    // 46 characters and a line break: nothing of it goes into a fixed line.
    clipboard->setText("ABCDEFGHIJKLMNOPQRSTUVWXYZ\nABCDEFGHIJKLMNOPQRST");
    QTest::keyClick(editor(), Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(row(2), "HELLO");
    EXPECT_EQ(editor()->document()->blockCount(), 1);
    ASSERT_EQ(user.messages.size(), 1U);
    EXPECT_TRUE(contains(user.messages.back().text, "several lines"));
    clipboard->setText("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    QTest::keyClick(editor(), Qt::Key_V, Qt::ControlModifier);
    contextMenu("edit-paste");
    EXPECT_EQ(row(2), "HELLO");
    EXPECT_EQ(user.messages.size(), 3U);
    EXPECT_TRUE(contains(user.messages.back().text, "too long to fit in 20 characters line"));

    // What fits goes in, and is stored and saved like typed text.
    clipboard->setText(" WORLD\n");
    QTest::keyClick(editor(), Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(row(2), "HELLO WORLD");
    clipboard->setText("!");
    QTest::keyClick(editor(), Qt::Key_V, Qt::ControlModifier);
    contextMenu("edit-paste");
    EXPECT_EQ(row(2), "HELLO WORLD!!");
    EXPECT_TRUE(contains(savedAs("pasted.src"), "PRINT\"HELLO WORLD!!\";"));

    // A "#" combination the display reads as a control character is refused as when typed.
    clipboard->setText("#A");
    QTest::keyClick(editor(), Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(row(2), "HELLO WORLD!!");
    EXPECT_TRUE(contains(user.messages.back().text, "Character combination #A is illegal"));
}

TEST_F(LineEditorTest, MiddleButtonPasteMeetsTheLengthLimit)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard->supportsSelection())
        GTEST_SKIP() << "this platform has no selection to paste with the middle button";
    start("5320");
    QTest::keyClicks(editor(), "HELLO");
    clipboard->setText("ABCDEFGHIJKLMNOPQRSTUVWXYZ", QClipboard::Selection);
    QTest::mouseClick(editor()->viewport(), Qt::MiddleButton, {}, QPoint(2, 2));
    EXPECT_EQ(row(2), "HELLO");
    EXPECT_TRUE(contains(user.messages.back().text, "too long to fit in 20 characters line"));
    clipboard->setText("SAY ", QClipboard::Selection);
    QTest::mouseClick(editor()->viewport(), Qt::MiddleButton, {}, QPoint(2, 2));
    EXPECT_EQ(row(2), "SAY HELLO");
    EXPECT_EQ(GetText(storedLine(1)), "SAY HELLO");
}

TEST_F(LineEditorTest, DroppedTextIsCopiedInUnderTheRules)
{
    start("5320");
    QTest::keyClicks(editor(), "WORLD");
    EXPECT_TRUE(drop("HELLO "));
    EXPECT_EQ(row(2), "HELLO WORLD");
    EXPECT_EQ(GetText(storedLine(1)), "HELLO WORLD");
    EXPECT_TRUE(contains(savedAs("dropped.src"), "PRINT\"HELLO WORLD\";"));

    drop("A TEXT FAR TOO LONG ");
    EXPECT_EQ(row(2), "HELLO WORLD");
    EXPECT_TRUE(contains(user.messages.back().text, "too long to fit in 20 characters line"));
    drop("X", Qt::MoveAction); // only a copy is taken
    EXPECT_EQ(row(2), "HELLO WORLD");
}

TEST_F(LineEditorTest, BlockLinePasteMakesBlocksOfAtMost20)
{
    start("5320");
    session->message().line(1).LineBlock = "0,0";
    session->message().BlockScrollOn = true;
    window->state()->ShowEdit(1);
    QTest::keyClicks(editor(), "ONE");
    QGuiApplication::clipboard()->setText("\nTWO\nTHREE");
    QTest::keyClick(editor(), Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(GetText(storedLine(1)), "ONE\r\nTWO\r\nTHREE");
    QGuiApplication::clipboard()->setText("\n" + QString(21, 'F'));
    QTest::keyClick(editor(), Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(GetText(storedLine(1)), "ONE\r\nTWO\r\nTHREE");
    EXPECT_TRUE(contains(user.messages.back().text, "too long to fit in 20 characters block"));
}

TEST_F(LineEditorTest, BlinkOnPartOfAVariableMakesTheWholeFieldBlink)
{
    start("5320");
    const std::string field = "\\sb90\\sa90 \\f0 \\cf0 T \\f2 \\cf4 ####";
    session->message().line(1).LineText = field;
    editor()->setLineText(field);
    highlight(2, 4); // two of the four placeholders
    QTest::mouseClick(control<QPushButton>("cmdBlink"), Qt::LeftButton);
    EXPECT_EQ(storedLine(1), "\\sb90\\sa90 \\f0 \\cf0 T \\f18 \\cf4 ####");
    const std::string saved = savedAs("field.src");
    EXPECT_TRUE(contains(saved, "PRINT VAR(2, 4);"));
    EXPECT_FALSE(contains(saved, "PRINT VAR(2, 2);"));
}

} // namespace
} // namespace marquis::testing

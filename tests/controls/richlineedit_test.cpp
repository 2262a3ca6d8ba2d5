#include "model/richtext.h"
#include "ui/controls/richlineedit.h"
#include "ui/controls/richtextcodec.h"

#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <gtest/gtest.h>
#include <memory>
#include <optional>

using namespace marquis;
using namespace marquis::qt;

namespace {

class RichLineEditTest : public ::testing::Test {
protected:
    RichLineEditTest()
    {
        edit.resize(400, 160);
        edit.show();
    }

    // Puts the caret at a document position, optionally highlighting from `anchor`.
    void placeCaret(int position, int anchor = -1)
    {
        QTextCursor cursor = edit.textCursor();
        cursor.setPosition(anchor < 0 ? position : anchor);
        cursor.setPosition(position, QTextCursor::KeepAnchor);
        edit.setTextCursor(cursor);
    }

    RichLineEdit edit;
};

TEST_F(RichLineEditTest, EditorStateCountsVisibleCharactersRowByRow)
{
    const std::string rich =
        "\\sb90\\sa90 \\f0 \\cf0 HELLO\\par\r\n\\qc \\f65 \\cf0 WO\\\\R\\f0 \\cf0 LD";
    edit.setLineText(rich);
    EditorState state = edit.editorState();
    EXPECT_EQ(state.richText, rich);
    EXPECT_EQ(state.caretRow, 0);
    EXPECT_EQ(state.caretColumn, 0);

    // The caret after "WO\R" on the second row.
    placeCaret(6 + 4);
    state = edit.editorState();
    EXPECT_EQ(state.caretRow, 1);
    EXPECT_EQ(state.caretColumn, 4);
    EXPECT_EQ(state.selectionLength, 0);

    // From "LO" to "W": the block end counts as its CR LF, as in the plain text.
    placeCaret(7, 3);
    state = edit.editorState();
    EXPECT_EQ(state.caretRow, 1);
    EXPECT_EQ(state.caretColumn, 1);
    EXPECT_EQ(state.selectionLength, 5);
    EXPECT_EQ(
        static_cast<std::size_t>(state.selectionLength), plainLength(edit.selectedLineText()));

    // Characters the display drops are not counted.
    edit.setLineText("\\sb90\\sa90 \\f0 \\cf0 caf\xE9 au lait");
    placeCaret(6);
    EXPECT_EQ(edit.editorState().caretColumn, 5);
    EXPECT_EQ(edit.lineText(), "\\sb90\\sa90 \\f0 \\cf0 caf\xE9 au lait");
}

TEST_F(RichLineEditTest, BlinkToggleOfAHighlightedWord)
{
    edit.setLineText("\\sb90\\sa90 \\f0 \\cf0 HELLO WORLD");
    placeCaret(11, 6);
    ASSERT_EQ(edit.selectedLineText(), "\\f0 \\cf0 WORLD");

    edit.replaceSelectedLineText(ToggleBlink(edit.selectedLineText()));
    EXPECT_EQ(edit.lineText(), "\\sb90\\sa90 \\f0 \\cf0 HELLO \\f65 \\cf0 WORLD");
    EXPECT_EQ(CheckBlink(edit.lineText()), "1");
    // The word stays highlighted, so the button can turn it back.
    EXPECT_EQ(edit.textCursor().selectedText(), "WORLD");
    EXPECT_EQ(edit.editorState().selectionLength, 5);

    edit.replaceSelectedLineText(ToggleBlink(edit.selectedLineText()));
    EXPECT_EQ(edit.lineText(), "\\sb90\\sa90 \\f0 \\cf0 HELLO WORLD");
    EXPECT_EQ(CheckBlink(edit.lineText()), "");
}

TEST_F(RichLineEditTest, TypedTextTakesTheFormatOfItsRun)
{
    edit.setLineText("\\sb90\\sa90 \\f0 \\cf0 AB\\f65 \\cf0 CD\\f7 \\cf4 ##");
    placeCaret(4);
    QTest::keyClicks(&edit, "xy");
    EXPECT_EQ(edit.lineText(), "\\sb90\\sa90 \\f0 \\cf0 AB\\f65 \\cf0 CDxy\\f7 \\cf4 ##");

    // A placeholder typed at the end of a variable widens it; after setTypingPlain the text is
    // plain.
    edit.moveCaretToEnd();
    QTest::keyClicks(&edit, "#");
    edit.setTypingPlain();
    QTest::keyClicks(&edit, "ok");
    EXPECT_EQ(
        edit.lineText(), "\\sb90\\sa90 \\f0 \\cf0 AB\\f65 \\cf0 CDxy\\f7 \\cf4 ###\\f0 \\cf0 ok");

    // Typed over a highlighted blinking character after setTypingPlain: plain as well.
    placeCaret(3, 2);
    edit.setTypingPlain();
    QTest::keyClicks(&edit, "z");
    EXPECT_EQ(edit.lineText(),
        "\\sb90\\sa90 \\f0 \\cf0 AB\\f0 \\cf0 z\\f65 \\cf0 Dxy\\f7 \\cf4 ###\\f0 \\cf0 ok");
}

TEST_F(RichLineEditTest, KeysGoThroughTheWindowsHandlersFirst)
{
    std::vector<int> released;
    edit.keyPressFilter = [](QKeyEvent* event) { return event->key() == Qt::Key_Q; };
    edit.keyReleaseHandler = [&](QKeyEvent* event) { released.push_back(event->key()); };
    QSignalSpy edited(&edit, &RichLineEdit::lineEdited);
    edit.setLineText("\\sb90\\sa90 \\f0 \\cf0 AB");
    EXPECT_EQ(edited.count(), 0); // loading a line is no edit

    edit.moveCaretToEnd();
    QTest::keyClicks(&edit, "qcq");
    EXPECT_EQ(GetText(edit.lineText()), "ABc");
    EXPECT_EQ(released, (std::vector<int> { Qt::Key_Q, Qt::Key_C, Qt::Key_Q }));
    EXPECT_GE(edited.count(), 1);

    // Enter, also with Shift, starts a new block (row), never a line break inside one.
    QTest::keyClick(&edit, Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClicks(&edit, "d");
    EXPECT_EQ(edit.lineText(), "\\sb90\\sa90 \\f0 \\cf0 ABc\\par\r\n\\f0 \\cf0 d");
    EXPECT_EQ(edit.editorState().caretRow, 1);

    // Insert switches to overtype and back.
    QTest::keyClick(&edit, Qt::Key_Insert);
    EXPECT_TRUE(edit.editorState().overtype);
    QTest::keyClick(&edit, Qt::Key_Insert);
    EXPECT_FALSE(edit.editorState().overtype);
}

TEST_F(RichLineEditTest, EveryPastePathAndADropAskTheFilterFirst)
{
    edit.setLineText("\\sb90\\sa90 \\f0 \\cf0 AB\\par\r\n\\f0 \\cf0 CD");
    std::vector<QString> asked;
    std::vector<EditorState> states;
    std::optional<QString> answer;
    edit.insertFilter = [&](const QString& text) {
        asked.push_back(text);
        states.push_back(edit.editorState());
        return answer;
    };
    QSignalSpy edited(&edit, &RichLineEdit::lineEdited);
    QGuiApplication::clipboard()->setText("x\r\ny");

    placeCaret(4, 1); // from "B" to "C", across the block end
    QTest::keyClick(&edit, Qt::Key_Insert, Qt::ShiftModifier);
    const std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
    for (QAction* action : menu->actions())
        if (action->objectName() == QLatin1String("edit-paste"))
            action->trigger();
    ASSERT_EQ(asked.size(), 2U);
    EXPECT_EQ(asked[0], "x\ny"); // line ends as "\n"
    EXPECT_EQ(states[0].selectionStart.row, 0);
    EXPECT_EQ(states[0].selectionStart.column, 1);
    EXPECT_EQ(states[0].selectionEnd.row, 1);
    EXPECT_EQ(states[0].selectionEnd.column, 1);
    EXPECT_EQ(GetText(edit.lineText()), "AB\r\nCD"); // refused: nothing changed
    EXPECT_EQ(edited.count(), 0);

    // A drop from elsewhere goes where it is dropped; a drag within the editor is not taken.
    QMimeData data;
    data.setText("dropped");
    const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction;
    QDragEnterEvent enter(QPoint(1, 1), actions, &data, Qt::LeftButton, {});
    QApplication::sendEvent(edit.viewport(), &enter);
    QDropEvent drop(QPointF(1, 1), actions, &data, Qt::LeftButton, {});
    QApplication::sendEvent(edit.viewport(), &drop);
    ASSERT_EQ(asked.size(), 3U);
    EXPECT_EQ(states[2].selectionStart.column, 0);
    EXPECT_EQ(drop.dropAction(), Qt::CopyAction);

    // Accepted text replaces the highlight; after a variable the filter may ask for plain.
    edit.setLineText("\\sb90\\sa90 \\f0 \\cf0 T \\f3 \\cf4 ^^");
    edit.insertFilter = [&](const QString& text) -> std::optional<QString> {
        edit.setTypingPlain();
        return text.toUpper();
    };
    placeCaret(4, 3);
    QGuiApplication::clipboard()->setText("ok");
    edit.paste();
    EXPECT_EQ(edit.lineText(), "\\sb90\\sa90 \\f0 \\cf0 T \\f3 \\cf4 ^\\f0 \\cf0 OK");
    EXPECT_GE(edited.count(), 1);
    QGuiApplication::clipboard()->clear();
}

TEST_F(RichLineEditTest, CutAndUndoFromTheContextMenuReportAnEdit)
{
    edit.setLineText("\\sb90\\sa90 \\f0 \\cf0 HELLO");
    QSignalSpy edited(&edit, &RichLineEdit::lineEdited);
    placeCaret(5, 2);
    const auto run = [&](const char* item) {
        const std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
        for (QAction* action : menu->actions())
            if (action->objectName() == QLatin1String(item))
                action->trigger();
    };
    run("edit-cut");
    EXPECT_EQ(GetText(edit.lineText()), "HE");
    EXPECT_EQ(edited.count(), 1);
    run("edit-undo");
    EXPECT_EQ(GetText(edit.lineText()), "HELLO");
    EXPECT_EQ(edited.count(), 2);
    QGuiApplication::clipboard()->clear();
}

TEST_F(RichLineEditTest, CentringAndBlockBreaksAtTheCaret)
{
    edit.setLineText("\\sb90\\sa90 \\f0 \\cf0 AB\\par\r\n\\f0 \\cf0 CD\\par\r\n\\f0 \\cf0 EF");
    placeCaret(4); // in "CD"
    edit.setCurrentBlockCentred(true);
    EXPECT_EQ(edit.lineText(),
        "\\sb90\\sa90 \\f0 \\cf0 AB\\par\r\n\\qc \\f0 \\cf0 CD\\par\r\n\\f0 \\cf0 \\ql EF");

    // A block split from a centred one is centred too.
    placeCaret(4);
    edit.insertBlockBreak();
    EXPECT_EQ(edit.lineText(),
        "\\sb90\\sa90 \\f0 \\cf0 AB\\par\r\n\\qc \\f0 \\cf0 C\\par\r\n\\f0 \\cf0 D\\par\r\n"
        "\\f0 \\cf0 \\ql EF");
    EXPECT_EQ(edit.editorState().caretRow, 2);
    EXPECT_EQ(edit.editorState().caretColumn, 0);
}

TEST_F(RichLineEditTest, TheMouseReportsTheCharacterUnderIt)
{
    edit.setLineText("\\sb90\\sa90 \\f0 \\cf0 AB\\par\r\n\\f0 \\cf0 CD\\f65 \\cf0 EF");
    QSignalSpy hovered(&edit, &RichLineEdit::hoveredCharacter);
    auto hoverOver = [&](int position) {
        QTextCursor cursor(edit.document());
        cursor.setPosition(position);
        const QPoint point = edit.cursorRect(cursor).center() + QPoint(3, 0);
        QMouseEvent move(QEvent::MouseMove, point, edit.viewport()->mapToGlobal(point),
            Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(edit.viewport(), &move);
        return hovered.isEmpty() ? -1 : hovered.takeLast().at(0).toInt();
    };
    EXPECT_EQ(hoverOver(0), 1);
    // "E" is the fifth character; block ends do not count.
    EXPECT_EQ(hoverOver(3 + 2), 5);
    EXPECT_EQ(FontAtPosition(edit.lineText(), 5), 65);

    // Far right of the text there is no character.
    const QPoint away(edit.viewport()->width() - 5, 5);
    QMouseEvent move(QEvent::MouseMove, away, edit.viewport()->mapToGlobal(away), Qt::NoButton,
        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(edit.viewport(), &move);
    ASSERT_FALSE(hovered.isEmpty());
    EXPECT_EQ(hovered.takeLast().at(0).toInt(), 0);
}

} // namespace

namespace {

TEST_F(RichLineEditTest, WideningTheSelectionTakesInWholeVariablesOnly)
{
    // "AB" plain, then variable 3 "####", then "C".
    edit.setLineText("\\sb90\\sa90 \\f0 \\cf0 AB\\f3 \\cf4 ####\\f0 \\cf0 C");
    placeCaret(4, 1); // from "B" into the middle of the variable
    edit.widenSelectionToWholeVariables();
    EXPECT_EQ(edit.textCursor().selectionStart(), 1);
    EXPECT_EQ(edit.textCursor().selectionEnd(), 6);

    placeCaret(3, 5); // inside the variable, selected backwards
    edit.widenSelectionToWholeVariables();
    EXPECT_EQ(edit.textCursor().selectionStart(), 2);
    EXPECT_EQ(edit.textCursor().selectionEnd(), 6);
    EXPECT_EQ(edit.textCursor().position(), 2);

    placeCaret(0, 2); // plain text only: unchanged
    edit.widenSelectionToWholeVariables();
    EXPECT_EQ(edit.textCursor().selectionStart(), 0);
    EXPECT_EQ(edit.textCursor().selectionEnd(), 2);
}

TEST_F(RichLineEditTest, NeighbouringVariablesAreNotTakenIn)
{
    edit.setLineText("\\sb90\\sa90 \\f3 \\cf4 ##\\f3 \\cf4 ##");
    placeCaret(1, 0);
    edit.widenSelectionToWholeVariables();
    EXPECT_EQ(edit.textCursor().selectionEnd(), 2);
}

} // namespace

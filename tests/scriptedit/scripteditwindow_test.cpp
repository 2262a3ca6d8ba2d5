// Script Edit in the Quick Edit window: the button, the script text box with its keys, and the
// syntax check item, driven through key and mouse events under the offscreen platform.
#include "support/temporaryfolder.h"
#include "ui/controls/windows1252codec.h"
#include "ui/quickedit/scripttext.h"
#include "ui/quickedit/widgets/scripttextedit.h"
#include "window/windowfixture.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <filesystem>
#include <fstream>

namespace marquis::testing {
namespace {

class ScriptEditWindowTest : public WindowTest {
protected:
    // The window active, so the focus (and the status texts that follow it) is real.
    void startActive(const std::string& unitType = "5360")
    {
        start(unitType);
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    // A key event as the keyboard sends it while Alt is already held: without the press and
    // release of the modifier keys that QTest's clicks add around every key.
    void keypad(Qt::Key key, QEvent::Type type = QEvent::KeyPress)
    {
        QKeyEvent event(type, key, Qt::AltModifier | Qt::KeypadModifier);
        QApplication::sendEvent(script(), &event);
    }
    void altDown()
    {
        QKeyEvent event(QEvent::KeyPress, Qt::Key_Alt, Qt::AltModifier);
        QApplication::sendEvent(script(), &event);
    }
    void altUp()
    {
        QKeyEvent event(QEvent::KeyRelease, Qt::Key_Alt, Qt::NoModifier);
        QApplication::sendEvent(script(), &event);
    }

    qt::ScriptTextEdit* script() { return control<qt::ScriptTextEdit>("txtAdvEdit"); }
    QPushButton* button() { return control<QPushButton>("cmdAdvEdit"); }

    // Moves the caret to the end of the script's line `line` (1 is the first).
    void caretToEndOfLine(int line)
    {
        QTextCursor cursor(script()->document()->findBlockByNumber(line - 1));
        cursor.movePosition(QTextCursor::EndOfBlock);
        script()->setTextCursor(cursor);
    }
};

TEST_F(ScriptEditWindowTest, TheButtonShowsTheScriptAndEveryChangeIsTheMessagesText)
{
    startActive("5320");
    QTest::keyClicks(editor(), "HELLO");
    ASSERT_TRUE(button()->isEnabled());
    QTest::mouseClick(button(), Qt::LeftButton);
    ASSERT_TRUE(script()->isVisible());
    EXPECT_EQ(caption("cmdAdvEdit"), "&Go to Quick Edit");
    EXPECT_FALSE(editor()->isEnabled());
    EXPECT_FALSE(control("cmdBlink")->isEnabled());
    EXPECT_TRUE(control("txtMsg")->isEnabled());
    EXPECT_TRUE(script()->font().fixedPitch());
    EXPECT_DOUBLE_EQ(script()->font().pointSizeF(), 9.75);
    EXPECT_EQ(script()->scriptText(), session->message().MessageScript);
    EXPECT_EQ(QApplication::focusWidget(), script());
    EXPECT_EQ(
        statusLine().toStdString(), scriptLengthOnFocus(session->message().MessageScript.size()));

    caretToEndOfLine(1);
    QTest::keyClicks(script(), " ' note");
    const std::string& text = session->message().MessageScript;
    EXPECT_NE(text.find("' note\r\n"), std::string::npos);
    EXPECT_EQ(statusLine().toStdString(), scriptLengthAfterKey(text.size()));

    // Back in Quick Edit: the typed text no longer matches its check value.
    QTest::mouseClick(button(), Qt::LeftButton);
    EXPECT_FALSE(script()->isVisible());
    EXPECT_EQ(caption("cmdAdvEdit"), "&Script Edit Only");
    EXPECT_TRUE(editor()->isReadOnly());
    EXPECT_FALSE(control("cmdBlink")->isEnabled());
    EXPECT_EQ(statusLine().toStdString(), scriptEditOnlyStatus(0));
}

TEST_F(ScriptEditWindowTest, AltWithKeypadDigitsTypesACharacterByItsCode)
{
    start();
    QTest::mouseClick(button(), Qt::LeftButton);
    caretToEndOfLine(1);
    const std::string before = session->message().MessageScript;
    altDown();
    keypad(Qt::Key_6);
    keypad(Qt::Key_5);
    altUp();
    // Num Lock off: End, Left and Home stand for 1, 4 and 7.
    altDown();
    for (const Qt::Key key : { Qt::Key_End, Qt::Key_Left, Qt::Key_Home })
        keypad(key);
    altUp();
    QTest::keyClick(script(), Qt::Key_Z);
    const std::string after = session->message().MessageScript;
    const std::size_t lineEnd = before.find("\r\n");
    EXPECT_EQ(after.substr(lineEnd, 5), "A\x93z\r\n");

    // A code out of range types nothing; neither do the digits themselves.
    altDown();
    for (const Qt::Key key : { Qt::Key_3, Qt::Key_0, Qt::Key_0 })
        keypad(key);
    altUp();
    EXPECT_EQ(session->message().MessageScript, after);
}

TEST_F(ScriptEditWindowTest, SyntaxCheckIsThereWhileTheScriptHasTheFocus)
{
    startActive();
    QAction* check = window->action("mnuPrgSyntax");
    EXPECT_FALSE(check->isEnabled());
    QTest::keyClicks(editor(), "HELLO");
    QTest::mouseClick(button(), Qt::LeftButton);
    ASSERT_EQ(QApplication::focusWidget(), script());
    EXPECT_TRUE(check->isEnabled());
    control("txtMsg")->setFocus();
    EXPECT_FALSE(check->isEnabled());
    script()->setFocus();
    EXPECT_TRUE(check->isEnabled());

    // The build's own compiler finds the misspelt statement on the message's second line.
    const std::string text = session->message().MessageScript;
    std::string broken = text;
    broken.insert(broken.find("\r\n") + 2, "    PRNT \"oops\";\r\n");
    script()->setScriptText(broken);
    session->message().MessageScript = broken;
    check->trigger();
    ASSERT_FALSE(user.messages.empty());
    EXPECT_EQ(user.messages.back().text,
        "Errors encountered. Press Ctrl-Plus (forward) or Ctrl-Minus (backward) to scroll "
        "through the errors line by line.");
    EXPECT_TRUE(control("txtMsg")->isEnabled());
    EXPECT_TRUE(window->menuBar()->isEnabled());

    QTest::keyClick(script(), Qt::Key_Plus, Qt::ControlModifier | Qt::KeypadModifier);
    EXPECT_EQ(script()->textCursor().selectedText(), "    PRNT \"oops\";");
    // The error's text stays on the status line when the keys come up.
    EXPECT_FALSE(statusLine().isEmpty());
    EXPECT_NE(statusLine().toStdString(), scriptLengthAfterKey(broken.size()));
    const QString first = statusLine();
    // Ctrl with the plus key of the main keyboard passes the one error; stepping back from
    // there shows nothing new; forward again starts at the first error.
    QTest::keyClick(script(), Qt::Key_Equal, Qt::ControlModifier);
    EXPECT_EQ(statusLine(), "There are no more errors.");
    QTest::keyClick(script(), Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_EQ(statusLine(), "There are no more errors.");
    QTest::keyClick(script(), Qt::Key_Equal, Qt::ControlModifier);
    EXPECT_EQ(statusLine(), first);
    EXPECT_EQ(session->message().MessageScript, broken);

    // Corrected, the text passes.
    script()->setScriptText(text);
    session->message().MessageScript = text;
    check->trigger();
    EXPECT_EQ(user.messages.back().text, "No syntax errors found in message 0");
}

// While the external editor runs the window takes no input and does not close; afterwards it
// is itself again, whatever became of the run.
TEST_F(ScriptEditWindowTest, TheWindowWaitsForTheExternalEditor)
{
    startActive();
    TemporaryFolder stubs;
    const std::string release = (stubs / "release").string();
    const std::filesystem::path stub = stubs.write("editor.sh",
        "#!/bin/sh\nwhile [ ! -e " + release +
            " ]; do sleep 0.05; done\nsed -i 's/^LINE1:/LINE1: /' \"$1\"\n");
    std::filesystem::permissions(stub, std::filesystem::perms::owner_all);
    session->preferences().EditorType = "1";
    session->preferences().EditorPath = stub.string();

    const std::size_t captions = user.captions.size();
    int pumps = 0;
    bool closed = false;
    bool inputTaken = false;
    user.onPump = [&] {
        if (++pumps == 2) {
            inputTaken = control("txtMsg")->isEnabled() || window->menuBar()->isEnabled() ||
                button()->isEnabled();
            closed = window->close();
            QTest::keyClick(window.get(), Qt::Key_N, Qt::ControlModifier); // File > New
            std::ofstream(release) << "go";
        }
    };
    QTest::mouseClick(button(), Qt::LeftButton);
    EXPECT_GE(pumps, 2);
    EXPECT_FALSE(inputTaken);
    EXPECT_FALSE(closed);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(user.captions.size(), captions);
    EXPECT_TRUE(control("txtMsg")->isEnabled());
    EXPECT_TRUE(window->menuBar()->isEnabled());
    EXPECT_TRUE(session->message().ScriptEditOnly); // the editor's change came back
    EXPECT_FALSE(session->scriptEditMode);
}

} // namespace
} // namespace marquis::testing

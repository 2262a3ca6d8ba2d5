// The Quick Edit window on a real session: controls, typing, moving between messages and lines,
// the simulated display, the menus and closing.
#include "dialogs/dialogtest.h"
#include "support/assertions.h"
#include "support/temporaryfolder.h"
#include "ui/controls/numberscrollbar.h"
#include "ui/quickedit/widgets/helpwindow.h"
#include "window/windowfixture.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QGroupBox>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBrowser>

namespace marquis::testing {
namespace {

TEST_F(WindowTest, ShowsEveryControlUnderItsNameAndCaption)
{
    start("5320");
    const std::pair<const char*, const char*> fixed[] = { { "lblLine", "Edit Line" },
        { "Label1", "Task" }, { "Label2", "Message" }, { "frameLineAttributes", "Line Attributes" },
        { "frameDisplayAttributes", "Display Attributes" }, { "frameDisplayBox", "5320 Display" },
        { "cmdRelay", "No &Relay" }, { "cmdClrScreen", "Clear Scree&n OFF" },
        { "cmdFont", "Change F&ont OFF" }, { "cmdAdvEdit", "&Go to Script Edit" } };
    for (const auto& [name, text] : fixed)
        EXPECT_EQ(caption(name), text) << name;
    for (const char* name : { "cmdVar", "cmdBlink", "cmdCenter", "cmdScroll", "cmdSend", "cmdWait",
             "cmdStart", "lblAttribute", "lblStatBar", "txtAdvEdit", "vsbMsg", "vsbLine", "vsbTask",
             "txtTask", "txtLine" })
        control(name);
    EXPECT_FALSE(control("txtAdvEdit")->isVisible());
    EXPECT_EQ(window->windowTitle(), "Marquis 5300 - New");
    EXPECT_EQ(control<QLineEdit>("txtMsg")->text(), "0");
    EXPECT_EQ(control<qt::NumberScrollBar>("vsbLine")->maximumNumber(), 2);
    EXPECT_EQ(control<QLabel>("lblAttribute")->text(), "Line  1,char  0");
    for (const char* later : { "mnuPrgSyntax", "mnuFilePrint" })
        EXPECT_FALSE(window->action(later)->isEnabled()) << later;
    EXPECT_TRUE(window->action("mnuPrg5320")->isChecked());
    EXPECT_TRUE(window->action("mnuPrgBaud19200")->isChecked());
}

TEST_F(WindowTest, TypedTextReachesTheLineAndTheDisplayWithinTheLimits)
{
    start("5320");
    QTest::keyClicks(editor(), "HELLO");
    EXPECT_EQ(row(2), "HELLO");
    EXPECT_EQ(statusLine(), "Length of current line is  5 characters.");
    EXPECT_EQ(caption("lblAttribute"), "Line  1,char  5");

    // The 21st character opens the long-message chooser; cancelled, the key is not typed.
    QTest::keyClicks(editor(), "ABCDEFGHIJKLMNO");
    whenModalOpens([](QWidget& chooser) { static_cast<QDialog&>(chooser).reject(); });
    QTest::keyClicks(editor(), "P");
    EXPECT_EQ(row(2), "HELLOABCDEFGHIJKLMNO");
    EXPECT_EQ(statusLine(), "Length of current line is  20 characters.");
    QTest::keyClick(editor(), Qt::Key_Backspace);
    EXPECT_EQ(row(2), "HELLOABCDEFGHIJKLMN");
}

TEST_F(WindowTest, KeysTheMessagesCannotHoldAreRefused)
{
    start("5320");
    // Keys of characters beyond ASCII, as a keyboard layout delivers them.
    for (const QChar c : QString::fromUtf8("a\u0142b\u20AC#")) {
        QTest::sendKeyEvent(QTest::Press, editor(), Qt::Key_unknown, QString(c), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, editor(), Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
    // Beyond ASCII the line's plain text counts nothing, so such keys are refused.
    EXPECT_EQ(row(2), "ab#");
    EXPECT_EQ(statusLine(), "Length of current line is  3 characters.");
    QTest::keyClicks(editor(), "A");
    EXPECT_EQ(row(2), "ab#");
    ASSERT_FALSE(user.messages.empty());
    EXPECT_TRUE(contains(user.messages.back().text, "Character combination #A is illegal"));
    // Nor does a paste let such characters in.
    QGuiApplication::clipboard()->setText(QString::fromUtf8("\u20AC"));
    QTest::keyClick(editor(), Qt::Key_V, Qt::ControlModifier);
    QGuiApplication::clipboard()->clear();
    EXPECT_EQ(row(2), "ab#");
    EXPECT_EQ(editor()->lineText().find('\x80'), std::string::npos);
}

TEST_F(WindowTest, OpensTheDemoAndShowsItsFirstMessage)
{
    start("5320");
    open(binFile("demo.src"));
    EXPECT_EQ(window->windowTitle(), "Marquis 5300 - demo.src");
    EXPECT_EQ(caption("frameDisplayBox"), "5360 Display");
    EXPECT_EQ(control<qt::NumberScrollBar>("vsbLine")->maximumNumber(), 4);
    EXPECT_EQ(row(2), " HOLLOWAY HARDWARE");
    EXPECT_EQ(row(4), " MONDAY - SATURDAY");
    EXPECT_EQ(caption("cmdClrScreen"), "Clear Scree&n ON");
    EXPECT_EQ(caption("cmdBlink"), "&Blink ON...");
    EXPECT_EQ(caption("cmdStart"), "&Start msg ON...");

    // The blinking line is drawn by the blinking timer: on, then dark.
    window->state()->tickTimer2();
    EXPECT_EQ(row(1), "      WELCOME");
    window->state()->tickTimer2();
    EXPECT_EQ(row(1), std::string(13, ' '));
}

TEST_F(WindowTest, MovesBetweenMessagesByNumberAndByPage)
{
    start("5320");
    open(binFile("demo.src"));
    enterMessage("2");
    EXPECT_EQ(control<qt::NumberScrollBar>("vsbMsg")->number(), 2);
    EXPECT_EQ(caption("cmdFont"), "English f&ont");
    EXPECT_EQ(row(2), "    IRASSHAIMASE");

    QTest::keyClick(editor(), Qt::Key_PageDown);
    EXPECT_EQ(control<QLineEdit>("txtMsg")->text(), "1");
    EXPECT_EQ(row(1), "     TODAY ONLY");
    QTest::keyClick(editor(), Qt::Key_PageUp);
    QTest::keyClick(editor(), Qt::Key_PageUp);
    QTest::keyClick(editor(), Qt::Key_PageUp); // 3 has no neighbour above before 10
    EXPECT_EQ(control<QLineEdit>("txtMsg")->text(), "10");
    EXPECT_EQ(control<QLineEdit>("txtTask")->text(), "1");

    // Only digits reach the box; a number out of range puts the current one back.
    auto* box = control<QLineEdit>("txtMsg");
    box->selectAll();
    QTest::keyClicks(box, "1a2");
    EXPECT_EQ(box->text(), "12");
    enterMessage("2000");
    EXPECT_EQ(box->text(), "10");
    enterMessage("0007");
    EXPECT_EQ(box->text(), "7");
    EXPECT_EQ(row(1), "");
}

TEST_F(WindowTest, KeepsTypedTextWhenMovingAwayAndBack)
{
    start("5360");
    QTest::keyClicks(editor(), "FIRST");
    QTest::keyClick(editor(), Qt::Key_Up); // the up arrow goes to the next line
    EXPECT_EQ(control<QLineEdit>("txtLine")->text(), "2");
    QTest::keyClicks(editor(), "SECOND");
    enterMessage("5");
    EXPECT_EQ(row(1), "");
    enterMessage("0");
    EXPECT_EQ(row(1), "FIRST");
    EXPECT_EQ(row(2), "SECOND");
    EXPECT_EQ(editor()->lineText().find("SECOND"), std::string::npos); // line 1 is shown
}

TEST_F(WindowTest, SelectsLinesFromTheBoxTheBarAndTheDisplay)
{
    start("5360");
    open(binFile("demo.src"));
    auto* line = control<QLineEdit>("txtLine");
    line->selectAll();
    QTest::keyClicks(line, "3");
    EXPECT_EQ(control<qt::NumberScrollBar>("vsbLine")->number(), 3);
    EXPECT_NE(editor()->lineText().find("OPEN 8:00"), std::string::npos);
    control<qt::NumberScrollBar>("vsbLine")->setNumber(2);
    EXPECT_EQ(line->text(), "2");
    emit display()->rowClicked(4);
    EXPECT_EQ(line->text(), "4");
    emit display()->rowHovered(2);
    EXPECT_EQ(control<QLabel>("lblStatBar")->text(), "Simulation display line 2");
    control<qt::NumberScrollBar>("vsbTask")->setNumber(3);
    EXPECT_EQ(control<QLineEdit>("txtTask")->text(), "3");
    EXPECT_EQ(session->message().task(), 3);
}

TEST_F(WindowTest, AttributeButtonsCycleTheirCaptionsAndShowTheirStatus)
{
    start("5320");
    auto* relay = control<QPushButton>("cmdRelay");
    const char* expected[] = { "Turn &Relay ON", "Turn &Relay OFF", "No &Relay" };
    for (const char* text : expected) {
        QTest::mouseClick(relay, Qt::LeftButton);
        EXPECT_EQ(relay->text(), text);
    }
    QTest::mouseClick(control<QPushButton>("cmdClrScreen"), Qt::LeftButton);
    EXPECT_EQ(caption("cmdClrScreen"), "Clear scree&n ON");
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(relay, &enter);
    EXPECT_EQ(statusLine().toStdString(),
        "Relay will not be affected from this msg. Click once to turn relay on when this msg is "
        "called.");

    // Without highlighted text the blink button opens its dialog; cancelled, it changes nothing.
    QTest::keyClicks(editor(), "AB");
    whenModalOpens([](QWidget& dialog) {
        QTest::mouseClick(child<QPushButton>(dialog, "cmdCancel"), Qt::LeftButton);
    });
    QTest::mouseClick(control<QPushButton>("cmdBlink"), Qt::LeftButton);
    EXPECT_EQ(row(2), "AB");
}

TEST_F(WindowTest, ProgramMenuChangesTheUnitAndItsSettings)
{
    start("5320");
    open(binFile("demo.src"));
    user.answers.push_back(Answer::Ok); // message 0 has text on lines 3 and 4
    trigger("mnuPrg5320");
    EXPECT_EQ(user.messages.back().buttons, Buttons::OkCancel);
    EXPECT_EQ(caption("frameDisplayBox"), "5320 Display");
    EXPECT_EQ(row(3), " HOLLOWAY HARDWARE");
    EXPECT_EQ(control<qt::NumberScrollBar>("vsbLine")->maximumNumber(), 2);
    trigger("mnuPrgCom3");
    EXPECT_EQ(session->preferences().ComPort, "3");
    trigger("mnuPrgBaud38400");
    EXPECT_EQ(session->preferences().BaudRate, "38400");
    user.inputs.push_back("12");
    trigger("mnuPrgAddress");
    emit window->findChild<QMenu*>("mnuProgram")->aboutToShow();
    EXPECT_EQ(window->action("mnuPrgAddress")->text(), "&Address 12...");
    EXPECT_EQ(statusLine(), "Press F1 in order to get help on commands from Program Menu.");

    // Each COM item names the device it reaches; a mapping in the settings shows at once.
    session->preferences().ComDevices[0] = "/tmp/sign on the wall";
    emit window->findChild<QMenu*>("mnuProgram")->aboutToShow();
    EXPECT_EQ(window->action("mnuPrgCom1")->text(), "COM &1 \u2014 /tmp/sign on the wall");
    trigger("mnuPrgCom1");
    EXPECT_EQ(session->preferences().ComPort, "1");
}

TEST_F(WindowTest, ModelSwitchTakenBackKeepsTheCheckOnThe5360)
{
    start("5320");
    open(binFile("demo.src"));
    user.answers.push_back(Answer::Cancel); // message 0 has text on lines 3 and 4
    trigger("mnuPrg5320");
    EXPECT_EQ(session->preferences().UnitType, "5360");
    EXPECT_TRUE(window->action("mnuPrg5360")->isChecked());
    EXPECT_FALSE(window->action("mnuPrg5320")->isChecked());
    EXPECT_EQ(caption("frameDisplayBox"), "5360 Display");
}

TEST_F(WindowTest, ClosingAsksToSaveAndWritesTheSettings)
{
    start("5320");
    QTest::keyClicks(editor(), "CHANGED");
    user.answers.push_back(Answer::Cancel);
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());
    const std::filesystem::path settings = programFolder / "config" / "Marquis5300.INI";
    EXPECT_FALSE(std::filesystem::exists(settings));

    user.answers.push_back(Answer::No);
    EXPECT_TRUE(window->close());
    EXPECT_EQ(user.messages.back().text, "Do you want to save the changes?");
    const std::string written = readWholeFile(settings);
    EXPECT_TRUE(contains(written, "[preferences]\r\n"));
    EXPECT_TRUE(contains(written, "type=5320\r\n"));
    EXPECT_TRUE(contains(written, "top="));
}

TEST_F(WindowTest, HelpItemsOpenTheGuideAtTheirTopics)
{
    start("5320");
    trigger("mnuHelpLanguage");
    ASSERT_TRUE(window->helpWindow()->isVisible());
    QTextBrowser* browser = window->helpWindow()->browser();
    EXPECT_EQ(browser->source().fileName(), "Marquis5300.html");
    const int language = browser->verticalScrollBar()->value();
    trigger("mnuHelpQuickEdit");
    const int quickEdit = browser->verticalScrollBar()->value();
    trigger("mnuHelpContents");
    EXPECT_LT(browser->verticalScrollBar()->value(), quickEdit);
    EXPECT_LT(quickEdit, language);
    EXPECT_TRUE(user.messages.empty());
}

TEST_F(WindowTest, MissingHelpFileIsReported)
{
    executableFolder = programFolder.folder();
    start("5320");
    trigger("mnuHelpQuickEdit");
    ASSERT_EQ(user.messages.size(), 1u);
    EXPECT_TRUE(contains(user.messages[0].text, "Marquis5300.html cannot be found."));
}

TEST_F(WindowTest, RendersTheWholeWindowForReview)
{
    start("5360");
    open(binFile("demo.src"));
    window->resize(760, 620);
    const std::string path = std::string(MARQUIS_BIN_DIR) + "/../quickedit.png";
    ASSERT_TRUE(window->grab().save(QString::fromStdString(path)));
    EXPECT_GT(std::filesystem::file_size(path), 1000u);
}

} // namespace
} // namespace marquis::testing

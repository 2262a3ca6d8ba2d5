// The window's smaller controls as a user works them: the number boxes' scroll bars and keys,
// the buttons whose dialogs are not there yet, the status line, the recent-files menu and the
// help of the Preferences dialog.
#include "dialogs/dialogtest.h"
#include "ui/controls/numberscrollbar.h"
#include "ui/quickedit/widgets/helpwindow.h"
#include "window/windowfixture.h"

#include <QApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyleOptionSlider>
#include <QTest>
#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>

namespace marquis::testing {
namespace {

class WindowControlsTest : public WindowTest {
protected:
    // Where the text carrying a named anchor starts in the laid-out guide; -1 when none does.
    static double anchorTop(QTextBrowser& browser, const QString& name)
    {
        QTextDocument* document = browser.document();
        for (QTextBlock block = document->begin(); block.isValid(); block = block.next())
            for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment)
                if (fragment.fragment().charFormat().anchorNames().contains(name))
                    return document->documentLayout()->blockBoundingRect(block).top();
        return -1;
    }

    qt::NumberScrollBar* bar(const char* name) { return control<qt::NumberScrollBar>(name); }
    QString box(const char* name) { return control<QLineEdit>(name)->text(); }

    // Clicks the arrow at the top (up) or at the bottom of a scroll bar.
    static void clickArrow(QScrollBar* scrollBar, bool up)
    {
        QStyleOptionSlider option;
        option.initFrom(scrollBar);
        option.orientation = scrollBar->orientation();
        option.minimum = scrollBar->minimum();
        option.maximum = scrollBar->maximum();
        option.sliderPosition = scrollBar->sliderPosition();
        option.sliderValue = scrollBar->value();
        option.singleStep = scrollBar->singleStep();
        option.pageStep = scrollBar->pageStep();
        option.subControls = QStyle::SC_All;
        const QRect arrow = scrollBar->style()->subControlRect(QStyle::CC_ScrollBar, &option,
            up ? QStyle::SC_ScrollBarSubLine : QStyle::SC_ScrollBarAddLine, scrollBar);
        ASSERT_TRUE(arrow.isValid());
        ASSERT_EQ(arrow.center().y() < scrollBar->height() / 2, up);
        QTest::mouseClick(scrollBar, Qt::LeftButton, Qt::NoModifier, arrow.center());
    }

    // Writes a copy of the demo script under another name in the program folder.
    std::string demoCopy(const std::string& name)
    {
        const std::filesystem::path copy = programFolder / name;
        std::filesystem::copy_file(binFile("demo.src"), copy);
        return copy.string();
    }

    std::string recentLabel(int entry)
    {
        QAction* item = window->action(QString("mnuFileRecent%1").arg(entry));
        return item && item->isVisible() ? item->text().toStdString() : std::string();
    }
};

TEST_F(WindowControlsTest, UpArrowsRaiseTheMessageLineAndTask)
{
    start("5360");
    clickArrow(bar("vsbMsg"), true);
    EXPECT_EQ(box("txtMsg"), "1");
    clickArrow(bar("vsbMsg"), true);
    EXPECT_EQ(box("txtMsg"), "2");
    clickArrow(bar("vsbMsg"), false);
    EXPECT_EQ(box("txtMsg"), "1");
    EXPECT_EQ(bar("vsbMsg")->number(), 1);

    clickArrow(bar("vsbLine"), true);
    EXPECT_EQ(box("txtLine"), "2");
    clickArrow(bar("vsbTask"), true);
    EXPECT_EQ(box("txtTask"), "1");
    EXPECT_EQ(session->message().task(), 1);
    clickArrow(bar("vsbTask"), false);
    EXPECT_EQ(box("txtTask"), "0");

    // The Up key on a bar and the wheel turned up count the same way.
    QTest::keyClick(bar("vsbLine"), Qt::Key_Up);
    EXPECT_EQ(box("txtLine"), "3");
    QTest::keyClick(bar("vsbLine"), Qt::Key_Down);
    EXPECT_EQ(box("txtLine"), "2");
    const QPoint centre = bar("vsbLine")->rect().center();
    QWheelEvent wheelUp(centre, bar("vsbLine")->mapToGlobal(centre), QPoint(), QPoint(0, 120),
        Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(bar("vsbLine"), &wheelUp);
    EXPECT_EQ(box("txtLine"), "3");
}

TEST_F(WindowControlsTest, AttributeButtonsOpenTheirDialogsOnAnEditableLine)
{
    start("5360");
    open(binFile("demo.src"));
    enterMessage("2");
    QTest::keyClick(editor(), Qt::Key_Up);
    for (const char* name : { "cmdVar", "cmdBlink", "cmdFont", "cmdCenter", "cmdRelay",
             "cmdClrScreen", "cmdStart", "cmdSend", "cmdScroll", "cmdWait" })
        EXPECT_TRUE(control(name)->isEnabled()) << name;
}

TEST_F(WindowControlsTest, StatusLineShowsTheNumberBoxesAndEmptiesWhenTheFocusMovesOn)
{
    start("5320");
    const std::pair<const char*, const char*> boxes[] = {
        { "txtMsg", "Enter a message number for fast access or creating a new message" },
        { "txtLine", "Displays current line number to be edited." },
        { "txtTask", "Displays task number of current message." }
    };
    for (const auto& [name, text] : boxes) {
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(control(name), &enter);
        EXPECT_EQ(statusLine().toStdString(), text) << name;
    }

    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    control("txtTask")->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(statusLine().toStdString(), "Displays task number of current message.");
    const std::size_t before = user.statuses.size();
    control("cmdRelay")->setFocus(Qt::TabFocusReason);
    ASSERT_EQ(user.statuses.size(), before + 2);
    EXPECT_EQ(user.statuses[before], ""); // txtTask's text goes as it loses the focus
    EXPECT_TRUE(statusLine().startsWith("Relay will not be affected"));

    // Back from a control onto the bare panel, the text goes.
    QWidget* panel = window->centralWidget();
    const QPoint bare(panel->width() - 2, panel->height() / 2);
    ASSERT_EQ(panel->childAt(bare), nullptr);
    QMouseEvent move(QEvent::MouseMove, bare, panel->mapToGlobal(bare), Qt::NoButton, Qt::NoButton,
        Qt::NoModifier);
    QApplication::sendEvent(panel, &move);
    EXPECT_EQ(statusLine().toStdString(), "");
}

TEST_F(WindowControlsTest, MessageBoxTakesDeleteAndSelectAll)
{
    start("5320");
    auto* msg = control<QLineEdit>("txtMsg");
    msg->setText("123");
    msg->setCursorPosition(0);
    QTest::keyClick(msg, Qt::Key_Delete);
    EXPECT_EQ(msg->text(), "23");
    QTest::keyClick(msg, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(msg->selectedText(), "23");
    QTest::keyClicks(msg, "7");
    EXPECT_EQ(msg->text(), "7");
    QTest::keyClick(msg, Qt::Key_Return);
    EXPECT_EQ(session->message().MessageNumber, 7);
    QTest::keyClicks(msg, "x");
    EXPECT_EQ(msg->text(), "7"); // typed characters still meet the digits rule
}

TEST_F(WindowControlsTest, RecentFilesOpenWhatTheyAreLabelledWith)
{
    start("5320");
    EXPECT_EQ(recentLabel(1), ""); // the first run has no list yet
    const std::string a = demoCopy("a.src");
    const std::string b = demoCopy("b.src");
    open(a);
    EXPECT_EQ(recentLabel(1), a);
    open(b);
    EXPECT_EQ(recentLabel(1), b);
    EXPECT_EQ(recentLabel(2), a);

    trigger("mnuFileRecent2");
    EXPECT_EQ(window->windowTitle(), "Marquis 5300 - a.src");
    EXPECT_EQ(recentLabel(1), a);
    EXPECT_EQ(recentLabel(2), b);
    trigger("mnuFileRecent2");
    EXPECT_EQ(window->windowTitle(), "Marquis 5300 - b.src");

    // Save As puts its file on top of the menu too.
    user.files.push_back(programFolder / "c.src");
    trigger("mnuFileSaveAs");
    EXPECT_EQ(recentLabel(1), (programFolder / "c.src").string());
    EXPECT_EQ(recentLabel(2), b);
    EXPECT_EQ(recentLabel(3), a);
    EXPECT_EQ(recentLabel(4), "");
}

TEST_F(WindowControlsTest, PreferencesHelpOpensTheGuideAtItsSectionAndTakesInput)
{
    start("5320");
    bool helped = false;
    whenModalOpens([&](QWidget& dialog) {
        QTest::mouseClick(child<QPushButton>(dialog, "cmdHelp"), Qt::LeftButton);
        qt::HelpWindow* help = window->helpWindow();
        helped = help->isVisible();
        // The help window is usable while the dialog stays open.
        auto* search = help->findChild<QLineEdit*>("txtHelpSearch");
        search->setFocus();
        QTest::keyClick(help->windowHandle(), Qt::Key_A);
        EXPECT_EQ(search->text(), "a");
        EXPECT_TRUE(dialog.isVisible());
        QTest::mouseClick(child<QPushButton>(dialog, "cmdCancel"), Qt::LeftButton);
    });
    trigger("mnuEditPreferences");
    EXPECT_TRUE(helped);
    EXPECT_TRUE(user.messages.empty());
    // The Preferences section's heading is in view, or the guide is scrolled as far as it goes.
    QTextBrowser* browser = window->helpWindow()->browser();
    const int shown = browser->verticalScrollBar()->value();
    EXPECT_GT(shown, 0);
    const double top = anchorTop(*browser, "preferences");
    ASSERT_GE(top, 0.0);
    const bool atEnd = shown == browser->verticalScrollBar()->maximum();
    EXPECT_TRUE(atEnd || top >= shown - 1) << top << " above " << shown;
    EXPECT_LT(top, shown + browser->viewport()->height());
}

} // namespace
} // namespace marquis::testing

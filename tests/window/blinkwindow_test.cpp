#include "dialogs/dialogtest.h"
#include "model/richtext.h"
#include "window/windowfixture.h"

#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>
#include <QTextEdit>

namespace marquis::testing {
namespace {

class BlinkWindowTest : public WindowTest {
protected:
    // Types a line into the main editor and presses the Blink button; `user` works the dialog.
    void blinkLine(const char* text, std::function<void(QWidget&)> user)
    {
        QTest::keyClicks(editor(), text);
        whenModalOpens(std::move(user));
        QTest::mouseClick(control<QPushButton>("cmdBlink"), Qt::LeftButton);
    }

    static void click(QWidget& dialog, const char* name)
    {
        QTest::mouseClick(child<QAbstractButton>(dialog, name), Qt::LeftButton);
    }
};

TEST_F(BlinkWindowTest, OpensFromTheBlinkButtonAndOkMarksTheLine)
{
    start("5360");
    bool opened = false;
    blinkLine("HELLO WORLD", [&](QWidget& dialog) {
        opened = true;
        EXPECT_EQ(text(dialog.windowTitle()), "Blink on line  1");
        const std::pair<const char*, const char*> captions[] = { { "optOn", "On" },
            { "optOff", "Off" }, { "cmdSecOn", "O&n" }, { "cmdSecOff", "O&ff" },
            { "cmdClear", "Clea&r" }, { "cmdAllOn", "On" }, { "cmdAllOff", "Off" },
            { "cmdOk", "&OK" }, { "cmdCancel", "&Cancel" }, { "cmdHelp", "&Help" } };
        for (const auto& [name, caption] : captions)
            EXPECT_EQ(text(child<QAbstractButton>(dialog, name)->text()), caption) << name;
        EXPECT_EQ(text(child<QGroupBox>(dialog, "frameArea")->title()), "Blink area");
        EXPECT_EQ(text(child<QGroupBox>(dialog, "frameLine")->title()), "Blink line");
        EXPECT_EQ(text(child<QLabel>(dialog, "Label1")->text()), "Blink");
        EXPECT_EQ(text(child<QLabel>(dialog, "lblRate")->text()), "Blink rate:");

        // The line has no blink yet: "Off", and nothing to work with.
        EXPECT_TRUE(child<QRadioButton>(dialog, "optOff")->isChecked());
        auto* slider = child<QSlider>(dialog, "hsbBlink");
        EXPECT_FALSE(slider->isEnabled());
        auto* edit = child<QTextEdit>(dialog, "txtEdit");
        EXPECT_FALSE(edit->isEnabled());
        EXPECT_EQ(text(edit->toPlainText()), "HELLO WORLD");

        click(dialog, "optOn");
        EXPECT_TRUE(slider->isEnabled());
        EXPECT_EQ(slider->value(), 4);
        EXPECT_TRUE(dialog.findChild<QTimer*>("Timer1")->isActive());
        // Tab goes to the line's On button.
        edit->setFocus();
        dialog.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
        QTest::keyClick(edit, Qt::Key_Tab);
        EXPECT_TRUE(child<QPushButton>(dialog, "cmdAllOn")->hasFocus());
        // A double-click highlights the word; the text itself cannot be changed.
        QTextCursor at(edit->document());
        at.setPosition(8);
        QTest::mouseDClick(edit->viewport(), Qt::LeftButton, {}, edit->cursorRect(at).center());
        QTest::keyClicks(edit, "XY");
        EXPECT_EQ(text(edit->toPlainText()), "HELLO WORLD");
        click(dialog, "cmdSecOn");
        slider->setValue(2);
        click(dialog, "cmdOk");
    });
    ASSERT_TRUE(opened);
    const EditLine& line = session->message().line(1);
    EXPECT_EQ(line.LineText, "\\sb90\\sa90 \\f0 \\cf0 HELLO \\f65 \\cf0 WORLD");
    EXPECT_EQ(line.LineBlink, "70,1");
    EXPECT_EQ(caption("cmdBlink"), "&Blink ON...");
    EXPECT_TRUE(user.messages.empty());
}

TEST_F(BlinkWindowTest, CancelAndClosingKeepTheLine)
{
    start("5360");
    blinkLine("STEADY", [&](QWidget& dialog) {
        click(dialog, "optOn");
        click(dialog, "cmdAllOn");
        click(dialog, "cmdCancel");
    });
    const EditLine& line = session->message().line(1);
    const std::string kept = line.LineText;
    EXPECT_EQ(CheckBlink(kept), "");
    EXPECT_EQ(line.LineBlink, "");

    whenModalOpens([&](QWidget& dialog) {
        click(dialog, "optOn");
        click(dialog, "cmdAllOn");
        dialog.close();
    });
    QTest::mouseClick(control<QPushButton>("cmdBlink"), Qt::LeftButton);
    EXPECT_EQ(line.LineText, kept);
    EXPECT_EQ(line.LineBlink, "");
    EXPECT_EQ(caption("cmdBlink"), "&Blink OFF...");
}

} // namespace
} // namespace marquis::testing

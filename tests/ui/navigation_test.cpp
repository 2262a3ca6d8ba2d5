#include "ui/quickeditfixture.h"

#include <algorithm>

using namespace marquis;
using namespace marquis::testing;

namespace {

class QuickEditNavigationTest : public QuickEditTest {
protected:
    bool said(const std::string& text) const
    {
        const std::vector<std::string> texts = ui.messageTexts();
        return std::find(texts.begin(), texts.end(), text) != texts.end();
    }
};

TEST_F(QuickEditNavigationTest, StartUpShowsAnEmptyMessageOnTheUnitsDisplay)
{
    start("5360");
    EXPECT_EQ(view.captions["frameDisplay"], "5360 Display");
    for (const char* row : { "lblDisplay1", "lblDisplay2", "lblDisplay3", "lblDisplay4" })
        EXPECT_TRUE(view.visible[row]) << row;
    EXPECT_EQ(message().UnitLines, 4);
    EXPECT_EQ(view.texts["txtMsg"], "0");
    EXPECT_EQ(view.texts["txtLine"], "1");
    EXPECT_EQ(view.texts["txtTask"], "0");
    EXPECT_EQ(view.focus, "txtEdit");
    EXPECT_EQ(ui.captions.back(), "Marquis 5300 - New");
    // The repeat rate cannot be read here: 21 is kept to restore, nothing is changed.
    EXPECT_EQ(state->savedRepeatRate(), 21);
    EXPECT_TRUE(platform.ratesSet.empty());
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(QuickEditNavigationTest, TwoLineUnitHidesTheOuterRowsAndUnknownTypesAreReported)
{
    start("5320");
    EXPECT_EQ(view.captions["frameDisplay"], "5320 Display");
    EXPECT_FALSE(view.visible["lblDisplay1"]);
    EXPECT_TRUE(view.visible["lblDisplay2"]);
    EXPECT_TRUE(view.visible["lblDisplay3"]);
    EXPECT_FALSE(view.visible["lblDisplay4"]);
    EXPECT_EQ(message().UnitLines, 2);

    session->preferences().UnitType = "5300";
    state->applyUnitType();
    EXPECT_TRUE(said("Can't determine type of the unit"));
    EXPECT_EQ(view.captions["frameDisplay"], "5300 Display");
}

TEST_F(QuickEditNavigationTest, MissingDisplayFontEndsTheProgramAtStartUp)
{
    platform.fontAvailable = false;
    start();
    ASSERT_EQ(ui.messages.size(), 1U);
    EXPECT_TRUE(ui.messages[0].text.starts_with("Can't find font 'Courier 10,12,15 (VGA res)'."));
    EXPECT_EQ(ui.messages[0].icon, Icon::Exclamation);
    EXPECT_TRUE(view.ended);
    EXPECT_TRUE(state->ended());
    EXPECT_TRUE(ui.captions.empty()); // no file was started
}

TEST_F(QuickEditNavigationTest, KeyboardIsSlowedWhileRunningAndRestoredOnClose)
{
    platform.repeatRate = 15;
    start();
    EXPECT_EQ(platform.ratesSet, std::vector<int> { 0 });
    int written = 0;
    EXPECT_TRUE(state->shutDown([&](const Preferences& p) {
        EXPECT_EQ(p.UnitType, "5360");
        ++written;
    }));
    EXPECT_EQ(written, 1);
    EXPECT_EQ(platform.ratesSet, (std::vector<int> { 0, 15 }));
    EXPECT_FALSE(view.timers["Timer1"].running);
}

TEST_F(QuickEditNavigationTest, ClosingAsksToSaveAndMayBeCancelled)
{
    start();
    type("changed");
    bool written = false;
    ui.answers = { Answer::Cancel };
    EXPECT_FALSE(state->shutDown([&](const Preferences&) { written = true; }));
    EXPECT_TRUE(said("Do you want to save the changes?"));
    EXPECT_FALSE(written);
    EXPECT_FALSE(state->ended());
    EXPECT_EQ(plainOfLine(1), "changed"); // the message is still being edited

    ui.answers = { Answer::No };
    EXPECT_TRUE(state->shutDown([&](const Preferences&) { written = true; }));
    EXPECT_TRUE(written);
    EXPECT_EQ(platform.ratesSet, std::vector<int> { 21 });
}

TEST_F(QuickEditNavigationTest, MessageBoxTakesDigitsAndConfirmsWithEnter)
{
    start();
    std::string text;
    for (const char key : std::string("12a"))
        if (state->txtMsgKeyPress(key, text))
            text += key;
    EXPECT_EQ(text, "12");
    EXPECT_TRUE(state->txtMsgKeyPress('\b', text));
    ui.busyChanges.clear();

    EXPECT_FALSE(state->txtMsgKeyPress('\r', "0007"));
    EXPECT_EQ(view.texts["txtMsg"], "7");
    EXPECT_EQ(message().MessageNumber, 7);
    EXPECT_EQ(view.values["vsbMsg"], 7);
    EXPECT_EQ(view.focus, "txtEdit");
    EXPECT_TRUE(ui.busyChanges.front()); // the hourglass for the load, and back again
    EXPECT_FALSE(ui.isBusy());

    state->SelectMessage("2000");
    EXPECT_EQ(view.texts["txtMsg"], "7");
    EXPECT_EQ(message().MessageNumber, 7);
    state->SelectMessage("");
    EXPECT_EQ(message().MessageNumber, 7);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(QuickEditNavigationTest, LeavingTheMessageBoxChecksAndConfirmsTheEntry)
{
    start();
    EXPECT_FALSE(state->leaveTxtMsg("2000"));
    EXPECT_EQ(ui.messages.back().text,
        "2000 is not a valid message number.  The value must be between 0 and 1023.");
    EXPECT_EQ(view.focus, "txtMsg");
    EXPECT_FALSE(state->leaveTxtMsg("12x"));
    EXPECT_EQ(ui.messages.back().text, "12x is not a valid message number.");
    EXPECT_EQ(message().MessageNumber, 0);

    EXPECT_TRUE(state->leaveTxtMsg("5"));
    EXPECT_EQ(message().MessageNumber, 5);
    EXPECT_EQ(view.focus, "txtEdit");
}

TEST_F(QuickEditNavigationTest, ProgramsOwnWritesToTheNumberBoxesAreMarked)
{
    start();
    int boxWrites = 0;
    view.onCall = [&](const std::string& call) {
        for (const char* box : { "txtMsg", "txtLine", "txtTask", "vsbMsg", "vsbLine", "vsbTask" })
            if ((call.starts_with("text ") || call.starts_with("value ")) &&
                call.find(std::string(" ") + box + " ") != std::string::npos) {
                ++boxWrites;
                EXPECT_TRUE(state->updatingControls()) << call;
            }
    };
    state->SelectMessage("12");
    state->StepMessage(StepDirection::Up);
    state->SetTask(2);
    state->SelectLine(3);
    EXPECT_GT(boxWrites, 10);
    EXPECT_FALSE(state->updatingControls());
}

TEST_F(QuickEditNavigationTest, EditsSurviveMovingAwayAndBack)
{
    start();
    type("Hello");
    state->SelectMessage("3");
    EXPECT_EQ(plainOfLine(1), "");
    state->SelectMessage("0");
    EXPECT_EQ(plainOfLine(1), "Hello");
    EXPECT_EQ(GetText(view.editor.richText), "Hello");
}

TEST_F(QuickEditNavigationTest, SteppingGoesToTheNearestExistingMessage)
{
    start();
    openScript("steps.src", { textMessage(3, { "three" }), textMessage(10, { "ten" }) });
    state->messageReplaced();
    ASSERT_EQ(message().MessageNumber, 3);

    state->StepMessage(StepDirection::Up);
    EXPECT_EQ(message().MessageNumber, 10);
    EXPECT_EQ(view.values["vsbMsg"], 10);
    EXPECT_EQ(GetText(view.editor.richText), "ten");
    state->StepMessage(StepDirection::Up);
    EXPECT_EQ(message().MessageNumber, 11);
    state->vsbMsgChange(10); // below the current one: down
    EXPECT_EQ(message().MessageNumber, 10);
    state->StepMessage(StepDirection::Down);
    EXPECT_EQ(message().MessageNumber, 3);
    state->StepMessage(StepDirection::Down);
    EXPECT_EQ(message().MessageNumber, 2);
}

TEST_F(QuickEditNavigationTest, PageKeysAndStepsStopAtTheEnds)
{
    start();
    state->KeyUp(EditKey::PageDown);
    EXPECT_EQ(message().MessageNumber, 0);
    EXPECT_TRUE(ui.messages.empty());
    state->StepMessage(StepDirection::Down);
    EXPECT_EQ(ui.messages.back().text, "Message 0 is the first one");

    state->SelectMessage("1023");
    state->KeyUp(EditKey::PageUp);
    EXPECT_EQ(message().MessageNumber, 1023);
    EXPECT_EQ(ui.messages.size(), 1U);
    state->StepMessage(StepDirection::Up);
    EXPECT_EQ(ui.messages.back().text, "Message 1023 is the last one");
    EXPECT_EQ(message().MessageNumber, 1023);
    EXPECT_EQ(view.values["vsbMsg"], 1023);

    state->KeyUp(EditKey::PageDown);
    EXPECT_EQ(message().MessageNumber, 1022);
}

TEST_F(QuickEditNavigationTest, TwoLineUnitAcceptsLinesOneAndTwoOnly)
{
    start("5320");
    state->txtLineChange("3");
    EXPECT_EQ(state->currentLine(), 1);
    state->txtLineChange("2");
    EXPECT_EQ(state->currentLine(), 2);
    EXPECT_EQ(view.values["vsbLine"], 2);

    EXPECT_FALSE(state->leaveTxtLine("3"));
    EXPECT_EQ(ui.messages.back().text,
        "3 is not a valid line number.  The value must be between 1 and 2.");
    EXPECT_EQ(view.focus, "txtLine");
    EXPECT_FALSE(state->leaveTxtLine("x"));
    EXPECT_EQ(ui.messages.back().text, "x is not a valid line number.");
    EXPECT_TRUE(state->leaveTxtLine("1"));

    // The middle rows of the display stand for the two lines.
    state->displayRowPressed(2);
    EXPECT_EQ(state->currentLine(), 1);
    state->displayRowPressed(3);
    EXPECT_EQ(state->currentLine(), 2);
    state->displayRowPressed(1);
    state->displayRowPressed(4);
    EXPECT_EQ(state->currentLine(), 2);
}

TEST_F(QuickEditNavigationTest, FourLineUnitSelectsLinesByRowAndArrowKeys)
{
    start();
    EXPECT_FALSE(state->leaveTxtLine("5"));
    EXPECT_EQ(ui.messages.back().text,
        "5 is not a valid line number.  The value must be between 1 and 4.");
    state->displayRowPressed(4);
    EXPECT_EQ(state->currentLine(), 4);
    state->KeyUp(EditKey::Up); // already the last line
    EXPECT_EQ(state->currentLine(), 4);
    state->KeyUp(EditKey::Down);
    EXPECT_EQ(state->currentLine(), 3);
    state->vsbLineChange(1);
    EXPECT_EQ(state->currentLine(), 1);
    EXPECT_EQ(view.texts["txtLine"], "1");
    state->KeyUp(EditKey::Down);
    EXPECT_EQ(state->currentLine(), 1);
}

TEST_F(QuickEditNavigationTest, VerticallyScrolledMessageLocksLineSelection)
{
    start();
    message().line(1).LineText = plain("A\\par\r\nB");
    message().line(1).LineBlock = "0,0";
    message().VerticalScrollOn = true;
    message().BlockWait = "10";
    state->ShowEdit(1);
    EXPECT_FALSE(view.enabled["txtLine"]);
    EXPECT_FALSE(view.enabled["vsbLine"]);
    EXPECT_FALSE(view.enabled["cmdScroll"]);
    EXPECT_TRUE(view.enabled["cmdWait"]); // the vertical scroll can still be changed
    EXPECT_EQ(view.captions["lblLine"], "Vertical scroll");
    EXPECT_EQ(view.captions["cmdWait"], "Vert. s&croll ON...");
    state->displayRowPressed(3);
    EXPECT_EQ(state->currentLine(), 1);

    message().VerticalScrollOn = false;
    message().line(1).LineBlock.clear();
    state->ShowEdit(1);
    EXPECT_TRUE(view.enabled["txtLine"]);
    EXPECT_EQ(view.captions["lblLine"], "Edit Line");
}

TEST_F(QuickEditNavigationTest, TaskBoxesSetTheTaskThatIsKeptWithTheMessage)
{
    start();
    type("x");
    state->txtTaskChange("2");
    EXPECT_EQ(message().task(), 2);
    EXPECT_EQ(view.values["vsbTask"], 2);
    state->txtTaskChange("7");
    EXPECT_EQ(message().task(), 2);
    state->vsbTaskChange(3);
    EXPECT_EQ(message().task(), 3);
    EXPECT_EQ(view.texts["txtTask"], "3");

    EXPECT_FALSE(state->leaveTxtTask("7"));
    EXPECT_EQ(ui.messages.back().text,
        "7 is not a valid task number.  The value must be between 0 and 3.");
    EXPECT_FALSE(state->leaveTxtTask("t"));
    EXPECT_EQ(ui.messages.back().text, "t is not a valid task number.");
    EXPECT_EQ(view.focus, "txtTask");

    state->SelectMessage("4");
    state->SelectMessage("0");
    EXPECT_EQ(message().task(), 3);
    EXPECT_EQ(view.texts["txtTask"], "3");
}

TEST_F(QuickEditNavigationTest, HandEditedMessageShowsNothingOnTheDisplay)
{
    start();
    std::string text = scriptFileText(
        { textMessage(1, { "Hello" }), textMessage(2, { "World" }) }, session->writer(), "5360");
    text.replace(text.find("World"), 5, "Wxrld"); // no longer matches its check value
    ui.files.push_back(workFolder.write("hand.src", text));
    ASSERT_TRUE(session->FileOpen());
    state->messageReplaced();
    EXPECT_EQ(view.captions["lblDisplay1"], "Hello");
    EXPECT_EQ(view.captions["cmdAdvEdit"], "&Go to Script Edit");

    state->SelectMessage("2");
    EXPECT_TRUE(message().ScriptEditOnly);
    EXPECT_EQ(view.captions["cmdAdvEdit"], "&Script Edit Only");
    EXPECT_FALSE(view.timers["Timer1"].running);
    EXPECT_FALSE(view.timers["Timer2"].running);
    for (const char* row : { "lblDisplay1", "lblDisplay2", "lblDisplay3", "lblDisplay4" })
        EXPECT_EQ(view.captions[row], "") << row;
}

TEST_F(QuickEditNavigationTest, UnexpectedFailureOffersTheEmergencySaveAndEndsTheProgram)
{
    platform.repeatRate = 10;
    start();
    type("Save me");
    view.failingCaption = "cmdBlink";
    ui.answers = { Answer::Yes };
    state->ShowEdit(1);

    ASSERT_FALSE(ui.messages.empty());
    const std::string emergency = programFolder.folder() + "MQS3TMP.SRC";
    EXPECT_EQ(ui.messages.back().text,
        "Unexpected Error in module ShowEdit. Save all data in file " + emergency + " on exit?");
    EXPECT_EQ(ui.messages.back().buttons, Buttons::YesNo);
    EXPECT_EQ(ui.messages.back().icon, Icon::Exclamation);
    EXPECT_NE(readWholeFile(emergency).find("Save me"), std::string::npos);
    EXPECT_TRUE(view.ended);
    EXPECT_EQ(platform.ratesSet.back(), 10);
    EXPECT_FALSE(ui.isBusy());

    // The program is ending: no further event does anything, and no preferences are written.
    state->SelectMessage("5");
    EXPECT_EQ(message().MessageNumber, 0);
    bool written = false;
    EXPECT_TRUE(state->shutDown([&](const Preferences&) { written = true; }));
    EXPECT_FALSE(written);
    EXPECT_EQ(ui.messages.size(), 1U);
}

} // namespace

#include "ui/quickedit/linelayout.h"
#include "ui/quickedit/typingrules.h"
#include "ui/quickeditfixture.h"

#include <optional>
#include <stdexcept>

using namespace marquis;
using namespace marquis::testing;

namespace {

class QuickEditEditingTest : public QuickEditTest {
protected:
    void SetUp() override
    {
        start();
        message().PlaceholderChar = "^"; // "#" is refused as a placeholder
    }

    // Puts a line into the store and the editor, caret at the end.
    void setLine(const std::string& rich)
    {
        message().line(state->currentLine()).LineText = rich;
        view.edit(rich);
    }

    std::vector<std::string> captionsOf(const std::string& control) const
    {
        std::vector<std::string> shown;
        const std::string prefix = "caption " + control + " ";
        for (const std::string& call : view.calls)
            if (call.starts_with(prefix))
                shown.push_back(call.substr(prefix.size()));
        return shown;
    }
};

TEST_F(QuickEditEditingTest, FullFixedLineOffersTheLongMessageKindsInsteadOfTakingTheKey)
{
    type("12345678901234567890");
    EXPECT_TRUE(view.dialogs.empty());
    type("X");
    EXPECT_EQ(plainOfLine(1), "12345678901234567890");
    EXPECT_EQ(view.dialogs, std::vector<DialogKind> { DialogKind::LongMessage });
    EXPECT_EQ(view.countCalls("caret end"), 1);
    EXPECT_TRUE(state->KeyPress('\b'));

    // A key that replaces a highlighted or overtyped character does not lengthen the line.
    view.editor.selectionLength = 3;
    EXPECT_TRUE(state->KeyPress('Y'));
    view.editor.selectionLength = 0;
    view.editor.overtype = true;
    view.editor.caretColumn = 5;
    EXPECT_TRUE(state->KeyPress('Y'));
    view.editor.overtype = false;

    message().line(2).LineScroll = "25,0";
    type("Z");
    EXPECT_EQ(ui.messages.back().text,
        "You have already a scrolling line. If you want to create "
        "another on the same screen search help on Scroll.");
    EXPECT_EQ(view.dialogs.size(), 1U);
}


TEST_F(QuickEditEditingTest, TheKeyThatOpenedTheChooserGoesInOnceTheLineIsLong)
{
    type("12345678901234567890");
    // The user chooses the continuous form and confirms the scroll dialog.
    view.onDialog = [this](DialogKind dialog) {
        EXPECT_EQ(dialog, DialogKind::LongMessage);
        message().line(1).LineScroll = "25,0";
        return true;
    };
    type("X");
    EXPECT_EQ(plainOfLine(1), "12345678901234567890X");

    // Chosen and then cancelled: the line stays fixed and the key stays out.
    setLine("\\sb90\\sa90 \\f0 \\cf0 ABCDEFGHIJKLMNOPQRST");
    message().line(1).LineScroll.clear();
    view.onDialog = [](DialogKind) { return false; };
    type("Y");
    EXPECT_EQ(plainOfLine(1), "ABCDEFGHIJKLMNOPQRST");
}

TEST_F(QuickEditEditingTest, HashCombinationsThatReadAsControlCharactersAreRefused)
{
    type("#");
    EXPECT_FALSE(state->KeyPress('A'));
    EXPECT_EQ(ui.messages.back().text,
        "Character combination #A is illegal in Quick Edit. Please refer to the 5300 PC User's "
        "Manual on Literal Control Characters which can be entered in Script Edit.");
    for (const char key : std::string("#?@[\\]^_Z"))
        EXPECT_FALSE(state->KeyPress(key)) << key;
    EXPECT_EQ(ui.messages.size(), 10U);
    EXPECT_TRUE(state->KeyPress('a'));
    EXPECT_TRUE(state->KeyPress('>')); // 62, below the refused range
    type("a");
    EXPECT_TRUE(state->KeyPress('A'));
}

TEST_F(QuickEditEditingTest, ControlKeysAndEnterAreSwallowedOnOrdinaryLines)
{
    EXPECT_FALSE(state->KeyPress('\t'));
    EXPECT_EQ(view.focus, "cmdBlink");
    view.focus.clear();
    EXPECT_TRUE(state->KeyDown(EditKey::Tab));
    EXPECT_EQ(view.focus, "cmdBlink");
    EXPECT_FALSE(state->KeyPress(1));
    EXPECT_FALSE(state->KeyPress('\r'));

    int pastes = 0;
    state->onPaste = [&] { ++pastes; };
    EXPECT_TRUE(state->KeyDown(EditKey::V, true));
    EXPECT_EQ(pastes, 1);
    EXPECT_FALSE(state->KeyDown(EditKey::Up)); // a fixed line keeps the editor's own handling
}

TEST_F(QuickEditEditingTest, ContinuousLineTakes155CharactersAndBackspaceStillWorks)
{
    message().line(1).LineScroll = "25,0";
    state->ShowEdit(1);
    type(std::string(155, 'c'));
    EXPECT_EQ(plainOfLine(1).size(), 155U);
    type("d");
    EXPECT_EQ(plainOfLine(1).size(), 155U);
    EXPECT_TRUE(state->KeyPress('\b'));
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_TRUE(view.dialogs.empty());
}

TEST_F(QuickEditEditingTest, FullBlockMovesTheKeyOnToANewBlock)
{
    message().line(1).LineBlock = "0,0";
    message().BlockScrollOn = true;
    state->ShowEdit(1);
    type(std::string(20, 'b'));
    EXPECT_EQ(view.blockBreaks, 0);
    type("c");
    EXPECT_EQ(view.blockBreaks, 1);
    EXPECT_EQ(plainOfLine(1), std::string(20, 'b') + "\r\nc");
    EXPECT_EQ(view.captions["lblAttribute"], "Block  2,char  1");
    EXPECT_TRUE(state->KeyPress('\r'));

    // The editor moves by whole blocks.
    EXPECT_TRUE(state->KeyDown(EditKey::PageUp));
    EXPECT_EQ(view.scrolledRows, -1);
    state->KeyUp(EditKey::Left);
    EXPECT_EQ(view.shownRow, 1);
    state->KeyUp(EditKey::PageUp); // no message step on a block line
    EXPECT_EQ(message().MessageNumber, 0);
}

TEST_F(QuickEditEditingTest, VariablePlaceholdersTakeOnlyThePlaceholderAndThePoint)
{
    setLine(plain("T ") + "\\f3 \\cf4 ^^.^");
    view.editor.caretColumn = 4; // inside the variable
    EXPECT_FALSE(state->KeyPress('x'));
    EXPECT_TRUE(state->KeyPress('.'));
    EXPECT_TRUE(state->KeyPress('^'));
    EXPECT_FALSE(view.typingPlain);

    view.editor.caretColumn = 6; // at the end, right after the variable
    EXPECT_TRUE(state->KeyPress('x'));
    EXPECT_TRUE(view.typingPlain);

    view.typingPlain = false;
    view.editor.caretColumn = 1; // in the plain text before it
    EXPECT_TRUE(state->KeyPress('x'));
    EXPECT_FALSE(view.typingPlain);
}

TEST_F(QuickEditEditingTest, KeyReleaseStoresTheLineAndShowsItsLengthAndPosition)
{
    type("Hello");
    EXPECT_EQ(ui.currentStatus(), "Length of current line is  5 characters.");
    EXPECT_EQ(view.captions["lblAttribute"], "Line  1,char  5");
    EXPECT_EQ(view.captions["lblDisplay1"], "Hello");
}

TEST_F(QuickEditEditingTest, DeleteRemovesWhatBackspaceMayRemove)
{
    type(std::string(20, 'x'));
    view.editor.caretColumn = 3;
    view.editor.selectionStart = view.editor.selectionEnd = { 0, 3 };
    EXPECT_TRUE(state->KeyPress(DeleteKey)); // a full line still gives up characters
    view.editor.selectionLength = 4;
    EXPECT_TRUE(state->KeyPress(DeleteKey));
    view.editor.selectionLength = 0;
    view.editor.caretColumn = 20;
    EXPECT_TRUE(state->KeyPress(DeleteKey)); // at the end it deletes nothing
    EXPECT_TRUE(view.dialogs.empty());
    EXPECT_TRUE(ui.messages.empty());

    // Inside a variable neither key takes a character out, except its last one at the end.
    setLine(plain("T ") + "\\f3 \\cf4 ^^^");
    view.editor.caretColumn = 2; // before the variable: Delete would take its first character
    EXPECT_FALSE(state->KeyPress(DeleteKey));
    EXPECT_TRUE(state->KeyPress(BackspaceKey)); // the blank before it
    view.editor.caretColumn = 3;
    EXPECT_FALSE(state->KeyPress(DeleteKey));
    EXPECT_FALSE(state->KeyPress(BackspaceKey));
    view.editor.caretColumn = 4;
    EXPECT_TRUE(state->KeyPress(DeleteKey));
    EXPECT_FALSE(view.typingPlain);
    view.editor.caretColumn = 1;
    EXPECT_TRUE(state->KeyPress(DeleteKey)); // plain text before it
}

// A paste as the window hands it over: the text replaces what the fake editor highlights.
class QuickEditPasteTest : public QuickEditEditingTest {
protected:
    std::optional<std::string> paste(std::string_view text) { return state->InsertText(text); }
    void highlight(EditorPlace from, EditorPlace to, int length)
    {
        view.editor.selectionStart = from;
        view.editor.selectionEnd = to;
        view.editor.selectionLength = length;
    }
    std::string lastMessage() const { return ui.messages.empty() ? "" : ui.messages.back().text; }
};

TEST_F(QuickEditPasteTest, FixedLineTakesAPasteOnlyWhenTheResultFitsIn20)
{
    type("ABCDEFGHIJKLMNO"); // 15 characters, then 3 of them highlighted
    highlight({ 0, 5 }, { 0, 8 }, 3);
    EXPECT_EQ(paste("12345678"), "12345678");
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(paste("123456789"), std::nullopt);
    EXPECT_EQ(lastMessage(),
        "The text to be pasted is too long to fit in 20 characters line. You may want to create "
        "a continuous scrolling message.");
    EXPECT_TRUE(view.dialogs.empty());

    // Line ends: the one a copied line brings along is dropped; a second line is refused.
    highlight({ 0, 15 }, { 0, 15 }, 0);
    EXPECT_EQ(paste("HI\n"), "HI");
    EXPECT_EQ(paste("HI\nHO"), std::nullopt);
    EXPECT_NE(lastMessage().find("several lines"), std::string::npos);
    // Tabs, control characters and what the display cannot show never go in, not even in part.
    for (const std::string& bad :
        { std::string("A\tB"), std::string("A\0B", 3), std::string("caf\xE9") }) {
        ui.messages.clear();
        EXPECT_EQ(paste(bad), std::nullopt) << bad;
        EXPECT_NE(lastMessage().find("cannot be shown"), std::string::npos) << bad;
    }
    ui.messages.clear();
    EXPECT_EQ(paste("\n"), std::nullopt); // nothing to paste, nothing to say
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(QuickEditPasteTest, ContinuousAndBlockLinesHaveTheirOwnLimits)
{
    message().line(1).LineScroll = "25,0";
    state->ShowEdit(1);
    type(std::string(150, 'c'));
    EXPECT_EQ(paste("12345"), "12345");
    EXPECT_EQ(paste("123456"), std::nullopt);
    EXPECT_EQ(lastMessage(), "You cant have more than 155 characters on continuous scrolling line");

    // Block by block: each block the paste touches keeps to 20, and a paste may start blocks.
    message().line(1).LineScroll.clear();
    message().line(1).LineBlock = "0,0";
    message().BlockScrollOn = true;
    setLine(plain(std::string(15, 'a')) + "\\par\r\n" + plain(std::string(18, 'b')));
    highlight({ 0, 15 }, { 0, 15 }, 0);
    EXPECT_EQ(paste("12345"), "12345");
    EXPECT_EQ(paste("123456"), std::nullopt);
    EXPECT_EQ(lastMessage(),
        "This text is too long to fit in 20 characters block. You may want to create a another "
        "block.");
    EXPECT_EQ(paste("12345\n" + std::string(20, 'n') + "\nxy"),
        "12345\n" + std::string(20, 'n') + "\nxy");
    EXPECT_EQ(paste("1\n" + std::string(21, 'n') + "\n"), std::nullopt);
    // Highlighted across the block end: the rest of block 2 joins the paste's last line.
    highlight({ 0, 10 }, { 1, 2 }, 9);
    EXPECT_EQ(paste("1234"), std::nullopt); // 10 + 4 + 16
    EXPECT_EQ(paste("1234\n"), std::nullopt);
    EXPECT_EQ(paste("12\n34"), "12\n34");
}

TEST_F(QuickEditPasteTest, PastedTextMeetsTheCharacterRulesOfTyping)
{
    type("ab#");
    EXPECT_EQ(paste("A"), std::nullopt);
    EXPECT_NE(lastMessage().find("Character combination #A is illegal"), std::string::npos);
    EXPECT_EQ(paste("x#?y"), std::nullopt);
    EXPECT_NE(lastMessage().find("Character combination #?"), std::string::npos);
    EXPECT_EQ(paste("a#b"), "a#b");
    // Nor does a "#" pasted in front of a capital make one.
    setLine(plain("Ab"));
    highlight({ 0, 0 }, { 0, 0 }, 0);
    EXPECT_EQ(paste("x#"), std::nullopt);

    // In a variable only its placeholder and the point; after it at the end, plain text.
    setLine(plain("T ") + "\\f3 \\cf4 ^^^");
    highlight({ 0, 3 }, { 0, 3 }, 0);
    ui.messages.clear();
    EXPECT_EQ(paste("x"), std::nullopt);
    EXPECT_FALSE(ui.messages.empty());
    EXPECT_EQ(paste("^.^"), "^.^");
    EXPECT_FALSE(view.typingPlain);
    highlight({ 0, 5 }, { 0, 5 }, 0);
    EXPECT_EQ(paste("C"), "C");
    EXPECT_TRUE(view.typingPlain);
}

TEST_F(QuickEditEditingTest, FontRelayAndClearScreenButtonsCycle)
{
    for (int k = 0; k < 5; ++k)
        state->CycleFont();
    EXPECT_EQ(captionsOf("cmdFont"),
        (std::vector<std::string> { "Change F&ont OFF", "English f&ont", "Katakana f&ont",
            "Slavic f&ont", "Cyrillic f&ont", "Change F&ont OFF" }));
    EXPECT_EQ(message().line(1).LineFont, "");

    for (int k = 0; k < 3; ++k)
        state->CycleRelay();
    EXPECT_EQ(captionsOf("cmdRelay"),
        (std::vector<std::string> {
            "No &Relay", "Turn &Relay ON", "Turn &Relay OFF", "No &Relay" }));
    EXPECT_EQ(message().RelayState, "");

    state->ToggleClearScreen();
    EXPECT_EQ(message().ClearScreen, "CLS");
    EXPECT_EQ(view.captions["cmdClrScreen"], "Clear scree&n ON");
    state->ToggleClearScreen();
    EXPECT_EQ(message().ClearScreen, "");
    EXPECT_EQ(view.captions["cmdClrScreen"], "Clear scree&n OFF");
    EXPECT_EQ(view.focus, "txtEdit");
}

TEST_F(QuickEditEditingTest, CenterButtonTogglesCentringOfTheLine)
{
    type("ab");
    state->ToggleCenter();
    EXPECT_EQ(view.captions["cmdCenter"], "Center te&xt ON");
    EXPECT_TRUE(isCentred(message().line(1).LineText));
    EXPECT_EQ(view.captions["lblDisplay1"], std::string(9, ' ') + "ab");
    state->ToggleCenter();
    EXPECT_EQ(view.captions["cmdCenter"], "Center te&xt OFF");
    EXPECT_EQ(view.captions["lblDisplay1"], "ab");
}

TEST_F(QuickEditEditingTest, BlinkButtonMarksTheHighlightOrOpensTheDialog)
{
    state->MarkBlink();
    EXPECT_EQ(ui.messages.back().text, "There is no text to be blinked.");
    EXPECT_TRUE(view.dialogs.empty());

    setLine(plain("Hot"));
    view.select("\\f0 \\cf0 Hot", 3);
    state->MarkBlink();
    EXPECT_EQ(CheckBlink(message().line(1).LineText), "1");
    EXPECT_EQ(message().line(1).LineBlink, "25,ON");
    EXPECT_EQ(view.captions["cmdBlink"], "&Blink ON");
    EXPECT_EQ(view.timers["Timer2"], (TimerSetting { true, 250 }));

    state->MarkBlink(); // the highlight is blinking now: made steady again
    EXPECT_EQ(CheckBlink(message().line(1).LineText), "");
    EXPECT_EQ(message().line(1).LineBlink, "");
    EXPECT_EQ(view.captions["cmdBlink"], "&Blink OFF");
    EXPECT_FALSE(view.timers["Timer2"].running);

    view.editor.selectionLength = 0;
    state->MarkBlink();
    EXPECT_EQ(view.dialogs, std::vector<DialogKind> { DialogKind::Blink });
}

TEST_F(QuickEditEditingTest, VariableButtonNeedsAPlaceholderFirst)
{
    type("Temp");
    state->OpenDialog(DialogKind::Variables);
    EXPECT_EQ(ui.messages.back().text,
        "No variable place holder character \"^\" found. You have to enter exact length for "
        "desired variable. You can also change current place holder by clicking on Edit menu "
        "and then choosing Preferences submenu.");
    type("^^");
    state->OpenDialog(DialogKind::Variables);
    EXPECT_EQ(view.dialogs, std::vector<DialogKind> { DialogKind::Variables });
}

TEST_F(QuickEditEditingTest, DialogsRefreshTheWindowOrReportTheirFailure)
{
    view.onDialog = [&](DialogKind dialog) -> bool {
        if (dialog == DialogKind::HorizontalScroll)
            throw DialogLoadFailure("layout");
        if (dialog == DialogKind::StartMessage)
            throw std::runtime_error("broken");
        message().RelayState = "ON";
        return true;
    };
    state->OpenDialog(DialogKind::HorizontalScroll);
    EXPECT_EQ(ui.messages.back().text,
        "Damaged Horizontal Scroll form file. You need to run "
        "Marquis Setup program again or obtain new installation "
        "disk.");
    EXPECT_EQ(ui.messages.back().icon, Icon::Exclamation);
    state->OpenDialog(DialogKind::StartMessage);
    EXPECT_EQ(ui.messages.back().text,
        "Unexpected error in module Start Message. Try to "
        "restart the program or Windows operating system.");
    EXPECT_FALSE(state->ended());
    EXPECT_FALSE(ui.isBusy());

    state->OpenDialog(DialogKind::SendMessage);
    EXPECT_EQ(view.captions["cmdRelay"], "Turn &Relay ON"); // refreshed by ShowEdit
    EXPECT_EQ(platform.ratesSet.back(), 0);
}

TEST_F(QuickEditEditingTest, ShowEditCaptionsFollowTheMessage)
{
    CurrentMessage& m = message();
    m.line(1).LineText = plain("T ") + "\\f3 \\cf4 ##";
    m.line(1).LineBlink = "25,ON";
    m.line(1).LineFont = "KATAKANA";
    m.line(2).LineText = plain(std::string(30, 's'));
    m.line(2).LineScroll = "25,0";
    m.RelayState = "OFF";
    m.StartSameTask = "5";
    m.ClearScreen = "CLS";
    m.OutputDevice = "HOST";

    state->ShowEdit(1);
    EXPECT_EQ(view.captions["cmdBlink"], "&Blink ON...");
    EXPECT_EQ(view.captions["cmdVar"], "&Variable ON...");
    EXPECT_EQ(view.captions["cmdScroll"], "Hori&z. scroll OFF...");
    EXPECT_FALSE(view.enabled["cmdScroll"]); // another line scrolls already
    EXPECT_TRUE(view.enabled["cmdWait"]);
    EXPECT_EQ(view.captions["cmdFont"], "Katakana f&ont");
    EXPECT_EQ(view.captions["cmdRelay"], "Turn &Relay OFF");
    EXPECT_EQ(view.captions["cmdStart"], "&Start msg ON...");
    EXPECT_EQ(view.captions["cmdClrScreen"], "Clear Scree&n ON");
    EXPECT_EQ(view.captions["cmdSend"], "Sen&d msg ON...");
    EXPECT_EQ(view.captions["cmdWait"], "Vert. s&croll OFF...");
    EXPECT_EQ(view.captions["cmdAdvEdit"], "&Go to Script Edit");
    EXPECT_EQ(view.captions["cmdCenter"], "Center te&xt OFF");
    EXPECT_EQ(view.captions["lblAttribute"], "Line  1,char  0");

    state->ShowEdit(2);
    EXPECT_EQ(view.texts["txtLine"], "2");
    EXPECT_EQ(view.captions["cmdScroll"], "Hori&z. scroll ON...");
    EXPECT_TRUE(view.enabled["cmdScroll"]);
    EXPECT_FALSE(view.enabled["cmdWait"]);
    EXPECT_EQ(view.captions["cmdBlink"], "&Blink OFF...");
    EXPECT_EQ(view.captions["cmdVar"], "&Variable OFF...");
    EXPECT_EQ(view.captions["cmdFont"], "Change F&ont OFF");
    EXPECT_EQ(ui.statuses[ui.statuses.size() - 2], "Updating edit controls");
    EXPECT_EQ(ui.currentStatus(), "");
}

TEST_F(QuickEditEditingTest, ButtonsOfDialogsNotThereYetStayDisabledThroughEveryRefresh)
{
    const std::pair<const char*, DialogKind> buttons[] = { { "cmdVar", DialogKind::Variables },
        { "cmdScroll", DialogKind::HorizontalScroll }, { "cmdWait", DialogKind::VerticalScroll },
        { "cmdStart", DialogKind::StartMessage }, { "cmdSend", DialogKind::SendMessage } };
    for (const auto& [button, dialog] : buttons)
        view.missingDialogs.insert(dialog);
    // A line whose own rules enable every one of them, shown in every way the window refreshes.
    setLine(plain("^^ TEXT"));
    state->ShowEdit(1);
    for (const auto& [button, dialog] : buttons)
        EXPECT_FALSE(view.enabled[button]) << button;
    state->SelectLine(2);
    state->CycleRelay();
    state->SelectMessage("4");
    for (const auto& [button, dialog] : buttons)
        EXPECT_FALSE(view.enabled[button]) << button;
    // It also marks highlighted text, so it is never switched off for its dialog.
    EXPECT_TRUE(!view.enabled.contains("cmdBlink") || view.enabled["cmdBlink"]);

    // A dialog that arrives brings its button back under its own rules.
    view.missingDialogs.erase(DialogKind::HorizontalScroll);
    view.missingDialogs.erase(DialogKind::VerticalScroll);
    message().line(2).LineText = plain(std::string(30, 's'));
    message().line(2).LineScroll = "25,0";
    state->ShowEdit(1);
    EXPECT_FALSE(view.enabled["cmdScroll"]); // line 2 scrolls already
    EXPECT_TRUE(view.enabled["cmdWait"]);
    EXPECT_FALSE(view.enabled["cmdVar"]);
}

TEST_F(QuickEditEditingTest, StatusTextsDescribeWhatIsUnderThePointer)
{
    setLine(plain("ab") + "\\f35 \\cf4 ##\\f52 \\cf4 #\\f65 \\cf0 z\\f70 \\cf0 q");
    auto over = [&](int position) {
        return state->StatusFor("txtEdit", { StatusEvent::MouseMove, false, position });
    };
    EXPECT_EQ(over(1), "This is plain text.");
    EXPECT_EQ(over(3), "This is variable  3, leading zeros.");
    EXPECT_EQ(over(5), "This is variable  4, leading zeros, blinking");
    EXPECT_EQ(over(6), "This is blinked text.");
    EXPECT_EQ(over(7), "Text editing window - all text changes shoud be done here");
    EXPECT_EQ(over(8), "Text editing window - all text changes should be done here");
    EXPECT_EQ(
        state->StatusFor("txtEdit"), "Text editing window - all text changes should be done here");

    EXPECT_EQ(state->StatusFor("cmdVar"),
        " 2 variables on line  1. Click once for any changes "
        "(please wait it may take a while).");
    message().VerticalScrollOn = true;
    EXPECT_EQ(state->StatusFor("cmdVar", { StatusEvent::MouseMove }),
        " 2 variables in vert. scrolled msg. Click once for any changes (please wait it may "
        "take a while).");

    message().StartOtherTask = "5";
    EXPECT_EQ(state->StatusFor("cmdStart"), "You have called message 5 from this one.");
    message().StartSameTask = "7,9";
    EXPECT_EQ(state->StatusFor("cmdStart"), "You have called messages 5,7,9 from this one.");

    view.editor.selectionLength = 2;
    EXPECT_EQ(state->StatusFor("cmdBlink"),
        "Clicking on this button or press Alt-B will blink the highlighted text.");
    message().OutputDevice = "HOST";
    state->showStatusFor("cmdSend");
    EXPECT_EQ(ui.currentStatus(),
        "You have selected 5300 send to Slave command. Click once to change or remove it.");
    EXPECT_EQ(state->StatusFor("lblDisplay3"), "Simulation display line 3");
    EXPECT_EQ(state->StatusFor("Label4"), "");
}

} // namespace

#include "support/modelfixture.h"
#include "ui/dialogs/sendmessage.h"

#include <gtest/gtest.h>

using namespace marquis;
using namespace marquis::testing;

namespace {

constexpr std::string_view Off = "Sen&d msg OFF...";
constexpr std::string_view On = "Sen&d msg ON...";

class SendMessageTest : public ModelTest {
protected:
    SendMessageTest() { message.UnitLines = 4; }

    SendMessageDialog open() { return SendMessageDialog(message, preferences, ui); }

    // A dialog with `text` typed as the user text, caret at `caret`.
    SendMessageDialog typed(const std::string& text, std::size_t caret, std::size_t length = 0)
    {
        SendMessageDialog dialog = open();
        dialog.choose(SendChoice::UserText);
        dialog.edited({ text, caret, length });
        return dialog;
    }

    CurrentMessage message;
    Preferences preferences;
};

TEST_F(SendMessageTest, TableNamesEveryControlCodeWithItsEscape)
{
    const auto& table = controlCharacters();
    for (std::size_t code = 0; code < table.size(); ++code) {
        const ControlCharacter& entry = table[code];
        EXPECT_EQ(entry.code, static_cast<int>(code));
        const char letter = static_cast<char>(code + 64);
        EXPECT_EQ(entry.escape, std::string("#") + letter);
        EXPECT_EQ(entry.key, std::string("^") + letter);
        EXPECT_EQ(entry.decimal(), std::to_string(code));
    }
    EXPECT_EQ(table[28].name, "FS");
    EXPECT_EQ(table[28].escape, "#\\");
    EXPECT_EQ(table[13].details(), "         Key = ^M        Decimal = 13        Hex = 0Dh");
    EXPECT_EQ(table[0].details(), "         Key = ^@        Decimal = 0        Hex = 00h");
}

TEST_F(SendMessageTest, ConversionBetweenNamesAndEscapes)
{
    const Delimiters marks;
    EXPECT_EQ(storedSendText("Hello<CR><LF>", marks), "Hello#M#J");
    EXPECT_EQ(shownSendText("Hello#M#J", marks), "Hello<CR><LF>");
    // A token is a name, a decimal or a hexadecimal form, in any case.
    EXPECT_EQ(storedSendText("<cr><13><0dh><0DH><Esc>", marks), "#M#M#M#M#[");
    EXPECT_EQ(storedSendText("<FS>", marks), "#\\");
    EXPECT_EQ(shownSendText("#\\", marks), "<FS>");
    // Unknown tokens lose their delimiters; a start without a stop stays.
    EXPECT_EQ(storedSendText("<ABC>", marks), "ABC");
    EXPECT_EQ(storedSendText("<013><>", marks), "013");
    EXPECT_EQ(storedSendText("a<b", marks), "a<b");
    EXPECT_EQ(storedSendText("1 < 2 <CR", marks), "1 < 2 <CR");
    EXPECT_EQ(storedSendText("x>y", marks), "x>y");
    // Line breaks of the box go, CR LF or LF alone.
    EXPECT_EQ(storedSendText("Hel\r\nlo\n<C\r\nR>", marks), "Hello#M");
    // "#" before anything but an escape character stays text.
    EXPECT_EQ(shownSendText("##M#a#", marks), "#<CR>#a#");
}

TEST_F(SendMessageTest, NamesShowBetweenTheDelimitersOfTheSettings)
{
    preferences.StartChar = "[";
    preferences.StopChar = "]";
    message.OutputDevice = "#[x#]";
    SendMessageDialog dialog = open();
    EXPECT_EQ(dialog.choice(), SendChoice::UserText);
    EXPECT_EQ(dialog.box().text, "[ESC]x[GS]");
    EXPECT_EQ(dialog.cellText(0, 0), "[NUL]");
    EXPECT_EQ(storedSendText("[esc]<CR>[1Dh]", dialog.delimiters()), "#[<CR>#]");
    // A delimiter that is itself a name's escape character does not confuse the names.
    EXPECT_EQ(shownSendText("#N", { '#', ']' }), "#SO]");
    EXPECT_EQ(storedSendText("#SO]#NUL]", { '#', ']' }), "#N#@");
}

// A settings file written by hand may hold no delimiter or several characters; the scan would
// not move on with them, so the defaults stand in.
TEST_F(SendMessageTest, DelimitersThatAreNotOneCharacterFallBackToTheDefaults)
{
    for (const auto& [start, stop] : { std::pair<std::string, std::string> { "", "" },
             { "<<", ">>" }, { "", "]" }, { "{{", "" } }) {
        preferences.StartChar = start;
        preferences.StopChar = stop;
        const Delimiters marks = sendDelimiters(preferences);
        EXPECT_EQ(marks.start, start.size() == 1 ? start[0] : '<') << start;
        EXPECT_EQ(marks.stop, stop.size() == 1 ? stop[0] : '>') << stop;
        SendMessageDialog dialog = typed("A<CR>B[LF]C<<", 0);
        ASSERT_TRUE(dialog.ok().has_value());
        // With "]" as the stop, "<CR>B[LF]" is one unknown token.
        EXPECT_EQ(message.OutputDevice, stop == "]" ? "ACR>B[LFC<<" : "A#MB[LF]C<<")
            << start << stop;
    }
}

TEST_F(SendMessageTest, LoadChoosesByTheStoredText)
{
    message.OutputDevice = "host";
    EXPECT_EQ(open().choice(), SendChoice::Slave);
    message.OutputDevice = "HOST";
    EXPECT_EQ(open().choice(), SendChoice::Slave);
    EXPECT_TRUE(open().box().text.empty());
    message.OutputDevice = "";
    EXPECT_EQ(open().choice(), SendChoice::Off);
    message.OutputDevice = "Hello#M#J";
    const SendMessageDialog dialog = open();
    EXPECT_EQ(dialog.choice(), SendChoice::UserText);
    EXPECT_EQ(dialog.box().text, "Hello<CR><LF>");
}

TEST_F(SendMessageTest, OnlyUserTextOpensTheTextPart)
{
    SendMessageDialog dialog = open();
    EXPECT_FALSE(dialog.textControlsEnabled());
    EXPECT_EQ(dialog.heightTwips(), 2400);
    dialog.choose(SendChoice::UserText);
    EXPECT_TRUE(dialog.textControlsEnabled());
    EXPECT_EQ(dialog.heightTwips(), 6150);
    dialog.choose(SendChoice::Slave);
    EXPECT_FALSE(dialog.textControlsEnabled());
    EXPECT_EQ(dialog.heightTwips(), 2400);
}

TEST_F(SendMessageTest, OkStoresTheChoiceAndNamesTheButtonCaption)
{
    message.OutputDevice = "old";
    SendMessageDialog dialog = typed("Hello<CR><LF>", 0);
    EXPECT_EQ(dialog.ok(), std::optional<std::string>(On));
    EXPECT_EQ(message.OutputDevice, "Hello#M#J");
    EXPECT_EQ(open().box().text, "Hello<CR><LF>");

    dialog.choose(SendChoice::Slave);
    EXPECT_EQ(dialog.ok(), std::optional<std::string>(On));
    EXPECT_EQ(message.OutputDevice, "HOST");

    dialog.choose(SendChoice::Off);
    EXPECT_EQ(dialog.ok(), std::optional<std::string>(Off));
    EXPECT_EQ(message.OutputDevice, "");
}

TEST_F(SendMessageTest, TextThatSendsNothingIsStoredAsNoSending)
{
    for (const std::string text : { "   ", "", "\r\n  \r\n", "<>", "\t" }) {
        message.OutputDevice = "old";
        EXPECT_EQ(typed(text, 0).ok(), std::optional<std::string>(Off)) << text;
        EXPECT_EQ(message.OutputDevice, "") << text;
    }
    EXPECT_TRUE(ui.messages.empty());
}

// The store holds the slave command as the text "HOST" in any case, so user text that would
// come back as that is refused rather than turned into the command.
TEST_F(SendMessageTest, HostAsUserTextIsRefusedAndTheDialogStaysOpen)
{
    for (const std::string text : { "host", " HOST ", "Host\r\n", "<host>", "ho\r\nst" }) {
        message.OutputDevice = "kept";
        ui.messages.clear();
        EXPECT_FALSE(typed(text, 0).ok().has_value()) << text;
        EXPECT_EQ(message.OutputDevice, "kept") << text;
        ASSERT_EQ(ui.messages.size(), 1u) << text;
        EXPECT_EQ(ui.messages[0].text,
            "HOST cannot be sent as user defined text: it would be taken for the command that "
            "passes the message to a 5300 slave unit. Choose \"To 5300 Slave (5300 V2 units "
            "only)\" for that, or enter another text.");
        EXPECT_EQ(ui.messages[0].icon, Icon::Exclamation);
    }
    ui.messages.clear();
    EXPECT_EQ(typed("hosts", 0).ok(), std::optional<std::string>(On));
    EXPECT_EQ(message.OutputDevice, "hosts");
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(SendMessageTest, GridChoosesAndInsertsDelimitedNames)
{
    SendMessageDialog dialog = typed("ab", 1);
    EXPECT_EQ(dialog.details(), "");
    EXPECT_EQ(dialog.cellText(1, 5), "<CR>");
    EXPECT_EQ(dialog.cellText(3, 7), "<US>");
    EXPECT_EQ(dialog.cellText(4, 0), "");
    dialog.chooseCell(1, 5);
    EXPECT_EQ(dialog.details(), "         Key = ^M        Decimal = 13        Hex = 0Dh");

    dialog.insertCell(1, 5);
    EXPECT_EQ(dialog.box(), (SendTextBox { "a<CR>b", 5, 0 }));
    dialog.insertCell(1, 2);
    EXPECT_EQ(dialog.box(), (SendTextBox { "a<CR><LF>b", 9, 0 }));
    // A selection is replaced.
    dialog.edited({ "a<CR><LF>b", 1, 4 });
    dialog.insertCell(3, 4);
    EXPECT_EQ(dialog.box(), (SendTextBox { "a<FS><LF>b", 5, 0 }));
    dialog.insertCell(-1, 0);
    EXPECT_EQ(dialog.box().text, "a<FS><LF>b");
    // A selection past the end of the text is held within it.
    dialog.edited({ "xy", 7, 3 });
    dialog.insertCell(0, 0);
    EXPECT_EQ(dialog.box(), (SendTextBox { "xy<NUL>", 7, 0 }));
}

TEST_F(SendMessageTest, ClearTakesTheSelectionOrEverything)
{
    SendMessageDialog dialog = typed("Hello<CR>", 2, 3);
    dialog.clear();
    EXPECT_EQ(dialog.box(), (SendTextBox { "He<CR>", 2, 0 }));
    dialog.clear();
    EXPECT_EQ(dialog.box(), (SendTextBox {}));
}

TEST_F(SendMessageTest, NamesAreKeptWhole)
{
    const std::string text = "a<CR>b<LF>";
    for (const std::size_t caret : { 2u, 3u, 4u }) {
        SendMessageDialog dialog = typed(text, caret);
        dialog.clicked();
        EXPECT_EQ(dialog.box(), (SendTextBox { text, 1, 4 })) << caret;
    }
    for (const std::size_t caret : { 0u, 1u, 5u, 6u, 10u }) {
        SendMessageDialog dialog = typed(text, caret);
        dialog.clicked();
        EXPECT_EQ(dialog.box(), (SendTextBox { text, caret, 0 })) << caret;
    }
    SendMessageDialog open = typed("a<CR", 3);
    open.clicked();
    EXPECT_EQ(open.box().selectionLength, 0u);

    EXPECT_FALSE(typed(text, 5).backspaceAllowed());
    EXPECT_FALSE(typed(text, 2).backspaceAllowed());
    EXPECT_TRUE(typed(text, 1).backspaceAllowed());
    EXPECT_TRUE(typed(text, 0).backspaceAllowed());
    EXPECT_TRUE(typed(text, 1, 4).backspaceAllowed());
}

TEST_F(SendMessageTest, NothingReachesTheMessageBeforeOk)
{
    message.OutputDevice = "Hi#M";
    SendMessageDialog dialog = open();
    dialog.insertCell(0, 1);
    dialog.clear();
    dialog.choose(SendChoice::Slave);
    dialog.choose(SendChoice::Off);
    EXPECT_EQ(message.OutputDevice, "Hi#M");
}

// Every control character goes through OK, the script and back into the dialog unchanged; the
// script file writes the escapes' backslash doubled, as PRINT strings do.
TEST_F(SendMessageTest, EveryEscapeComesBackFromTheScript)
{
    for (const ControlCharacter& entry : controlCharacters()) {
        message = {};
        message.MessageNumber = 3;
        message.UnitLines = 4;
        const std::string name(entry.name);
        SendMessageDialog dialog = typed("\"A\\<" + name + ">B", 0);
        ASSERT_EQ(dialog.ok(), std::optional<std::string>(On)) << name;
        const std::string stored = "\"A\\" + std::string(entry.escape) + "B";
        EXPECT_EQ(message.OutputDevice, stored) << name;

        CurrentMessage read = writeAndRead(message);
        std::string written = "\\\"A\\\\" + std::string(entry.escape) + "B";
        if (entry.code == 28)
            written = "\\\"A\\\\#\\\\B";
        EXPECT_NE(
            message.MessageScript.find("    PRINT\"" + written + "\";\r\n"), std::string::npos)
            << message.MessageScript;
        EXPECT_EQ(read.OutputDevice, stored) << name;
        EXPECT_EQ(SendMessageDialog(read, preferences, ui).box().text, "\"A\\<" + name + ">B");
    }
    EXPECT_TRUE(ui.messages.empty());
}

} // namespace

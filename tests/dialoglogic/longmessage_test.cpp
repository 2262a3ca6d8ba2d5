#include "model/linereshape.h"
#include "model/richtext.h"
#include "support/fakeuserinterface.h"
#include "ui/dialogs/longmessage.h"

#include <gtest/gtest.h>
#include <memory>

using namespace marquis;
using namespace marquis::testing;

namespace {

namespace texts = longmessagedialog;

const std::string Lead = "\\sb90\\sa90 \\f0 \\cf0 ";
const std::string Par = "\\par\r\n";

std::string line(const std::string& text)
{
    return Lead + text;
}

// The visible text without the blanks a cut may leave at its end.
std::string visible(std::string_view rich)
{
    std::string text = GetText(rich);
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text;
}

// 45 characters with blanks, as a line that scrolls continuously may hold.
const std::string FortyFive = "THE QUICK BROWN FOX JUMPS OVER THE LAZY DOG 1";

class LongMessageTest : public ::testing::Test {
protected:
    LongMessageTest() { message.UnitLines = 4; }

    // The chooser on line `lineNumber`, activated as when it is first shown, choosing `option`.
    LongMessageChooser& open(int lineNumber, int option = 0)
    {
        message.CurrentLine = static_cast<std::int16_t>(lineNumber);
        before = message;
        chooser = std::make_unique<LongMessageChooser>(message, user, dialogs);
        chooser->activate();
        chooser->choose(option);
        return *chooser;
    }

    // Scroll dialogs that record what they were handed and answer `answer`.
    void scriptDialogs(bool answer)
    {
        dialogs.horizontal = [this, answer] {
            handedOver = message;
            ++horizontalOpened;
            return answer;
        };
        dialogs.vertical = [this, answer] {
            handedOver = message;
            ++verticalOpened;
            return answer;
        };
    }

    std::string text(int k) const { return visible(message.line(k).LineText); }

    CurrentMessage message;
    CurrentMessage before;
    CurrentMessage handedOver;
    FakeUserInterface user;
    ScrollDialogs dialogs;
    std::unique_ptr<LongMessageChooser> chooser;
    int horizontalOpened = 0;
    int verticalOpened = 0;
};

TEST(LongMessageCaseTest, TheLinesFormDecidesWhatIsOffered)
{
    CurrentMessage message;
    FakeUserInterface user;
    message.line(1).LineText = line("12345678901234567890");
    LongMessageChooser typed(message, user);
    typed.activate();
    EXPECT_EQ(typed.kind(), LongMessageCase::TwentyFirstCharacter);
    EXPECT_EQ(typed.prompt(), texts::TypedPrompt);
    ASSERT_EQ(typed.optionCount(), 4);
    EXPECT_EQ(typed.optionText(0), "Do not create long message");
    EXPECT_EQ(typed.optionText(1), texts::Continuous);
    EXPECT_EQ(typed.optionText(3),
        "Vertical scroll (block by block). Your message will scroll in blocks of 20 characters "
        "across the display from bottom line up.");

    message.line(1).LineScroll = "25,3";
    LongMessageChooser continuous(message, user);
    continuous.activate();
    EXPECT_EQ(continuous.kind(), LongMessageCase::ContinuousOff);
    EXPECT_EQ(continuous.prompt(), texts::ContinuousOffPrompt);
    ASSERT_EQ(continuous.optionCount(), 3);
    EXPECT_EQ(continuous.optionText(1), texts::HorizontalBlocks);
    EXPECT_EQ(continuous.optionText(2), texts::VerticalMerged);
    EXPECT_EQ(continuous.optionText(3), "");

    message.line(1).LineScroll.clear();
    message.line(1).LineBlock = "0,2";
    message.BlockScrollOn = true;
    LongMessageChooser blocks(message, user);
    blocks.activate();
    EXPECT_EQ(blocks.kind(), LongMessageCase::HorizontalBlocksOff);
    EXPECT_EQ(blocks.optionText(1),
        "Horizontal scroll (continuous). Your message will scroll character by character across "
        "one line of the display (up to 155 chars).");

    message.BlockScrollOn = false;
    message.VerticalScrollOn = true;
    LongMessageChooser vertical(message, user);
    vertical.activate();
    EXPECT_EQ(vertical.kind(), LongMessageCase::VerticalOff);
    EXPECT_EQ(vertical.prompt(), texts::VerticalOffPrompt);
    EXPECT_EQ(vertical.optionText(2), texts::HorizontalBlocks);
}

TEST(LongMessageCaseTest, RepeatCountIsTheTextAfterTheFirstComma)
{
    EXPECT_EQ(repeatCount("25,3"), "3");
    EXPECT_EQ(repeatCount("0,12"), "12");
    EXPECT_EQ(repeatCount("25,"), "0");
    EXPECT_EQ(repeatCount(""), "0");
    EXPECT_EQ(repeatCount("10"), "0");
}

TEST_F(LongMessageTest, OptionZeroIsChosenOnceOnActivation)
{
    message.line(1).LineText = line("12345678901234567890");
    scriptDialogs(true);
    LongMessageChooser& c = open(1, 2);
    EXPECT_EQ(c.chosen(), 2);
    // Shown again after a nested dialog: the user's choice stays.
    c.activate();
    EXPECT_EQ(c.chosen(), 2);
    c.choose(7);
    EXPECT_EQ(c.chosen(), 2);

    LongMessageChooser fresh(message, user, dialogs);
    fresh.choose(3);
    fresh.activate();
    EXPECT_EQ(fresh.chosen(), 0);
}

TEST_F(LongMessageTest, TwentyFirstCharacterWithoutLongMessageChangesNothing)
{
    message.line(2).LineText = line("12345678901234567890");
    scriptDialogs(true);
    LongMessageChooser& c = open(2, 0);
    EXPECT_TRUE(c.ok());
    EXPECT_FALSE(c.changed());
    EXPECT_EQ(message, before);
    EXPECT_EQ(horizontalOpened + verticalOpened, 0);
}

TEST_F(LongMessageTest, TwentyFirstCharacterHandsTheNewFormToTheScrollDialog)
{
    message.line(2).LineText = line("12345678901234567890");
    message.BlockScrollOn = true; // a stale flag: continuous clears both
    scriptDialogs(true);
    LongMessageChooser& continuous = open(2, 1);
    EXPECT_TRUE(continuous.ok());
    EXPECT_EQ(horizontalOpened, 1);
    EXPECT_EQ(handedOver.line(2).LineScroll, "25,0");
    EXPECT_EQ(handedOver.line(2).LineBlock, "");
    EXPECT_FALSE(handedOver.BlockScrollOn);
    EXPECT_EQ(handedOver.line(2).LineText, before.line(2).LineText);
    EXPECT_TRUE(continuous.changed());
    EXPECT_EQ(message.line(2).LineScroll, "25,0");
    EXPECT_EQ(message.BlockWait, "");

    // Block by block: a dialog that leaves the wait empty still gets the NORMAL wait.
    message = CurrentMessage {};
    message.line(1).LineText = line("12345678901234567890");
    LongMessageChooser& blocks = open(1, 2);
    EXPECT_TRUE(blocks.ok());
    EXPECT_EQ(handedOver.line(1).LineBlock, "0,0");
    EXPECT_TRUE(handedOver.BlockScrollOn);
    EXPECT_FALSE(handedOver.VerticalScrollOn);
    EXPECT_EQ(message.BlockWait, "10");

    // Vertical from line 3: line 1 becomes current and carries the blocks.
    message = CurrentMessage {};
    message.line(3).LineText = line("12345678901234567890");
    LongMessageChooser& vertical = open(3, 3);
    EXPECT_TRUE(vertical.ok());
    EXPECT_EQ(verticalOpened, 1);
    EXPECT_EQ(handedOver.CurrentLine, 1);
    EXPECT_EQ(handedOver.line(1).LineBlock, "0,0");
    EXPECT_TRUE(handedOver.VerticalScrollOn);
    EXPECT_FALSE(handedOver.BlockScrollOn);
    EXPECT_EQ(message.BlockWait, "10");
}

TEST_F(LongMessageTest, CancellingTheScrollDialogPutsTheMessageBack)
{
    message.line(1).LineText = line("STEADY");
    message.line(2).LineText = line("12345678901234567890");
    message.line(2).LineBlink = "25,ON";
    scriptDialogs(false);
    for (int option = 1; option <= 3; ++option) {
        LongMessageChooser& c = open(2, option);
        EXPECT_TRUE(c.ok()) << option;
        EXPECT_FALSE(c.changed()) << option;
        EXPECT_EQ(message, before) << option;
    }
    EXPECT_EQ(horizontalOpened, 2);
    EXPECT_EQ(verticalOpened, 1);
    // The dialog saw the half-made form; the message no longer holds it.
    EXPECT_TRUE(handedOver.VerticalScrollOn);
    EXPECT_EQ(message.CurrentLine, 2);
}

TEST_F(LongMessageTest, FormsWithoutTheirScrollDialogAreNotAvailable)
{
    message.line(1).LineText = line("12345678901234567890");
    dialogs.horizontal = [] { return true; };
    LongMessageChooser& c = open(1, 3);
    EXPECT_TRUE(c.available(0));
    EXPECT_TRUE(c.available(1));
    EXPECT_TRUE(c.available(2));
    EXPECT_FALSE(c.available(3));
    EXPECT_FALSE(c.ok());
    EXPECT_EQ(user.messageTexts(), std::vector<std::string> { std::string(texts::NotAvailable) });
    EXPECT_EQ(message, before);
}

TEST_F(LongMessageTest, ContinuousOffKeepsTheLeadingTwentyCharacters)
{
    message.line(1).LineText = line(FortyFive);
    message.line(1).LineScroll = "25,0";
    LongMessageChooser& c = open(1, 0);
    EXPECT_TRUE(c.ok());
    EXPECT_EQ(text(1), "THE QUICK BROWN FOX");
    EXPECT_EQ(message.line(1).LineScroll, "");

    // A short continuous line keeps its text whole.
    message.line(1).LineText = line("HELLO WORLD");
    message.line(1).LineScroll = "25,2";
    open(1, 0).ok();
    EXPECT_EQ(text(1), "HELLO WORLD");

    // Twenty-five characters without a blank: cut hard at 20.
    message.line(1).LineText = line("ABCDEFGHIJKLMNOPQRSTUVWXY");
    message.line(1).LineScroll = "25,2";
    open(1, 0).ok();
    EXPECT_EQ(text(1), "ABCDEFGHIJKLMNOPQRST");
    EXPECT_TRUE(user.messages.empty());
}

TEST_F(LongMessageTest, ContinuousOffToBlocksSplitsTheLineAndKeepsTheCount)
{
    message.line(1).LineText = line(FortyFive);
    message.line(1).LineScroll = "25,3";
    LongMessageChooser& c = open(1, 1);
    EXPECT_TRUE(c.ok());
    const EditLine& l = message.line(1);
    EXPECT_EQ(l.LineBlock, "0,3");
    EXPECT_EQ(l.LineScroll, "");
    EXPECT_EQ(message.BlockWait, "10");
    EXPECT_TRUE(message.BlockScrollOn);
    EXPECT_FALSE(message.VerticalScrollOn);
    const std::vector<std::string> blocks = splitBlocks(l.LineText);
    ASSERT_EQ(blocks.size(), 3U);
    EXPECT_EQ(visible(blocks[0]), "THE QUICK BROWN FOX");
    EXPECT_EQ(visible(blocks[2]), "DOG 1");
}

TEST_F(LongMessageTest, ContinuousOffToVerticalMergesEveryLineIntoLineOne)
{
    message.line(1).LineText = line("TOP");
    message.line(2).LineText = line(FortyFive);
    message.line(2).LineScroll = "25,3";
    LongMessageChooser& c = open(2, 2);
    EXPECT_TRUE(c.ok());
    EXPECT_EQ(message.CurrentLine, 1);
    EXPECT_EQ(message.line(1).LineBlock, "0,3");
    EXPECT_TRUE(message.VerticalScrollOn);
    EXPECT_FALSE(message.BlockScrollOn);
    EXPECT_EQ(message.BlockWait, "10");
    for (int k = 2; k <= 4; ++k) {
        EXPECT_EQ(text(k), "") << k;
        EXPECT_EQ(message.line(k).LineScroll, "") << k;
        EXPECT_EQ(message.line(k).LineBlock, "") << k;
    }
    const std::vector<std::string> blocks = splitBlocks(message.line(1).LineText);
    ASSERT_EQ(blocks.size(), 4U);
    EXPECT_EQ(visible(blocks[0]), "TOP");
    EXPECT_EQ(visible(blocks[3]), "DOG 1");
}

TEST_F(LongMessageTest, HorizontalBlocksOff)
{
    const std::string blocks = line("HELLO") + Par + line("WORLD");
    message.line(1).LineText = blocks;
    message.line(1).LineBlock = "0,2";
    message.BlockScrollOn = true;
    message.BlockWait = "30";

    LongMessageChooser& first = open(1, 0);
    EXPECT_TRUE(first.ok());
    EXPECT_EQ(message.line(1).LineText, line("HELLO"));
    EXPECT_EQ(message.line(1).LineBlock, "");
    EXPECT_EQ(message.BlockWait, "");
    EXPECT_FALSE(message.BlockScrollOn);

    // "HELLO" and "WORLD" made continuous keep both words.
    message = before;
    LongMessageChooser& continuous = open(1, 1);
    EXPECT_TRUE(continuous.ok());
    EXPECT_EQ(text(1), "HELLO WORLD");
    EXPECT_EQ(message.line(1).LineScroll, "25,2");
    EXPECT_EQ(message.line(1).LineBlock, "");
    EXPECT_EQ(message.BlockWait, "");
    EXPECT_FALSE(message.BlockScrollOn || message.VerticalScrollOn);

    // Vertical: line 1 takes the block line's count; the wait stays.
    message = before;
    message.line(3).LineText = blocks;
    message.line(3).LineBlock = "0,4";
    message.line(1).LineText = line("FIRST");
    message.line(1).LineBlock.clear();
    LongMessageChooser& vertical = open(3, 2);
    EXPECT_TRUE(vertical.ok());
    EXPECT_EQ(message.CurrentLine, 1);
    EXPECT_EQ(message.line(1).LineBlock, "0,4");
    EXPECT_EQ(message.line(3).LineBlock, "");
    EXPECT_EQ(message.BlockWait, "30");
    EXPECT_TRUE(message.VerticalScrollOn);
    EXPECT_FALSE(message.BlockScrollOn);
    EXPECT_EQ(splitBlocks(message.line(1).LineText).size(), 3U);
}

TEST_F(LongMessageTest, JoiningBeyond155CharactersAsksFirst)
{
    std::string blocks;
    for (int b = 0; b < 9; ++b)
        blocks += (b ? Par : std::string()) + line("BLOCK " + std::to_string(b) + " ABCDEFGHIJKL");
    message.line(1).LineText = blocks;
    message.line(1).LineBlock = "0,1";
    message.BlockScrollOn = true;
    const std::size_t joined = plainLength(joinBlocks(blocks));
    ASSERT_GT(joined, ContinuousLimit);

    user.answers = { Answer::Cancel };
    LongMessageChooser& c = open(1, 1);
    EXPECT_FALSE(c.ok());
    EXPECT_EQ(message, before);
    ASSERT_EQ(user.messages.size(), 1U);
    EXPECT_EQ(user.messages[0].buttons, Buttons::OkCancel);
    EXPECT_EQ(user.messages[0].text.rfind("A continuous line holds at most 155 characters.", 0), 0U)
        << user.messages[0].text;

    user.answers = { Answer::Ok };
    EXPECT_TRUE(c.ok());
    EXPECT_LE(plainLength(message.line(1).LineText), ContinuousLimit);
    EXPECT_EQ(message.line(1).LineScroll, "25,1");
}

class VerticalOffTest : public LongMessageTest {
protected:
    // A vertical message of `count` blocks on a unit of `lines` lines.
    void verticalMessage(int count, int lines)
    {
        message.UnitLines = static_cast<std::int16_t>(lines);
        std::string blocks;
        for (int b = 1; b <= count; ++b)
            blocks += (b > 1 ? Par : std::string()) + line("BLOCK " + std::to_string(b));
        message.line(1).LineText = blocks;
        message.line(1).LineBlock = "0,5";
        message.VerticalScrollOn = true;
        message.BlockWait = "10";
    }
};

TEST_F(VerticalOffTest, SpreadingKeepsTheLastBlock)
{
    verticalMessage(2, 2);
    LongMessageChooser& c = open(1, 0);
    EXPECT_TRUE(c.ok());
    EXPECT_EQ(text(1), "BLOCK 1");
    EXPECT_EQ(text(2), "BLOCK 2");
    EXPECT_EQ(message.line(1).LineBlock, "");
    EXPECT_EQ(message.BlockWait, "");
    EXPECT_FALSE(message.VerticalScrollOn);
    EXPECT_EQ(message.CurrentLine, 1);
    EXPECT_TRUE(user.messages.empty());
}

TEST_F(VerticalOffTest, BlocksBeyondTheDisplayAreCountedBeforeTheyAreDropped)
{
    verticalMessage(3, 2);
    user.answers = { Answer::Cancel };
    LongMessageChooser& c = open(1, 0);
    EXPECT_FALSE(c.ok());
    EXPECT_EQ(message, before);
    EXPECT_EQ(user.messageTexts(),
        std::vector<std::string> {
            "The display has 2 lines. The last 1 block of the message will be dropped." });

    user.answers = { Answer::Ok };
    EXPECT_TRUE(c.ok());
    EXPECT_EQ(text(1), "BLOCK 1");
    EXPECT_EQ(text(2), "BLOCK 2");
    EXPECT_FALSE(message.VerticalScrollOn);
}

TEST_F(VerticalOffTest, ToContinuousOrHorizontalBlocks)
{
    verticalMessage(2, 4);
    LongMessageChooser& continuous = open(1, 1);
    EXPECT_TRUE(continuous.ok());
    EXPECT_EQ(text(1), "BLOCK 1 BLOCK 2");
    EXPECT_EQ(message.line(1).LineScroll, "25,5");
    EXPECT_EQ(message.line(1).LineBlock, "");
    EXPECT_EQ(message.BlockWait, "");
    EXPECT_FALSE(message.VerticalScrollOn || message.BlockScrollOn);

    // The blocks stay and play on line 1; a message without a wait gets the NORMAL one.
    message = before;
    message.BlockWait.clear();
    LongMessageChooser& blocks = open(1, 2);
    EXPECT_TRUE(blocks.ok());
    EXPECT_EQ(message.line(1).LineText, before.line(1).LineText);
    EXPECT_EQ(message.line(1).LineBlock, "0,5");
    EXPECT_TRUE(message.BlockScrollOn);
    EXPECT_FALSE(message.VerticalScrollOn);
    EXPECT_EQ(message.BlockWait, "10");
}

} // namespace

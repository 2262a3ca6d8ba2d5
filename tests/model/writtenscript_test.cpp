// The SUB blocks the writer makes go through the real compiler: whatever a message holds, the
// script stays one the unit takes.

#include "model/richtext.h"
#include "scriptcode/scripttest.h"
#include "support/messagegenerator.h"
#include "support/modelfixture.h"

#include <random>

using namespace marquis;
using namespace marquis::testing;

namespace {

class WrittenScriptTest : public ModelTest {
protected:
    // The compiler's errors for the message's block in a script of the message's unit model.
    std::string compileErrors(CurrentMessage& message)
    {
        writer.SubMake(message);
        unit::Diagnostics diagnostics;
        compile(
            withHeader(message.MessageScript, message.UnitLines == 2 ? 5320 : 5360), diagnostics);
        return diagnostics.empty() ? std::string {} : listed(diagnostics) + message.MessageScript;
    }
};

TEST_F(WrittenScriptTest, GeneratedMessagesCompile)
{
    constexpr unsigned seed = 8300;
    std::cout << "seed " << seed << "\n";
    MessageGenerator generator(seed);
    for (int k = 0; k < 600; ++k) {
        CurrentMessage message = generator.message();
        ASSERT_EQ(compileErrors(message), "") << "message " << k;
    }
}

// Attribute texts that a file, a hand edit or a caller may bring, well formed or not.
TEST_F(WrittenScriptTest, MessagesWithMalformedAttributeTextsStillCompile)
{
    constexpr unsigned seed = 8301;
    std::cout << "seed " << seed << "\n";
    MessageGenerator generator(seed);
    std::mt19937 random(seed);
    const std::string texts[] = { "", "25,ON", "40,1", "25,0", "0,3", "10", "25", "0,ON", "25,OFF",
        "256,1", "1,3", "0,256", "70000", "-1", "x", "25,ON) CALL RELAY(ON", "0,1)\r\n    CLS",
        "10) CALL WAIT(1", "SLAVIC", "ENGLISH)", "1)", "7,,9", "\"", "(", "\\" };
    auto any = [&] { return texts[random() % std::size(texts)]; };
    for (int k = 0; k < 600; ++k) {
        CurrentMessage message = generator.message();
        for (int i = 1; i <= message.UnitLines; ++i) {
            EditLine& line = message.line(i);
            line.LineBlink = any();
            line.LineScroll = any();
            line.LineFont = any();
            line.LineBlock = any();
        }
        message.BlockWait = any();
        message.StartOtherTask = any();
        message.StartSameTask = any();
        ASSERT_EQ(compileErrors(message), "") << "message " << k;
    }
}

// Each block-played line drops marker 0 before its blocks and goes back to it after them, so
// a message with two such lines drops the marker twice.
TEST_F(WrittenScriptTest, TwoBlockPlayedLinesCompile)
{
    CurrentMessage message;
    message.MessageNumber = 7;
    message.UnitLines = 4;
    message.line(1).LineText = "\\f0 \\cf0 a\\par\r\n\\f0 \\cf0 b";
    message.line(1).LineBlock = "0,1";
    message.line(2).LineText = "\\f0 \\cf0 c\\par\r\n\\f0 \\cf0 d";
    message.line(2).LineBlock = "0,2";
    message.BlockScrollOn = true;
    message.BlockWait = "6";
    EXPECT_EQ(compileErrors(message), "");
}

} // namespace

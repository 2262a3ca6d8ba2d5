#include "model/richtext.h"
#include "support/messagegenerator.h"
#include "support/modelfixture.h"

#include <random>

using namespace marquis;
using namespace marquis::testing;

namespace {

class FuzzTest : public ModelTest { };

// Random rich text of every kind goes through the writer and back through the reader; the
// only demand is that nothing fails, loops or corrupts memory (the sanitizers watch), and that
// every statement written stays on its own line.
TEST_F(FuzzTest, WriterAndReaderSurviveAnyRichText)
{
    constexpr unsigned seed = 1024;
    std::cout << "seed " << seed << "\n";
    MessageGenerator generator(seed);
    std::mt19937 random(seed);
    for (int k = 0; k < 1500; ++k) {
        CurrentMessage message;
        message.UnitLines = k % 2 ? 2 : 4;
        for (int i = 1; i <= 4; ++i) {
            message.line(i).LineText = generator.anyRichText();
            message.line(i).LineBlock = random() % 3 == 0 ? "0,1" : "";
            message.line(i).LineScroll = random() % 5 == 0 ? "25,0" : "";
        }
        message.BlockScrollOn = random() % 2;
        message.VerticalScrollOn = !message.BlockScrollOn && random() % 2;
        message.BlockWait = random() % 2 ? "10" : "";
        message.OutputDevice = generator.anyRichText();
        const CurrentMessage read = writeAndRead(message);
        EXPECT_FALSE(read.ScriptEditOnly) << message.MessageScript;
        for (std::size_t at = message.MessageScript.find('\n'); at != std::string::npos;
             at = message.MessageScript.find('\n', at + 1))
            ASSERT_EQ(message.MessageScript[at - 1], '\r') << message.MessageScript;

        // The rich-text helpers take the same input.
        std::string rest = message.line(1).LineText;
        (void)ToggleBlink(rest);
        (void)FontAtPosition(rest, static_cast<int>(random() % 40));
        for (int guard = 0; guard < 200 && !TruncateText(rest, 20).empty(); ++guard) { }
    }
}

TEST_F(FuzzTest, ReaderSurvivesMutatedScripts)
{
    constexpr unsigned seed = 4300;
    std::cout << "seed " << seed << "\n";
    MessageGenerator generator(seed);
    std::mt19937 random(seed);
    FixedCheckValue passAll(0); // a value of 0 never fails, so every mutation is read
    ScriptReader lenient(passAll, ui);
    const std::string pieces[] = { "\r\n", "\"", "\\", "(", ")", ",", "LINE",
        "LINE99:", "CALL BLINK(", "PRINT USING(", "PRINT VAR(", "LET A=VAR(", "CALL WAIT(", "SUB ",
        "END SUB", "// Center", "\xff", std::string(1, '\0'), "-99999999999", "4095" };
    for (int k = 0; k < 1500; ++k) {
        CurrentMessage message = generator.message();
        writer.SubMake(message);
        std::string text = message.MessageScript;
        const int mutations = static_cast<int>(random() % 12);
        for (int m = 0; m < mutations && !text.empty(); ++m) {
            const std::size_t at = random() % text.size();
            switch (random() % 3) {
            case 0:
                text.erase(at, random() % 8);
                break;
            case 1:
                text.insert(at, pieces[random() % std::size(pieces)]);
                break;
            default:
                text[at] = static_cast<char>(random() % 256);
            }
        }
        CurrentMessage read;
        read.UnitLines = message.UnitLines;
        read.MessageNumber = message.MessageNumber;
        read.MessageScript = text;
        lenient.ReadFields(read);
        EXPECT_TRUE(read.task() >= 0 && read.task() <= 3);
        for (int i = 1; i <= 4; ++i)
            EXPECT_TRUE(read.line(i).LineLabel >= 0 && read.line(i).LineLabel <= 4);
    }
}

} // namespace

#include "model/checkvalues.h"
#include "support/modelfixture.h"

using namespace marquis;
using namespace marquis::testing;

namespace {

class CheckValuesTest : public ModelTest {
protected:
    CurrentMessage written()
    {
        CurrentMessage message;
        message.MessageNumber = 7;
        message.setTask(3);
        message.line(1).LineText = "\\f0 \\cf0 checked";
        writer.SubMake(message);
        return message;
    }
};

TEST_F(CheckValuesTest, EmptyMessageTextForBothModels)
{
    EXPECT_EQ(
        EmptyMessageText(5, 2, 2), "SUB 5(TASK=2)\r\n\r\nLINE1:\r\n\r\nLINE2:\r\n\r\nEND SUB\r\n");
    EXPECT_EQ(BodyOfSub(EmptyMessageText(0, 0, 4)),
        "\r\nLINE1:\r\n\r\nLINE2:\r\n\r\nLINE3:\r\n\r\nLINE4:\r\n\r\n");
}

TEST_F(CheckValuesTest, WrittenMessagePassesAndOneChangedCharacterFails)
{
    CurrentMessage message = written();
    CheckCurrentMessage(message, crc, ui);
    EXPECT_FALSE(message.ScriptEditOnly);
    EXPECT_EQ(message.task(), 3);

    message.MessageScript.replace(message.MessageScript.find("checked"), 1, "C");
    CheckCurrentMessage(message, crc, ui);
    EXPECT_TRUE(message.ScriptEditOnly);
}

TEST_F(CheckValuesTest, EmptyLabelsPassWhateverTheComment)
{
    CurrentMessage message;
    message.MessageNumber = 9;
    message.MessageScript = EmptyMessageText(9, 1, 4);
    message.MessageScript.insert(message.MessageScript.find("\r\n"), "    // CRC value = 12345");
    CheckCurrentMessage(message, crc, ui);
    EXPECT_FALSE(message.ScriptEditOnly);
    EXPECT_EQ(message.task(), 1);
}

TEST_F(CheckValuesTest, NegativeAndPositiveValuesReadBackEqual)
{
    for (const std::int32_t value : { -2147483647 - 1, -873187034, 0, 1, 2147483647 }) {
        CurrentMessage message;
        const std::string header = SubHeader(1, 0, value);
        EXPECT_EQ(header.find(value < 0 ? "=-" : "= "), header.find("CRC value =") + 10) << header;
        FixedCheckValue fixed(value);
        message.MessageScript = header + "\r\nLINE1:\r\n    PRINT\"x\";\r\nEND SUB\r\n";
        CheckCurrentMessage(message, fixed, ui);
        EXPECT_FALSE(message.ScriptEditOnly) << value;
    }
}

TEST_F(CheckValuesTest, TaskDigitOutsideTheRangeMeansTaskZero)
{
    CurrentMessage message;
    message.MessageNumber = 4;
    message.setTask(2);
    message.MessageScript = "SUB 4(TASK=7)\r\nEND SUB\r\n";
    CheckCurrentMessage(message, crc, ui);
    EXPECT_EQ(message.task(), 0);
}

TEST_F(CheckValuesTest, MissingComponentLetsEveryMessagePass)
{
    CrcComponent missing(std::filesystem::temp_directory_path() / "no-such-program-folder");
    ScriptWriter writerWithout(missing, ui);
    CurrentMessage message;
    message.line(1).LineText = "\\f0 \\cf0 still written";
    writerWithout.SubMake(message);
    EXPECT_TRUE(message.MessageScript.starts_with("SUB 0(TASK=0)    // CRC value = 0\r\n"));

    message.MessageScript.replace(message.MessageScript.find("still"), 5, "STILL");
    CheckCurrentMessage(message, missing, ui);
    EXPECT_FALSE(message.ScriptEditOnly);
}

TEST_F(CheckValuesTest, MissingCommentOrForeignTextIsLeftForScriptEdit)
{
    CurrentMessage message = written();
    message.MessageScript.erase(message.MessageScript.find("    // CRC"),
        message.MessageScript.find("\r\n") - message.MessageScript.find("    // CRC"));
    CheckCurrentMessage(message, crc, ui);
    EXPECT_TRUE(message.ScriptEditOnly);

    message.MessageScript = "garbage without a header\r\n";
    CheckCurrentMessage(message, crc, ui);
    EXPECT_TRUE(message.ScriptEditOnly);

    message.MessageScript = "";
    CheckCurrentMessage(message, crc, ui);
    EXPECT_FALSE(message.ScriptEditOnly);
}

} // namespace

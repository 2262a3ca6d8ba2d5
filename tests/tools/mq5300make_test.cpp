#include "model/checkvalues.h"
#include "model/windows1252.h"
#include "support/modelfixture.h"
#include "tools/tooltest.h"

using namespace marquis;
using namespace marquis::testing;
using Json = nlohmann::json;

namespace {

TEST(Mq5300Make, FirstWorkedExampleByteForByte)
{
    const ProcessResult result = mq5300({ "make" }, R"({
        "MessageNumber": 5, "MessageTask": 1, "UnitLines": 4,
        "Lines": [
            { "LineText": "\\sb90\\sa90 \\f0 \\cf0 Hello \\f65 \\cf0 WORLD", "LineBlink": "25,ON" },
            { "LineText": "\\sb90\\sa90 \\qc \\f0 \\cf0 Line two" }
        ] })");
    ASSERT_EQ(result.exitCode, 0) << result.errors;
    EXPECT_EQ(result.errors, "");
    EXPECT_EQ(result.output, subText(5, 1, testData("model/worked-example-1/statements.txt")));
}

TEST(Mq5300Make, SecondWorkedExampleByteForByte)
{
    const ProcessResult result = mq5300({ "make" }, R"({
        "VerticalScrollOn": true, "BlockWait": "10",
        "Lines": [ { "LineText": "\\sb90\\sa90 \\f0 \\cf0 FIRST\\par\r\n\\f0 \\cf0 SECOND",
                     "LineBlock": "0,3" } ] })");
    ASSERT_EQ(result.exitCode, 0) << result.errors;
    EXPECT_EQ(result.output, subText(0, 0, testData("model/worked-example-2/statements.txt")));
}

TEST(Mq5300Make, WindowsCharactersOutsideAndInside)
{
    // UTF-8 on the outside, one Windows-1252 byte per character in the check value.
    const ProcessResult result = mq5300({ "make" },
        "{ \"OutputDevice\": \"Caf\xC3\xA9 \xE2\x82\xAC"
        "5\", \"Lines\": "
        "[ { \"LineText\": \"\\\\f0 \\\\cf0 x\" } ] }");
    ASSERT_EQ(result.exitCode, 0) << result.errors;
    const std::optional<std::string> windows = utf8ToWindows1252(result.output);
    ASSERT_TRUE(windows);
    EXPECT_NE(windows->find("    PRINT\"Caf\xE9 \x80"
                            "5\";\r\n"),
        std::string::npos);
    EXPECT_TRUE(windows->starts_with(SubHeader(0, 0, expectedCheckValue(BodyOfSub(*windows)))));
}

TEST(Mq5300Make, MessageWithoutContentWritesNothing)
{
    const ProcessResult result = mq5300({ "make" }, R"({ "MessageNumber": 9, "LockOn": "ON",
        "LockOff": "OFF", "Lines": [ { "LineFont": "KATAKANA" } ] })");
    EXPECT_EQ(result.exitCode, 0) << result.errors;
    EXPECT_EQ(result.output, "");
}

struct BadInput {
    const char* name;
    std::string json;
    const char* says; // a word the error line must hold
};

TEST(Mq5300Make, BadInputIsRefusedWithOneLine)
{
    const std::string nonUtf8 = "{ \"OutputDevice\": \"a\xFF\" }";
    const BadInput cases[] = {
        { "malformed", R"({ "MessageNumber": 5, )", "malformed JSON" },
        { "empty", "", "malformed JSON" },
        { "trailing text", R"({ } x)", "malformed JSON" },
        { "not an object", "[ 1, 2 ]", "object" },
        { "number as text", R"({ "MessageNumber": "5" })", "MessageNumber" },
        { "fraction", R"({ "MessageNumber": 5.5 })", "MessageNumber" },
        { "text as flag", R"({ "BlockScrollOn": "yes" })", "BlockScrollOn" },
        { "null text", R"({ "ClearScreen": null })", "ClearScreen" },
        { "number 1024", R"({ "MessageNumber": 1024 })", "0..1023" },
        { "number -1", R"({ "MessageNumber": -1 })", "0..1023" },
        { "huge number", R"({ "MessageNumber": 18446744073709551615 })", "0..1023" },
        { "task 4", R"({ "MessageTask": 4 })", "MessageTask" },
        { "three lines", R"({ "UnitLines": 3 })", "UnitLines" },
        { "label 0", R"({ "Lines": [ { "LineLabel": 0 } ] })", "LineLabel" },
        { "five lines", R"({ "Lines": [ {}, {}, {}, {}, {} ] })", "at most 4" },
        { "line not object", R"({ "Lines": [ "text" ] })", "line 1" },
        { "CJK", "{ \"Lines\": [ { \"LineText\": \"\xE6\xBC\xA2\" } ] }", "Windows-1252" },
        { "invalid UTF-8", nonUtf8, "UTF-8" },
        { "unknown field", R"({ "MesageNumber": 5 })", "MesageNumber" },
        { "field twice", R"({ "Lines": [ { "LineText": "a", "LineText": "b" } ] })", "twice" },
        { "unknown line field", R"({ "Lines": [ { "LineTxt": "x" } ] })", "LineTxt" },
        { "edit only", R"({ "ScriptEditOnly": true })", "check value" },
        { "placeholder", R"({ "PlaceholderChar": "##" })", "PlaceholderChar" },
    };
    for (const BadInput& bad : cases) {
        const ProcessResult result = mq5300({ "make" }, bad.json);
        EXPECT_TRUE(failedCleanly(result)) << bad.name;
        EXPECT_NE(result.errors.find(bad.says), std::string::npos)
            << bad.name << ": " << result.errors;
    }
    EXPECT_TRUE(failedCleanly(mq5300({ "make", "extra" }, "{}")));
}

// Fields the writer would drop or change without a word are refused instead.
TEST(Mq5300Make, FieldsThatWouldBeLostAreRefused)
{
    const BadInput cases[] = {
        { "blocks without a mode",
            R"({ "Lines": [ { "LineText": "\\f0 \\cf0 a\\par\r\n\\f0 \\cf0 b",
                            "LineBlock": "0,1" } ] })",
            "BlockScrollOn" },
        { "both block modes", R"({ "BlockScrollOn": true, "VerticalScrollOn": true })", "exclude" },
        { "scrolled blocks",
            R"({ "BlockScrollOn": true, "Lines": [ { "LineText": "\\f0 \\cf0 a",
               "LineBlock": "0,1", "LineScroll": "25,0" } ] })",
            "LineScroll" },
        { "text beyond the unit",
            R"({ "UnitLines": 2, "Lines": [ {}, {}, { "LineText": "\\f0 \\cf0 three" } ] })",
            "line 3" },
        { "label beyond the unit",
            R"({ "UnitLines": 2, "Lines": [ { "LineText": "\\f0 \\cf0 a", "LineLabel": 3 } ] })",
            "LineLabel" },
        { "shared label",
            R"({ "Lines": [ { "LineText": "\\f0 \\cf0 a", "LineLabel": 2 },
                          { "LineText": "\\f0 \\cf0 b" } ] })",
            "both carry" },
        { "fifth start", R"({ "StartSameTask": "1,2,3,4,5" })", "at most 4" },
        { "start not a number", R"({ "StartOtherTask": "1,x" })", "\"x\"" },
        { "start out of range", R"({ "StartOtherTask": "1024" })", "1024" },
        { "relay in lower case", R"({ "RelayState": "on" })", "RelayState" },
        { "unlock alone", R"({ "LockOff": "OFF" })", "LockOn" },
        { "unknown font", R"({ "Lines": [ { "LineFont": "GREEK" } ] })", "LineFont" },
        { "accent on the display",
            "{ \"Lines\": [ { \"LineText\": \"\\\\f0 \\\\cf0 CAF\xC3\x89\" } ] }", "cannot show" },
    };
    for (const BadInput& bad : cases) {
        const ProcessResult result = mq5300({ "make" }, bad.json);
        EXPECT_TRUE(failedCleanly(result)) << bad.name;
        EXPECT_NE(result.errors.find(bad.says), std::string::npos)
            << bad.name << ": " << result.errors;
    }
}

// Blink, scroll, block and pause texts go into their statements as they stand: one that lacks
// its statement's form would end the statement and start another, so it is refused.
TEST(Mq5300Make, AttributeTextsWithoutTheirStatementsFormAreRefused)
{
    const auto line = [](const std::string& field, const std::string& value) {
        return R"({ "BlockScrollOn": true, "Lines": [ { "LineText": "\\f65 \\cf0 a", )"
               "\"" +
            field + "\": \"" + value + "\" } ] }";
    };
    const BadInput cases[] = {
        { "blink with a statement", line("LineBlink", "25,ON) CALL RELAY(ON"), "LineBlink" },
        { "blink without a flag", line("LineBlink", "25"), "LineBlink of line 1" },
        { "blink rate 0", line("LineBlink", "0,ON"), "rate 1..255" },
        { "blink flag off", line("LineBlink", "25,OFF"), "ON or 1" },
        { "scroll with a statement", line("LineScroll", "25,0) CLS ("), "LineScroll" },
        { "scroll 256 times", line("LineScroll", "25,256"), "count 0..255" },
        { "scroll speed only", line("LineScroll", "25"), "LineScroll" },
        { "block marker 1", line("LineBlock", "1,3"), "LineBlock" },
        { "block without a count", line("LineBlock", "0,"), "LineBlock" },
        { "pause with a statement", R"({ "BlockWait": "10) CALL RELAY(ON" })", "BlockWait" },
        { "pause beyond the unit's", R"({ "BlockWait": "65536" })", "0..65535" },
        { "pause in words", R"({ "BlockWait": "slow" })", "BlockWait" },
    };
    for (const BadInput& bad : cases) {
        const ProcessResult result = mq5300({ "make" }, bad.json);
        EXPECT_TRUE(failedCleanly(result)) << bad.name;
        EXPECT_NE(result.errors.find(bad.says), std::string::npos)
            << bad.name << ": " << result.errors;
    }
}

// The texts the window and the dialogs set pass and go into the script unchanged.
TEST(Mq5300Make, AttributeTextsOfTheDialogsAreWrittenAsGiven)
{
    const ProcessResult result = mq5300({ "make" }, R"({
        "BlockScrollOn": true, "BlockWait": "50",
        "Lines": [
            { "LineText": "\\f65 \\cf0 blinks", "LineBlink": "100,1" },
            { "LineText": "\\f0 \\cf0 scrolls", "LineScroll": "1,255" },
            { "LineText": "\\f0 \\cf0 a\\par\r\n\\f0 \\cf0 b", "LineBlock": "0,0" }
        ] })");
    ASSERT_EQ(result.exitCode, 0) << result.errors;
    for (const char* statement : { "    CALL BLINK(100,1)\r\n", "    CALL SCROLL(1,255) ",
             "    CALL WAIT(50) ", "    CALL GOTO_MARKER(0,0)\r\n" })
        EXPECT_NE(result.output.find(statement), std::string::npos) << statement << result.output;
}

} // namespace

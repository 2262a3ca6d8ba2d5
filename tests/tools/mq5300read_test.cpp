#include "tools/tooltest.h"

using namespace marquis::testing;
using Json = nlohmann::json;

namespace {

const char* const EmptyLineText = "\\sb90\\sa90 ";

// The fields as read prints them: every field present, the lines 1..UnitLines, and a line
// without text in the form the reader gives it.
Json normalised(Json fields)
{
    const Json defaults = {
        { "MessageNumber", 0 },
        { "MessageTask", 0 },
        { "UnitLines", 4 },
        { "ClearScreen", "" },
        { "RelayState", "" },
        { "StartOtherTask", "" },
        { "StartSameTask", "" },
        { "OutputDevice", "" },
        { "LockOn", "" },
        { "LockOff", "" },
        { "BlockWait", "" },
        { "PlaceholderChar", "#" },
        { "BlockScrollOn", false },
        { "VerticalScrollOn", false },
        { "ScriptEditOnly", false },
        { "Lines", Json::array() },
    };
    for (const auto& [key, value] : defaults.items())
        if (!fields.contains(key))
            fields[key] = value;
    Json& lines = fields["Lines"];
    while (lines.size() < fields["UnitLines"].get<std::size_t>())
        lines.push_back(Json::object());
    for (std::size_t k = 0; k < lines.size(); ++k) {
        for (const char* key : { "LineText", "LineFont", "LineScroll", "LineBlink", "LineBlock" })
            if (!lines[k].contains(key))
                lines[k][key] = "";
        if (lines[k]["LineText"] == "")
            lines[k]["LineText"] = EmptyLineText;
        if (!lines[k].contains("LineLabel"))
            lines[k]["LineLabel"] = k + 1;
    }
    return fields;
}

std::vector<std::string> readArguments(const Json& fields)
{
    std::vector<std::string> arguments { "read", "--number",
        std::to_string(fields.value("MessageNumber", 0)) };
    if (fields.contains("UnitLines"))
        arguments.insert(
            arguments.end(), { "--lines", std::to_string(fields["UnitLines"].get<int>()) });
    if (fields.contains("PlaceholderChar"))
        arguments.insert(
            arguments.end(), { "--placeholder", fields["PlaceholderChar"].get<std::string>() });
    return arguments;
}

// make, then read, gives the fields back; make of what read printed gives the same text.
void expectRoundTrip(const std::string& fieldsText, const std::string& name)
{
    SCOPED_TRACE(name);
    const Json fields = Json::parse(fieldsText);
    const ProcessResult made = mq5300({ "make" }, fieldsText);
    ASSERT_EQ(made.exitCode, 0) << made.errors;
    ASSERT_FALSE(made.output.empty());
    const ProcessResult read = mq5300(readArguments(fields), made.output);
    ASSERT_EQ(read.exitCode, 0) << read.errors;
    EXPECT_EQ(Json::parse(read.output), normalised(fields));
    const ProcessResult again = mq5300({ "make" }, read.output);
    EXPECT_EQ(again.exitCode, 0) << again.errors;
    EXPECT_EQ(again.output, made.output);
}

TEST(Mq5300Read, DemoMessagesComeBack)
{
    const auto files = demoMessageFiles();
    ASSERT_GE(files.size(), 12u);
    for (const auto& file : files)
        expectRoundTrip(readBytes(file), file.filename().string());
}

TEST(Mq5300Read, HandPickedMessagesComeBack)
{
    expectRoundTrip(R"({ "MessageNumber": 1023, "MessageTask": 3, "UnitLines": 2,
        "PlaceholderChar": "?",
        "Lines": [ { "LineText": "\\sb90\\sa90 \\f0 \\cf0 T \\f2 \\cf4 ??.?\\f50 \\cf4 ???",
                     "LineBlink": "25,ON" },
                   { "LineText": "\\sb90\\sa90 \\f0 \\cf0 scrolls on", "LineScroll": "40,2",
                     "LineFont": "CYRILLIC" } ] })",
        "two lines, other placeholder");
    expectRoundTrip("{ \"MessageNumber\": 7, \"OutputDevice\": \"say \\\"hi\\\" C:\\\\ "
                    "Caf\xC3\xA9 \xE2\x82\xAC"
                    "5\", \"StartOtherTask\": \"1,2\", "
                    "\"StartSameTask\": \"3\", \"Lines\": [ { \"LineText\": "
                    "\"\\\\sb90\\\\sa90 \\\\f0 \\\\cf0 a \\\"b\\\" \\\\\\\\ c\" } ] }",
        "quotes, backslashes and Windows-1252 send text");
    expectRoundTrip(R"({ "MessageNumber": 300, "MessageTask": 2, "BlockScrollOn": true,
        "BlockWait": "6", "RelayState": "ON", "LockOn": "ON", "LockOff": "OFF",
        "ClearScreen": "CLS",
        "Lines": [ {}, { "LineText":
            "\\sb90\\sa90 \\qc \\f0 \\cf0 one\\par\r\n\\f0 \\cf0 two\\par\r\n\\f0 \\cf0 \\ql three",
            "LineBlock": "0,2" } ] })",
        "centred horizontal blocks with relay and lock");
}

TEST(Mq5300Read, HandEditedTextIsReportedAndNotRebuilt)
{
    const ProcessResult made = mq5300({ "make" }, R"({ "MessageNumber": 4, "MessageTask": 2,
        "Lines": [ { "LineText": "\\sb90\\sa90 \\f0 \\cf0 original" } ] })");
    ASSERT_EQ(made.exitCode, 0) << made.errors;
    std::string edited = made.output;
    edited.replace(edited.find("original"), 8, "ORIGINAL");

    const ProcessResult read = mq5300({ "read", "--number=4" }, edited);
    ASSERT_EQ(read.exitCode, 0) << read.errors;
    const Json fields = Json::parse(read.output);
    EXPECT_TRUE(fields["ScriptEditOnly"].get<bool>());
    EXPECT_EQ(fields["MessageTask"], 2);
    EXPECT_EQ(fields["Lines"][0]["LineText"], "");
    EXPECT_TRUE(failedCleanly(mq5300({ "make" }, read.output)));
}

TEST(Mq5300Read, BadOptionsAndInputAreRefused)
{
    const std::string text = mq5300({ "make" }, R"({ "MessageNumber": 5, "Lines": [ {}, {},
        { "LineText": "\\sb90\\sa90 \\f0 \\cf0 third" } ] })")
                                 .output;
    ASSERT_FALSE(text.empty());
    const std::vector<std::vector<std::string>> badOptions = {
        { "read" }, { "read", "--number" }, { "read", "--number", "1024" },
        { "read", "--number", "five" }, { "read", "--number", "5", "--lines", "3" },
        { "read", "--number=5", "--lines=1" }, { "read", "--number", "5", "--placeholder", "##" },
        { "read", "--number", "5", "--placeholder", "\\" },
        { "read", "--number", "5", "--colour", "red" },
        { "read", "--number", "5", "--number", "5" },
        { "read", "--number", "6" }, // the text is message 5
        { "read", "--number", "5", "--lines", "2" }, // its third line would be lost
    };
    for (const auto& arguments : badOptions) {
        const ProcessResult result = mq5300(arguments, text);
        EXPECT_TRUE(failedCleanly(result)) << ::testing::PrintToString(arguments);
    }
    EXPECT_EQ(mq5300({ "read", "--number", "5" }, text).exitCode, 0);
    EXPECT_TRUE(failedCleanly(mq5300({ "read", "--number", "5" }, "SUB 5\xFF\r\n")));
}

} // namespace

#include "scriptcode/esctext.h"
#include "scriptcode/textfile.h"
#include "scripttest.h"

using namespace marquis;
using namespace marquis::testing;

namespace {

std::string demoSource()
{
    return unit::readFile(std::string(MARQUIS_EXAMPLES_DIR) + "/demo.src").value_or("");
}

// The .esc lines of a message holding the one statement.
std::string escOf(std::string_view statement)
{
    unit::Diagnostics diagnostics;
    const unit::Program program = compile(withHeader("SUB 1(TASK=0)\r\n    LET B=VAR(2)\r\n    " +
                                              std::string(statement) + "\r\nEND SUB\r\n"),
        diagnostics);
    if (!diagnostics.empty())
        return "error: " + listed(diagnostics);
    const std::string esc = unit::writeEsc(program, "x");
    const std::size_t begin = esc.find("    LOAD B 2\r\n") + 14;
    return esc.substr(begin, esc.find("END\r\n", begin) - begin);
}

TEST(Compiler, DemoScriptCompilesEveryMessage)
{
    const std::string source = demoSource();
    ASSERT_FALSE(source.empty());
    unit::Diagnostics diagnostics;
    const unit::Program program = compile(source, diagnostics);
    ASSERT_TRUE(diagnostics.empty()) << listed(diagnostics);
    EXPECT_EQ(program.displayType, 5360);
    EXPECT_EQ(program.version, 2);
    std::vector<std::pair<int, int>> numbers;
    for (const unit::CompiledMessage& message : program.messages)
        numbers.emplace_back(message.number, message.task);
    const std::vector<std::pair<int, int>> expected { { 0, 0 }, { 1, 0 }, { 2, 0 }, { 3, 0 },
        { 10, 1 }, { 11, 1 }, { 12, 1 }, { 13, 1 }, { 20, 2 }, { 21, 2 }, { 22, 2 }, { 30, 3 },
        { 31, 3 } };
    EXPECT_EQ(numbers, expected);
}

TEST(Compiler, EveryStatementFormBecomesItsInstruction)
{
    const std::pair<const char*, const char*> cases[] = {
        { "CALL CURSOR(2,17)", "    CURSOR 2 17\r\n" },
        { "PRINT\"a \\\"b\\\" \\\\c\";", "    TEXT \"a \\\"b\\\" \\\\c\"\r\n" },
        { "PRINT \"\xE9\";", "    TEXT \"\\xE9\"\r\n" },
        { "PRINT", "    NEWLINE\r\n" },
        { "PRINT VAR(5,-2);", "    VAR 5 -2\r\n" },
        { "PRINT VAR(16, 3);", "    VAR 16 3\r\n" },
        { "PRINT USING(21,2);B;", "    USING B 21 2\r\n" },
        { "CALL BLINK(25,ON)", "    BLINK 25\r\n" },
        { "CALL BLINK(40,1)", "    BLINK 40\r\n" },
        { "CALL BLINK(-1)", "    NOBLINK\r\n" },
        { "CALL ERASE_TO_EOL(CURRENT,CURRENT)", "    ERASE -1 -1\r\n" },
        { "CALL ERASE_TO_EOL(-1,-1)", "    ERASE -1 -1\r\n" },
        { "CLS", "    CLS\r\n" },
        { "CALL RELAY(ON)", "    RELAY 1\r\n" },
        { "CALL RELAY(OFF)", "    RELAY 0\r\n" },
        { "CALL FONT_SET(SLAVIC)", "    FONT 3\r\n" },
        { "CALL SCROLL(25,0)\r\nPRINT\"x\";\r\nEOT",
            "    SCROLL 25 0\r\n    TEXT \"x\"\r\n    EOT\r\n" },
        { "CALL DROP_MARKER(0)\r\nCALL WAIT(10)\r\nCALL GOTO_MARKER(0,3)",
            "    MARK 0\r\n    WAIT 10\r\n    REPEAT 0 3\r\n" },
        { "CALL START_SCRIPT(1023)", "    START 1023\r\n" },
        { "CALL OUTPUT_DEVICE(HOST)", "    OUTPUT 2\r\n" },
        { "CALL OUTPUT_DEVICE(SERIAL)", "    OUTPUT 1\r\n" },
        { "CALL LOCK_BUFFER(ON)", "    LOCK 1\r\n" },
        // Keywords and names are not case-sensitive; comments end a line.
        { "call cursor(1, 1)   // top left", "    CURSOR 1 1\r\n" },
    };
    for (const auto& [statement, esc] : cases)
        EXPECT_EQ(escOf(statement), esc) << statement;
}

TEST(Compiler, EscTextReadsBackAsTheSameProgram)
{
    unit::Diagnostics diagnostics;
    const unit::Program program = compile(
        demoSource() + "SUB 99(TASK=3)\r\n    PRINT\"\x7F\xFF\\\"\";\r\nEND SUB\r\n", diagnostics);
    ASSERT_TRUE(diagnostics.empty()) << listed(diagnostics);
    const std::string esc = unit::writeEsc(program, "demo.src");
    unit::Diagnostics escErrors;
    const unit::Program back = unit::readEsc(esc, "demo.esc", escErrors);
    ASSERT_TRUE(escErrors.empty()) << listed(escErrors);
    EXPECT_EQ(unit::writeEsc(back, "demo.src"), esc);
    EXPECT_EQ(back.messages.back().code[0].text, "\x7F\xFF\"");
    EXPECT_EQ(unit::assemble(back).serialize(), unit::assemble(program).serialize());
}

TEST(Compiler, IncludeFileIsFoundWithoutRegardToCase)
{
    unit::Diagnostics diagnostics;
    unit::CompileOptions options;
    options.includeFolder = toolsFolder();
    const unit::Program program = unit::compileSource(
        "#include \"escapes.h\"\r\nSUB 0(TASK=0)\r\nCALL RELAY(ON)\r\nEND SUB\r\n", "a.src",
        options, diagnostics);
    EXPECT_TRUE(diagnostics.empty()) << listed(diagnostics);
    EXPECT_EQ(program.displayType, 5360); // the default without Display_type
}

} // namespace

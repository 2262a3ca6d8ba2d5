#include "scripttest.h"
#include "support/temporaryfolder.h"

using namespace marquis;
using namespace marquis::testing;

namespace {

struct BadStatement {
    const char* statement;
    const char* says;
};

// Each statement alone on line 6 of a script, after the header lines, SUB and a LET.
TEST(CompilerErrors, EachBadStatementIsReportedOnItsLine)
{
    const BadStatement cases[] = {
        { "CALL BLNK(25,ON)", "unknown procedure CALL BLNK" },
        { "BLINK(25,ON)", "needs CALL" },
        { "CALL CURSOR(5,1)", "row 5 is outside 1..4" },
        { "CALL CURSOR(1,21)", "column 21 is outside 1..20" },
        { "CALL CURSOR(1)", "CURSOR takes 2 arguments, not 1" },
        { "CALL CURSOR 1,1", "expected '('" },
        { "CALL CURSOR(1,1", "expected ')'" },
        { "CALL CURSOR(1,X)", "undefined name X" },
        { "CALL BLINK(25)", "one argument takes -1" },
        { "CALL BLINK(0,ON)", "rate 0 is outside 1..255" },
        { "CALL BLINK(25,2)", "state 2" },
        { "CALL ERASE_TO_EOL(0,-1)", "row 0 is outside 1..4" },
        { "CALL RELAY(3)", "relay state 3" },
        { "CALL FONT_SET(4)", "character set 4" },
        { "CALL SCROLL(25,256)", "passes 256 is outside 0..255" },
        { "CALL GOTO_MARKER(0,1)", "before it is dropped" },
        { "CALL WAIT(70000)", "pause 70000" },
        { "CALL START_SCRIPT(1024)", "message 1024 is outside 0..1023" },
        { "CALL START_SCRIPT(-1)", "message -1" },
        { "CALL OUTPUT_DEVICE(3)", "output device 3" },
        { "CALL LOCK_BUFFER(99999999999)", "lock state" },
        { "PRINT\"abc;", "string without its closing quote" },
        { "PRINT\"a\\nb\";", "unknown escape \\n" },
        { "PRINT\"a\tb\";", "control character" },
        { "PRINT\"abc\"", "expected ';'" },
        { "PRINT VAR(17,2);", "variable 17 is outside 1..16" },
        { "PRINT VAR(1,0);", "width 0" },
        { "PRINT VAR(1,21);", "width 21" },
        { "PRINT USING(20,1);A;", "neither 0 (blanks) nor 2 (zeros)" },
        { "PRINT USING(32,0);A;", "width of 0" },
        { "PRINT USING(34,0);A;", "2 decimals do not fit a width of 2" },
        { "PRINT USING(20,0);AB;", "one-letter variable" },
        { "PRINT USING(20,0);C;", "given no variable before" },
        { "PRINT X", "PRINT takes a string" },
        { "LET A=VAR(0)", "variable 0" },
        { "LET A=3", "expected 'VAR'" },
        { "EOT", "EOT without a SCROLL" },
        { "GOTO 5", "unknown statement 'GOTO'" },
        { "CLS 1", "unexpected '1'" },
        { "CALL CURSOR(1,1) $", "unexpected character '$'" },
        { "#pragma version 3", "neither 1 nor 2" },
        { "#pragma optimise", "unknown #pragma" },
        { "#ifdef X", "unknown directive #ifdef" },
        { "#define ON 2", "defined again with another value" },
        { "#define Display_type (5300)", "5320 or 5360" },
        { "END", "expected 'SUB'" },
    };
    for (const BadStatement& bad : cases) {
        unit::Diagnostics diagnostics;
        compile(withHeader("SUB 1(TASK=0)\r\n    LET A=VAR(1)\r\n" + std::string(bad.statement) +
                    "\r\nEND SUB\r\n"),
            diagnostics);
        ASSERT_EQ(diagnostics.count(), 1U) << bad.statement << "\n" << listed(diagnostics);
        const unit::Diagnostic& error = diagnostics.list()[0];
        EXPECT_EQ(error.line, 6) << bad.statement;
        EXPECT_NE(error.text.find(bad.says), std::string::npos)
            << bad.statement << " -> " << error.text;
    }
}

TEST(CompilerErrors, EveryErrorOfAFileIsReported)
{
    const std::string source = withHeader("SUB 1(TASK=0)\r\n" //  4
                                          "    CALL CURSOR(9,1)\r\n" //  5
                                          "    PRINT\"fine\";\r\n" //  6
                                          "    CALL BLNK(1,1)\r\n" //  7
                                          "END SUB\r\n" //  8
                                          "CLS\r\n" //  9
                                          "SUB 1(TASK=5)\r\n" // 10
                                          "    CALL SCROLL(10,1)\r\n" // 11
                                          "    CALL WAIT(1)\r\n" // 12
                                          "END SUB\r\n" // 13
                                          "SUB 2000(TASK=0)\r\n" // 14
                                          "    CALL RELAY(ON)\r\n", // 15
        5320);
    unit::Diagnostics diagnostics;
    compile(source, diagnostics);
    std::vector<std::pair<int, std::string>> found;
    for (const unit::Diagnostic& d : diagnostics.list())
        found.emplace_back(d.line, d.text);
    const std::vector<std::pair<int, std::string>> expected {
        { 5, "CURSOR: row 9 is outside 1..2" },
        { 7, "unknown procedure CALL BLNK" },
        { 9, "statement outside a SUB block" },
        { 10, "task 5 is outside 0..3" },
        { 10, "message 1 is defined twice (first at TEST.SRC line 4)" },
        { 12, "WAIT is not allowed between SCROLL and EOT" },
        { 11, "SCROLL without EOT before the end of the message" },
        { 14, "message number 2000 is outside 0..1023" },
        { 14, "SUB 2000 has no END SUB" },
    };
    EXPECT_EQ(found, expected) << listed(diagnostics);
}

TEST(CompilerErrors, NamesNeedTheIncludeFile)
{
    unit::Diagnostics diagnostics;
    compile(
        "SUB 0(TASK=0)\r\n    CALL RELAY(ON)\r\n    CALL BLINK(25,ON)\r\nEND SUB\r\n", diagnostics);
    ASSERT_EQ(diagnostics.count(), 2U) << listed(diagnostics);
    EXPECT_EQ(diagnostics.list()[0].text, "undefined name ON");
    EXPECT_EQ(diagnostics.list()[1].line, 3);

    unit::Diagnostics missing;
    compile("#include \"NOSUCH.H\"\r\n", missing);
    ASSERT_EQ(missing.count(), 1U);
    EXPECT_EQ(missing.list()[0].text, "cannot find include file \"NOSUCH.H\"");
}

// Compiles the file `name` of `folder` as src2esc does, with the file as its own source.
std::vector<std::pair<std::string, int>> includeErrors(
    const TemporaryFolder& folder, const std::string& name, unit::Diagnostics& diagnostics)
{
    unit::CompileOptions options;
    options.sourceFolder = folder.path();
    options.sourceFile = folder / name;
    options.includeFolder = toolsFolder();
    unit::compileSource(readWholeFile(folder / name), name, options, diagnostics);
    std::vector<std::pair<std::string, int>> found;
    for (const unit::Diagnostic& d : diagnostics.list())
        found.emplace_back(d.file, d.line);
    return found;
}

// Every include that would read without end is refused on its own line, and the rest of the
// script is still compiled.
TEST(CompilerErrors, IncludesThatWouldNeverEndAreErrorsOnTheirLines)
{
    TemporaryFolder folder;
    const std::string message = "SUB 1(TASK=0)\r\n    CALL RELAY(1)\r\nEND SUB\r\n";
    folder.write("self.src",
        "#include \"ESCAPES.H\"\r\n#include \"self.src\"\r\n#include \"SELF.SRC\"\r\n" + message);
    unit::Diagnostics self;
    const std::vector<std::pair<std::string, int>> expectedSelf { { "self.src", 2 },
        { "self.src", 3 } };
    EXPECT_EQ(includeErrors(folder, "self.src", self), expectedSelf) << listed(self);
    EXPECT_NE(self.list().front().text.find("include cycle: \"self.src\""), std::string::npos)
        << listed(self);

    // A cycle through another file is found where it closes.
    folder.write("a.h", "#define A 1\r\n#include \"b.h\"\r\n");
    folder.write(
        "b.h", "#define B 2\r\n#include \"../" + folder.path().filename().string() + "/a.h\"\r\n");
    folder.write("ring.src", "#include \"a.h\"\r\n" + message);
    unit::Diagnostics ring;
    const std::vector<std::pair<std::string, int>> expectedRing { { "b.h", 2 } };
    EXPECT_EQ(includeErrors(folder, "ring.src", ring), expectedRing) << listed(ring);

    // No cycle, but a file read over and over: the reading is bounded in all.
    std::string many = "#include \"ESCAPES.H\"\r\n";
    for (int k = 0; k < 70; ++k)
        many += "#include \"a1.h\"\r\n";
    folder.write("a1.h", "#define X 1\r\n");
    folder.write("many.src", many + message);
    unit::Diagnostics flood;
    includeErrors(folder, "many.src", flood);
    ASSERT_EQ(flood.count(), 7U) << listed(flood); // ESCAPES.H and 63 more are read
    EXPECT_EQ(flood.list().front().line, 65);
    EXPECT_NE(flood.list().front().text.find("more than 64 includes"), std::string::npos);

    // Nine files each including the next.
    for (int k = 1; k <= 9; ++k)
        folder.write(
            "d" + std::to_string(k) + ".h", "#include \"d" + std::to_string(k + 1) + ".h\"\r\n");
    folder.write("d10.h", "");
    folder.write("deep.src", "#include \"d1.h\"\r\n");
    unit::Diagnostics deep;
    const std::vector<std::pair<std::string, int>> expectedDeep { { "d8.h", 1 } };
    EXPECT_EQ(includeErrors(folder, "deep.src", deep), expectedDeep) << listed(deep);
}

TEST(CompilerErrors, SlaveOutputNeedsVersionTwo)
{
    unit::Diagnostics diagnostics;
    compile(withHeader("SUB 0(TASK=0)\r\n    CALL OUTPUT_DEVICE(HOST)\r\nEND SUB\r\n", 5360, 1),
        diagnostics);
    ASSERT_EQ(diagnostics.count(), 1U);
    EXPECT_EQ(diagnostics.list()[0].line, 5);
}

TEST(CompilerErrors, ErrorFileLinesNameTheFileInUpperCase)
{
    unit::Diagnostics diagnostics;
    diagnostics.add("sub.src", 12, "unknown procedure CALL BLNK");
    diagnostics.add("caf\xE9.src", 3, "line\r\nbreak");
    EXPECT_EQ(diagnostics.errorFileText(),
        "SUB.SRC 12: unknown procedure CALL BLNK\r\nCAF\xC9.SRC 3: line  break\r\n");
}

} // namespace

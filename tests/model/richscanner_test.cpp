#include "model/controlwords.h"
#include "model/linedocument.h"
#include "model/richscanner.h"
#include "model/richtext.h"
#include "model/runscanner.h"

#include <gtest/gtest.h>

#include <random>

using namespace marquis;

namespace {

// The tokens of a rich text in a short form: <name number ending> for a control word (ending:
// ' ' blank, '/' backslash, '|' line feed, '$' end of text), [hdr] for a header group, \\ for a
// literal backslash, CR and LF for line breaks (CR* inside a control word), other bytes as they
// are, or as #NN when the display drops them.
std::string tokens(std::string_view rich)
{
    std::string out;
    forEachRichToken(rich, [&](const RichToken& token) {
        switch (token.kind) {
        case RichTokenKind::Header:
            out += "[hdr]";
            break;
        case RichTokenKind::ControlWord:
            out += "<" + std::string(token.name);
            if (token.hasNumber || token.negative)
                out += std::to_string(token.number);
            out += " /|$"[static_cast<int>(token.ending)];
            out += ">";
            break;
        case RichTokenKind::Backslash:
            out += "\\\\";
            break;
        case RichTokenKind::LineBreak:
            out += token.character == '\r' ? (token.insideWord ? "CR*" : "CR") : "LF";
            break;
        case RichTokenKind::Character:
            if (isDisplayCharacter(token.character))
                out += token.character;
            else
                out += "#" + std::to_string(static_cast<unsigned char>(token.character));
            break;
        }
    });
    return out;
}

std::vector<RichToken> tokenList(std::string_view rich)
{
    std::vector<RichToken> list;
    forEachRichToken(rich, [&](const RichToken& token) { list.push_back(token); });
    return list;
}

TEST(RichScannerTest, ControlWordsEndAtABlankABackslashALineFeedOrTheEnd)
{
    EXPECT_EQ(tokens("\\sb90\\sa90 \\f0 \\cf0 Hi"), "<sb90/><sa90 ><f0 ><cf0 >Hi");
    EXPECT_EQ(tokens("\\par\r\nb"), "<par|>CR*LFb"); // the CR stands inside the word
    EXPECT_EQ(tokens("\\qc  x"), "<qc > x"); // only the first blank belongs to the word
    EXPECT_EQ(tokens("a\\ql"), "a<ql$>");
    EXPECT_EQ(tokens("\\f65abc x"), "<f65 >x"); // letters after the number stay in the word

    const std::vector<RichToken> list = tokenList("\\f65 \\cf0 x");
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0].begin, 0u);
    EXPECT_EQ(list[0].end, 5u); // the blank is part of the word's span
    EXPECT_EQ(list[1].begin, 5u);
    EXPECT_EQ(list[2].begin, 10u);
}

TEST(RichScannerTest, OnlyAnFWithANumberNamesAFont)
{
    const auto font = [](std::string_view rich) -> std::string {
        const std::vector<RichToken> list = tokenList(rich);
        if (list.empty() || !list.front().namesFont())
            return "none";
        return std::to_string(list.front().number);
    };
    EXPECT_EQ(font("\\f65 "), "65");
    EXPECT_EQ(font("\\f0 "), "0");
    EXPECT_EQ(font("\\fs20 "), "none"); // a font size
    EXPECT_EQ(font("\\f "), "none");
    EXPECT_EQ(font("\\f"), "none");
    EXPECT_EQ(font("\\F65 "), "none");
    EXPECT_EQ(font("\\f-3 "), "-3");
    EXPECT_EQ(font("\\f- "), "0"); // a minus sign alone counts, as the writer has always read it
    EXPECT_EQ(font("\\f+5 "), "none");
    EXPECT_EQ(font("\\f99999999999 "), "2147483647"); // clamped, never overflowing
    EXPECT_EQ(font("\\f-99999999999 "), "-2147483648");
    EXPECT_EQ(font("\\f\xe9" "65 "), "none"); // the number follows the name directly
    EXPECT_EQ(font("\\f6\r5 "), "6");
}

TEST(RichScannerTest, BackslashesAtTheEdges)
{
    EXPECT_EQ(tokens("a\\\\b"), "a\\\\b");
    EXPECT_EQ(tokens("\\\\\\\\"), "\\\\\\\\");
    EXPECT_EQ(tokens("\\\\\\"), "\\\\<$>"); // a literal, then a lone backslash
    EXPECT_EQ(tokens("ab\\"), "ab<$>");
    EXPECT_EQ(tokens("\\"), "<$>");
    EXPECT_EQ(tokens("\\ x"), "< >x");
    EXPECT_EQ(tokens("\\f0\\\\x"), "<f0/>\\\\x"); // a literal backslash ends a word
}

TEST(RichScannerTest, TheHeaderGroupIsOneTokenAtTheStartOnly)
{
    EXPECT_EQ(tokens("\r\n{\\rtf1 \\f65 x}\r\nbody"), "[hdr]body");
    EXPECT_EQ(tokens("\r\n{\\rtf1 never closed"), "[hdr]");
    EXPECT_EQ(tokens("\r\n{}\r\n"), "[hdr]");
    EXPECT_EQ(tokens("x\r\n{a}\r\n"), "xCRLF{a}CRLF");
    EXPECT_EQ(tokens("\r\n{"), "[hdr]");
    EXPECT_EQ(tokens("\r\n"), "CRLF");
}

TEST(RichScannerTest, LineBreaksAndBytesTheDisplayDrops)
{
    EXPECT_EQ(tokens("a\rb\nc"), "aCRbLFc");
    EXPECT_EQ(tokens("\\f6\r5 x"), "<f6 >CR*x");
    EXPECT_EQ(tokens("\\f6\r\r\nx"), "<f6|>CR*CR*LFx");
    EXPECT_EQ(tokens("\xe9\x01\x7f\t"), "#233#1\x7f#9");
    EXPECT_EQ(tokens("\\cf\xe9" "0 x"), "<cf >x"); // a dropped byte stays inside the word
    EXPECT_EQ(tokens(std::string("\\f0\0 x", 6)), "<f0 >x");
}

// Whatever the input, the tokens cover it in order, without gaps or overlaps (carriage returns
// inside a word are reported within its span), and the scan ends.
TEST(RichScannerTest, TokensCoverAnyTextInOrder)
{
    constexpr unsigned seed = 5300;
    std::mt19937 random(seed);
    const std::string alphabet = "\\\\\\f0 65-\r\n{}qcpar\x01\xe9 ";
    for (int k = 0; k < 3000; ++k) {
        std::string rich = k % 7 == 0 ? "\r\n{" : "";
        const std::size_t length = random() % 30;
        for (std::size_t i = 0; i < length; ++i)
            rich += alphabet[random() % alphabet.size()];
        std::size_t covered = 0;
        std::size_t wordEnd = 0;
        forEachRichToken(rich, [&](const RichToken& token) {
            if (token.insideWord) {
                ASSERT_LT(token.begin, wordEnd) << rich;
                ASSERT_EQ(rich[token.begin], '\r') << rich;
                return;
            }
            ASSERT_EQ(token.begin, covered) << rich;
            ASSERT_GT(token.end, token.begin) << rich;
            covered = token.end;
            wordEnd = token.end;
        });
        EXPECT_EQ(covered, rich.size()) << rich;
    }
}

// Lines with every awkward turn of the encoding, with what each reader of the line makes of
// them: plain text, first visible position, blink and variable tests, centring, the writer's
// runs (font:text|, "-" for a run that is not written), the blink toggle, and the cut at width 5.
struct RecordedLine {
    std::string rich;
    std::string plain;
    long long firstVisible;
    std::string blink;
    bool variable;
    bool centred;
    std::string runs;
    std::string toggled;
    std::string head;
    std::string rest;
};

const RecordedLine recorded[] = {
    { "\\sb90\\sa90 \\f0 \\cf0 Temp \\f50 \\cf4 ##.#",
          "Temp ##.#", 20, "1", true, false,
          "0:Temp |50:##.#|",
          "\\f65 \\sb90\\sa90 \\f0 \\cf0 Temp\\f0 \\cf0  \\f50 \\cf4 ##.#",
          "\\sb90\\sa90 \\f0 \\cf0 Temp", "\\f0 \\cf0 \\f50 \\cf4 ##.#" },
    { "\\sb90\\sa90 \\qc \\f0 \\cf0 ab cd\\par\r\n\\ql \\f65 \\cf0 efgh",
          "ab cd\r\nefgh", 24, "1", false, true,
          "0:ab cd|65:efgh|",
          "\\f65 \\sb90\\sa90 \\qc \\f0 \\cf0 ab cd\\par\r\n\\ql \\f65 \\cf0 efgh",
          "\\sb90\\sa90 \\qc \\f0 \\cf0 ab", "\\f0 \\cf0 cd\\par\r\n\\ql \\f65 \\cf0 efgh" },
    { "\\f0 \\cf0 a\\\\b\\\\",
          "a\\b\\", 9, "", false, false,
          "0:a\\b\\|",
          "\\f65 \\f0 \\cf0 a\\\\b\\\\",
          "", "\\f0 \\cf0 a\\\\b\\\\" },
    { "\\f65 \\cf0 ab cd\\",
          "ab cd", 10, "1", false, false,
          "65:ab cd|",
          "\\f0 \\f65 \\cf0 ab cd\\",
          "", "\\f65 \\cf0 ab cd\\" },
    { "\\f65\\cf0 xy zw",
          "xy zw", 9, "1", false, false,
          "65:xy zw|",
          "\\f0 \\f65\\cf0 xy zw",
          "", "\\f65\\cf0 xy zw" },
    { "\\f65\n\\cf0 ab",
          "\nab", 4, "1", false, false,
          "65:ab|",
          "\\f0 \\f65\n\\cf0 ab",
          "", "\\f65\n\\cf0 ab" },
    { "\\fs20 \\f17 \\cf4 ###",
          "###", 16, "1", true, false,
          "17:###|",
          "\\f1 \\fs20 \\f17 \\cf4 ###",
          "", "\\fs20 \\f17 \\cf4 ###" },
    { "\\f0 \\cf0 \xe9" "t\xe9" " \x01" "ok\x7f" "",
          "t ok\x7f" "", 10, "", false, false,
          "0:t ok\x7f" "|",
          "\\f65 \\f0 \\cf0 \xe9" "t\xe9" " \x01" "ok\x7f" "",
          "", "\\f0 \\cf0 \xe9" "t\xe9" " \x01" "ok\x7f" "" },
    { "\\f0 \\cf0 ab\r\ncd",
          "ab\r\ncd", 9, "", false, false,
          "0:abcd|",
          "\\f65 \\f0 \\cf0 ab\r\ncd",
          "\\f0 \\cf0 ab\r\nc", "\\f0 \\cf0 d" },
    { "  \\f65 \\cf0 x y  ",
          "  x y  ", 0, "1", false, false,
          "0:  |65:x y  |",
          "  \\f65 \\cf0 x y  ",
          "  \\f65 \\cf0 x y", "\\f65 \\cf0 " },
    { "\\f65\\\\x yz",
          "\\x yz", 4, "1", false, false,
          "-:\\x yz|",
          "\\f65\\\\x yz",
          "", "\\f65\\\\x yz" },
    { "\\f99999999999 \\cf0 big run",
          "big run", 19, "", false, false,
          "2147483647:big run|",
          "\\f99999999999 \\cf0 big run",
          "\\f99999999999 \\cf0 big", "run" },
    { "\\f2 \\cf4 ##\\f2 \\cf4 ##\\f3 \\cf4 #",
          "#####", 9, "", true, false,
          "2:##|2:##|3:#|",
          "\\f18 \\f2 \\cf4 ##\\f18 \\f2 \\cf4 ##\\f19 \\f3 \\cf4 #",
          "", "\\f2 \\cf4 ##\\f2 \\cf4 ##\\f3 \\cf4 #" },
    { "\\par\r\n\\par\r\n\\f0 x",
          "\r\n\r\nx", 4, "", false, false,
          "0:x|",
          "\\par\r\n\\par\r\n\\f65 \\f0 x",
          "", "\\par\r\n\\par\r\n\\f0 x" },
    { "\\f-3 \\cf0 neg one",
          "neg one", 10, "", false, false,
          "-3:neg one|",
          "\\f-3 \\cf0 neg one",
          "\\f-3 \\cf0 neg", "one" },
    { "\\f0 \\cf0 \\\\\\f65 x\\",
          "\\x", 9, "1", false, false,
          "0:\\|65:x|",
          "\\f65 \\f0 \\cf0 \\\\\\f65 x\\",
          "", "\\f0 \\cf0 \\\\\\f65 x\\" },
    { "\\qcx \\f0 ab",
          "ab", 9, "", false, false,
          "0:ab|",
          "\\f65 \\qcx \\f0 ab",
          "", "\\qcx \\f0 ab" },
    { "\\",
          "", -1, "", false, false,
          "",
          "\\",
          "", "\\" },
    { "",
          "", -1, "", false, false,
          "",
          "",
          "", "" },
    // A carriage return inside a control word does not end it, and the number is the digits
    // right after the name: font 6 (a variable) for the writer as for the blink and variable tests.
    { "\\f6\r5 \\cf0 cr in",
          "\rcr in", 3, "", true, false,
          "6:cr in|",
          "\\f22 \\f6\r5 \\cf0 cr in",
          "\\f6\r5 \\cf0 cr", "\\f6 \\cf4 in" },
    // The header group is no part of the line for anyone: its words neither blink nor centre,
    // and the writer prints none of its text.
    { "\r\n{\\f65 \\qc head}\r\n\\f0 \\cf0 body",
          "body", 28, "", false, false,
          "0:body|",
          "\r\n{\\f65 \\qc head}\r\n\\f65 \\f0 \\cf0 body",
          "", "\r\n{\\f65 \\qc head}\r\n\\f0 \\cf0 body" },
    { "\r\n{\\f65 never closed",
          "", -1, "", false, false,
          "",
          "\r\n{\\f65 never closed",
          "", "\r\n{\\f65 never closed" },
    // "\f" without a number names no font, wherever it stands: the run is plain.
    { "\\f\\\\x",
          "\\x", 2, "", false, false,
          "0:\\x|",
          "\\f65 \\f\\\\x",
          "", "\\f\\\\x" },
    // A byte the display drops does not join the name and the number around it.
    { "\\f\xe9" "65 \\cf0 x",
          "x", 11, "", false, false,
          "0:x|",
          "\\f65 \\f\xe9" "65 \\cf0 x",
          "", "\\f\xe9" "65 \\cf0 x" },
    { "\\f- \\f65 \\cf0 dash",
          "dash", 14, "1", false, false,
          "0:dash|",
          "\\f65 \\f- \\f65 \\cf0 dash",
          "", "\\f- \\f65 \\cf0 dash" },
};

TEST(RecordedLinesTest, EveryReaderAgreesWithItsRecordedOutput)
{
    for (const RecordedLine& line : recorded) {
        SCOPED_TRACE(line.rich);
        EXPECT_EQ(GetText(line.rich), line.plain);
        EXPECT_EQ(plainLength(line.rich), line.plain.size());
        const std::size_t first = firstVisiblePosition(line.rich);
        EXPECT_EQ(first == std::string::npos ? -1 : static_cast<long long>(first), line.firstVisible);
        EXPECT_EQ(CheckBlink(line.rich), line.blink);
        EXPECT_EQ(CheckVariable(line.rich), line.variable);
        EXPECT_EQ(hasControlWord(line.rich, "qc"), line.centred);
        std::string runs;
        for (const RichRun& run : scanRuns(line.rich).runs) {
            const auto font = runFont(run.controlWords);
            runs += (font ? std::to_string(*font) : std::string("-")) + ":" + run.text + "|";
        }
        EXPECT_EQ(runs, line.runs);
        EXPECT_EQ(ToggleBlink(line.rich), line.toggled);
        std::string rest = line.rich;
        EXPECT_EQ(TruncateText(rest, 5), line.head);
        EXPECT_EQ(rest, line.rest);
    }
}

TEST(RunFontTest, TheFirstFontWordDecidesWhenABlankFollows)
{
    EXPECT_EQ(runFont("\\f-\\f65 "), 0);
    EXPECT_EQ(runFont("\\f\\f65 "), 65); // "\f" alone names no font
    EXPECT_EQ(runFont("\\f65\\cf0 "), 65); // the blank may end a later word
    EXPECT_EQ(runFont("\\f65\\cf0"), std::nullopt);
    EXPECT_EQ(runFont("\\fs20 \\f"), 0);
    EXPECT_EQ(runFont(""), 0);
}

TEST(ForEachControlWordTest, ReportsWordsOutsideTheHeaderInOrder)
{
    std::string seen;
    forEachControlWord("\r\n{\\qc}\r\n\\f-3 a\\\\qc\\fs20 ",
        [&](std::size_t at, std::string_view name, long long n, bool hasNumber) {
            seen += std::to_string(at) + ":" + std::string(name) + "=" + std::to_string(n) +
                (hasNumber ? "#" : "") + " ";
        });
    EXPECT_EQ(seen, "9:f=-3# 19:fs=20# ");
}

// The line editors' reading of damaged lines, recorded: runs per block (font:text|, "/" after
// each block) and the line written back.
TEST(LineDocumentReadTest, DamagedLinesReadAsRecorded)
{
    struct Recorded {
        std::string rich;
        std::string runs;
        std::string written;
    };
    const Recorded lines[] = {
    { "\\sb90\\sa90 \\f0 \\cf0 ab\\par \r \nc",
      "0:ab|0: |/0:c|/",
      "\\sb90\\sa90 \\f0 \\cf0 ab\\f0 \\cf0 \\par  \\par\r\n\\f0 \\cf0 \\par c" },
    { "\\f6\r5 \\cf0 x\\b\r y",
      "6:x|0:y|/",
      "\\f6 \\cf4 x\\f0 \\cf0 y" },
    { "\\f- \\f65 \\cf0 a\\fs20 b",
      "0:a|0:b|/",
      "\\f0 \\cf0 a\\f0 \\cf0 \\fs20 b" },
    { "\r\n{\\f65 head}\r\n\\f0 \\cf0 body\\",
      "0:body|/",
      "\\f0 \\cf0 body" },
    { "\\f65 \\cf0 \xe9" "a\x01" "b\rc\r\nd\ne",
      "65:\xe9" "|65:abc|/65:d|/65:e|/",
      "\xe9" "\\f65 \\cf0 abc\\par\r\n\\f65 \\cf0 d\\par\r\n\\f65 \\cf0 e" },
    { "\\f\\\\x\\i0\\",
      "0:\\x|/",
      "\\f0 \\cf0 \\\\x" },
    };
    for (const Recorded& line : lines) {
        SCOPED_TRACE(line.rich);
        const LineDocument document = readLineDocument(line.rich);
        std::string runs;
        for (const LineBlock& block : document.blocks) {
            for (const LineRun& run : block.runs)
                runs += std::to_string(run.font) + ":" + run.text + "|";
            runs += "/";
        }
        EXPECT_EQ(runs, line.runs);
        EXPECT_EQ(writeLineDocument(document), line.written);
    }
}

} // namespace

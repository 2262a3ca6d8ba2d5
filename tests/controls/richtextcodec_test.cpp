#include "model/richtext.h"
#include "model/runscanner.h"
#include "support/messagegenerator.h"
#include "support/sessionfixture.h"
#include "ui/controls/richtextcodec.h"
#include "ui/controls/windows1252codec.h"
#include "ui/quickedit/linelayout.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <cctype>
#include <iostream>

using namespace marquis;
using namespace marquis::qt;
using namespace marquis::testing;

namespace {

std::string roundTrip(std::string_view rich)
{
    QTextDocument document;
    loadLineText(document, rich);
    return lineTextOf(document);
}

// The format of the character at a document position.
QTextCharFormat formatAt(QTextDocument& document, int position)
{
    QTextCursor cursor(&document);
    cursor.setPosition(position + 1);
    return cursor.charFormat();
}

bool centred(const QTextDocument& document, int block)
{
    return document.findBlockByNumber(block).blockFormat().alignment() & Qt::AlignHCenter;
}

// The visible text of a document as the encoding counts it: blocks joined by CR LF.
std::string visibleText(const QTextDocument& document)
{
    std::string text;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block != document.begin())
            text += "\r\n";
        for (const QChar c : block.text())
            if (isVisibleCharacter(c))
                text += toWindows1252(QString(c));
    }
    return text;
}

// The display text of a line's runs as the script writer reads them.
std::string writerText(std::string_view rich)
{
    std::string text;
    for (const RichRun& run : scanRuns(rich).runs)
        text += run.text;
    return text;
}

// A control word such as "\\fs20" that the writer would take for a font word.
bool hasFontLikeWord(std::string_view rich)
{
    for (std::size_t p = rich.find("\\f"); p != std::string_view::npos; p = rich.find("\\f", p + 1))
        if (p + 2 < rich.size() && std::isalpha(static_cast<unsigned char>(rich[p + 2])))
            return true;
    return false;
}

// The writer passes over a carriage return inside a control word, which can join two words.
bool hasLoneCarriageReturn(std::string_view rich)
{
    for (std::size_t p = rich.find('\r'); p != std::string_view::npos; p = rich.find('\r', p + 1))
        if (p + 1 == rich.size() || rich[p + 1] != '\n')
            return true;
    return false;
}

std::string withoutLineEnds(std::string text)
{
    std::erase_if(text, [](char c) { return c == '\r' || c == '\n'; });
    return text;
}

class DemoScriptTest : public SessionTest { };

TEST_F(DemoScriptTest, EveryLineOfTheDemoComesBackUnchanged)
{
    ASSERT_TRUE(session->openScriptFile(std::string(MARQUIS_BIN_DIR) + "/demo.src"));
    int lines = 0;
    bool blinking = false, variables = false, centredLine = false, blocks = false;
    for (int n = 0; n < MessageCount; ++n) {
        if (session->store().MessageState[static_cast<std::size_t>(n)] == 0)
            continue;
        ASSERT_TRUE(session->goToMessage(n));
        for (int i = 1; i <= MaxUnitLines; ++i) {
            const std::string& rich = session->message().line(i).LineText;
            EXPECT_EQ(roundTrip(rich), rich) << "message " << n << " line " << i;
            ++lines;
            blinking = blinking || !CheckBlink(rich).empty();
            variables = variables || CheckVariable(rich);
            centredLine = centredLine || isCentred(rich);
            blocks = blocks || rich.find("\\par") != std::string::npos;
        }
    }
    EXPECT_GE(lines, 40);
    // The demo exercises what the codec has to carry.
    EXPECT_TRUE(blinking && variables && centredLine && blocks);
}

TEST(RichTextCodec, GeneratedLinesComeBackUnchanged)
{
    constexpr unsigned seed = 5320;
    std::cout << "seed " << seed << "\n";
    MessageGenerator generator(seed);
    for (int k = 0; k < 600; ++k) {
        const CurrentMessage message = k % 2 == 0 ? generator.message("#") : generator.message();
        for (int i = 1; i <= MaxUnitLines; ++i) {
            const std::string& rich = message.line(i).LineText;
            ASSERT_EQ(roundTrip(rich), rich) << "message " << k << " line " << i;
        }
    }
}

TEST(RichTextCodec, AnyTextBecomesAStableEncodingWithTheSameVisibleText)
{
    constexpr unsigned seed = 5360;
    std::cout << "seed " << seed << "\n";
    MessageGenerator generator(seed);
    int compared = 0;
    for (int k = 0; k < 2000; ++k) {
        const std::string rich = generator.anyRichText();
        QTextDocument document;
        loadLineText(document, rich);
        const std::string written = lineTextOf(document);
        ASSERT_EQ(roundTrip(written), written) << "input " << k << ": " << rich;
        // What the editor shows is what the line's length limits count.
        ASSERT_EQ(visibleText(document), GetText(written)) << "input " << k << ": " << rich;
        // Every visible character keeps the font the script writer gives it, where the writer
        // sees the same characters as the plain text does.
        if (writerText(rich) != withoutLineEnds(GetText(rich)) || hasFontLikeWord(rich) ||
            hasLoneCarriageReturn(rich))
            continue;
        ++compared;
        const std::size_t visible = plainLength(written);
        for (std::size_t p = 1; p <= visible; ++p) {
            // (A run whose font word has no blank is dropped by the writer; it has none here.)
            const long long font = FontAtPosition(rich, static_cast<int>(p));
            if (font >= 0) {
                ASSERT_EQ(FontAtPosition(written, static_cast<int>(p)), font)
                    << "input " << k << " position " << p << ": " << rich;
            }
        }
    }
    std::cout << compared << " inputs compared font by font\n";
    EXPECT_GT(compared, 400);
}

TEST(RichTextCodec, BlinkingTextAndVariablesLookDifferentFromPlainText)
{
    QTextDocument document;
    loadLineText(
        document, "\\sb90\\sa90 \\f0 \\cf0 Temp \\f50 \\cf4 ##.#\\f65 \\cf0 HOT\\f3 \\cf4 ##");
    ASSERT_EQ(document.toPlainText(), "Temp ##.#HOT##");

    const QTextCharFormat plain = formatAt(document, 0);
    const QTextCharFormat blinkingVariable = formatAt(document, 5);
    const QTextCharFormat blinking = formatAt(document, 9);
    const QTextCharFormat variable = formatAt(document, 12);
    EXPECT_EQ(fontOf(plain), 0);
    EXPECT_EQ(fontOf(blinkingVariable), 50);
    EXPECT_EQ(fontOf(blinking), 65);
    EXPECT_EQ(fontOf(variable), 3);

    EXPECT_FALSE(plain.fontUnderline());
    EXPECT_NE(plain.fontWeight(), QFont::Bold);
    EXPECT_TRUE(blinking.fontUnderline());
    EXPECT_EQ(blinking.fontWeight(), QFont::Bold);
    EXPECT_NE(blinking.foreground().color(), plain.foreground().color());
    // Variables show in the variable colour, RGB value 128; a blinking one is marked as blinking.
    EXPECT_EQ(variable.foreground().color().rgb() & 0xFFFFFF, 0x000080u << 16);
    EXPECT_EQ(blinkingVariable.foreground().color(), variable.foreground().color());
    EXPECT_TRUE(blinkingVariable.fontUnderline());
    EXPECT_FALSE(variable.fontUnderline());
}

TEST(RichTextCodec, CentringIsTheAlignmentOfEachBlock)
{
    QTextDocument document;
    const std::string rich = "\\sb90\\sa90 \\qc \\f0 \\cf0 AB\\par\r\n\\f0 \\cf0 CD\\par\r\n"
                             "\\f0 \\cf0 \\ql EF\\par\r\n\\f65 \\cf0 GH";
    loadLineText(document, rich);
    ASSERT_EQ(document.blockCount(), 4);
    EXPECT_TRUE(centred(document, 0));
    EXPECT_TRUE(centred(document, 1)); // centring carries on to the following blocks
    EXPECT_FALSE(centred(document, 2));
    EXPECT_FALSE(centred(document, 3));

    // Centring the last block marks it; left-aligning the second marks the change there.
    QTextCursor cursor(document.findBlockByNumber(3));
    QTextBlockFormat format = cursor.blockFormat();
    format.setAlignment(Qt::AlignHCenter);
    format.clearProperty(MarkBeforeFontProperty);
    cursor.setBlockFormat(format);
    cursor = QTextCursor(document.findBlockByNumber(1));
    format = cursor.blockFormat();
    format.setAlignment(Qt::AlignLeft);
    format.clearProperty(MarkBeforeFontProperty);
    cursor.setBlockFormat(format);
    EXPECT_EQ(lineTextOf(document),
        "\\sb90\\sa90 \\qc \\f0 \\cf0 AB\\par\r\n\\f0 \\cf0 \\ql CD\\par\r\n\\f0 \\cf0 EF\\par\r\n"
        "\\qc \\f65 \\cf0 GH");
}

TEST(RichTextCodec, ABackslashIsTextAndNotAControlWord)
{
    QTextDocument document;
    loadLineText(document, "\\sb90\\sa90 \\f0 \\cf0 C:\\\\TEMP\\\\\\f65 \\cf0 \\\\x");
    EXPECT_EQ(document.toPlainText(), "C:\\TEMP\\\\x");
    EXPECT_EQ(fontOf(formatAt(document, 7)), 0);
    EXPECT_EQ(fontOf(formatAt(document, 8)), 65);

    // A backslash typed into the editor is written doubled.
    QTextCursor cursor(&document);
    cursor.movePosition(QTextCursor::End);
    cursor.insertText("\\f0 ");
    EXPECT_EQ(
        lineTextOf(document), "\\sb90\\sa90 \\f0 \\cf0 C:\\\\TEMP\\\\\\f65 \\cf0 \\\\x\\\\f0 ");
    EXPECT_EQ(GetText(lineTextOf(document)), "C:\\TEMP\\\\x\\f0 ");
}

TEST(RichTextCodec, EmptyLinesAndNewDocuments)
{
    EXPECT_EQ(roundTrip(""), "");
    EXPECT_EQ(roundTrip("\\sb90\\sa90 "), "\\sb90\\sa90 ");
    // An empty first block of a block line stays a block.
    EXPECT_EQ(
        roundTrip("\\sb90\\sa90 \\par\r\n\\f0 \\cf0 AB"), "\\sb90\\sa90 \\par\r\n\\f0 \\cf0 AB");

    // Text typed into a new document is plain text of a line with the usual spacing.
    QTextDocument document;
    QTextCursor cursor(&document);
    cursor.insertText("Hi");
    EXPECT_EQ(lineTextOf(document), "\\sb90\\sa90 \\f0 \\cf0 Hi");
}

TEST(RichTextCodec, OtherControlWordsAreKeptWithTheirRun)
{
    EXPECT_EQ(roundTrip("\\sb90\\sa90 \\f0 \\cf0 AB\\f65 \\cf0 \\b CD"),
        "\\sb90\\sa90 \\f0 \\cf0 AB\\f65 \\cf0 \\b CD");
    // A word that ended at a backslash gets its blank, so it cannot swallow the text after it.
    EXPECT_EQ(roundTrip("\\f0 \\cf0 AB\\i\\f65 \\cf0 CD"), "\\f0 \\cf0 AB\\f65 \\cf0 \\i CD");
    // The font words of a run decide; the first "\f" of a sequence wins, as for the writer.
    EXPECT_EQ(roundTrip("\\sb90\\sa90 \\f65 \\f0 \\cf0 AB"), "\\sb90\\sa90 \\f65 \\cf0 AB");
}

TEST(RichTextCodec, SelectionsAreWrittenAsRunsAndReplacedInPlace)
{
    QTextDocument document;
    loadLineText(
        document, "\\sb90\\sa90 \\f0 \\cf0 HELLO \\f20 \\cf4 ###\\par\r\n\\qc \\f0 \\cf0 XY");
    EXPECT_EQ(
        lineTextOfRange(document, 3, 11), "\\f0 \\cf0 LO \\f20 \\cf4 ###\\par\r\n\\f0 \\cf0 X");

    // The blink toggle of the selection: the text blinks, the blinking variable stays as it is.
    QTextCursor cursor(&document);
    cursor.setPosition(3);
    cursor.setPosition(11, QTextCursor::KeepAnchor);
    insertLineText(cursor, ToggleBlink(lineTextOfRange(document, 3, 11)));
    EXPECT_EQ(cursor.selectedText(), QString("LO ###") + QChar::ParagraphSeparator + "X");
    // The second block keeps its centring; the trailing blank of the run stays steady.
    EXPECT_EQ(lineTextOf(document),
        "\\sb90\\sa90 \\f0 \\cf0 HEL\\f65 \\cf0 LO\\f0 \\cf0  \\f20 \\cf4 ###\\par\r\n"
        "\\qc \\f65 \\cf0 X\\f0 \\cf0 Y");

    // Toggled back, the text joins the plain runs around it again.
    insertLineText(cursor,
        ToggleBlink(lineTextOfRange(document, cursor.selectionStart(), cursor.selectionEnd())));
    EXPECT_EQ(lineTextOf(document),
        "\\sb90\\sa90 \\f0 \\cf0 HELLO \\f4 \\cf4 ###\\par\r\n\\qc \\f0 \\cf0 XY");
}

TEST(RichTextCodec, CharactersTheDisplayDropsDoNotTakeTheNextRunsFont)
{
    // Typed alone into a run of its own, a character above 127 gets no control words: the
    // writer passes over it, and its words would otherwise decide the font of the variable.
    QTextDocument document;
    loadLineText(document, "\\sb90\\sa90 \\f65 \\cf0 AB\\f3 \\cf4 ##");
    QTextCursor cursor(&document);
    cursor.setPosition(2);
    cursor.insertText(QString(QChar(0xE9)), runFormat(0, unusedRunNumber(document)));
    const std::string written = lineTextOf(document);
    EXPECT_EQ(written, "\\sb90\\sa90 \\f65 \\cf0 AB\xE9\\f3 \\cf4 ##");
    EXPECT_EQ(FontAtPosition(written, 3), 3);
    EXPECT_EQ(roundTrip(written), written);
}

TEST(Windows1252Codec, BytesAndStringsConvertBothWays)
{
    const std::string bytes = "caf\xE9 \x80 \x81\x9D";
    const QString text = fromWindows1252(bytes);
    EXPECT_EQ(text.at(3), QChar(0xE9));
    EXPECT_EQ(text.at(5), QChar(0x20AC));
    EXPECT_EQ(toWindows1252(text), bytes);
    // A character the set cannot hold becomes one '?', also outside the basic plane.
    EXPECT_EQ(toWindows1252(QString::fromUtf8("a\xE4\xB8\xAD\xF0\x9F\x98\x80z")), "a??z");
    EXPECT_EQ(toUtf8(fromUtf8("/tmp/\xC3\xA9t\xC3\xA9")), "/tmp/\xC3\xA9t\xC3\xA9");
}

} // namespace

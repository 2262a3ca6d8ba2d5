#include "ui/controls/richtextcodec.h"

#include "model/numberformat.h"
#include "model/richtext.h"
#include "ui/controls/windows1252codec.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <optional>
#include <vector>

namespace marquis::qt {
namespace {

// The default control words at the start of a line (the editor's paragraph spacing).
constexpr std::string_view LineSpacing = "\\sb90\\sa90 ";
constexpr std::string_view ParagraphEnd = "\\par\r\n";
// Where the document keeps the control words that open the line.
constexpr const char* LeadingWordsName = "marquisLeadingWords";

struct ParsedRun {
    long long font = PlainFont;
    std::string otherWords;
    std::string text; // Windows-1252, a literal backslash as one '\'
};

struct ParsedBlock {
    std::optional<bool> mark; // the last centring mark of the block: true "\qc", false "\ql"
    bool markBeforeFont = false;
    std::vector<ParsedRun> runs;
};

struct ParsedLine {
    std::string leadingWords;
    std::vector<ParsedBlock> blocks;
};

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// Reads a line with the control-word rules of the plain-text count: a control word runs from
// its backslash to a blank (which belongs to it), the next backslash or a line end; two
// backslashes are one literal backslash. The font of a run is the first "\f" among the control
// words in front of it, plain without one, as the script writer reads it. "\par" CR LF (or a
// bare line end) ends a block; other characters below 32 are dropped.
ParsedLine parseLineText(std::string_view rich)
{
    ParsedLine line;
    line.blocks.emplace_back();
    std::size_t p = 0;
    if (rich.starts_with("\r\n{")) {
        const std::size_t close = rich.find("}\r\n");
        p = close == std::string_view::npos ? rich.size() : close + 3;
    }

    // The control words gathered since the last visible character.
    bool gathering = false;
    std::optional<long long> font;
    std::string otherWords;
    bool textSeen = false; // visible text or a block end seen in the line
    bool fontWordSeen = false; // a font, colour or centring word seen in this block

    // A bare line end splits a run into two blocks without ending it: the text after it keeps
    // the run's font unless control words come first.
    std::optional<ParsedRun> carried;

    auto block = [&]() -> ParsedBlock& { return line.blocks.back(); };
    bool lastRunBare = false; // the last run holds only characters the display drops
    auto visible = [&](char c) {
        textSeen = true;
        // The display drops characters above 127 and the script writer passes over them, so
        // they neither end the control words gathered so far nor start a run of their own.
        if (static_cast<unsigned char>(c) > 127 &&
            (gathering || block().runs.empty() || lastRunBare)) {
            if (!lastRunBare)
                block().runs.push_back({ font.value_or(PlainFont), {}, {} });
            lastRunBare = true;
            block().runs.back().text += c;
            return;
        }
        if (gathering || block().runs.empty() || lastRunBare) {
            if (carried && !font && otherWords.empty())
                block().runs.push_back({ carried->font, carried->otherWords, {} });
            else
                block().runs.push_back({ font.value_or(PlainFont), otherWords, {} });
            gathering = false;
            font.reset();
            otherWords.clear();
            carried.reset();
            lastRunBare = false;
        }
        block().runs.back().text += c;
    };
    // Control words gathered in front of a block end still open the run after it.
    auto endBlock = [&](bool bare) {
        if (!bare)
            carried.reset();
        else if (!gathering && !block().runs.empty() && !lastRunBare)
            carried = block().runs.back();
        line.blocks.emplace_back();
        lastRunBare = false;
        gathering = false;
        textSeen = true;
        fontWordSeen = false;
    };

    while (p < rich.size()) {
        const char c = rich[p];
        const auto u = static_cast<unsigned char>(c);
        if (c == '\\' && p + 1 < rich.size() && rich[p + 1] == '\\') {
            visible('\\');
            p += 2;
        } else if (c == '\\') {
            std::size_t q = p + 1;
            while (q < rich.size() && isLetter(rich[q]))
                ++q;
            const std::string_view name = rich.substr(p + 1, q - p - 1);
            // A carriage return does not end a control word; the line feed after it does.
            while (q < rich.size() && rich[q] != ' ' && rich[q] != '\\' && rich[q] != '\n')
                ++q;
            const std::string_view parameter =
                rich.substr(p + 1 + name.size(), q - p - 1 - name.size());
            const bool blank = q < rich.size() && rich[q] == ' ';
            // A word with a carriage return inside is damage; it is not kept.
            std::string word(rich.substr(p, q - p + (blank ? 1 : 0)));
            if (word.find('\r') != std::string::npos)
                word.clear();
            p = q + (blank ? 1 : 0);
            if (!gathering && !block().runs.empty())
                gathering = true;
            carried.reset();
            if (name == "par" && parameter == "\r" && p < rich.size() && rich[p] == '\n') {
                ++p;
                endBlock(false);
            } else if (name == "f") {
                // As the script writer reads it: only "\f" with a number names the font.
                const bool numbered = !parameter.empty() &&
                    (parameter[0] == '-' || (parameter[0] >= '0' && parameter[0] <= '9'));
                if (!font && numbered)
                    font = numberValue(parameter);
                fontWordSeen = true;
            } else if (name == "cf") {
                fontWordSeen = true; // the colour follows from the font
            } else if (name == "qc" || name == "ql") {
                if (block().runs.empty())
                    block().markBeforeFont = !fontWordSeen;
                block().mark = name == "qc";
                fontWordSeen = true;
            } else if (word.empty()) {
            } else if (!textSeen && !fontWordSeen) {
                line.leadingWords += word;
            } else {
                otherWords += word;
                if (!blank)
                    otherWords += ' ';
            }
        } else if (c == '\r' && p + 1 < rich.size() && rich[p + 1] == '\n') {
            p += 2;
            endBlock(true);
        } else if (c == '\n') {
            ++p;
            endBlock(true);
        } else if (u < 32) {
            ++p;
        } else {
            visible(c);
            ++p;
        }
    }
    return line;
}

bool hasVisibleText(const QTextBlock& block)
{
    return visibleLength(block.text()) > 0;
}

std::string escaped(const QString& text)
{
    std::string out;
    for (const char c : toWindows1252(text)) {
        if (c == '\\')
            out += "\\\\";
        else if (static_cast<unsigned char>(c) >= 32)
            out += c;
    }
    return out;
}

// What tells one run from the next.
struct RunKey {
    long long font = 0;
    int run = 0;
    QString otherWords;
    bool operator==(const RunKey&) const = default;
};

RunKey keyOf(const QTextCharFormat& format)
{
    return { fontOf(format), format.intProperty(RunNumberProperty),
        format.stringProperty(OtherWordsProperty) };
}

std::string runWords(const RunKey& key)
{
    std::string words = fontControlWords(key.font);
    words += toWindows1252(key.otherWords);
    return words;
}

// Writes the characters of one block between the document positions `from` and `to`; the
// centring mark, when one is due, goes in front of the first run's font words or right after
// them. A run with nothing the display shows (only characters above 127) gets no control words:
// the script writer passes over such characters, so its words would join those of the next run
// and take its font away.
void writeBlock(std::string& out, const QTextBlock& block, int from, int to,
    const std::string& mark, bool markBeforeFont)
{
    std::vector<std::pair<RunKey, QString>> runs;
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        const int begin = std::max(fragment.position(), from);
        const int end = std::min(fragment.position() + fragment.length(), to);
        if (begin >= end)
            continue;
        QString text = fragment.text().mid(begin - fragment.position(), end - begin);
        text.remove(QChar::LineSeparator);
        const RunKey key = keyOf(fragment.charFormat());
        if (!runs.empty() && runs.back().first == key)
            runs.back().second += text;
        else
            runs.emplace_back(key, text);
    }

    if (!mark.empty() && markBeforeFont)
        out += mark;
    bool markDue = !mark.empty() && !markBeforeFont;
    for (const auto& [key, text] : runs) {
        if (visibleLength(text) > 0)
            out += runWords(key);
        if (markDue)
            out += mark;
        markDue = false;
        out += escaped(text);
    }
    if (markDue)
        out += mark;
}

std::string encode(const QTextDocument& document, int from, int to, bool whole)
{
    std::string out;
    if (whole) {
        const QVariant leading = document.property(LeadingWordsName);
        out += leading.isValid() ? toWindows1252(leading.toString()) : std::string(LineSpacing);
    }
    bool centred = false;
    bool firstBlock = true;
    for (QTextBlock block = document.findBlock(from); block.isValid(); block = block.next()) {
        if (block.position() > to)
            break;
        if (!firstBlock)
            out += ParagraphEnd;
        firstBlock = false;
        std::string mark;
        if (whole && hasVisibleText(block)) {
            const bool blockCentred = block.blockFormat().alignment() & Qt::AlignHCenter;
            if (blockCentred != centred)
                mark = blockCentred ? "\\qc " : "\\ql ";
            centred = blockCentred;
        }
        const QTextBlockFormat format = block.blockFormat();
        const bool markBeforeFont = format.hasProperty(MarkBeforeFontProperty)
            ? format.boolProperty(MarkBeforeFontProperty)
            : centred; // "\qc " opens a centred block, "\ql " goes with its first character
        writeBlock(out, block, from, to, mark, markBeforeFont);
    }
    return out;
}

QTextBlockFormat blockFormat(QTextBlockFormat format, const ParsedBlock& parsed, bool centred)
{
    format.setAlignment(centred ? Qt::AlignHCenter : Qt::AlignLeft);
    if (parsed.mark)
        format.setProperty(MarkBeforeFontProperty, parsed.markBeforeFont);
    else
        format.clearProperty(MarkBeforeFontProperty);
    return format;
}

} // namespace

QColor variableColour()
{
    return QColor(0x80, 0x00, 0x00);
}

QColor blinkingColour()
{
    return QColor(0x00, 0x40, 0xC0);
}

QTextCharFormat runFormat(long long font, int run, const QString& otherWords)
{
    QTextCharFormat format;
    format.setProperty(FontNumberProperty, font);
    format.setProperty(RunNumberProperty, run);
    if (!otherWords.isEmpty())
        format.setProperty(OtherWordsProperty, otherWords);
    if (isVariableFont(font))
        format.setForeground(variableColour());
    else if (font == BlinkingTextFont)
        format.setForeground(blinkingColour());
    else if (font != PlainFont)
        format.setForeground(Qt::gray); // a font the display does not know: the run is dropped
    if (isBlinkingFont(font)) {
        format.setFontWeight(QFont::Bold);
        format.setFontUnderline(true);
    }
    return format;
}

long long fontOf(const QTextCharFormat& format)
{
    const QVariant font = format.property(FontNumberProperty);
    return font.isValid() ? font.toLongLong() : PlainFont;
}

void loadLineText(QTextDocument& document, std::string_view rich)
{
    const ParsedLine parsed = parseLineText(rich);
    document.setProperty(LeadingWordsName, fromWindows1252(parsed.leadingWords));
    const bool undo = document.isUndoRedoEnabled();
    document.setUndoRedoEnabled(false);
    document.clear();
    QTextCursor cursor(&document);
    bool centred = false;
    int run = 1;
    for (std::size_t b = 0; b < parsed.blocks.size(); ++b) {
        const ParsedBlock& block = parsed.blocks[b];
        centred = block.mark.value_or(centred);
        const QTextBlockFormat format = blockFormat(QTextBlockFormat(), block, centred);
        if (b == 0)
            cursor.setBlockFormat(format);
        else
            cursor.insertBlock(format, QTextCharFormat());
        for (const ParsedRun& r : block.runs)
            cursor.insertText(
                fromWindows1252(r.text), runFormat(r.font, run++, fromWindows1252(r.otherWords)));
    }
    document.setUndoRedoEnabled(undo);
}

std::string lineTextOf(const QTextDocument& document)
{
    return encode(document, 0, document.characterCount(), true);
}

std::string lineTextOfRange(const QTextDocument& document, int from, int to)
{
    if (from > to)
        std::swap(from, to);
    return encode(document, std::max(from, 0), std::min(to, document.characterCount() - 1), false);
}

int unusedRunNumber(const QTextDocument& document)
{
    int highest = 0;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            highest = std::max(highest, it.fragment().charFormat().intProperty(RunNumberProperty));
    return highest + 1;
}

void insertLineText(QTextCursor& cursor, std::string_view rich)
{
    QTextDocument& document = *cursor.document();
    std::vector<QTextBlockFormat> formats;
    const QTextBlock last = document.findBlock(cursor.selectionEnd());
    for (QTextBlock block = document.findBlock(cursor.selectionStart()); block.isValid();
         block = block.next()) {
        formats.push_back(block.blockFormat());
        if (block == last)
            break;
    }

    const ParsedLine parsed = parseLineText(rich);
    int run = unusedRunNumber(document);
    cursor.beginEditBlock();
    cursor.removeSelectedText();
    const int start = cursor.position();
    // A run of the same font as the text in front of it or behind it joins that run, so that
    // turning part of a run blinking and back again leaves one run as before.
    const QTextCharFormat before = cursor.charFormat();
    QTextCursor behind = cursor;
    behind.movePosition(QTextCursor::NextCharacter);
    const bool textAfter = !cursor.atBlockEnd();
    const QTextCharFormat after = textAfter ? behind.charFormat() : QTextCharFormat();
    const bool textBefore = !cursor.atBlockStart();

    bool centred = formats.front().alignment() & Qt::AlignHCenter;
    QTextCharFormat previous; // the format of the run inserted last
    for (std::size_t b = 0; b < parsed.blocks.size(); ++b) {
        const ParsedBlock& block = parsed.blocks[b];
        if (b > 0) {
            const QTextBlockFormat& carried = formats[std::min(b, formats.size() - 1)];
            centred = block.mark.value_or(carried.alignment() & Qt::AlignHCenter);
            cursor.insertBlock(block.mark ? blockFormat(carried, block, centred) : carried);
        } else if (block.mark) {
            centred = *block.mark;
            cursor.setBlockFormat(blockFormat(cursor.blockFormat(), block, centred));
        }
        for (std::size_t k = 0; k < block.runs.size(); ++k) {
            const ParsedRun& r = block.runs[k];
            const QString otherWords = fromWindows1252(r.otherWords);
            auto sameRun = [&](const QTextCharFormat& format) {
                return fontOf(format) == r.font &&
                    format.stringProperty(OtherWordsProperty) == otherWords;
            };
            const bool firstRun = b == 0 && k == 0;
            const bool lastRun = b + 1 == parsed.blocks.size() && k + 1 == block.runs.size();
            if (firstRun && textBefore && sameRun(before))
                previous = before;
            else if (lastRun && textAfter && sameRun(after))
                previous = after;
            else if (firstRun || !sameRun(previous))
                previous = runFormat(r.font, run++, otherWords);
            cursor.insertText(fromWindows1252(r.text), previous);
        }
    }
    cursor.endEditBlock();
    const int end = cursor.position();
    cursor.setPosition(start);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
}

bool isVisibleCharacter(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80)
        return u >= 32;
    if (c.isLowSurrogate() || c == QChar::LineSeparator)
        return false; // a surrogate pair counts once, at its high half
    // Characters Windows-1252 cannot hold are written as '?'; the others are bytes above 127,
    // which the display drops.
    return toWindows1252(QString(c)) == "?";
}

int visibleLength(QStringView text)
{
    int count = 0;
    for (const QChar c : text) {
        if (c == QChar::ParagraphSeparator)
            count += 2;
        else if (isVisibleCharacter(c))
            ++count;
    }
    return count;
}

} // namespace marquis::qt

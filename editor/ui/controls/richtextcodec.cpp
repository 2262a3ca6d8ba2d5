#include "ui/controls/richtextcodec.h"

#include "model/linedocument.h"
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

// Where the document keeps the control words that open the line.
constexpr const char* LeadingWordsName = "marquisLeadingWords";

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

// The runs of one block between the document positions `from` and `to`.
std::vector<LineRun> runsOf(const QTextBlock& block, int from, int to)
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
    std::vector<LineRun> made;
    for (const auto& [key, text] : runs)
        made.push_back({ key.font, toWindows1252(key.otherWords), toWindows1252(text) });
    return made;
}

// The document's characters from `from` to `to` as a line document.
LineDocument documentOf(const QTextDocument& document, int from, int to)
{
    LineDocument line;
    const QVariant leading = document.property(LeadingWordsName);
    if (leading.isValid())
        line.leadingWords = toWindows1252(leading.toString());
    line.blocks.clear();
    for (QTextBlock block = document.findBlock(from); block.isValid(); block = block.next()) {
        if (block.position() > to)
            break;
        LineBlock& made = line.blocks.emplace_back();
        const QTextBlockFormat format = block.blockFormat();
        made.centred = format.alignment() & Qt::AlignHCenter;
        if (format.hasProperty(MarkBeforeFontProperty))
            made.markBeforeFont = format.boolProperty(MarkBeforeFontProperty);
        made.runs = runsOf(block, from, to);
    }
    if (line.blocks.empty())
        line.blocks.emplace_back();
    return line;
}

QTextBlockFormat blockFormat(QTextBlockFormat format, const LineBlock& block, bool centred)
{
    format.setAlignment(centred ? Qt::AlignHCenter : Qt::AlignLeft);
    if (block.markBeforeFont)
        format.setProperty(MarkBeforeFontProperty, *block.markBeforeFont);
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
    const LineDocument parsed = readLineDocument(rich);
    document.setProperty(LeadingWordsName, fromWindows1252(parsed.leadingWords));
    const bool undo = document.isUndoRedoEnabled();
    document.setUndoRedoEnabled(false);
    document.clear();
    QTextCursor cursor(&document);
    int run = 1;
    for (std::size_t b = 0; b < parsed.blocks.size(); ++b) {
        const LineBlock& block = parsed.blocks[b];
        const QTextBlockFormat format = blockFormat(QTextBlockFormat(), block, block.centred);
        if (b == 0)
            cursor.setBlockFormat(format);
        else
            cursor.insertBlock(format, QTextCharFormat());
        for (const LineRun& r : block.runs)
            cursor.insertText(
                fromWindows1252(r.text), runFormat(r.font, run++, fromWindows1252(r.otherWords)));
    }
    document.setUndoRedoEnabled(undo);
}

std::string lineTextOf(const QTextDocument& document)
{
    return writeLineDocument(documentOf(document, 0, document.characterCount()));
}

std::string lineTextOfRange(const QTextDocument& document, int from, int to)
{
    if (from > to)
        std::swap(from, to);
    return writeLineRuns(
        documentOf(document, std::max(from, 0), std::min(to, document.characterCount() - 1)));
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

    const LineDocument parsed = readLineDocument(rich);
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

    QTextCharFormat previous; // the format of the run inserted last
    for (std::size_t b = 0; b < parsed.blocks.size(); ++b) {
        // A block that carries its own centring mark keeps it; the others take the formats of
        // the blocks the selection spanned.
        const LineBlock& block = parsed.blocks[b];
        const bool marked = block.markBeforeFont.has_value();
        if (b > 0) {
            const QTextBlockFormat& carried = formats[std::min(b, formats.size() - 1)];
            cursor.insertBlock(marked ? blockFormat(carried, block, block.centred) : carried);
        } else if (marked) {
            cursor.setBlockFormat(blockFormat(cursor.blockFormat(), block, block.centred));
        }
        for (std::size_t k = 0; k < block.runs.size(); ++k) {
            const LineRun& r = block.runs[k];
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

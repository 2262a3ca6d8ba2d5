#pragma once

#include <QColor>
#include <QString>
#include <QStringView>
#include <QTextCharFormat>
#include <QTextFormat>
#include <string>
#include <string_view>

class QTextCursor;
class QTextDocument;

namespace marquis::qt {

// The translation between a line's LineText encoding and the QTextDocument of the line editor.
// Each run becomes text with a character format that keeps its font number and a run number
// (so neighbouring runs of one font stay apart), each block a paragraph, and the "\qc"/"\ql"
// marks the paragraphs' alignment. Writing a document back gives the encoding the script
// reader produces, so a line read from a script comes back unchanged.

// Character-format properties of a run.
inline constexpr int FontNumberProperty = QTextFormat::UserProperty + 1;
inline constexpr int RunNumberProperty = QTextFormat::UserProperty + 2;
// Control words in front of the run that the editor does not interpret; written back after the
// font words.
inline constexpr int OtherWordsProperty = QTextFormat::UserProperty + 3;
// Block-format property: the block's centring mark stands in front of its first run's font
// words (true) or right before its first character (false).
inline constexpr int MarkBeforeFontProperty = QTextFormat::UserProperty + 4;

// The colour of variable runs: colour 4 of the encoding, RGB value 128.
QColor variableColour();
// The colour of blinking text.
QColor blinkingColour();

// The character format of a run of the given font: plain text as the editor's default,
// blinking text bold and underlined in its own colour, variables in the variable colour
// (bold and underlined as well when they blink).
QTextCharFormat runFormat(long long font, int run, const QString& otherWords = {});
// The font number a character format carries (0 when it carries none).
long long fontOf(const QTextCharFormat& format);

// Replaces the document's content with a line; the undo history starts afresh.
void loadLineText(QTextDocument& document, std::string_view rich);
// The whole document in the LineText encoding.
std::string lineTextOf(const QTextDocument& document);
// The characters from `from` to `to` (document positions) as runs, each with its control
// words, blocks separated by "\par" CR LF, without centring marks.
std::string lineTextOfRange(const QTextDocument& document, int from, int to);
// Replaces the cursor's selection with rich text and selects what was inserted. New blocks take
// the formats of the blocks the selection spanned, unless the text marks their centring.
void insertLineText(QTextCursor& cursor, std::string_view rich);

// A number no run of the document uses yet.
int unusedRunNumber(const QTextDocument& document);

// Visible characters of an editor text as the encoding counts them: characters that become a
// byte from 32 to 127; a paragraph separator (as QTextCursor::selectedText gives it) counts
// two, for the CR LF of the block end.
int visibleLength(QStringView text);
bool isVisibleCharacter(QChar c);

} // namespace marquis::qt

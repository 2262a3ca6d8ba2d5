#include "model/scriptreader.h"

#include "model/checkvalues.h"
#include "model/modelfailure.h"
#include "model/numberformat.h"
#include "model/richtext.h"
#include "model/scriptformat.h"

#include <algorithm>
#include <cstdlib>

namespace marquis {
namespace {

// Widths and decimals beyond any display line come only from damaged texts.
constexpr long long MaxFieldWidth = 255;

// The statement, after its indent, opens with `keyword`. Statements are recognised by their
// opening keyword, so display text that spells a statement inside a PRINT string stays text.
bool opensWith(std::string_view statement, std::string_view keyword)
{
    return script::withoutIndent(statement).starts_with(keyword);
}

bool atColumnFive(std::string_view statement, std::string_view keyword)
{
    return statement.size() > 4 && statement.substr(4).starts_with(keyword);
}

void appendToList(std::string& list, const std::string& entry)
{
    if (!list.empty())
        list += ',';
    list += entry;
}

void setIfEmpty(std::string& field, const std::string& value)
{
    if (field.empty())
        field = value;
}

bool isBlinkOn(std::string_view state)
{
    return state == "1" || state == "ON";
}
bool isBlinkOff(std::string_view state)
{
    return state.empty() || state == "-1" || state == "OFF";
}

// The font of a variable with the given blink state and width; -1 when it is dropped.
long long variableFont(long long variable, std::string_view blink, long long width)
{
    if (variable < 1 || variable > 16)
        return -1;
    if (isBlinkOn(blink) && width < 0)
        return variable + 48;
    if (isBlinkOff(blink) && width < 0)
        return variable + 32;
    if (isBlinkOn(blink) && width > 0)
        return variable + 16;
    if (isBlinkOff(blink) && width >= 1)
        return variable;
    return -1;
}

void appendPlaceholders(std::string& text, std::string_view placeholder, long long count)
{
    for (long long k = 0; k < std::clamp(count, 0LL, MaxFieldWidth); ++k)
        text += placeholder;
}

// Reads a send text from a PRINT string: a backslash before a backslash or before a quote that
// is not the closing one stands for that character.
std::string sendText(std::string_view string)
{
    std::string text;
    for (std::size_t p = 0; p < string.size(); ++p) {
        const char c = string[p];
        if (c == '\\' && p + 1 < string.size() && string[p + 1] == '\\') {
            text += '\\';
            ++p;
        } else if (c == '\\' && p + 1 < string.size() && string[p + 1] == '"' &&
            string.find('"', p + 2) != std::string_view::npos) {
            text += '"';
            ++p;
        } else if (c == '"') {
            break;
        } else {
            text += c;
        }
    }
    return text;
}

std::string_view withoutLineEnd(std::string_view statement)
{
    while (!statement.empty() && (statement.back() == '\n' || statement.back() == '\r'))
        statement.remove_suffix(1);
    return statement;
}

void endBlock(EditLine& line, std::string& buffer, bool& commentSeen, bool& centred,
    std::string_view placeholder)
{
    line.LineText += ScriptReader::GetCenter(ScriptReader::ReadDoLine(buffer, placeholder),
        commentSeen, !line.LineScroll.empty(), centred);
    buffer.clear();
    commentSeen = false;
}

bool endsWithParagraph(const std::string& text)
{
    return rightTrimmed(text).ends_with(script::ParagraphEnd);
}

} // namespace

ScriptReader::ScriptReader(CheckValueSource& checkValues, UserInterface& ui)
    : m_checkValues(checkValues)
    , m_ui(ui)
{
}

void ScriptReader::ReadFields(CurrentMessage& message)
{
    message.clearAttributes();
    CheckCurrentMessage(message, m_checkValues, m_ui);
    if (message.ScriptEditOnly)
        return;
    const BusyNotice notice(m_ui, "Reading message " + withLeadingBlank(message.MessageNumber));
    guarded("ReadFields", [&] {
        const int lines = std::clamp<int>(message.UnitLines, 0, MaxUnitLines);
        message.OutputDevice = ChkDevice(message.MessageScript);

        long long k = 0;
        bool inside = false;
        for (const std::string_view statement : script::statementLines(message.MessageScript)) {
            if (!inside) {
                inside = statement.starts_with("SUB");
                continue;
            }
            if (statement.starts_with("END SUB"))
                break;
            if (statement.starts_with("LINE")) {
                // A label outside 0..4 comes only from a hand-edited text; it is ignored.
                const long long label = numberValue(statement.substr(4));
                if (label < 0 || label > MaxUnitLines)
                    continue;
                k = label;
                message.Lines[static_cast<std::size_t>(k)].LineLabel = static_cast<std::int16_t>(k);
            }
            if (k >= 1 && k <= lines)
                message.line(static_cast<int>(k)).LineScript += statement;

            if (atColumnFive(statement, "CLS")) {
                message.ClearScreen = "CLS";
            } else if (atColumnFive(statement, "CALL RELAY(")) {
                setIfEmpty(message.RelayState, ChkLine(statement, "CALL RELAY", '(', ')'));
            } else if (atColumnFive(statement, "CALL LOCK_BUFFER(")) {
                if (message.LockOn.empty()) {
                    message.LockOn = ChkLine(statement, "CALL LOCK_BUFFER", '(', ')');
                    message.LockOff = message.LockOn.empty() ? "" : "OFF";
                }
            } else if (atColumnFive(statement, "CALL START_SCRIPT(")) {
                const std::string entry = ChkLine(statement, "START_SCRIPT", '(', ')');
                // The writer's comment tells the two lists apart; without it, a start that
                // follows any other statement runs on the same task.
                bool sameTask = !message.OutputDevice.empty() || !message.RelayState.empty() ||
                    !message.ClearScreen.empty() || k >= 1;
                if (statement.find(script::StartSameComment) != std::string_view::npos)
                    sameTask = true;
                else if (statement.find(script::StartOtherComment) != std::string_view::npos)
                    sameTask = false;
                appendToList(sameTask ? message.StartSameTask : message.StartOtherTask, entry);
            }
        }
        for (int i = 1; i <= lines; ++i)
            if (message.line(i).LineLabel == 0)
                message.line(i).LineLabel = static_cast<std::int16_t>(i);
        for (int i = 1; i <= lines; ++i)
            ReadLines(message, i);
    });
}

void ScriptReader::ReadLines(CurrentMessage& message, int i)
{
    guarded("ReadLines", [&] {
        EditLine& line = message.line(i);
        line.LineText = "\\sb90\\sa90 ";
        bool centred = false;
        bool commentSeen = false;
        std::string cursor;
        std::string buffer;
        for (const std::string_view statement : script::statementLines(line.LineScript)) {
            const std::string_view call = script::withoutIndent(statement);
            if (call.starts_with("CALL FONT_SET("))
                setIfEmpty(line.LineFont, ChkLine(call, "CALL FONT_SET", '(', ')'));
            else if (call.starts_with("CALL BLINK("))
                setIfEmpty(line.LineBlink, ChkLine(call, "CALL BLINK", '(', ')'));
            else if (call.starts_with("CALL SCROLL("))
                setIfEmpty(line.LineScroll, ChkLine(call, "CALL SCROLL", '(', ')'));
            else if (call.starts_with("CALL WAIT("))
                setIfEmpty(message.BlockWait, ChkLine(call, "CALL WAIT", '(', ')'));
            else if (call.starts_with("CALL GOTO_MARKER("))
                setIfEmpty(line.LineBlock, ChkLine(call, "CALL GOTO_MARKER", '(', ')'));
            else if (call.starts_with("CALL CURSOR("))
                setIfEmpty(cursor, ChkLine(call, "CALL CURSOR", '(', ')'));
            else if (statement.starts_with("// Center"))
                commentSeen = true;

            buffer += statement;
            if (call.starts_with("CALL WAIT(")) {
                endBlock(line, buffer, commentSeen, centred, message.PlaceholderChar);
                if (!endsWithParagraph(line.LineText))
                    line.LineText += script::ParagraphEnd;
            }
        }
        endBlock(line, buffer, commentSeen, centred, message.PlaceholderChar);
        if (endsWithParagraph(line.LineText)) {
            const std::string_view text = rightTrimmed(line.LineText);
            line.LineText = std::string(text.substr(0, text.size() - script::ParagraphEnd.size()));
        }

        if (!line.LineBlock.empty()) {
            message.BlockScrollOn = !cursor.empty();
            message.VerticalScrollOn = cursor.empty();
        }
    });
}

std::string ScriptReader::ReadDoLine(std::string_view buffer, std::string_view placeholder)
{
    return guarded("ReadDoLine", [&] {
        std::string result;
        std::string blink;
        long long variable = 0;
        while (!buffer.empty()) {
            const std::size_t cr = buffer.find('\r');
            const std::string_view statement = buffer.substr(0, cr);
            buffer.remove_prefix(cr == std::string_view::npos ? buffer.size() : cr + 1);
            if (buffer.starts_with('\n'))
                buffer.remove_prefix(1);
            const std::string_view call = script::withoutIndent(statement);

            if (call.starts_with("CALL BLINK")) {
                if (const std::string argument = ChkLine(statement, "CALL BLINK", '(', ')');
                    !argument.empty()) {
                    const std::size_t comma = argument.find(',');
                    blink = comma == std::string::npos ? argument : argument.substr(comma + 1);
                    continue;
                }
            }
            if (call.starts_with("LET")) {
                if (const std::string let = ChkLet(statement); !let.empty()) {
                    variable = numberValue(let.substr(0, let.find(',')));
                    continue;
                }
            }
            if (call.starts_with("PRINT USING")) {
                if (const std::string using_ = ChkLine(statement, "PRINT USING", '(', ')');
                    !using_.empty()) {
                    const std::size_t comma = using_.find(',');
                    const long long format =
                        std::clamp(numberValue(using_.substr(0, comma)), 0LL, 16 * MaxFieldWidth);
                    const std::string_view fill = comma == std::string::npos
                        ? std::string_view {}
                        : std::string_view(using_).substr(comma + 1);
                    long long width = format % 16 - 1;
                    const long long decimals = format / 16;
                    if (fill == "2")
                        width = -width;
                    const long long font = variableFont(variable, blink, width);
                    if (font >= 0) {
                        result += fontControlWords(font);
                        appendPlaceholders(result, placeholder, std::llabs(width) - decimals);
                        result += '.';
                        appendPlaceholders(result, placeholder, decimals);
                    }
                    continue;
                }
            }
            if (call.starts_with("PRINT VAR")) {
                if (const std::string var = ChkLine(statement, "PRINT VAR", '(', ')');
                    !var.empty()) {
                    const std::size_t comma = var.find(',');
                    variable = numberValue(var.substr(0, comma));
                    const long long width =
                        comma == std::string::npos ? 0 : numberValue(var.substr(comma + 1));
                    const long long font = variableFont(variable, blink, width);
                    if (font >= 0) {
                        result += fontControlWords(font);
                        appendPlaceholders(result, placeholder, std::llabs(width));
                    }
                    continue;
                }
            }
            if (call.starts_with("PRINT")) {
                if (const std::string text = ChkLine(statement, "PRINT", '"', '"'); !text.empty()) {
                    if (isBlinkOn(blink) || isBlinkOff(blink)) {
                        result += fontControlWords(isBlinkOn(blink) ? BlinkingTextFont : PlainFont);
                        result += text;
                    }
                }
            }
        }
        return result;
    });
}

std::string ScriptReader::GetCenter(
    std::string_view block, bool centreCommentSeen, bool lineScrolled, bool& centred)
{
    return guarded("GetCenter", [&] {
        std::string text(block);
        const std::size_t plain = plainLength(text);
        if (plain == 0)
            return text;
        std::size_t position = firstVisiblePosition(text);
        if (centreCommentSeen && !lineScrolled) {
            // The writer's centring blanks are a run of their own, as many as centre the rest
            // of the block; they are dropped together with the control words in front.
            std::size_t end = position;
            while (end < text.size() && text[end] == ' ')
                ++end;
            const bool runOfBlanks = end < text.size() && text[end] == '\\' &&
                !(end + 1 < text.size() && text[end + 1] == '\\');
            const std::size_t blanks = end - position;
            const std::size_t rest = plain - std::min(plain, blanks);
            if (blanks > 0 && runOfBlanks && rest >= 1 &&
                rest < static_cast<std::size_t>(DisplayWidth) &&
                blanks == (DisplayWidth - rest) / 2) {
                text.erase(0, end);
                position = 0;
            }
            if (!centred) {
                text.insert(position, "\\qc ");
                centred = true;
            }
        } else if (centred && plain < static_cast<std::size_t>(DisplayWidth)) {
            // Blocks of 20 or more characters leave the centring as it was, as the writer does.
            text.insert(position, "\\ql ");
            centred = false;
        }
        return text;
    });
}

std::string ChkLine(std::string_view statement, std::string_view keyword, char open, char close)
{
    return guarded("ChkLine", [&] {
        const std::size_t at = statement.find(keyword);
        if (at == std::string_view::npos)
            return std::string {};
        const std::size_t start = statement.find(open, at + keyword.size());
        if (start == std::string_view::npos)
            return std::string {};
        std::string text;
        for (std::size_t p = start + 1; p < statement.size(); ++p) {
            const char c = statement[p];
            if (c == close) {
                if (close == '"' && !text.empty() && text.back() == '\\' &&
                    statement.find('"', p + 1) != std::string_view::npos) {
                    text.back() = '"';
                    continue;
                }
                return text;
            }
            text += c;
        }
        return std::string {};
    });
}

std::string ChkLet(std::string_view statement)
{
    return guarded("ChkLet", [&] {
        const std::size_t let = statement.find("LET");
        if (let == std::string_view::npos)
            return std::string {};
        const std::size_t var = statement.find("VAR", let + 3);
        if (var == std::string_view::npos)
            return std::string {};
        return ChkLine(statement.substr(var), "VAR", '(', ')');
    });
}

std::string ChkDevice(std::string_view messageText)
{
    return guarded("ChkDevice", [&] {
        if (messageText.find("OUTPUT_DEVICE(") == std::string_view::npos)
            return std::string {};
        // The send statements are recognised as statements, so display text that spells them
        // inside a PRINT string does not count.
        const std::vector<std::string_view> statements = script::statementLines(messageText);
        for (std::size_t k = 0; k < statements.size(); ++k) {
            if (!opensWith(statements[k], "CALL OUTPUT_DEVICE(SERIAL)"))
                continue;
            bool closed = false;
            for (std::size_t m = k + 1; m < statements.size() && !closed; ++m)
                closed = opensWith(statements[m], "CALL OUTPUT_DEVICE(DISPLAY)");
            if (!closed || k + 1 >= statements.size() || !opensWith(statements[k + 1], "PRINT"))
                return std::string {};
            const std::string_view print = withoutLineEnd(statements[k + 1]);
            const std::size_t quote = print.find('"');
            if (quote == std::string_view::npos)
                return std::string {};
            return std::string(rightTrimmed(sendText(print.substr(quote + 1))));
        }
        for (const std::string_view statement : statements)
            if (opensWith(statement, "CALL OUTPUT_DEVICE(HOST)"))
                return std::string("HOST");
        return std::string {};
    });
}

} // namespace marquis

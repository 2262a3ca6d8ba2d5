#include "files/printedmessage.h"

#include "model/numberformat.h"
#include "model/richtext.h"
#include "model/scriptformat.h"
#include "model/scriptreader.h"

#include <string>

namespace marquis {
namespace {

constexpr std::string_view LineIndent = "    ";
constexpr std::string_view LabelIndent = "        ";
constexpr std::string_view TextIndent = "            ";

PrintLine indented(std::string_view indent, std::string_view text)
{
    return { { std::string(indent) + printableText(text), PrintStyle::Normal } };
}

PrintLine subLine(std::string_view line, int number, PrintMode mode)
{
    const std::size_t paren = line.find('(');
    if (paren == std::string_view::npos)
        return indented(LineIndent, line);
    if (mode == PrintMode::Complete)
        return { { std::string(LineIndent), PrintStyle::Normal },
            { printableText(line.substr(0, paren)), PrintStyle::Bold },
            { printableText(line.substr(paren)), PrintStyle::Normal } };
    return { { std::string(LineIndent), PrintStyle::Normal },
        { "Message=" + withLeadingBlank(number) + std::string(LineIndent), PrintStyle::Bold },
        { printableText(line.substr(paren + 1, 6)), PrintStyle::Normal } };
}

// The display texts of a SUB text's statements. A block ends where the next one begins: at a
// bare PRINT (a vertically played line), at a CURSOR call (a horizontally played one, and every
// line's start) and after a pause. The send statements carry no display text.
class TextOnlyLines {
public:
    TextOnlyLines(
        std::string_view subText, std::string_view placeholder, std::vector<PrintLine>& lines)
        : m_subText(subText)
        , m_placeholder(placeholder)
        , m_lines(lines)
    {
    }

    void statement(std::string_view statement)
    {
        const std::string_view call = script::withoutIndent(statement);
        if (m_sending) {
            m_sending = !call.starts_with("CALL OUTPUT_DEVICE(DISPLAY)");
            return;
        }
        if (call.starts_with("CALL OUTPUT_DEVICE(SERIAL)")) {
            endBlock();
            m_sending = true;
            if (!m_sendShown) {
                m_sendShown = true;
                const std::string send = ChkDevice(m_subText);
                if (!send.empty() && send != "HOST")
                    m_lines.push_back(indented(LabelIndent, "Send text: " + send));
            }
            return;
        }
        if (statement.starts_with("LINE")) {
            endBlock();
            m_lines.push_back(indented(LabelIndent, rightTrimmed(statement)));
            return;
        }
        if (trimmed(call) == "PRINT" || call.starts_with("CALL CURSOR(")) {
            endBlock();
            return;
        }
        m_buffer += statement;
        m_buffer += script::CrLf;
        if (call.starts_with("CALL WAIT("))
            endBlock();
    }

    void endBlock()
    {
        const std::string text = GetText(ScriptReader::ReadDoLine(m_buffer, m_placeholder));
        m_buffer.clear();
        if (!rightTrimmed(text).empty())
            m_lines.push_back(indented(TextIndent, rightTrimmed(text)));
    }

private:
    std::string_view m_subText;
    std::string_view m_placeholder;
    std::vector<PrintLine>& m_lines;
    std::string m_buffer;
    bool m_sending = false;
    bool m_sendShown = false;
};

} // namespace

std::vector<std::string_view> textLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find_first_of("\r\n");
        lines.push_back(text.substr(0, end));
        if (end == std::string_view::npos)
            break;
        const std::size_t next = text.compare(end, 2, "\r\n") == 0 ? end + 2 : end + 1;
        text.remove_prefix(next);
    }
    return lines;
}

std::vector<PrintLine> printedMessage(
    std::string_view subText, int number, PrintMode mode, std::string_view placeholder)
{
    std::vector<PrintLine> lines;
    TextOnlyLines textOnly(subText, placeholder, lines);
    bool seenSub = false;
    for (const std::string_view line : textLines(subText)) {
        if (!seenSub && line.starts_with("SUB")) {
            seenSub = true;
            lines.push_back(subLine(line, number, mode));
        } else if (mode == PrintMode::Complete) {
            lines.push_back(indented(LineIndent, line));
        } else if (seenSub) {
            if (line.starts_with("END SUB"))
                break;
            textOnly.statement(line);
        }
    }
    if (mode == PrintMode::TextOnly)
        textOnly.endBlock();
    return lines;
}

} // namespace marquis

#include "ui/quickedit/scripttext.h"

#include "files/recordreader.h"
#include "model/numberformat.h"
#include "model/windows1252.h"

#include <vector>

namespace marquis {
namespace {

constexpr std::string_view Utf8Mark = "\xEF\xBB\xBF";

// The lines of a text whose lines may end in CR LF, CR or LF alone.
std::vector<std::string_view> linesOf(std::string_view text)
{
    std::vector<std::string_view> lines;
    std::size_t begin = 0;
    while (begin < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", begin);
        if (end == std::string_view::npos) {
            lines.push_back(text.substr(begin));
            break;
        }
        lines.push_back(text.substr(begin, end - begin));
        begin = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    return lines;
}

bool isBlank(std::string_view line)
{
    return line.find_first_not_of(" \t") == std::string_view::npos;
}

bool isSubLine(std::string_view line)
{
    return line.starts_with("SUB");
}

bool isEndLine(std::string_view line)
{
    return line.starts_with("END SUB");
}

std::string refusal(int n, std::string_view why)
{
    return "The script text of message" + withLeadingBlank(n) + " " + std::string(why) +
        " It stays in Script Edit until it is corrected.";
}

// Why the lines cannot be kept as message n; "" when they can.
std::string problemOf(const std::vector<std::string_view>& lines, int n)
{
    const std::string subLine = "\"SUB " + std::to_string(n) + "(\"";
    std::size_t subs = 0;
    std::size_t ends = 0;
    for (const std::string_view line : lines) {
        subs += isSubLine(line) ? 1 : 0;
        ends += isEndLine(line) ? 1 : 0;
    }
    if (subs == 0)
        return refusal(n, "has no line " + subLine + ". Every message begins with its SUB line.");
    if (subs > 1)
        return refusal(n,
            "holds more than one line beginning with \"SUB\". A message holds one SUB line; "
            "lines of its body must not begin with \"SUB\".");
    if (ends == 0)
        return refusal(n, "has no line \"END SUB\". Every message ends with it.");
    if (ends > 1)
        return refusal(n, "holds more than one line beginning with \"END SUB\".");
    if (!isSubLine(lines.front()))
        return refusal(n,
            "has text before its SUB line. Only the text from the SUB line to \"END SUB\" is "
            "kept with the message.");
    if (!isEndLine(lines.back()))
        return refusal(n,
            "has text after \"END SUB\". Only the text from the SUB line to \"END SUB\" is kept "
            "with the message.");
    const std::optional<long long> number = subLineNumber(lines.front());
    if (!number)
        return refusal(n, "has a SUB line without \"(\". It must begin with " + subLine + ".");
    if (*number != n)
        return refusal(n,
            "begins with \"SUB " + std::to_string(*number) + "(\", the line of message " +
                std::to_string(*number) + ". Change it to " + subLine +
                " to keep the text as message " + std::to_string(n) + ".");
    return "";
}

} // namespace

ScriptTextDecision checkScriptText(std::string_view text, int messageNumber)
{
    ScriptTextDecision decision;
    std::string decoded;
    if (text.starts_with(Utf8Mark)) {
        text.remove_prefix(Utf8Mark.size());
        if (const std::optional<std::string> converted = utf8ToWindows1252(text)) {
            decoded = *converted;
            text = decoded;
        } else {
            decision.text = std::string(text);
            decision.message = refusal(messageNumber,
                "was saved as UTF-8 with characters this program cannot keep. Save it with "
                "the characters of Windows-1252 only.");
            return decision;
        }
    }

    std::vector<std::string_view> lines = linesOf(text);
    std::size_t first = 0;
    std::size_t last = lines.size();
    while (first < last && isBlank(lines[first]))
        ++first;
    while (last > first && isBlank(lines[last - 1]))
        --last;
    lines = std::vector<std::string_view>(lines.begin() + static_cast<std::ptrdiff_t>(first),
        lines.begin() + static_cast<std::ptrdiff_t>(last));
    for (const std::string_view line : lines) {
        decision.text += line;
        decision.text += "\r\n";
    }
    if (lines.empty()) {
        decision.verdict = ScriptTextDecision::Verdict::Empty;
        return decision;
    }
    if (decision.text.size() > MaxScriptBytes) {
        decision.message = refusal(messageNumber,
            "is" + withLeadingBlank(static_cast<long long>(decision.text.size())) +
                " bytes long. Max. possible " + std::to_string(MaxScriptBytes) + " bytes.");
        return decision;
    }
    decision.message = problemOf(lines, messageNumber);
    if (decision.message.empty())
        decision.verdict = ScriptTextDecision::Verdict::Accepted;
    return decision;
}

std::string scriptLengthOnFocus(std::size_t length)
{
    return "Total length of this script is" + withLeadingBlank(static_cast<long long>(length)) +
        " bytes. Max. possible  30000 bytes.";
}

std::string scriptLengthAfterKey(std::size_t length)
{
    return "Total length of this script is" + withLeadingBlank(static_cast<long long>(length)) +
        " bytes. Max. possible 30000 bytes.";
}

std::string advEditCaption(bool scriptEditMode, bool scriptEditOnly)
{
    if (scriptEditOnly)
        return "&Script Edit Only";
    return scriptEditMode ? "&Go to Quick Edit" : "&Go to Script Edit";
}

std::string advEditStatus(bool scriptEditMode, bool externalEditor)
{
    if (scriptEditMode)
        return "Click on this button or press Alt-G to return to Quick Edit window with the "
               "current message.";
    if (externalEditor)
        return "Click on this button or press Alt-G to start previously selected Script Editor "
               "with the current message.";
    return "Click on this button or press Alt-G to open Script Edit window with the current "
           "message.";
}

std::string scriptEditOnlyStatus(int messageNumber)
{
    return "Message" + withLeadingBlank(messageNumber) +
        " was changed outside this program and can be edited in Script Edit only.";
}

} // namespace marquis

#include "model/checkvalues.h"

#include "model/modelfailure.h"
#include "model/numberformat.h"
#include "model/scriptformat.h"

#include <algorithm>
#include <optional>

namespace marquis {
namespace {

struct SubParts {
    bool hasSubLine = false;
    std::optional<int> task;
    std::optional<std::int32_t> storedCheck;
    std::string_view body; // the body lines follow each other in the text
};

SubParts partsOf(std::string_view subText)
{
    SubParts parts;
    std::size_t bodyBegin = subText.size();
    std::size_t bodyEnd = subText.size();
    for (const std::string_view statement : script::statementLines(subText)) {
        if (!parts.hasSubLine) {
            if (!statement.starts_with("SUB"))
                continue;
            parts.hasSubLine = true;
            const std::string_view header = statement.substr(0, statement.find(script::CrLf));
            if (const std::size_t t = header.find("TASK="); t != std::string_view::npos) {
                const char digit = t + 5 < header.size() ? header[t + 5] : ' ';
                parts.task = digit >= '0' && digit <= '3' ? digit - '0' : 0;
            }
            if (const std::size_t c = header.find("CRC value ="); c != std::string_view::npos) {
                const std::string_view value = trimmed(header.substr(c + 11));
                long long number = 0;
                if (parseWholeNumber(value, number))
                    parts.storedCheck = static_cast<std::int32_t>(number);
            }
            bodyBegin =
                static_cast<std::size_t>(statement.data() + statement.size() - subText.data());
            continue;
        }
        if (statement.starts_with("END SUB")) {
            bodyEnd = static_cast<std::size_t>(statement.data() - subText.data());
            break;
        }
    }
    parts.body = subText.substr(bodyBegin, bodyEnd - bodyBegin);
    return parts;
}

// The body of a message without content: an empty label for every display line.
bool isEmptyBody(std::string_view body, int unitLines)
{
    constexpr std::size_t labelLength = 10; // CR LF "LINEn:" CR LF
    if (body.size() != labelLength * static_cast<std::size_t>(std::max(unitLines, 0)) + 2)
        return false;
    return body == BodyOfSub(EmptyMessageText(0, 0, unitLines));
}

} // namespace

std::int32_t CheckValueOfBody(CheckValueSource& source, std::string_view body)
{
    return source.checkValueOf(body);
}

std::string EmptyMessageText(int number, int task, int unitLines)
{
    std::string text = "SUB " + std::to_string(number) + "(TASK=" + std::to_string(task) + ")";
    text += script::CrLf;
    for (int i = 1; i <= unitLines; ++i)
        text += "\r\nLINE" + std::to_string(i) + ":\r\n";
    text += "\r\nEND SUB\r\n";
    return text;
}

std::string BodyOfSub(std::string_view subText)
{
    return std::string(partsOf(subText).body);
}

std::string SubHeader(int number, int task, std::int32_t checkValue)
{
    std::string header = "SUB " + std::to_string(number) + "(TASK=" + std::to_string(task) + ")";
    header += script::CrcComment;
    header += withLeadingBlank(checkValue);
    header += script::CrLf;
    return header;
}

void CheckCurrentMessage(CurrentMessage& message, CheckValueSource& source, UserInterface& ui)
{
    guarded("CheckCurrentMessage", [&] {
        ui.status("Performing CRC check on message " + withLeadingBlank(message.MessageNumber));
        const SubParts parts = partsOf(message.MessageScript);
        if (parts.task)
            message.setTask(*parts.task);

        const std::int32_t computed =
            isEmptyBody(parts.body, message.UnitLines) ? 0 : CheckValueOfBody(source, parts.body);

        // A text with no SUB line at all is not a message this editor wrote; it is shown as
        // text rather than read as an empty message, which storing would then delete.
        const bool foreign = !parts.hasSubLine &&
            message.MessageScript.find_first_not_of(" \r\n") != std::string::npos;
        message.ScriptEditOnly =
            foreign || (computed != 0 && (!parts.storedCheck || computed != *parts.storedCheck));
        ui.status("");
    });
}

} // namespace marquis

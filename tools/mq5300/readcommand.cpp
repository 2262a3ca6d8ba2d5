#include "commanderror.h"
#include "commands.h"
#include "files/recordreader.h"
#include "messagechecks.h"
#include "messagejson.h"
#include "model/crccomponent.h"
#include "model/numberformat.h"
#include "model/richtext.h"
#include "model/scriptformat.h"
#include "model/scriptreader.h"
#include "ports/userinterface.h"
#include "requirecomponent.h"
#include "textio.h"

#include <optional>

namespace marquis::cli {
namespace {

struct ReadOptions {
    std::optional<long long> number;
    std::optional<int> lines;
    std::optional<std::string> placeholder;
};

[[noreturn]] void fail(const std::string& text)
{
    throw CommandError("read: " + text);
}

template <typename T> void setOnce(std::optional<T>& option, T value, std::string_view name)
{
    if (option)
        fail(std::string(name) + " is given twice");
    option = std::move(value);
}

// "--name value" and "--name=value" are both taken.
ReadOptions readOptions(Arguments arguments)
{
    ReadOptions options;
    for (std::size_t k = 0; k < arguments.size(); ++k) {
        std::string_view name = arguments[k];
        std::optional<std::string_view> value;
        if (const std::size_t equals = name.find('=');
            name.starts_with("--") && equals != std::string_view::npos) {
            value = name.substr(equals + 1);
            name = name.substr(0, equals);
        }
        if (name != "--number" && name != "--lines" && name != "--placeholder")
            fail("unknown option \"" + printable(name) + "\"");
        if (!value) {
            if (k + 1 == arguments.size())
                fail(std::string(name) + " needs a value");
            value = arguments[++k];
        }
        if (name == "--number") {
            long long number = 0;
            if (!parseWholeNumber(*value, number) || !isMessageNumber(number))
                fail("--number must be a message number 0.." + std::to_string(MessageCount - 1));
            setOnce(options.number, number, name);
        } else if (name == "--lines") {
            if (*value != "2" && *value != "4")
                fail("--lines must be 2 or 4");
            setOnce(options.lines, *value == "2" ? 2 : 4, name);
        } else {
            std::string placeholder = windows1252From(*value, "--placeholder");
            checkPlaceholder(placeholder, "--placeholder");
            setOnce(options.placeholder, std::move(placeholder), name);
        }
    }
    if (!options.number)
        fail("--number N is required: the number of the message read");
    return options;
}

// The number in the text's SUB line, when it has one.
std::optional<long long> numberInText(std::string_view text)
{
    for (const std::string_view statement : script::statementLines(text))
        if (statement.starts_with("SUB"))
            return subLineNumber(statement);
    return std::nullopt;
}

CurrentMessage readMessage(CheckValueSource& checkValues, const std::string& text, int number,
    int lines, const std::string& placeholder)
{
    SilentUserInterface ui;
    ScriptReader reader(checkValues, ui);
    CurrentMessage message;
    message.MessageNumber = static_cast<std::int16_t>(number);
    message.UnitLines = static_cast<std::int16_t>(lines);
    message.PlaceholderChar = placeholder;
    message.MessageScript = text;
    reader.ReadFields(message);
    return message;
}

} // namespace

int readCommand(Arguments arguments)
{
    const ReadOptions options = readOptions(arguments);
    const int number = static_cast<int>(*options.number);
    const int lines = options.lines.value_or(MaxUnitLines);
    const std::string placeholder = options.placeholder.value_or("#");

    const std::string text = windows1252From(readStandardInput(), "standard input");
    if (const std::optional<long long> inText = numberInText(text); inText && *inText != number)
        fail("the text is message " + std::to_string(*inText) + ", not --number " +
            std::to_string(number));

    CrcComponent component(toolsFolder());
    requireComponent(component);
    const CurrentMessage message = readMessage(component, text, number, lines, placeholder);

    // A 2-line reading skips the text of lines 3 and 4; fields without it would write a
    // different message, so such a text is refused rather than read in part.
    if (lines < MaxUnitLines && !message.ScriptEditOnly) {
        const CurrentMessage whole = readMessage(component, text, number, MaxUnitLines, "#");
        for (int i = lines + 1; i <= MaxUnitLines; ++i)
            if (!GetText(whole.line(i).LineText).empty())
                fail("the text shows line " + std::to_string(i) + ", which a unit of " +
                    std::to_string(lines) + " lines does not have; use --lines 4");
    }
    writeStandardOutput(messageToJson(message));
    return 0;
}

} // namespace marquis::cli

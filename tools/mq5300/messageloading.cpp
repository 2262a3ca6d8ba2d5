#include "messageloading.h"

#include "commanderror.h"
#include "files/preferences.h"
#include "model/numberformat.h"
#include "textio.h"

#include <cstdio>

namespace marquis::cli {

const CurrentMessage& loadFileMessage(ScriptSession& opened, int number)
{
    EditorSession& session = opened.session();
    if (!isMessageNumber(number) ||
        session.store().MessageState.at(static_cast<std::size_t>(number)) == Absent)
        throw CommandError("message " + std::to_string(number) + " is not in " + opened.name());
    // Variables show in the placeholder of the editor's default settings, as a freshly set-up
    // editor shows them.
    session.preferences().PlaceholderChar =
        defaultPreferences(session.folders().program).PlaceholderChar;
    session.message().PlaceholderChar = session.preferences().PlaceholderChar;
    session.store().LoadMessage(number);
    session.reader().ReadFields(session.message());
    for (const std::string& text : opened.ui().messages)
        std::fprintf(stderr, "mq5300: %s\n", text.c_str());
    opened.ui().messages.clear();
    return session.message();
}

long long numberOption(
    std::string_view option, std::string_view text, long long lowest, long long highest)
{
    long long value = 0;
    if (!parseWholeNumber(text, value) || value < lowest || value > highest)
        throw CommandError(std::string(option) + " takes a number from " + std::to_string(lowest) +
            " to " + std::to_string(highest) + ", not \"" + printable(text) + "\"");
    return value;
}

} // namespace marquis::cli

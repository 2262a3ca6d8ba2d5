#include "scriptarguments.h"

#include "commanderror.h"
#include "textio.h"

namespace marquis::cli {

std::string readScriptFileArguments(
    std::string_view command, Arguments arguments, const OptionTaker& take)
{
    const std::string name(command);
    std::string source;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view word = arguments[i];
        const std::function<std::string_view()> value = [&]() -> std::string_view {
            if (i + 1 >= arguments.size())
                throw CommandError(std::string(word) + " needs a value");
            return arguments[++i];
        };
        if (word.starts_with("-")) {
            if (!take(word, value))
                throw CommandError("unknown option \"" + printable(word) + "\" for " + name);
        } else if (source.empty()) {
            source = word;
        } else {
            throw CommandError(name + " takes one script file");
        }
    }
    if (source.empty())
        throw CommandError(name + " takes a script file");
    return source;
}

} // namespace marquis::cli

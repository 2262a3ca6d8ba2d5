#include "scriptcode/toolarguments.h"

#include "scriptcode/lexer.h"
#include "scriptcode/textfile.h"

namespace marquis::unit {

std::optional<std::vector<std::string>> expandListFile(
    const std::vector<std::string>& arguments, std::string& error)
{
    if (arguments.size() != 1 || !arguments[0].starts_with('@'))
        return arguments;
    const std::string listFile = arguments[0].substr(1);
    const std::optional<std::string> text = readFile(listFile);
    if (!text) {
        error = "cannot read the list file " + listFile;
        return std::nullopt;
    }
    std::vector<std::string> expanded;
    for (const std::string_view line : splitLines(*text))
        expanded.emplace_back(line);
    while (!expanded.empty() && expanded.back().empty())
        expanded.pop_back();
    return expanded;
}

std::optional<ToolArguments> parseToolArguments(const std::vector<std::string>& arguments,
    bool allowInclude, std::size_t maxPositional, ToolArguments& partial, std::string& error)
{
    partial = {};
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        std::string* target = nullptr;
        if (sameName(argument, "/error"))
            target = &partial.errorBase;
        else if (sameName(argument, "/log"))
            target = &partial.logBase;
        else if (allowInclude && sameName(argument, "/include"))
            target = &partial.includeFolder;
        if (target == nullptr) {
            // A word like "/verbose" is an option this tool does not know; an absolute path
            // ("/home/...") or a file in the root folder ("/x.src") is a file argument.
            const bool optionLike = argument.size() > 1 && argument[0] == '/' &&
                argument.find_first_of("/.", 1) == std::string::npos;
            if (optionLike) {
                error = "unknown option " + argument;
                return std::nullopt;
            }
            if (partial.positional.size() == maxPositional) {
                error = "too many file arguments: " + argument;
                return std::nullopt;
            }
            partial.positional.push_back(argument);
            continue;
        }
        if (i + 1 >= arguments.size() || arguments[i + 1].empty()) {
            error = "option " + argument + " needs a value";
            return std::nullopt;
        }
        *target = arguments[++i];
        if (target == &partial.includeFolder)
            partial.hasInclude = true;
    }
    if (partial.positional.empty() || partial.positional[0].empty()) {
        error = "no input file given";
        return std::nullopt;
    }
    return partial;
}

std::string fileNameOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string withoutExtension(const std::string& path)
{
    const std::size_t nameStart = path.size() - fileNameOf(path).size();
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || dot <= nameStart)
        return path;
    return path.substr(0, dot);
}

} // namespace marquis::unit

#pragma once

// The command line of the tools: either the arguments themselves, or "@listfile" naming a file
// that holds one argument per line (CR LF or LF line ends; empty lines at its end are not
// arguments). Options start with "/" and take the next argument as their value.

#include <optional>
#include <string>
#include <vector>

namespace marquis::unit {

struct ToolArguments {
    std::vector<std::string> positional;
    std::string errorBase;
    std::string includeFolder;
    std::string logBase;
    bool hasInclude = false;
};

// The arguments after the program name, with a list file read in; no value (and `error` says
// why) when the list file cannot be read.
std::optional<std::vector<std::string>> expandListFile(
    const std::vector<std::string>& arguments, std::string& error);

// Sorts the arguments into positional ones and the options /error, /log and (when
// `allowInclude`) /include, in any order. No value on an unknown or incomplete option, or more
// than `maxPositional` positional arguments; the options read so far are kept in `partial` so
// that the failure can still be reported in the error file.
std::optional<ToolArguments> parseToolArguments(const std::vector<std::string>& arguments,
    bool allowInclude, std::size_t maxPositional, ToolArguments& partial, std::string& error);

// A file path's last part, after a slash or a backslash.
std::string fileNameOf(const std::string& path);
// A path without the extension of its last part.
std::string withoutExtension(const std::string& path);

} // namespace marquis::unit

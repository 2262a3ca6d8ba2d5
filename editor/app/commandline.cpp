#include "app/commandline.h"

namespace marquis {

CommandLine parseCommandLine(const std::vector<std::string>& arguments)
{
    CommandLine result;
    bool help = false;
    bool version = false;
    bool optionsEnded = false;
    std::vector<std::string> files;
    for (const std::string& argument : arguments) {
        if (optionsEnded || argument == "-" || argument.empty() || argument[0] != '-') {
            files.push_back(argument);
        } else if (argument == "--") {
            optionsEnded = true;
        } else if (argument == "--help" || argument == "-h") {
            help = true;
        } else if (argument == "--version") {
            version = true;
        } else if (result.error.empty()) {
            result.error = "Marquis5300: unknown option '" + argument + "' (try --help)";
        }
    }
    if (help) {
        result.action = CommandLine::Action::Help;
        return result;
    }
    if (version) {
        result.action = CommandLine::Action::Version;
        return result;
    }
    if (result.error.empty() && files.size() > 1)
        result.error = "Marquis5300: only one script file can be opened at a time";
    if (result.error.empty() && files.size() == 1 && files.front().empty())
        result.error = "Marquis5300: the file name is empty";
    if (!result.error.empty()) {
        result.action = CommandLine::Action::Error;
        return result;
    }
    if (!files.empty())
        result.file = files.front();
    return result;
}

std::string commandLineHelp()
{
    return "Usage: Marquis5300 [FILE.src]\n"
           "Edits the messages of a Marquis 5300 series LED display and programs the unit.\n"
           "\n"
           "  FILE.src   a script file to open after start-up\n"
           "  --help     show this text and exit\n"
           "  --version  show the program's version and exit\n"
           "\n"
           "Only one copy runs at a time: to open a file in the copy that runs already, use its\n"
           "File > Open or the recent files at the foot of its File menu.\n";
}

std::string commandLineVersion()
{
    return std::string("Marquis5300 ") + MARQUIS_VERSION + "\n";
}

} // namespace marquis

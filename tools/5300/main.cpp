// 5300: the unit link tool. Carries out one command on a unit over the serial line, as the
// editor asks for it with a list file, and writes what happened into a status report.

#include "binaryfile.h"
#include "listfile.h"
#include "report.h"
#include "unitcommands.h"

#include <csignal>
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

namespace {

using namespace marquis::unit;

constexpr const char* Usage = "usage: 5300 <v|p|c|e|m|r> @<listfile>   or   5300 @<listfile> "
                              "(reboot)\n";

enum ExitCode { Success = 0, CommandFailed = 1, BadCall = 2, ReportNotWritten = 3 };

// Says a problem on stderr and, when its place is known, in the status report.
int listProblem(const ListProblem& problem)
{
    std::fprintf(stderr, "5300: %s\n", problem.message.c_str());
    if (!problem.statusBase.empty()) {
        Report report;
        report.line("5300 unit link");
        report.line(problem.message);
        std::string error;
        if (!Report::write(problem.statusBase + ".log", report.finish(false), error))
            std::fprintf(stderr, "5300: %s\n", error.c_str());
    }
    return BadCall;
}

int run(const std::vector<std::string>& arguments)
{
    if (arguments.empty() || arguments.size() > 2 || arguments.back().size() < 2 ||
        arguments.back()[0] != '@') {
        std::fputs(Usage, stderr);
        return BadCall;
    }
    const std::string letter = arguments.size() == 2 ? arguments[0] : std::string();
    const auto command = commandOfLetter(letter);
    if (!command) {
        std::fprintf(stderr, "5300: unknown command \"%s\"\n%s", letter.c_str(), Usage);
        return BadCall;
    }
    const std::string listPath = arguments.back().substr(1);
    std::vector<std::uint8_t> content;
    std::string error;
    ListProblem problem;
    if (!readBinaryFile(listPath, content, error)) {
        problem.message = "Cannot read the list file " + listPath + ": " + error + ".";
        return listProblem(problem);
    }
    const auto lines = listLines(std::string(content.begin(), content.end()));
    const auto invocation = parseInvocation(*command, lines, problem);
    if (!invocation)
        return listProblem(problem);

    Report report;
    bool succeeded = false;
    try {
        succeeded = runUnitCommand(*invocation, report);
    } catch (const std::exception& e) {
        // Still a report: the editor shows it, and must not be left with an old one.
        report.line(std::string("Internal error: ") + e.what());
    }
    const std::string text = report.finish(succeeded);
    std::fwrite(text.data(), 1, text.size(), stdout);
    if (!Report::write(invocation->statusBase + ".log", text, error)) {
        std::fprintf(stderr, "5300: %s\n", error.c_str());
        return ReportNotWritten;
    }
    return succeeded ? Success : CommandFailed;
}

} // namespace

int main(int argc, char** argv)
{
    // A line that goes away must give a report, not end the tool.
    std::signal(SIGPIPE, SIG_IGN);
    try {
        return run(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "5300: internal error: %s\n", e.what());
    } catch (...) {
        std::fprintf(stderr, "5300: internal error\n");
    }
    return CommandFailed;
}

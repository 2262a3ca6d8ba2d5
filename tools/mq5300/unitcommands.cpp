// The commands that build scripts and talk to a unit through the outside tools, as the editor's
// Program and Advanced menus do, with the tools' reports on standard output.

#include "commanderror.h"
#include "commands.h"
#include "requirecomponent.h"
#include "textio.h"
#include "unitoptions.h"

#include "build/compilejob.h"
#include "build/toolcommands.h"
#include "build/toolrunner.h"
#include "build/workfolder.h"
#include "files/paths.h"
#include "platform/posixprocesses.h"

#include <cstdio>

namespace marquis::cli {
namespace {

// Says on standard error what the editor would show in a message box.
class ConsoleMessages : public SilentUserInterface {
public:
    Answer message(std::string_view text, Buttons, Icon, Answer defaultAnswer,
        std::string_view) override
    {
        std::fprintf(stderr, "mq5300: %s\n", printable(text, 4000).c_str());
        return defaultAnswer;
    }
};

// Puts the result window's text on standard output.
class ConsoleResult : public ResultView {
public:
    void setResultText(const std::string& text) override { m_text = text; }
    void appendResultText(const std::string& text) override { m_text += text; }
    void setElapsedVisible(bool, bool) override { }
    void setElapsed(const std::string&) override { }
    void setMainButton(const std::string&, bool, bool) override { }
    void showErrorFile(const std::string&) override { }
    void closeWindow() override { }
    const std::string& text() const { return m_text; }

private:
    std::string m_text;
};

// What every unit command needs: the tools folder, the file system, the process starter, the tool
// runner. The runner's private work folder holds the argument lists and reports, so commands
// running at the same time never share one; it goes with the runner, also when the command
// fails.
struct Workbench {
    DiskFileSystem files;
    PosixProcesses processes;
    ConsoleMessages ui;
    std::string toolsFolder = cli::toolsFolder();
    ToolRunner tools { processes, files, ui, toolsFolder };
};

std::string withLineEnd(std::string text)
{
    if (!text.empty() && !text.ends_with('\n'))
        text += "\n";
    return text;
}

// The private folder of the command's work files.
std::string workFolder(Workbench& bench)
{
    std::string folder = bench.tools.workFolder();
    if (folder.empty())
        throw CommandError("cannot make a work folder in " + workFolderParent());
    return folder;
}

// A tool that ran but left no report has failed as a tool does: said on stderr, exit code 1.
int toolFailed(const std::string& text)
{
    std::fprintf(stderr, "mq5300: %s\n", printable(text, 4000).c_str());
    return 1;
}

// Runs the unit link with list and report at `base`; its report goes to standard output.
int runLink(Workbench& bench, const std::string& letter, const std::vector<std::string>& leading,
    const std::string& base, const Preferences& settings, const char* statusFailure)
{
    const ToolRun run = linkRun(letter, leading, base, settings);
    const ToolResult result = bench.tools.run(run);
    switch (result.outcome) {
    case ToolResult::Outcome::ListNotWritten:
        throw CommandError("Can't create argument list file " + run.listPath);
    case ToolResult::Outcome::NotStarted:
        throw CommandError(cannotStartText(run, result, bench.tools.toolsFolder()));
    case ToolResult::Outcome::Finished:
        writeStandardOutput(withLineEnd(reportForDisplay(result.statusText)));
        return result.exitCode == 0 ? 0 : 1;
    default:
        return toolFailed(statusFailure + fileNameOf(base + ".log"));
    }
}

int runLink(Workbench& bench, const std::string& letter, const std::vector<std::string>& leading,
    const std::string& workName, const Preferences& settings)
{
    return runLink(bench, letter, leading, workFolder(bench) + workName, settings,
        "Can't read return status file ");
}

std::string onlyWord(const UnitOptions& options, const char* command, const char* what)
{
    if (options.words.size() != 1)
        throw CommandError(std::string(command) + " takes " + what);
    return options.words[0];
}

void noWords(const UnitOptions& options, const char* command)
{
    if (!options.words.empty())
        throw CommandError(std::string(command) + " takes only options");
}

}  // namespace

int buildCommand(Arguments arguments)
{
    Workbench bench;
    const UnitOptions options = readUnitOptions(arguments, bench.toolsFolder);
    const std::string source = onlyWord(options, "build", "one script file");
    if (!bench.files.exists(source))
        throw CommandError("cannot read " + source + ": no such file");
    workFolder(bench);
    ConsoleResult result;
    CompileJob job(bench.tools, bench.files, bench.ui, options.settings);
    const bool errors = job.CompileFile(source, source, &result);
    writeStandardOutput(withLineEnd(reportForDisplay(result.text())));
    const std::string errorFile = outputBaseOf(source) + ".err";
    if (errors && bench.files.exists(errorFile))
        writeStandardOutput(withLineEnd(reportForDisplay(readFile(errorFile))));
    return errors ? 1 : 0;
}

int programCommand(Arguments arguments)
{
    Workbench bench;
    const UnitOptions options = readUnitOptions(arguments, bench.toolsFolder);
    const std::string binary = onlyWord(options, "program", "one binary file");
    if (!bench.files.exists(binary))
        throw CommandError("cannot read " + binary + ": no such file");
    // The binary is named by its path; its list and report are work files named after it.
    const std::string base = withoutExtension(binary);
    return runLink(bench, "p", { base }, workFolder(bench) + fileNameOf(base), options.settings,
        "Can't read program return status file ");
}

int callupCommand(Arguments arguments)
{
    Workbench bench;
    const UnitOptions options = readUnitOptions(arguments, bench.toolsFolder);
    if (options.words.empty() || options.words.size() > 2)
        throw CommandError("callup takes a message number and, if needed, a variable string");
    std::vector<std::string> leading { windows1252From(options.words[0], "the message number") };
    if (options.words.size() == 2 && !options.words[1].empty())
        leading.push_back(windows1252From(options.words[1], "the variable string"));
    return runLink(bench, "c", leading, "MQSCALL", options.settings);
}

int eraseCommand(Arguments arguments)
{
    Workbench bench;
    const UnitOptions options = readUnitOptions(arguments, bench.toolsFolder);
    noWords(options, "erase");
    return runLink(bench, "e", {}, "MQSERAS", options.settings);
}

int rebootCommand(Arguments arguments)
{
    Workbench bench;
    const UnitOptions options = readUnitOptions(arguments, bench.toolsFolder);
    noWords(options, "reboot");
    return runLink(bench, "", { "b" }, "MQSREBT", options.settings);
}

int readflashCommand(Arguments arguments)
{
    Workbench bench;
    const UnitOptions options = readUnitOptions(arguments, bench.toolsFolder);
    const std::string target = onlyWord(options, "readflash", "one binary file to write");
    return runLink(bench, "r", { withoutExtension(target) }, "MQSREAD", options.settings);
}

int versionCommand(Arguments arguments)
{
    Workbench bench;
    const UnitOptions options = readUnitOptions(arguments, bench.toolsFolder);
    noWords(options, "version");
    return runLink(bench, "v", { workFolder(bench) + "MQSVERS" }, "MQSVERS", options.settings);
}

}  // namespace marquis::cli

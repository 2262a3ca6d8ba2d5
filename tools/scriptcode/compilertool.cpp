#include "scriptcode/compiler.h"
#include "scriptcode/esctext.h"
#include "scriptcode/textfile.h"
#include "scriptcode/toolarguments.h"
#include "scriptcode/tooldrivers.h"
#include "scriptcode/toolreport.h"

#include <filesystem>
#include <system_error>

namespace marquis::unit {

int runCompilerTool(const std::vector<std::string>& arguments, std::ostream& messages)
{
    std::string error;
    ToolArguments given;
    const std::optional<std::vector<std::string>> expanded = expandListFile(arguments, error);
    const std::optional<ToolArguments> parsed =
        expanded ? parseToolArguments(*expanded, true, 2, given, error) : std::nullopt;

    ToolRun run;
    run.tool = "src2esc";
    run.input = given.positional.empty() ? std::string() : given.positional[0];
    const std::string outputBase =
        given.positional.size() > 1 ? given.positional[1] : withoutExtension(run.input);
    run.output = outputBase + ".esc";
    run.errorBase = !given.errorBase.empty() ? given.errorBase : outputBase;
    run.logBase = given.logBase;
    const std::string sourceName = fileNameOf(run.input);
    Diagnostics diagnostics;

    // A failed run must never look like a successful one: the error file of an earlier run
    // goes first, and so does the output of an earlier run when this one fails.
    if (!run.errorBase.empty())
        removeFile(run.errorBase + ".err");
    if (!parsed) {
        messages << "src2esc: " << error << "\n"
                 << "usage: src2esc @listfile | SOURCE [OUTPUTBASE] /error BASE /include FOLDER"
                    " /log BASE\n";
        if (run.input.empty())
            return 2;
        diagnostics.add(sourceName, 0, error);
        run.summary = "0 messages";
        finishRun(run, diagnostics, false, messages);
        return 2;
    }

    Program program;
    const std::optional<std::string> source = readFile(run.input);
    if (!source) {
        diagnostics.add(sourceName, 0, "cannot read the source file " + run.input);
    } else {
        // A source named without a folder lies in the current one, and so do the files it
        // includes beside it.
        std::error_code noPath;
        std::filesystem::path file = std::filesystem::absolute(run.input, noPath);
        if (noPath)
            file = run.input;
        CompileOptions options;
        options.sourceFolder = file.parent_path();
        options.sourceFile = file;
        options.includeFolder = given.includeFolder;
        program = compileSource(*source, sourceName, options, diagnostics);
    }
    const bool written = writeToolOutput(
        run, diagnostics, sourceName, [&] { return writeEsc(program, sourceName); });
    run.summary = messageCount(program.messages.size());
    return finishRun(run, diagnostics, written, messages);
}

} // namespace marquis::unit

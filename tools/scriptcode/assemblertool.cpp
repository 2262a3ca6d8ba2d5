#include "scriptcode/assembler.h"
#include "scriptcode/esctext.h"
#include "scriptcode/lexer.h"
#include "scriptcode/textfile.h"
#include "scriptcode/toolarguments.h"
#include "scriptcode/tooldrivers.h"
#include "scriptcode/toolreport.h"

namespace marquis::unit {
namespace {

// The input may be given as a base or with its ".esc" extension.
std::string inputBase(const std::string& input)
{
    if (input.size() > 4 && sameName(std::string_view(input).substr(input.size() - 4), ".esc"))
        return input.substr(0, input.size() - 4);
    return input;
}

} // namespace

int runAssemblerTool(const std::vector<std::string>& arguments, std::ostream& messages)
{
    std::string error;
    ToolArguments given;
    const std::optional<std::vector<std::string>> expanded = expandListFile(arguments, error);
    const std::optional<ToolArguments> parsed =
        expanded ? parseToolArguments(*expanded, false, 2, given, error) : std::nullopt;

    ToolRun run;
    run.tool = "esc2bin";
    const std::string base =
        given.positional.empty() ? std::string() : inputBase(given.positional[0]);
    run.input = base + ".esc";
    const std::string outputBase = given.positional.size() > 1 ? given.positional[1] : base;
    run.output = outputBase + ".bin";
    run.errorBase = !given.errorBase.empty() ? given.errorBase : outputBase;
    run.logBase = given.logBase;
    const std::string escName = fileNameOf(run.input);
    Diagnostics diagnostics;

    if (!run.errorBase.empty())
        removeFile(run.errorBase + ".err");
    if (!parsed) {
        messages << "esc2bin: " << error << "\n"
                 << "usage: esc2bin @listfile | INPUTBASE [OUTPUTBASE] /error BASE /log BASE\n";
        if (base.empty())
            return 2;
        diagnostics.add(escName, 0, error);
        run.summary = "0 messages";
        finishRun(run, diagnostics, false, messages);
        return 2;
    }

    Program program;
    const std::optional<std::string> text = readFile(run.input);
    if (!text)
        diagnostics.add(escName, 0, "cannot read " + run.input);
    else
        program = readEsc(*text, escName, diagnostics);
    const bool written = writeToolOutput(run, diagnostics, escName, [&] {
        const std::vector<std::uint8_t> bytes = assemble(program).serialize();
        return std::string(bytes.begin(), bytes.end());
    });
    run.summary = messageCount(program.messages.size());
    return finishRun(run, diagnostics, written, messages);
}

} // namespace marquis::unit

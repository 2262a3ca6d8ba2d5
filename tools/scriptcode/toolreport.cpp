#include "scriptcode/toolreport.h"

#include "scriptcode/textfile.h"

namespace marquis::unit {

int finishRun(
    const ToolRun& run, const Diagnostics& diagnostics, bool outputWritten, std::ostream& messages)
{
    int exitCode = diagnostics.empty() ? 0 : 1;
    const std::string errorFile = run.errorBase + ".err";
    if (!run.errorBase.empty()) {
        if (!diagnostics.empty() && !writeFile(errorFile, diagnostics.errorFileText())) {
            messages << run.tool << ": cannot write " << errorFile << "\n";
            exitCode = 2;
        }
    }
    std::string log = (run.tool == "src2esc" ? "Compiling " : "Assembling ") + run.input + " ... " +
        run.summary + ", " + std::to_string(diagnostics.count()) +
        (diagnostics.count() == 1 ? " error" : " errors") + "\r\n";
    log += diagnostics.errorFileText();
    log += outputWritten ? "Wrote " + run.output + "\r\n" : std::string("No output written\r\n");
    if (!run.logBase.empty() && !writeFile(run.logBase + ".log", log)) {
        messages << run.tool << ": cannot write " << run.logBase << ".log\n";
        exitCode = 2;
    }
    for (const Diagnostic& d : diagnostics.list())
        messages << upperCaseName(d.file) << " " << d.line << ": " << d.text << "\n";
    return exitCode;
}

bool writeToolOutput(const ToolRun& run, Diagnostics& diagnostics, const std::string& sourceName,
    const std::function<std::string()>& bytes)
{
    bool written = false;
    if (diagnostics.empty()) {
        written = writeFile(run.output, bytes());
        if (!written)
            diagnostics.add(sourceName, 0, "cannot write " + run.output);
    }
    if (!written)
        removeFile(run.output);
    return written;
}

std::string messageCount(std::size_t count)
{
    return std::to_string(count) + (count == 1 ? " message" : " messages");
}

} // namespace marquis::unit

#include "build/compilejob.h"

#include "build/toolcommands.h"
#include "files/paths.h"

namespace marquis {

std::string outputBaseOf(const std::string& outputPath)
{
    return basePathOf(outputPath);
}

std::string withoutExtension(const std::string& path)
{
    const std::string name = fileNameOf(path);
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos ? path : path.substr(0, path.size() - name.size() + dot);
}

CompileJob::CompileJob(
    ToolRunner& tools, FileSystem& files, UserInterface& ui, const Preferences& settings)
    : m_tools(tools), m_files(files), m_ui(ui), m_settings(settings)
{
}

bool CompileJob::failed(const std::string& message)
{
    m_ui.message(message, Buttons::Ok, Icon::None, Answer::Ok);
    return true;
}

// The outputs (".esc", ".bin", ".err") go beside the output path as the tools define them; the
// argument lists and reports are work files of the runner's private folder, under the same
// base name, so a user's own ".lst" or ".log" beside the script is never touched.
bool CompileJob::CompileFile(const std::string& source, const std::string& output, ResultView* view)
{
    const std::string base = outputBaseOf(output);
    if (view)
        view->setResultText("Compiling file " + fileNameOf(source));
    const ToolRunner::Routine routine(m_tools);
    const ToolRunner::ElapsedClock clock(m_tools,
        view ? [view](const std::string& elapsed) { view->setElapsed(elapsed); }
             : std::function<void(const std::string&)>());

    const std::string workFolder = m_tools.workFolder();
    const std::string workBase = workFolder + fileNameOf(base);
    if (workFolder.empty())
        return failed("Can't create argument list file " + fileNameOf(base) + ".lst");
    // Files left from an earlier compile would make this one look failed, or leave a binary
    // that no longer belongs to the script.
    for (const char* extension : { ".err", ".esc", ".bin" })
        m_files.remove(base + extension);
    const ToolRun compile = compileRun(source, base, workBase, m_tools.toolsFolder());
    const ToolResult compiled = m_tools.run(compile);
    if (compiled.outcome == ToolResult::Outcome::ListNotWritten)
        return failed("Can't create argument list file " + fileNameOf(compile.listPath));
    if (compiled.outcome == ToolResult::Outcome::NotStarted)
        return failed(cannotStartText(compile, compiled, m_tools.toolsFolder()));
    if (compiled.outcome == ToolResult::Outcome::Cancelled) {
        if (view)
            view->closeWindow();
        return true;
    }
    if (compiled.outcome == ToolResult::Outcome::StatusUnreadable)
        return failed("Can't read compile return status file " + fileNameOf(workBase + ".log"));
    if (view)
        view->setResultText(compiled.statusText);
    if (m_files.exists(base + ".err")) {
        if (!view)
            m_ui.message("Syntax errors encountered during processing Send Message command. "
                         "Review file " +
                    base + ".err",
                Buttons::Ok, Icon::None, Answer::Ok);
        return true;
    }
    if (!m_files.exists(base + ".esc"))
        return failed("The compiler ended without writing " + fileNameOf(base + ".esc") +
            " (exit code " + std::to_string(compiled.exitCode) + ").");

    const ToolRun assemble = assembleRun(base, workBase);
    const ToolResult assembled = m_tools.run(assemble);
    if (assembled.outcome == ToolResult::Outcome::ListNotWritten)
        return failed("Can't create argument list file " + fileNameOf(assemble.listPath));
    if (assembled.outcome == ToolResult::Outcome::NotStarted)
        return failed(cannotStartText(assemble, assembled, m_tools.toolsFolder()));
    if (m_settings.KeepEscFile != "yes")
        m_files.remove(base + ".esc");
    if (assembled.outcome == ToolResult::Outcome::Cancelled) {
        if (view)
            view->closeWindow();
        return true;
    }
    if (assembled.outcome == ToolResult::Outcome::StatusUnreadable)
        return failed("Can't read assembly return status file " + fileNameOf(workBase + ".log"));
    if (view)
        view->appendResultText(assembled.statusText);
    bool errors = m_files.exists(base + ".err");
    if (!errors && !m_files.exists(base + ".bin")) {
        m_ui.message("The assembler ended without writing " + fileNameOf(base + ".bin") +
                " (exit code " + std::to_string(assembled.exitCode) + ").",
            Buttons::Ok, Icon::None, Answer::Ok);
        errors = true;
    } else if (errors && !view) {
        m_ui.message("Errors encountered during assembling.", Buttons::Ok, Icon::None, Answer::Ok);
    }
    return errors;
}

}  // namespace marquis

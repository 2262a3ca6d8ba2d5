#include "build/syntaxcheck.h"

#include "build/toolcommands.h"
#include "model/numberformat.h"

namespace marquis {

SyntaxCheck::SyntaxCheck(ToolRunner& tools, FileSystem& files, UserInterface& ui)
    : m_tools(tools), m_files(files), m_ui(ui)
{
}

void SyntaxCheck::clear()
{
    ErrorLines.clear();
    ErrorTexts.clear();
    ErrorCount = 0;
    CurrentError = 0;
}

void SyntaxCheck::run(const std::string& messageScript, int messageNumber, bool scriptEditMode,
    const ScriptHeader& header)
{
    if (!scriptEditMode || messageScript.empty() || m_running)
        return;
    struct Running {
        bool& flag;
        explicit Running(bool& f)
            : flag(f)
        {
            flag = true;
        }
        ~Running() { flag = false; }
        Running(const Running&) = delete;
        Running& operator=(const Running&) = delete;
    } running(m_running);
    CurrentError = 0;
    // The work files are the runner's, in its private folder.
    const std::string workFolder = m_tools.workFolder();
    const std::string source = workFolder + "sub.src";
    const std::string errors = workFolder + "sub.err";
    m_ui.busy(true);
    auto done = [&] { m_ui.busy(false); };
    bool written = false;
    if (!workFolder.empty()) {
        // The files of an earlier check must not pass for this one's result.
        m_files.remove(errors);
        m_files.remove(workFolder + "sub.esc");
        written = writeWholeFile(m_files, source,
            "#define Display_type (" + header.unitType + ")\r\n#include \"ESCAPES.H\"\r\n" +
                "#pragma version " + header.version + "\r\n\r\n" + messageScript + "\r\n");
    }
    if (!written) {
        done();
        m_ui.message("Can't create output sorce file (sub.src)", Buttons::Ok, Icon::Exclamation,
            Answer::Ok);
        return;
    }
    const ToolRun run = syntaxCheckRun(workFolder, m_tools.toolsFolder());
    const ToolResult result = m_tools.run(run);
    m_files.remove(source);
    if (result.outcome == ToolResult::Outcome::ListNotWritten) {
        done();
        m_ui.message("Can't create list file (sub.lst)", Buttons::Ok, Icon::None, Answer::Ok);
        return;
    }
    if (result.outcome == ToolResult::Outcome::NotStarted) {
        done();
        m_ui.message(cannotStartText(run, result, m_tools.toolsFolder()), Buttons::Ok,
            Icon::Exclamation, Answer::Ok);
        return;
    }
    if (!m_files.exists(errors) && result.exitCode != 0) {
        // A compiler that crashed or failed without an error file has checked nothing.
        done();
        m_files.remove(workFolder + "sub.esc");
        m_ui.message("The syntax check of message " + std::to_string(messageNumber) +
                " failed: " + m_tools.toolsFolder() + run.tool +
                (result.exitCode < 0 ? " ended abnormally (signal " +
                            std::to_string(-result.exitCode) + ")"
                                     : " ended with exit code " + std::to_string(result.exitCode)) +
                " and wrote no error file.",
            Buttons::Ok, Icon::Exclamation, Answer::Ok);
        return;
    }
    if (!m_files.exists(errors)) {
        done();
        clear();
        m_files.remove(workFolder + "sub.esc");
        m_ui.message("No syntax errors found in message " + std::to_string(messageNumber),
            Buttons::Ok, Icon::None, Answer::Ok);
        return;
    }
    if (!readErrors(errors)) {
        done();
        m_ui.message("Can't open error file (sub.err).", Buttons::Ok, Icon::None, Answer::Ok);
        return;
    }
    done();
    if (ErrorCount > 0) {
        CurrentError = 0;
        m_ui.message("Errors encountered. Press Ctrl-Plus (forward) or Ctrl-Minus (backward) to "
                     "scroll through the errors line by line.",
            Buttons::Ok, Icon::None, Answer::Ok);
    }
}

bool SyntaxCheck::readErrors(const std::string& errorPath)
{
    std::unique_ptr<InputFile> file = m_files.open(errorPath);
    if (!file)
        return false;
    std::vector<std::string> lines;
    std::vector<std::string> texts;
    std::string whole;
    std::string line;
    while (file->readLine(line)) {
        if (line.ends_with('\r'))
            line.pop_back();
        whole += line + "\r\n";
        const std::size_t at = line.find("SUB.SRC");
        if (at == std::string::npos)
            continue;
        const std::string rest = line.substr(at + 7);
        const std::size_t colon = rest.find(':');
        lines.emplace_back(colon == std::string::npos ? "" : trimmed(rest.substr(0, colon)));
        texts.emplace_back(colon == std::string::npos ? "" : rest.substr(colon + 1));
    }
    ErrorLines = std::move(lines);
    ErrorTexts = std::move(texts);
    ErrorCount = static_cast<int>(ErrorLines.size());
    if (ErrorCount == 0 && !trimmed(whole).empty()) {
        // Errors that name no line of the message (a missing include file, say) are shown as
        // the compiler wrote them rather than passed over.
        m_ui.message("The compiler reported errors:\r\n" + whole, Buttons::Ok, Icon::Exclamation,
            Answer::Ok);
    }
    return true;
}

std::size_t lineStart(const std::string& text, long long line)
{
    std::size_t position = 0;
    for (long long k = 1; k < line; ++k) {
        const std::size_t end = text.find("\r\n", position);
        if (end == std::string::npos)
            return text.size();
        position = end + 2;
    }
    return position;
}

SyntaxCheck::Step SyntaxCheck::show(const std::string& scriptText) const
{
    const auto index = static_cast<std::size_t>(CurrentError - 1);
    return { lineStart(scriptText, numberValue(ErrorLines[index]) - SourceOffset),
        ErrorTexts[index] };
}

SyntaxCheck::Step SyntaxCheck::stepForward(const std::string& scriptText)
{
    ++CurrentError;
    if (CurrentError > ErrorCount) {
        CurrentError = 0;
        return { std::nullopt,
            ErrorCount > 0 ? "There are no more errors."
                           : "There are no errors or Syntax check haven't been done on this "
                             "message." };
    }
    return show(scriptText);
}

SyntaxCheck::Step SyntaxCheck::stepBackward(const std::string& scriptText)
{
    if (CurrentError > 0)
        --CurrentError;
    if (CurrentError > 0)
        return show(scriptText);
    return { std::nullopt, "" };
}

}  // namespace marquis

#include "build/programunit.h"

#include "build/compilejob.h"
#include "build/toolcommands.h"
#include "files/paths.h"
#include "model/numberformat.h"

namespace marquis {

std::optional<UnitVersion> parseUnitVersion(const std::string& report)
{
    const std::size_t at = report.find("Version");
    if (at == std::string::npos)
        return std::nullopt;
    UnitVersion unit;
    if (at + 8 < report.size()) {
        const std::size_t end = report.find_first_of(" \r\n", at + 8);
        unit.release = report.substr(at + 8, end == std::string::npos ? end : end - at - 8);
    }
    if (unit.release.ends_with(','))
        unit.release.pop_back();
    unit.version = !unit.release.empty() && numberValue(unit.release.substr(0, 1)) >= 4 ? "2" : "1";
    return unit;
}

std::optional<std::string> scriptFileVersion(FileSystem& files, const std::string& path)
{
    std::unique_ptr<InputFile> file = files.open(path);
    if (!file)
        return std::nullopt;
    std::string line;
    while (file->readLine(line)) {
        if (line.ends_with('\r'))
            line.pop_back();
        const std::size_t at = line.find("#pragma version");
        if (at == std::string::npos)
            continue;
        const std::string_view value = trimmed(std::string_view(line).substr(at + 15));
        return value == "1" || value == "2" ? std::string(value) : "";
    }
    return "";
}

UnitProgrammer::UnitProgrammer(EditorSession& session, ToolRunner& tools, UserInterface& ui)
    : m_session(session), m_tools(tools), m_ui(ui)
{
}

// The version query's list and report are work files of the runner's private folder, named
// after the binary; the binary itself is named by its path.
bool UnitProgrammer::versionCheck(
    const std::string& binaryBase, const std::string& workBase, ResultView& view)
{
    view.setResultText("Verifying unit Version number...");
    view.setElapsedVisible(false, true);
    ToolRun query = linkRun("v", { binaryBase }, workBase, m_session.preferences());
    query.statusWhole = true;
    if (m_tools.cancelRequested()) {
        view.closeWindow();
        return false;
    }
    const ToolResult result = m_tools.run(query);
    if (result.outcome == ToolResult::Outcome::Cancelled) {
        view.closeWindow();
        return false;
    }
    if (result.outcome == ToolResult::Outcome::NotStarted) {
        m_ui.message(cannotStartText(query, result, m_tools.toolsFolder()), Buttons::Ok,
            Icon::Exclamation, Answer::Ok);
        view.closeWindow();
        return false;
    }
    if (result.outcome == ToolResult::Outcome::ListNotWritten ||
        result.outcome == ToolResult::Outcome::StatusUnreadable) {
        m_ui.message(result.outcome == ToolResult::Outcome::ListNotWritten
                ? "Can't create argument list file " + fileNameOf(query.listPath)
                : "Can't read program return status file " + fileNameOf(workBase + ".log"),
            Buttons::Ok, Icon::None, Answer::Ok);
        view.closeWindow();
        return false;
    }
    const std::optional<UnitVersion> unit = parseUnitVersion(result.statusText);
    if (!unit)
        return true;
    // A script file that cannot be read gives no reason to hold the programming back.
    const std::optional<std::string> fileVersion =
        scriptFileVersion(m_session.store().files(), m_session.store().ScriptFilePath);
    if (!fileVersion || *fileVersion == unit->version)
        return true;
    const std::string display =
        "This is a Version " + unit->version + " 5300 Series Display, firmware release " + unit->release;
    const std::string question = m_session.preferences().ScriptVersion != unit->version
        ? display + ". You have to change Version setting in Program Menu, save and recompile."
        : display + ". In order to program with correct Display Version you have to save and "
                    "recompile.";
    if (m_ui.message(question, Buttons::OkCancel, Icon::Exclamation, Answer::Ok) == Answer::Ok) {
        view.closeWindow();
        return false;
    }
    return true;
}

void UnitProgrammer::ProgramUnit(const std::string& binary, ResultView& view)
{
    const ToolRunner::Routine routine(m_tools);
    const std::string base = withoutExtension(binary);
    const std::string workFolder = m_tools.workFolder();
    const std::string workBase = workFolder + fileNameOf(base);
    if (workFolder.empty()) {
        m_ui.message("Can't create argument list file " + fileNameOf(base) + ".lst",
            Buttons::Ok, Icon::None, Answer::Ok);
        return;
    }
    if (!m_session.store().ScriptFilePath.empty() && !versionCheck(base, workBase, view))
        return;
    view.setResultText("Programming file " + fileNameOf(binary));
    view.setElapsedVisible(true, true);
    const ToolRunner::ElapsedClock clock(
        m_tools, [&view](const std::string& elapsed) { view.setElapsed(elapsed); });
    const ToolRun program = linkRun("p", { base }, workBase, m_session.preferences());
    const ToolResult result = m_tools.run(program);
    switch (result.outcome) {
    case ToolResult::Outcome::ListNotWritten:
        m_ui.message("Can't create argument list file " + fileNameOf(program.listPath),
            Buttons::Ok, Icon::None, Answer::Ok);
        return;
    case ToolResult::Outcome::NotStarted:
        m_ui.message(cannotStartText(program, result, m_tools.toolsFolder()), Buttons::Ok,
            Icon::Exclamation, Answer::Ok);
        return;
    case ToolResult::Outcome::StatusUnreadable:
        m_ui.message("Can't read program return status file " + fileNameOf(workBase + ".log"),
            Buttons::Ok, Icon::None, Answer::Ok);
        return;
    case ToolResult::Outcome::Cancelled:
        view.closeWindow();
        return;
    case ToolResult::Outcome::Finished:
        view.setResultText(result.statusText);
        return;
    }
}

}  // namespace marquis

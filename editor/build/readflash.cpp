#include "build/readflash.h"

#include "build/compilejob.h"
#include "build/toolcommands.h"
#include "files/paths.h"
#include "model/numberformat.h"

namespace marquis {

ReadFlashDialog::ReadFlashDialog(EditorSession& session, ToolRunner& tools)
    : m_session(session), m_tools(tools), m_ui(session.ui())
{
}

void ReadFlashDialog::status(const std::string& text)
{
    if (onStatus)
        onStatus(text);
}

void ReadFlashDialog::readFlash()
{
    status("Processing comand Retrieve binary file from flash memory.");
    FileSystem& files = m_session.store().files();
    std::string target;
    while (target.empty()) {
        const FileDialogRequest request =
            binaryFileDialog("Retrieve Binary File As", m_session.folders().program);
        const std::optional<std::filesystem::path> chosen = m_ui.saveFileDialog(request);
        if (!chosen || chosen->empty()) {
            status("");
            return;
        }
        if (files.exists(chosen->string()) &&
            m_ui.message("The file " + chosen->string() + " already exists on disk.\r\n"
                                                          "Do you want to replace it.",
                Buttons::YesNo, Icon::Information, Answer::Yes, "File Save Message") == Answer::No)
            continue;
        target = chosen->string();
    }
    Busy = true;
    m_ui.busy(true);
    status("Reading Flash. Please wait until this process is finished.");
    const std::string workFolder = m_tools.workFolder();
    const std::string base = workFolder + "MQSREAD";
    const ToolRun run = linkRun("r", { withoutExtension(target) }, base, m_session.preferences());
    const ToolResult result = workFolder.empty()
        ? ToolResult { ToolResult::Outcome::ListNotWritten, "", "", 0 }
        : m_tools.run(run);
    if (result.outcome == ToolResult::Outcome::ListNotWritten)
        m_ui.message("Can't create argument list file " + fileNameOf(run.listPath), Buttons::Ok,
            Icon::None, Answer::Ok);
    else if (result.outcome == ToolResult::Outcome::NotStarted)
        m_ui.message(cannotStartText(run, result, m_tools.toolsFolder()), Buttons::Ok,
            Icon::Exclamation, Answer::Ok);
    else if (result.outcome == ToolResult::Outcome::StatusUnreadable)
        m_ui.message("Can't read return status file " + fileNameOf(base + ".log"), Buttons::Ok,
            Icon::None, Answer::Ok);
    else if (!trimmed(result.statusText).empty())
        m_ui.message(reportForDisplay(result.statusText), Buttons::Ok, Icon::None, Answer::Ok);
    status("");
    m_ui.busy(false);
    Busy = false;
}

// Unlike the rest of the unit commands, success is announced here by the dialog itself, so it
// is announced only when the link reports success; otherwise the link's own report is shown.
void ReadFlashDialog::programFlash()
{
    const FileDialogRequest request =
        binaryFileDialog("Open Binary File", m_session.folders().program);
    const std::optional<std::filesystem::path> chosen = m_ui.openFileDialog(request);
    if (!chosen)
        return;
    Busy = true;
    const std::string binary = chosen->string();
    status("Programming file " + fileNameOf(binary));
    m_ui.busy(true);
    // The argument list and the report are work files of the runner's private folder, named
    // after the binary.
    const std::string base = withoutExtension(binary);
    ToolResult result { ToolResult::Outcome::ListNotWritten, "", "", 0 };
    if (const std::string workFolder = m_tools.workFolder(); !workFolder.empty()) {
        const ToolRunner::ElapsedClock clock(m_tools, onElapsed);
        result = m_tools.run(linkRun("p", { base }, workFolder + fileNameOf(base),
            m_session.preferences()));
    }
    m_ui.busy(false);
    if (result.outcome == ToolResult::Outcome::Finished && result.exitCode == 0) {
        status("Unit has been successfully programmed.");
    } else {
        status("");
        std::string text = "An error occurred while trying to program the unit.";
        if (!trimmed(result.statusText).empty())
            text += "\r\n" + reportForDisplay(result.statusText);
        m_ui.message(text, Buttons::Ok, Icon::Exclamation, Answer::Ok);
    }
    Busy = false;
}

}  // namespace marquis

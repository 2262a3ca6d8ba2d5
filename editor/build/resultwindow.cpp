#include "build/resultwindow.h"

#include "files/editorcontent.h"
#include "files/paths.h"
#include "files/programfolders.h"

#include <chrono>
#include <thread>

namespace marquis {

ResultWindow::ResultWindow(EditorSession& session, ToolRunner& tools, ProcessPort& processes,
    ResultView& view, bool compileMode)
    : CompileMode(compileMode)
    , m_session(session)
    , m_tools(tools)
    , m_processes(processes)
    , m_view(view)
    , m_ui(session.ui())
{
}

bool ResultWindow::hasContent()
{
    return hasEditorContent(m_session);
}

bool ResultWindow::chooseSource()
{
    FileStore& store = m_session.store();
    if (!store.ScriptFilePath.empty()) {
        if (CompileMode && m_session.AskSaveChanges() == EditorSession::Decision::Cancel)
            return false;
        SourcePath = OutputPath = store.ScriptFilePath;
        return true;
    }
    if (hasContent()) {
        if (m_ui.message("You have to save the file in order to compile it.", Buttons::OkCancel,
                Icon::Information, Answer::Cancel) != Answer::Ok)
            return false;
        if (!m_session.SaveAs())
            return false;
        SourcePath = OutputPath = store.ScriptFilePath;
        return true;
    }
    FileDialogRequest request;
    request.title = CompileMode ? "Compile file" : "Program file";
    request.filter = CompileMode ? "Marquis script file (*.src)|*.src" : "5300 binary file (*.bin)|*.bin";
    request.defaultExtension = CompileMode ? "src" : "bin";
    request.folder = m_session.folders().program;
    const std::optional<std::filesystem::path> chosen = m_ui.openFileDialog(request);
    if (!chosen)
        return false;
    SourcePath = OutputPath = chosen->string();
    return true;
}

bool ResultWindow::open()
{
    if (!chooseSource())
        return false;
    const std::string folder = folderOf(SourcePath);
    FileSystem& files = m_session.store().files();
    if (!canWriteIn(files, folder, "MQS3&&&.$$$")) {
        const std::string programFolder = m_session.folders().program;
        OutputPath = programFolder + baseNameOf(SourcePath);
        m_ui.message("Can't write in specified directory " + folder +
                ", in order to program the unit binary file will be created in directory - " +
                programFolder,
            Buttons::Ok, Icon::Exclamation, Answer::Ok);
    }
    if (!CompileMode) {
        UnitProgrammer(m_session, m_tools, m_ui)
            .ProgramUnit(m_session.store().ScriptFilePath.empty() ? SourcePath : outputBase() + ".bin",
                m_view);
        return true;
    }
    CompileJob job(m_tools, files, m_ui, m_session.preferences());
    LastCompileFailed = job.CompileFile(SourcePath, OutputPath, &m_view);
    m_mainCaption = LastCompileFailed ? "&View Errors" : "&Program";
    m_view.setElapsedVisible(false, false);
    m_view.setMainButton(m_mainCaption, true, true);
    return true;
}

void ResultWindow::mainButton()
{
    if (m_mainCaption == "&Program") {
        m_view.setMainButton(m_mainCaption, false, false);
        m_view.setElapsedVisible(true, true);
        m_view.setElapsed("");
        UnitProgrammer(m_session, m_tools, m_ui).ProgramUnit(outputBase() + ".bin", m_view);
    } else {
        viewErrors();
    }
}

// Error files open in the external editor of the preferences when one is set, else in the
// window's own read-only viewer.
void ResultWindow::viewErrors()
{
    const std::string errorFile = outputBase() + ".err";
    const std::string& editor = m_session.preferences().EditorPath;
    FileSystem& files = m_session.store().files();
    if (editor.empty() || !files.exists(editor)) {
        m_view.showErrorFile(errorFile);
        return;
    }
    std::string error;
    std::unique_ptr<RunningProcess> viewer =
        m_processes.start(editor, { errorFile }, {}, true, error);
    if (!viewer) {
        m_ui.message("Can't start " + editor + " (" + error + ").", Buttons::Ok, Icon::Exclamation,
            Answer::Ok);
        m_view.showErrorFile(errorFile);
        return;
    }
    while (!viewer->poll()) {
        m_ui.pumpEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
}

void ResultWindow::closeButton()
{
    m_view.setResultText("Canceled by the user!\r\nTerminating execution...");
    if (!m_tools.isBusy())
        m_view.closeWindow();
    else
        m_tools.cancel();
}

void ResultWindow::closed()
{
    m_tools.reset();
}

}  // namespace marquis

#include "ui/quickedit/externaleditor.h"

#include "files/editorprogram.h"

#include <thread>

namespace marquis {
namespace {

constexpr const char* WorkFileName = "Sub.src";

std::optional<std::string> readWholeFile(FileSystem& files, const std::string& path)
{
    std::unique_ptr<InputFile> file = files.open(path);
    std::string text;
    if (!file || !file->seek(0) || !file->readRest(text))
        return std::nullopt;
    return text;
}

} // namespace

ExternalEditor::ExternalEditor(ProcessPort& processes, FileSystem& files, UserInterface& ui)
    : m_processes(processes)
    , m_files(files)
    , m_ui(ui)
{
}

std::string ExternalEditor::workFile()
{
    const std::string& folder = m_folder.path();
    return folder.empty() ? std::string() : folder + WorkFileName;
}

std::optional<int> ExternalEditor::waitFor(RunningProcess& process)
{
    while (true) {
        if (const std::optional<int> code = process.poll())
            return code;
        m_ui.pumpEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
}

ExternalEditor::Result ExternalEditor::run(const std::string& editorPath, const std::string& text)
{
    Result result;
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

    const std::string path = workFile();
    std::string written = text;
    if (!written.ends_with("\r\n"))
        written += "\r\n";
    if (path.empty() || !writeWholeFile(m_files, path, written)) {
        m_ui.message("Can't create temporary source file " +
                (path.empty() ? std::string(WorkFileName) : path) +
                ". Please chek your working directory setings.",
            Buttons::Ok, Icon::Exclamation, Answer::Ok);
        result.outcome = Outcome::NotWritten;
        return result;
    }

    std::string problem;
    const std::string program = findEditorProgram(editorPath, problem);
    std::string error;
    std::unique_ptr<RunningProcess> process;
    if (!program.empty())
        process = m_processes.start(program, { path }, {}, true, error);
    if (!process) {
        m_files.remove(path);
        if (problem.empty())
            problem =
                "The external script editor " + program + " cannot be started (" + error + ").";
        m_ui.message(problem + " Please check the External Script Editor in Edit > Preferences.",
            Buttons::Ok, Icon::Exclamation, Answer::Ok);
        result.outcome = Outcome::NotStarted;
        return result;
    }
    const Clock::time_point started = m_now();
    waitFor(*process);
    const bool quick = m_now() - started < QuickExit;

    std::optional<std::string> back = readWholeFile(m_files, path);
    if (back && quick && *back == written) {
        // Many editors hand the file to a window already open and end at once; the changes
        // made there come later.
        if (m_ui.message("The external script editor ended at once and the message is "
                         "unchanged. If the editor still shows the file " +
                    path +
                    ", save your changes there and then press OK to take them; press Cancel to "
                    "keep the message as it was.",
                Buttons::OkCancel, Icon::Question, Answer::Ok) != Answer::Ok) {
            m_files.remove(path);
            result.outcome = Outcome::KeptAsItWas;
            return result;
        }
        back = readWholeFile(m_files, path);
    }
    if (!back) {
        m_ui.message("Can't read temporary source file " + path +
                ". Please chek your External Script Editor setings.",
            Buttons::Ok, Icon::Exclamation, Answer::Ok);
        result.outcome = Outcome::NotRead;
        return result;
    }
    m_files.remove(path);
    result.outcome = Outcome::Edited;
    result.text = std::move(*back);
    return result;
}

} // namespace marquis

#pragma once

#include "build/workfolder.h"
#include "files/filesystem.h"
#include "ports/processport.h"
#include "ports/userinterface.h"

#include <chrono>
#include <functional>
#include <string>

namespace marquis {

// One message handed to the external script editor: its text goes into "Sub.src" in a folder
// of this run's own (never beside the open script, whose name may well be Sub.src), the
// editor is started on that file with an argument vector, and the window stays alive while it
// runs. The text comes back once the editor has ended; the file is deleted only then, so a
// text that could not be read is still there for the user.
class ExternalEditor {
public:
    using Clock = std::chrono::steady_clock;

    // A run shorter than this that leaves the file as it was is taken for an editor that
    // handed the file to another window and ended at once.
    static constexpr std::chrono::milliseconds QuickExit { 2000 };

    enum class Outcome {
        Edited, // `text` is what the file holds now
        KeptAsItWas, // the user chose not to read an unchanged file back
        NotWritten, // the file could not be written; the editor did not start
        NotStarted, // the editor could not be started
        NotRead // the editor ended but the file could not be read
    };
    struct Result {
        Outcome outcome = Outcome::NotWritten;
        std::string text;
    };

    ExternalEditor(ProcessPort& processes, FileSystem& files, UserInterface& ui);

    // Writes `text`, runs the editor of the setting `editorPath` on it and waits for it,
    // checking every 100 ms and letting the window process its events in between. Each
    // failure is told to the user.
    Result run(const std::string& editorPath, const std::string& text);

    // True while the editor runs.
    bool running() const { return m_running; }
    // The work file of the runs; "" when no private folder can be made.
    std::string workFile();

    // Tests drive their own clock.
    void setClock(std::function<Clock::time_point()> now) { m_now = std::move(now); }

private:
    std::optional<int> waitFor(RunningProcess& process);

    ProcessPort& m_processes;
    FileSystem& m_files;
    UserInterface& m_ui;
    WorkFolder m_folder;
    std::function<Clock::time_point()> m_now = [] { return Clock::now(); };
    bool m_running = false;
};

} // namespace marquis

#pragma once

#include "build/workfolder.h"
#include "files/filesystem.h"
#include "ports/processport.h"
#include "ports/userinterface.h"

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace marquis {

// File names of the outside tools in the tools folder.
#ifdef _WIN32
inline constexpr const char* CompilerTool = "src2esc.exe";
inline constexpr const char* AssemblerTool = "esc2bin.exe";
inline constexpr const char* LinkTool = "5300.exe";
#else
inline constexpr const char* CompilerTool = "src2esc";
inline constexpr const char* AssemblerTool = "esc2bin";
inline constexpr const char* LinkTool = "5300";
#endif

// One run of an outside tool: its argument list, and where its status report comes back.
struct ToolRun {
    std::string tool;                    // file name in the tools folder
    std::string letter;                  // command letter of the unit link, or ""
    std::vector<std::string> arguments;  // one line each of the argument list
    std::string listPath;                // the argument list file, handed over as "@" + path
    std::string statusBase;              // the status file is this + ".log"; "" for none
    bool statusWhole = false;            // read the status file unchanged
    std::vector<std::string> environment;  // "NAME=value" put over the editor's environment
};

struct ToolResult {
    enum class Outcome { Finished, ListNotWritten, NotStarted, Cancelled, StatusUnreadable };
    Outcome outcome = Outcome::Finished;
    std::string statusText;
    std::string error;  // why the tool could not be started
    int exitCode = 0;
};

// Runs the outside tools: writes the argument list, starts the tool with an argument vector,
// waits for it while the window stays alive, deletes the list, and reads and deletes the
// status report.
//
// A routine of the result window (compiling and assembling, or the version check and
// programming) holds the runner busy; the window's Close then cancels the run in progress
// instead of closing at once. Only that run may be ended after a grace time; every other run,
// of any caller, is waited for as long as it takes.
class ToolRunner {
public:
    using Clock = std::chrono::steady_clock;

    ToolRunner(ProcessPort& processes, FileSystem& files, UserInterface& ui,
        std::string toolsFolder);

    // Holds the runner busy for the life of a routine of the result window, with no cancel
    // left from before.
    class Routine {
    public:
        explicit Routine(ToolRunner& tools);
        ~Routine();
        Routine(const Routine&) = delete;
        Routine& operator=(const Routine&) = delete;

    private:
        ToolRunner& m_tools;
    };

    // Counts the elapsed time from its start through every run until it goes, and hands the
    // text ("mm:ss") to `show` whenever its second changes. An empty `show` counts nothing.
    class ElapsedClock {
    public:
        ElapsedClock(ToolRunner& tools, std::function<void(const std::string&)> show);
        ~ElapsedClock();
        ElapsedClock(const ElapsedClock&) = delete;
        ElapsedClock& operator=(const ElapsedClock&) = delete;

    private:
        ToolRunner& m_tools;
    };

    // A routine of the result window is in progress.
    bool isBusy() const { return m_busy; }
    // The result window's Close during a routine: the tool now running may finish (it is
    // ended when it has not after the grace time), and its result says Cancelled.
    void cancel();
    // The user has cancelled the current run of the routine.
    bool cancelRequested() const { return m_cancelled; }
    // The result window has closed: nothing is busy or cancelled any more.
    void reset();

    ToolResult run(const ToolRun& request);

    // The private folder for the work files of this runner's commands, made on first use and
    // removed with the runner; "" when it cannot be made.
    const std::string& workFolder() { return m_workFolder.path(); }

    const std::string& toolsFolder() const { return m_toolsFolder; }
    void setToolsFolder(std::string folder) { m_toolsFolder = std::move(folder); }

    // How long a cancelled tool may still run before it is ended.
    void setCancelGrace(std::chrono::milliseconds grace) { m_cancelGrace = grace; }
    // The clock of the elapsed time and the grace time (tests drive their own).
    void setClock(std::function<Clock::time_point()> now) { m_now = std::move(now); }

private:
    int waitFor(RunningProcess& process, unsigned run);
    void showElapsed(Clock::time_point now);

    ProcessPort& m_processes;
    FileSystem& m_files;
    UserInterface& m_ui;
    std::string m_toolsFolder;
    WorkFolder m_workFolder;
    std::function<Clock::time_point()> m_now = [] { return Clock::now(); };
    std::chrono::milliseconds m_cancelGrace { 5000 };

    bool m_busy = false;
    bool m_cancelled = false;
    unsigned m_runs = 0;  // runs started so far; each run's number is its identity
    unsigned m_currentRun = 0;  // the innermost run in progress; 0 for none
    unsigned m_cancelledRun = 0;  // the run the user cancelled; 0 for none

    std::function<void(const std::string&)> m_showElapsed;
    Clock::time_point m_clockStart;
    long long m_shownSecond = -1;
};

// The elapsed-time text: minutes and seconds, two digits each.
std::string elapsedText(std::chrono::seconds elapsed);

// A status report as the editor shows it: control characters other than CR and LF become
// blanks.
std::string cleanStatusText(std::string_view text);

// A tool's report as UTF-8 for the user: the tools write Windows-1252 (a variable string the
// unit echoes, say) but name paths as the file system spells them, so a report that is valid
// UTF-8 stays as it is and any other is read as Windows-1252.
std::string reportForDisplay(std::string_view report);

}  // namespace marquis

#pragma once

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
class ToolRunner {
public:
    ToolRunner(ProcessPort& processes, FileSystem& files, UserInterface& ui,
        std::string toolsFolder);

    bool ToolBusy = false;    // a tool run is in progress
    bool ToolCancel = false;  // the user asked to stop

    // Called with the elapsed time ("mm:ss") whenever its second changes, while set.
    std::function<void(const std::string&)> onElapsed;

    // How long a tool may still run after the user cancelled before it is ended.
    std::chrono::milliseconds cancelGrace { 5000 };

    ToolResult run(const ToolRun& request);

    const std::string& toolsFolder() const { return m_toolsFolder; }
    void setToolsFolder(std::string folder) { m_toolsFolder = std::move(folder); }

private:
    int waitFor(RunningProcess& process);

    ProcessPort& m_processes;
    FileSystem& m_files;
    UserInterface& m_ui;
    std::string m_toolsFolder;
};

// The elapsed-time text: minutes and seconds, two digits each.
std::string elapsedText(std::chrono::seconds elapsed);

// A status report as the editor shows it: control characters other than CR and LF become
// blanks.
std::string cleanStatusText(std::string_view text);

}  // namespace marquis

#include "build/toolrunner.h"

#include <cstdio>
#include <optional>
#include <thread>

namespace marquis {

std::string elapsedText(std::chrono::seconds elapsed)
{
    const long long total = elapsed.count() < 0 ? 0 : elapsed.count();
    char text[32];
    std::snprintf(text, sizeof text, "%02lld:%02lld", total / 60, total % 60);
    return text;
}

std::string cleanStatusText(std::string_view text)
{
    std::string clean(text);
    for (char& c : clean)
        if (static_cast<unsigned char>(c) < 32 && c != '\r' && c != '\n')
            c = ' ';
    return clean;
}

ToolRunner::ToolRunner(
    ProcessPort& processes, FileSystem& files, UserInterface& ui, std::string toolsFolder)
    : m_processes(processes), m_files(files), m_ui(ui), m_toolsFolder(std::move(toolsFolder))
{
}

int ToolRunner::waitFor(RunningProcess& process)
{
    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = Clock::now();
    std::optional<Clock::time_point> cancelDeadline;
    long long shownSecond = -1;
    while (true) {
        if (const std::optional<int> code = process.poll())
            return *code;
        const Clock::time_point now = Clock::now();
        if (ToolCancel && !cancelDeadline)
            cancelDeadline = now + cancelGrace;
        if (cancelDeadline && now >= *cancelDeadline) {
            // The tool did not finish after the user cancelled: it is ended.
            process.kill();
            return -9;
        }
        if (onElapsed) {
            const auto second = std::chrono::duration_cast<std::chrono::seconds>(now - start);
            if (second.count() != shownSecond) {
                shownSecond = second.count();
                onElapsed(elapsedText(second));
            }
        }
        m_ui.pumpEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
}

ToolResult ToolRunner::run(const ToolRun& request)
{
    ToolResult result;
    std::string list;
    for (const std::string& argument : request.arguments)
        list += argument + "\r\n";
    list += "\r\n";
    if (!writeWholeFile(m_files, request.listPath, list)) {
        result.outcome = ToolResult::Outcome::ListNotWritten;
        return result;
    }

    std::vector<std::string> arguments;
    if (!request.letter.empty())
        arguments.push_back(request.letter);
    arguments.push_back("@" + request.listPath);
    const std::string program = m_toolsFolder + request.tool;
    std::unique_ptr<RunningProcess> process =
        m_processes.start(program, arguments, false, result.error);
    if (!process) {
        m_files.remove(request.listPath);
        result.outcome = ToolResult::Outcome::NotStarted;
        return result;
    }
    result.exitCode = waitFor(*process);
    m_files.remove(request.listPath);

    if (!request.statusBase.empty()) {
        const std::string statusPath = request.statusBase + ".log";
        std::unique_ptr<InputFile> status = m_files.open(statusPath);
        if (!status || !status->seek(0) || !status->readRest(result.statusText)) {
            result.outcome = ToolResult::Outcome::StatusUnreadable;
            return result;
        }
        status.reset();
        if (!request.statusWhole)
            result.statusText = cleanStatusText(result.statusText);
        m_files.remove(statusPath);
    }
    if (ToolCancel)
        result.outcome = ToolResult::Outcome::Cancelled;
    return result;
}

}  // namespace marquis

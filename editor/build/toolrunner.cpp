#include "build/toolrunner.h"

#include "model/windows1252.h"

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

std::string reportForDisplay(std::string_view report)
{
    return isUtf8(report) ? std::string(report) : windows1252ToUtf8(report);
}

ToolRunner::ToolRunner(
    ProcessPort& processes, FileSystem& files, UserInterface& ui, std::string toolsFolder)
    : m_processes(processes), m_files(files), m_ui(ui), m_toolsFolder(std::move(toolsFolder))
{
}

ToolRunner::Routine::Routine(ToolRunner& tools) : m_tools(tools)
{
    m_tools.m_cancelled = false;
    m_tools.m_cancelledRun = 0;
    m_tools.m_busy = true;
}

ToolRunner::Routine::~Routine()
{
    m_tools.m_busy = false;
}

ToolRunner::ElapsedClock::ElapsedClock(
    ToolRunner& tools, std::function<void(const std::string&)> show)
    : m_tools(tools)
{
    m_tools.m_showElapsed = std::move(show);
    m_tools.m_clockStart = m_tools.m_now();
    m_tools.m_shownSecond = -1;
}

ToolRunner::ElapsedClock::~ElapsedClock()
{
    m_tools.m_showElapsed = nullptr;
}

void ToolRunner::cancel()
{
    if (!m_busy)
        return;
    m_cancelled = true;
    m_cancelledRun = m_currentRun;
}

void ToolRunner::reset()
{
    m_busy = false;
    m_cancelled = false;
    m_cancelledRun = 0;
}

void ToolRunner::showElapsed(Clock::time_point now)
{
    if (!m_showElapsed)
        return;
    const auto second = std::chrono::duration_cast<std::chrono::seconds>(now - m_clockStart);
    if (second.count() == m_shownSecond)
        return;
    m_shownSecond = second.count();
    m_showElapsed(elapsedText(second));
}

int ToolRunner::waitFor(RunningProcess& process, unsigned run)
{
    std::optional<Clock::time_point> cancelDeadline;
    while (true) {
        const Clock::time_point now = m_now();
        showElapsed(now);
        if (const std::optional<int> code = process.poll())
            return *code;
        if (m_cancelledRun == run && !cancelDeadline)
            cancelDeadline = now + m_cancelGrace;
        if (cancelDeadline && now >= *cancelDeadline) {
            // The tool did not finish after the user cancelled: it is ended.
            process.kill();
            return -9;
        }
        m_ui.pumpEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
}

ToolResult ToolRunner::run(const ToolRun& request)
{
    // A cancel belongs to the run it was made during; a new run starts without one.
    m_cancelled = false;
    const unsigned run = ++m_runs;
    struct Innermost {
        unsigned& current;
        unsigned outer;
        ~Innermost() { current = outer; }
    } innermost { m_currentRun, m_currentRun };
    m_currentRun = run;

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
        m_processes.start(program, arguments, request.environment, false, result.error);
    if (!process) {
        m_files.remove(request.listPath);
        result.outcome = ToolResult::Outcome::NotStarted;
        return result;
    }
    result.exitCode = waitFor(*process, run);
    m_files.remove(request.listPath);

    const bool cancelled = m_cancelledRun == run;
    if (!request.statusBase.empty()) {
        const std::string statusPath = request.statusBase + ".log";
        std::unique_ptr<InputFile> status = m_files.open(statusPath);
        const bool read = status && status->seek(0) && status->readRest(result.statusText);
        status.reset();
        m_files.remove(statusPath);
        if (!read) {
            result.statusText.clear();
            result.outcome = cancelled ? ToolResult::Outcome::Cancelled
                                       : ToolResult::Outcome::StatusUnreadable;
            return result;
        }
        if (!request.statusWhole)
            result.statusText = cleanStatusText(result.statusText);
    }
    if (cancelled)
        result.outcome = ToolResult::Outcome::Cancelled;
    return result;
}

}  // namespace marquis

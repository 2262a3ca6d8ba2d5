#include "scriptcode/messageengine.h"

#include "scriptcode/bytecode.h"

#include <algorithm>
#include <span>
#include <utility>

namespace marquis::unit {
namespace {

// Guards that keep bad code from hanging the engine: a task runs at most this many
// instructions at one instant, beyond that it goes on one tick later; and it starts at most
// this many messages at one instant (messages starting each other in a ring), beyond that it
// goes on after a pause.
constexpr int StepsPerInstant = 100000;
constexpr int StartsPerInstant = 16;
constexpr int RestartPauseMs = 100;

bool displayable(char c)
{
    const auto code = static_cast<unsigned char>(c);
    return code >= 32 && code <= 127;
}

// The bytes a text puts on the serial port: "#" followed by a character from "@" to "_" is the
// control code of that character less 64 ("#M" a carriage return, "#\" code 28); every other
// character goes out as it is.
void appendSerialBytes(std::string& out, std::string_view text)
{
    for (std::size_t p = 0; p < text.size(); ++p) {
        const char next = p + 1 < text.size() ? text[p + 1] : '\0';
        if (text[p] == '#' && next >= '@' && next <= '_') {
            out += static_cast<char>(next - '@');
            ++p;
        } else {
            out += text[p];
        }
    }
}

} // namespace

std::int64_t MessageEngine::Scroll::end() const
{
    if (passes == 0)
        return Never;
    return start +
        std::int64_t { passes } * (static_cast<std::int64_t>(text.size()) + DisplayWidth) * stepMs;
}

MessageEngine::MessageEngine(int lines)
    : m_lines(std::clamp(lines, 1, 4))
    , m_display(m_lines)
{
}

void MessageEngine::load(const UnitImage& image)
{
    for (std::size_t i = 0; i < ImageMessageCount; ++i) {
        const UnitImage::Entry& entry = image.directory[i];
        m_messages[i] = nullptr;
        m_taskOf[i] = entry.task & 3;
        if (entry.length == 0 || std::uint64_t { entry.offset } + entry.length > image.code.size())
            continue;
        std::optional<std::vector<Instruction>> code =
            decodeMessage(std::span(image.code).subspan(entry.offset, entry.length));
        if (code)
            m_messages[i] = std::make_shared<const std::vector<Instruction>>(std::move(*code));
    }
    m_tasks = {};
    m_display.clear();
    m_relay = false;
    m_serial.clear();
    m_slave.clear();
}

bool MessageEngine::callUp(int number, std::string_view variables)
{
    if (number < 0 || number >= ImageMessageCount || !m_messages[static_cast<std::size_t>(number)])
        return false;
    startOn(m_taskOf[static_cast<std::size_t>(number)], { number, parseVariables(variables) });
    runInstant();
    return true;
}

void MessageEngine::advance(int milliseconds)
{
    runInstant();
    if (milliseconds <= 0)
        return;
    const std::int64_t target = m_now + milliseconds;
    for (;;) {
        std::int64_t next = Never;
        for (const Task& task : m_tasks)
            if (task.code && task.readyAt > m_now)
                next = std::min(next, task.readyAt);
        if (next > target)
            break;
        m_now = next;
        runInstant();
    }
    m_now = target;
    runInstant();
}

std::vector<std::string> MessageEngine::rows() const
{
    std::vector<std::string> rows = m_display.render(m_now);
    for (const Task& task : m_tasks) {
        if (!task.scroll || task.scroll->row < 0 || task.scroll->row >= m_lines ||
            m_now >= task.scroll->end())
            continue;
        // Step k shows the text's first character in the last column, moved k columns left;
        // a pass ends when the text has left the row.
        const Scroll& scroll = *task.scroll;
        const auto length = static_cast<std::int64_t>(scroll.text.size());
        const std::int64_t step =
            ((m_now - scroll.start) / scroll.stepMs) % (length + DisplayWidth);
        std::string& row = rows[static_cast<std::size_t>(scroll.row)];
        for (std::int64_t column = 0; column < DisplayWidth; ++column) {
            const std::int64_t index = column - (DisplayWidth - 1 - step);
            row[static_cast<std::size_t>(column)] = index >= 0 && index < length
                ? scroll.text[static_cast<std::size_t>(index)].shown(m_now)
                : ' ';
        }
    }
    return rows;
}

std::string MessageEngine::takeSerialOutput()
{
    return std::exchange(m_serial, {});
}

std::string MessageEngine::takeSlaveOutput()
{
    return std::exchange(m_slave, {});
}

void MessageEngine::countInstant(Task& task)
{
    if (task.instant != m_now) {
        task.instant = m_now;
        task.steps = 0;
        task.starts = 0;
    }
}

void MessageEngine::startOn(int index, Start start)
{
    Task& task = m_tasks[static_cast<std::size_t>(index)];
    if (task.code && task.locked) {
        task.pending = std::move(start);
        return;
    }
    replace(index, std::move(start));
}

void MessageEngine::replace(int index, Start start)
{
    Task& task = m_tasks[static_cast<std::size_t>(index)];
    closeSerial(task);
    Task fresh;
    fresh.instant = task.instant;
    fresh.steps = task.steps;
    fresh.starts = task.starts;
    task = std::move(fresh);
    countInstant(task);
    task.code = m_messages[static_cast<std::size_t>(start.message)];
    task.variables = start.variables;
    task.readyAt = ++task.starts > StartsPerInstant ? m_now + RestartPauseMs : m_now;
}

void MessageEngine::complete(int index)
{
    Task& task = m_tasks[static_cast<std::size_t>(index)];
    closeSerial(task);
    if (task.pending) {
        Start start = std::move(*task.pending);
        replace(index, std::move(start));
        return;
    }
    if (!task.queue.empty()) {
        std::deque<Start> queue = std::move(task.queue);
        Start next = std::move(queue.front());
        queue.pop_front();
        replace(index, std::move(next));
        task.queue = std::move(queue);
        return;
    }
    task.code = nullptr;
    task.locked = false;
    task.scroll.reset();
}

void MessageEngine::runInstant()
{
    bool ran = true;
    while (ran) {
        ran = false;
        for (int i = 0; i < TaskCount; ++i) {
            const Task& task = m_tasks[static_cast<std::size_t>(i)];
            if (task.code && task.readyAt <= m_now) {
                runTask(i);
                ran = true;
            }
        }
    }
}

void MessageEngine::runTask(int index)
{
    Task& task = m_tasks[static_cast<std::size_t>(index)];
    countInstant(task);
    while (task.code && task.readyAt <= m_now) {
        if (++task.steps > StepsPerInstant) {
            task.readyAt = m_now + TickMs;
            return;
        }
        if (task.scroll && task.scroll->end() <= m_now)
            task.scroll.reset();
        if (task.pc >= task.code->size()) {
            complete(index);
            continue;
        }
        // The code stays alive while it runs, even when the instruction replaces it.
        const Code code = task.code;
        execute(index, (*code)[task.pc++]);
    }
}

void MessageEngine::emit(Task& task, std::string_view text)
{
    if (task.output == OutputSerial) {
        appendSerialBytes(m_serial, text);
        task.serialOpen = true;
        return;
    }
    if (task.output == OutputHost) {
        m_slave += text;
        m_slave += "\r\n";
    }
    const Cell style { ' ', task.blinkPeriod, task.blinkOrigin };
    for (const char c : text) {
        if (!displayable(c))
            continue;
        Cell cell = style;
        cell.character = c;
        if (task.collecting) {
            task.collecting->text.push_back(cell);
        } else {
            m_display.put(task.row, task.column, cell);
            task.column = std::min(task.column + 1, DisplayWidth);
        }
    }
}

void MessageEngine::closeSerial(Task& task)
{
    if (task.serialOpen)
        m_serial += "\r\n";
    task.serialOpen = false;
}

void MessageEngine::execute(int index, const Instruction& in)
{
    Task& task = m_tasks[static_cast<std::size_t>(index)];
    const auto& a = in.args;
    switch (in.op) {
    case Op::End:
        task.pc = task.code->size();
        break;
    case Op::Cursor:
        task.row = a[0] - 1;
        task.column = std::clamp(a[1] - 1, 0, DisplayWidth);
        break;
    case Op::Text:
        emit(task, in.text);
        break;
    case Op::NewLine:
        if (task.output == OutputSerial) {
            m_serial += "\r\n";
        } else if (!task.collecting) {
            m_display.scrollUp();
            task.row = m_lines - 1;
            task.column = 0;
        }
        break;
    case Op::Var:
        emit(task,
            formatValue(task.variables[static_cast<std::size_t>(std::clamp(a[0] - 1, 0, 15))],
                std::abs(a[1]), 0, a[1] < 0));
        break;
    case Op::Load:
        task.registers[static_cast<std::size_t>(std::clamp(a[0], 0, RegisterCount - 1))] =
            task.variables[static_cast<std::size_t>(std::clamp(a[1] - 1, 0, 15))];
        break;
    case Op::Using:
        emit(task,
            formatValue(task.registers[static_cast<std::size_t>(std::clamp(a[0], 0, 25))],
                a[1] % 16, a[1] / 16, a[2] == UsingZeroFill));
        break;
    case Op::Blink:
        task.blinkPeriod = a[0] * BlinkStepMs;
        task.blinkOrigin = m_now;
        break;
    case Op::NoBlink:
        task.blinkPeriod = 0;
        break;
    case Op::Erase:
        m_display.eraseFrom(a[0] == CurrentPosition ? task.row : a[0] - 1,
            a[1] == CurrentPosition ? task.column : a[1] - 1);
        break;
    case Op::Cls:
        m_display.clear();
        break;
    case Op::Relay:
        m_relay = a[0] != 0;
        break;
    case Op::Font:
        break; // the character set changes the glyphs, not the character codes
    case Op::Scroll:
        task.collecting = Scroll { task.row, {}, 0, std::max(a[0], 1) * ScrollStepMs, a[1] };
        break;
    case Op::Eot:
        if (task.collecting) {
            task.scroll = std::move(task.collecting);
            task.collecting.reset();
            task.scroll->start = m_now;
            m_display.eraseFrom(task.scroll->row, 0);
            task.readyAt = task.scroll->end();
        }
        break;
    case Op::Mark: {
        Marker& marker = task.markers[static_cast<std::size_t>(a[0] & 3)];
        marker = { true, task.pc, 0, m_now };
        break;
    }
    case Op::Repeat: {
        Marker& marker = task.markers[static_cast<std::size_t>(a[0] & 3)];
        if (!marker.dropped)
            break;
        ++marker.passes;
        if (a[1] != 0 && marker.passes >= a[1]) {
            marker.passes = 0;
            break;
        }
        task.pc = marker.pc;
        // A section that took no time would repeat forever at one instant; it takes a tick.
        if (marker.time == m_now)
            task.readyAt = m_now + TickMs;
        marker.time = std::max(task.readyAt, m_now);
        break;
    }
    case Op::Wait:
        task.readyAt = m_now + std::int64_t { a[0] } * WaitStepMs;
        break;
    case Op::Start: {
        const auto number = static_cast<std::size_t>(a[0]);
        if (number >= ImageMessageCount || !m_messages[number])
            break;
        const int target = m_taskOf[number];
        if (target == index)
            task.queue.push_back({ a[0], task.variables });
        else
            startOn(target, { a[0], task.variables });
        break;
    }
    case Op::Output:
        if (task.output == OutputSerial && a[0] != OutputSerial)
            closeSerial(task);
        task.output = a[0];
        break;
    case Op::Lock:
        task.locked = a[0] != 0;
        if (!task.locked && task.pending) {
            Start start = std::move(*task.pending);
            replace(index, std::move(start));
        }
        break;
    }
}

} // namespace marquis::unit

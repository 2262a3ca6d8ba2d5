#pragma once

// The message engine of a unit: four tasks, each running one message's code at a time, on one
// shared display. Time passes only through advance(); everything else happens at the current
// instant. Timing (docs/script-language.md): blink rate and scroll speed count 10 ms steps,
// WAIT counts 100 ms steps.

#include "scriptcode/displaybuffer.h"
#include "scriptcode/displayunit.h"
#include "scriptcode/instruction.h"
#include "scriptcode/variablevalue.h"

#include <array>
#include <cstdint>
#include <deque>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace marquis::unit {

inline constexpr int TickMs = 10; // the engine's smallest delay
inline constexpr int BlinkStepMs = 10; // one step of a BLINK rate
inline constexpr int ScrollStepMs = 10; // one step of a SCROLL speed
inline constexpr int WaitStepMs = 100; // one step of a WAIT
inline constexpr int TaskCount = 4;

class MessageEngine {
public:
    explicit MessageEngine(int lines);

    void load(const UnitImage& image);
    bool callUp(int number, std::string_view variables);
    void advance(int milliseconds);
    std::vector<std::string> rows() const;
    bool relayOn() const { return m_relay; }
    std::string takeSerialOutput();
    std::string takeSlaveOutput();

private:
    using Code = std::shared_ptr<const std::vector<Instruction>>;
    static constexpr std::int64_t Never = std::numeric_limits<std::int64_t>::max();

    struct Start {
        int message = 0;
        VariableValues variables;
    };
    struct Marker {
        bool dropped = false;
        std::size_t pc = 0;
        int passes = 0;
        std::int64_t time = 0;
    };
    struct Scroll {
        int row = 0;
        std::vector<Cell> text;
        std::int64_t start = 0;
        int stepMs = ScrollStepMs;
        int passes = 0; // 0: until the message is replaced
        std::int64_t end() const;
    };
    struct Task {
        Code code; // null: idle
        std::size_t pc = 0;
        std::int64_t readyAt = 0;
        VariableValues variables;
        std::array<std::optional<DecimalValue>, RegisterCount> registers;
        int row = 0;
        int column = 0;
        int blinkPeriod = 0;
        std::int64_t blinkOrigin = 0;
        int output = OutputDisplay;
        bool serialOpen = false; // text went to the serial port since OUTPUT_DEVICE(SERIAL)
        bool locked = false;
        std::array<Marker, 4> markers;
        std::optional<Scroll> collecting; // between SCROLL and EOT
        std::optional<Scroll> scroll; // running
        std::deque<Start> queue; // messages started on this task, to run after it
        std::optional<Start> pending; // a replacement waiting for the lock to end
        std::int64_t instant = -1; // the instant the counters below belong to
        int steps = 0;
        int starts = 0;
    };

    void startOn(int task, Start start);
    void replace(int task, Start start);
    void complete(int task);
    void runInstant();
    void runTask(int task);
    void execute(int task, const Instruction& in);
    void emit(Task& task, std::string_view text);
    void closeSerial(Task& task);
    void countInstant(Task& task);

    int m_lines;
    DisplayBuffer m_display;
    std::array<Code, ImageMessageCount> m_messages {};
    std::array<int, ImageMessageCount> m_taskOf {};
    std::array<Task, TaskCount> m_tasks {};
    std::int64_t m_now = 0;
    bool m_relay = false;
    std::string m_serial; // the serial port's bytes
    std::string m_slave; // the texts passed to a slave unit, each ending CR LF
};

} // namespace marquis::unit

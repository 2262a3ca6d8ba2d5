#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace marquis {

inline constexpr int MessageCount = 1024; // message numbers 0..1023
inline constexpr int TaskCount = 4; // tasks 0..3
inline constexpr int MaxUnitLines = 4; // the 5360 shows four lines, the 5320 two
inline constexpr int DisplayWidth = 20; // characters of one display line

// The attributes of one display line. Every text is Windows-1252; an empty text means "not set".
struct EditLine {
    std::string LineText; // rich text of the line (control-word encoding)
    std::string LineFont; // "ENGLISH", "KATAKANA", "CYRILLIC", "SLAVIC" or empty
    std::string LineScroll; // continuous scroll "speed,times" or empty
    std::string LineBlink; // argument list of the line's BLINK statement, e.g. "25,ON"
    std::string LineBlock; // repeat argument "0,n" of a block-played line, or empty
    std::int16_t LineLabel = 0; // number in the line's label, always the line's own number
    std::string LineScript; // scratch of the writer and the reader: the line's statements

    bool operator==(const EditLine&) const = default;
};

// The one message being edited, with the attributes that its SUB block carries. It is owned by
// the editor session and handed by reference to whoever reads or changes it.
struct CurrentMessage {
    std::int16_t MessageNumber = 0;
    std::array<std::int16_t, MessageCount> MessageTask {}; // task of every message
    std::int16_t UnitLines = 4; // 2 (model 5320) or 4 (model 5360)
    std::int16_t CurrentLine = 1;
    std::string ClearScreen; // "CLS" or empty
    std::string RelayState; // "ON", "OFF" or empty
    std::string StartOtherTask; // comma-separated message numbers, started on another task
    std::string StartSameTask; // comma-separated message numbers, started on the same task
    std::string OutputDevice; // "HOST", a text sent out of the serial port, or empty
    std::string LockOn; // "ON" or empty
    std::string LockOff; // "OFF" together with LockOn, or empty
    std::string BlockWait; // WAIT argument between blocks, or empty
    bool BlockScrollOn = false;
    bool VerticalScrollOn = false;
    std::string MessageScript; // the SUB block of this message
    bool ScriptEditOnly = false;
    std::string PlaceholderChar = "#";
    std::array<EditLine, MaxUnitLines + 1> Lines {}; // indexed 1..4; element 0 is never used

    CurrentMessage();

    EditLine& line(int i) { return Lines.at(static_cast<std::size_t>(i)); }
    const EditLine& line(int i) const { return Lines.at(static_cast<std::size_t>(i)); }

    // The task of the current message.
    std::int16_t task() const;
    void setTask(int task);

    // Clears every message-level and per-line attribute, as reading a message starts.
    void clearAttributes();

    bool operator==(const CurrentMessage&) const = default;
};

// True for a valid message number, task or unit model.
bool isMessageNumber(long long n);
bool isTask(long long t);
bool isUnitLines(long long lines);

} // namespace marquis

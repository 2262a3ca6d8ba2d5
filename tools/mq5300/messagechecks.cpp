#include "messagechecks.h"

#include "commanderror.h"
#include "model/attributeforms.h"
#include "model/numberformat.h"
#include "model/richtext.h"
#include "model/windows1252.h"
#include "textio.h"

#include <algorithm>
#include <array>
#include <initializer_list>

namespace marquis::cli {
namespace {

constexpr int MaxStartEntries = 4; // the writer starts at most four messages per list

[[noreturn]] void fail(const std::string& text)
{
    throw CommandError(text);
}

std::string lineName(int i)
{
    return "line " + std::to_string(i);
}

void checkOneOf(std::string_view value, std::initializer_list<std::string_view> allowed,
    const std::string& name)
{
    if (std::find(allowed.begin(), allowed.end(), value) != allowed.end())
        return;
    std::string list;
    for (const std::string_view entry : allowed)
        list += (list.empty() ? "" : ", ") +
            (entry.empty() ? std::string("empty") : "\"" + std::string(entry) + "\"");
    fail(
        name + " must be one of " + list + ", not \"" + printable(windows1252ToUtf8(value)) + "\"");
}

// An attribute that goes into its statement as it stands must have the statement's form; the
// writer would leave it out otherwise.
void checkForm(std::string_view value, bool (*hasForm)(std::string_view), const std::string& name,
    std::string_view form)
{
    if (value.empty() || hasForm(value))
        return;
    fail(name + " must be " + std::string(form) + ", not \"" + printable(windows1252ToUtf8(value)) +
        "\"");
}

// A comma-separated list of message numbers; empty entries are skipped by the writer.
void checkStartList(std::string_view list, const std::string& name)
{
    if (list.empty())
        return;
    int entries = 0;
    for (;;) {
        const std::size_t comma = list.find(',');
        const std::string_view entry = list.substr(0, comma);
        long long number = 0;
        if (!entry.empty() &&
            (entry.find_first_not_of("0123456789") != std::string_view::npos ||
                !parseWholeNumber(entry, number) || !isMessageNumber(number)))
            fail(name + ": \"" + printable(windows1252ToUtf8(entry)) +
                "\" is not a message number 0.." + std::to_string(MessageCount - 1));
        if (++entries > MaxStartEntries)
            fail(name + " takes at most " + std::to_string(MaxStartEntries) + " entries");
        if (comma == std::string_view::npos)
            break;
        list.remove_prefix(comma + 1);
    }
}

// Display text is printable ASCII; the writer passes over anything else. Line breaks belong to
// the block separators of a block-played line.
void checkDisplayCharacters(std::string_view rich, int i)
{
    for (const char c : rich) {
        const auto u = static_cast<unsigned char>(c);
        if (u >= 32 && u <= 127)
            continue;
        if (c == '\r' || c == '\n')
            continue;
        fail("LineText of " + lineName(i) + " holds a character the display cannot show (" +
            (u < 32 ? "code " + std::to_string(u) : windows1252ToUtf8(std::string(1, c))) + ")");
    }
}

void checkLine(const CurrentMessage& message, int i, std::array<int, MaxUnitLines + 1>& owner)
{
    const EditLine& line = message.line(i);
    const std::string name = lineName(i);
    checkOneOf(
        line.LineFont, { "", "ENGLISH", "KATAKANA", "CYRILLIC", "SLAVIC" }, "LineFont of " + name);
    checkForm(line.LineBlink, isBlinkForm, "LineBlink of " + name,
        "a rate 1..255, a comma and ON or 1 (\"25,ON\")");
    checkForm(line.LineScroll, isScrollForm, "LineScroll of " + name,
        "a speed 1..255, a comma and a count 0..255 (\"25,0\")");
    checkForm(line.LineBlock, isBlockForm, "LineBlock of " + name,
        "0, a comma and a count 0..255 (\"0,3\")");
    if (GetText(line.LineText).empty())
        return; // a line without text is not written at all
    checkDisplayCharacters(line.LineText, i);

    const int label = line.LineLabel;
    if (label < 1 || label > message.UnitLines)
        fail("LineLabel of " + name + " is " + std::to_string(label) + ", but the unit has " +
            std::to_string(message.UnitLines) + " lines");
    if (owner[static_cast<std::size_t>(label)] != 0)
        fail(lineName(owner[static_cast<std::size_t>(label)]) + " and " + name +
            " both carry LineLabel " + std::to_string(label));
    owner[static_cast<std::size_t>(label)] = i;

    if (line.LineBlock.empty())
        return;
    if (!line.LineScroll.empty())
        fail(name +
            " has both LineScroll and LineBlock; a line either scrolls or plays "
            "blocks");
    if (!message.BlockScrollOn && !message.VerticalScrollOn)
        fail(name +
            " plays blocks (LineBlock), but neither BlockScrollOn nor "
            "VerticalScrollOn is set");
}

} // namespace

void checkPlaceholder(std::string_view placeholder, std::string_view what)
{
    const bool valid = placeholder.size() == 1 && placeholder[0] > ' ' && placeholder[0] < 127 &&
        placeholder[0] != '\\' && placeholder[0] != '.';
    if (!valid)
        fail(std::string(what) +
            " must be one printable ASCII character other than a blank, a backslash or a "
            "point");
}

void checkWritable(const CurrentMessage& message)
{
    checkOneOf(message.ClearScreen, { "", "CLS" }, "ClearScreen");
    checkOneOf(message.RelayState, { "", "ON", "OFF" }, "RelayState");
    checkOneOf(message.LockOn, { "", "ON" }, "LockOn");
    checkOneOf(message.LockOff, { "", "OFF" }, "LockOff");
    if (!message.LockOff.empty() && message.LockOn.empty())
        fail("LockOff \"OFF\" needs LockOn \"ON\"");
    if (message.BlockScrollOn && message.VerticalScrollOn)
        fail("BlockScrollOn and VerticalScrollOn exclude each other");
    checkForm(message.BlockWait, isPauseForm, "BlockWait", "a pause 0..65535 (\"10\")");
    checkStartList(message.StartOtherTask, "StartOtherTask");
    checkStartList(message.StartSameTask, "StartSameTask");

    std::array<int, MaxUnitLines + 1> owner {}; // the line that carries each label
    for (int i = 1; i <= MaxUnitLines; ++i) {
        if (i > message.UnitLines) {
            if (!GetText(message.line(i).LineText).empty())
                fail(lineName(i) + " has text, but the unit has " +
                    std::to_string(message.UnitLines) + " lines");
            continue;
        }
        checkLine(message, i, owner);
    }
}

} // namespace marquis::cli

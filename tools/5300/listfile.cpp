#include "listfile.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace marquis::unit {
namespace {

constexpr std::size_t SettingLines = 10;

bool sameSwitch(const std::string& line, const char* name)
{
    if (line.size() != std::char_traits<char>::length(name))
        return false;
    return std::equal(line.begin(), line.end(), name,
        [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == b; });
}

// A decimal number without sign; blanks around it are allowed.
std::optional<long> number(const std::string& text)
{
    const auto first = text.find_first_not_of(' ');
    const auto last = text.find_last_not_of(' ');
    if (first == std::string::npos || last - first > 8)
        return std::nullopt;
    long value = 0;
    for (std::size_t i = first; i <= last; ++i) {
        if (!std::isdigit(static_cast<unsigned char>(text[i])))
            return std::nullopt;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

} // namespace

std::optional<UnitCommand> commandOfLetter(const std::string& letter)
{
    if (letter.empty() || letter == "b")
        return UnitCommand::Reboot;
    if (letter.size() != 1)
        return std::nullopt;
    switch (std::tolower(static_cast<unsigned char>(letter[0]))) {
    case 'v':
        return UnitCommand::Version;
    case 'p':
        return UnitCommand::Program;
    case 'c':
        return UnitCommand::CallUp;
    case 'e':
        return UnitCommand::Erase;
    case 'm':
        return UnitCommand::SendMessage;
    case 'r':
        return UnitCommand::ReadFlash;
    default:
        return std::nullopt;
    }
}

std::string commandName(UnitCommand command)
{
    switch (command) {
    case UnitCommand::Version:
        return "version query";
    case UnitCommand::Program:
        return "program flash";
    case UnitCommand::CallUp:
        return "call up message";
    case UnitCommand::Erase:
        return "erase flash";
    case UnitCommand::Reboot:
        return "reboot";
    case UnitCommand::SendMessage:
        return "send message";
    case UnitCommand::ReadFlash:
        return "read flash";
    }
    return "unknown command";
}

std::vector<std::string> listLines(const std::string& content)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < content.size()) {
        auto end = content.find('\n', start);
        if (end == std::string::npos)
            end = content.size();
        std::string line = content.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    while (!lines.empty() && lines.back().empty())
        lines.pop_back();
    return lines;
}

std::optional<Invocation> parseInvocation(
    UnitCommand command, const std::vector<std::string>& lines, ListProblem& problem)
{
    const std::size_t count = lines.size();
    if (count >= 2 && sameSwitch(lines[count - 2], "/log"))
        problem.statusBase = lines[count - 1];
    const auto fail = [&](std::string message) -> std::optional<Invocation> {
        problem.message = "The list file is wrong: " + std::move(message);
        return std::nullopt;
    };
    if (count < SettingLines)
        return fail("it has " + std::to_string(count) + " lines, but at least " +
            std::to_string(SettingLines) +
            " are needed (/a, /b, /c, /m and /log, each "
            "followed by its value).");

    const std::size_t base = count - SettingLines;
    constexpr std::array<const char*, 5> Switches { "/a", "/b", "/c", "/m", "/log" };
    for (std::size_t i = 0; i < Switches.size(); ++i) {
        if (!sameSwitch(lines[base + 2 * i], Switches[i]))
            return fail("line " + std::to_string(base + 2 * i + 1) + " should be \"" + Switches[i] +
                "\" but is \"" + lines[base + 2 * i] + "\".");
    }
    Invocation invocation;
    invocation.command = command;
    const auto address = number(lines[base + 1]);
    if (!address || *address > 255)
        return fail("the unit address \"" + lines[base + 1] + "\" is not a number from 0 to 255.");
    invocation.address = static_cast<int>(*address);
    constexpr std::array<long, 8> Rates { 300, 600, 1200, 2400, 4800, 9600, 19200, 38400 };
    const auto baud = number(lines[base + 3]);
    if (!baud || std::find(Rates.begin(), Rates.end(), *baud) == Rates.end())
        return fail("the baud rate \"" + lines[base + 3] +
            "\" is not one of 300, 600, 1200, 2400, 4800, 9600, 19200, 38400.");
    invocation.baud = static_cast<int>(*baud);
    const auto port = number(lines[base + 5]);
    if (!port || *port < 1 || *port > 4)
        return fail("the COM port \"" + lines[base + 5] + "\" is not a number from 1 to 4.");
    invocation.comPort = static_cast<int>(*port);
    const auto memory = number(lines[base + 7]);
    if (!memory || (*memory != 80 && *memory != 40))
        return fail("the memory code \"" + lines[base + 7] +
            "\" is neither 80 (model 5360) nor 40 (model 5320).");
    invocation.memoryCode = *memory == 80 ? 0x80 : 0x40;
    invocation.statusBase = lines[base + 9];
    if (invocation.statusBase.empty())
        return fail("the status file name after /log is empty.");

    invocation.leading.assign(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(base));
    std::size_t wantedLow = 1;
    std::size_t wantedHigh = 1;
    std::string wanted;
    switch (command) {
    case UnitCommand::Version:
    case UnitCommand::Program:
        wanted = "the binary file's path without extension";
        break;
    case UnitCommand::ReadFlash:
        wanted = "the target file's path without extension";
        break;
    case UnitCommand::CallUp:
        wantedHigh = 2;
        wanted = "the message number and, when there is one, the variable string";
        break;
    case UnitCommand::Erase:
        wantedLow = wantedHigh = 0;
        wanted = "nothing";
        break;
    case UnitCommand::Reboot:
        wanted = "\"b\"";
        break;
    case UnitCommand::SendMessage:
        wantedLow = wantedHigh = 2;
        wanted = "the binary file's path (with .bin) and the message number";
        break;
    }
    if (base < wantedLow || base > wantedHigh)
        return fail("the " + commandName(command) + " needs " + wanted + " before the settings, " +
            "but the list has " + std::to_string(base) + " line(s) there.");
    if (command == UnitCommand::Reboot && invocation.leading[0] != "b" &&
        invocation.leading[0] != "B")
        return fail(
            "the reboot needs \"b\" as its first line, not \"" + invocation.leading[0] + "\".");
    for (std::size_t i = 0; i < invocation.leading.size(); ++i) {
        if (invocation.leading[i].empty() && !(command == UnitCommand::CallUp && i == 1))
            return fail("line " + std::to_string(i + 1) + " is empty.");
    }
    return invocation;
}

} // namespace marquis::unit

#include "messagejson.h"

#include "commanderror.h"
#include "messagechecks.h"
#include "model/windows1252.h"
#include "textio.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <nlohmann/json.hpp>
#include <optional>
#include <set>
#include <vector>

namespace marquis::cli {
namespace {

using Json = nlohmann::json;
using OrderedJson = nlohmann::ordered_json;

template <typename Record> struct TextField {
    const char* name;
    std::string Record::*member;
};

// One table per record serves both directions, so that reading and printing use the same
// names.
constexpr std::array<TextField<CurrentMessage>, 9> MessageTexts { {
    { "ClearScreen", &CurrentMessage::ClearScreen },
    { "RelayState", &CurrentMessage::RelayState },
    { "StartOtherTask", &CurrentMessage::StartOtherTask },
    { "StartSameTask", &CurrentMessage::StartSameTask },
    { "OutputDevice", &CurrentMessage::OutputDevice },
    { "LockOn", &CurrentMessage::LockOn },
    { "LockOff", &CurrentMessage::LockOff },
    { "BlockWait", &CurrentMessage::BlockWait },
    { "PlaceholderChar", &CurrentMessage::PlaceholderChar },
} };

constexpr std::array<TextField<EditLine>, 5> LineTexts { {
    { "LineText", &EditLine::LineText },
    { "LineFont", &EditLine::LineFont },
    { "LineScroll", &EditLine::LineScroll },
    { "LineBlink", &EditLine::LineBlink },
    { "LineBlock", &EditLine::LineBlock },
} };

struct FlagField {
    const char* name;
    bool CurrentMessage::*member;
};

constexpr std::array<FlagField, 2> MessageFlags { {
    { "BlockScrollOn", &CurrentMessage::BlockScrollOn },
    { "VerticalScrollOn", &CurrentMessage::VerticalScrollOn },
} };

[[noreturn]] void fail(const std::string& text)
{
    throw CommandError(text);
}

template <typename Field, std::size_t N>
const Field* findField(const std::array<Field, N>& fields, std::string_view name)
{
    for (const Field& field : fields)
        if (name == field.name)
            return &field;
    return nullptr;
}

std::string text(const Json& value, const std::string& name)
{
    if (!value.is_string())
        fail(name + " must be a string");
    return windows1252From(value.get_ref<const std::string&>(), name);
}

bool flag(const Json& value, const std::string& name)
{
    if (!value.is_boolean())
        fail(name + " must be true or false");
    return value.get<bool>();
}

// The value of a whole JSON number; a value beyond the signed range, which arrives as an
// unsigned number, comes back as the largest signed one, out of every range used here.
std::optional<long long> integerValue(const Json& value)
{
    if (!value.is_number_integer())
        return std::nullopt;
    if (value.is_number_unsigned())
        return static_cast<long long>(std::min<std::uint64_t>(
            value.get<std::uint64_t>(), std::numeric_limits<long long>::max()));
    return value.get<std::int64_t>();
}

long long wholeNumber(const Json& value, const std::string& name, long long low, long long high)
{
    const std::optional<long long> number = integerValue(value);
    if (!number || *number < low || *number > high)
        fail(name + " must be a whole number in " + std::to_string(low) + ".." +
            std::to_string(high));
    return *number;
}

std::int16_t unitLines(const Json& value)
{
    const std::optional<long long> number = integerValue(value);
    if (!number || !isUnitLines(*number))
        fail("UnitLines must be 2 or 4");
    return static_cast<std::int16_t>(*number);
}

std::string unknownField(std::string_view key, std::string_view where)
{
    return "unknown field \"" + printable(key) + "\"" + std::string(where);
}

void readLine(const Json& object, EditLine& line, int number)
{
    const std::string where = " of line " + std::to_string(number);
    if (!object.is_object())
        fail("Lines must hold objects; line " + std::to_string(number) + " is not one");
    for (const auto& [key, value] : object.items()) {
        if (const auto* field = findField(LineTexts, key))
            line.*(field->member) = text(value, key + where);
        else if (key == "LineLabel")
            line.LineLabel =
                static_cast<std::int16_t>(wholeNumber(value, key + where, 1, MaxUnitLines));
        else
            fail(unknownField(key, where));
    }
}

void readLines(const Json& value, CurrentMessage& message)
{
    if (!value.is_array())
        fail("Lines must be an array of line objects");
    if (value.size() > static_cast<std::size_t>(MaxUnitLines))
        fail("Lines holds " + std::to_string(value.size()) + " lines; a message has at most " +
            std::to_string(MaxUnitLines));
    for (std::size_t k = 0; k < value.size(); ++k)
        readLine(value[k], message.line(static_cast<int>(k) + 1), static_cast<int>(k) + 1);
}

// Parses the JSON text, refusing an object that names a field twice: only one of its values
// would be kept, without a word.
Json parseWithoutDuplicates(std::string_view jsonText)
{
    std::vector<std::set<std::string>> names; // the names seen in each object still open
    const auto callback = [&names](int, Json::parse_event_t event, Json& parsed) {
        if (event == Json::parse_event_t::object_start) {
            names.emplace_back();
        } else if (event == Json::parse_event_t::object_end) {
            names.pop_back();
        } else if (event == Json::parse_event_t::key &&
            !names.back().insert(parsed.get<std::string>()).second) {
            fail("the field \"" + printable(parsed.get<std::string>()) + "\" is given twice");
        }
        return true;
    };
    return Json::parse(jsonText, callback);
}

std::string utf8(const std::string& windows1252)
{
    return windows1252ToUtf8(windows1252);
}

} // namespace

CurrentMessage messageFromJson(std::string_view jsonText)
{
    Json object;
    try {
        object = parseWithoutDuplicates(jsonText);
    } catch (const Json::parse_error& e) {
        // The library's text starts with its own tag in brackets; the rest says where and why.
        const std::string_view what = e.what();
        const std::size_t tag = what.find("] ");
        fail("malformed JSON: " +
            printable(tag == std::string_view::npos ? what : what.substr(tag + 2)));
    }
    if (!object.is_object())
        fail("the input must be one JSON object with the fields of a message");

    CurrentMessage message;
    long long task = 0;
    for (const auto& [key, value] : object.items()) {
        if (const auto* field = findField(MessageTexts, key))
            message.*(field->member) = text(value, key);
        else if (const auto* flagField = findField(MessageFlags, key))
            message.*(flagField->member) = flag(value, key);
        else if (key == "MessageNumber")
            message.MessageNumber =
                static_cast<std::int16_t>(wholeNumber(value, key, 0, MessageCount - 1));
        else if (key == "MessageTask")
            task = wholeNumber(value, key, 0, TaskCount - 1);
        else if (key == "UnitLines")
            message.UnitLines = unitLines(value);
        else if (key == "Lines")
            readLines(value, message);
        else if (key == "ScriptEditOnly")
            message.ScriptEditOnly = flag(value, key);
        else
            fail(unknownField(key, ""));
    }
    if (message.ScriptEditOnly)
        fail("the message text does not match its check value; it cannot be rebuilt from "
             "fields");
    checkPlaceholder(message.PlaceholderChar, "PlaceholderChar");
    // The task is kept per message number, so it can be set only once the number is known.
    message.setTask(static_cast<int>(task));
    return message;
}

std::string messageToJson(const CurrentMessage& message)
{
    OrderedJson object;
    object["MessageNumber"] = message.MessageNumber;
    object["MessageTask"] = message.task();
    object["UnitLines"] = message.UnitLines;
    for (const auto& field : MessageTexts)
        object[field.name] = utf8(message.*(field.member));
    for (const auto& field : MessageFlags)
        object[field.name] = message.*(field.member);
    object["ScriptEditOnly"] = message.ScriptEditOnly;

    OrderedJson lines = OrderedJson::array();
    for (int i = 1; i <= std::clamp<int>(message.UnitLines, 0, MaxUnitLines); ++i) {
        const EditLine& line = message.line(i);
        OrderedJson entry;
        for (const auto& field : LineTexts)
            entry[field.name] = utf8(line.*(field.member));
        entry["LineLabel"] = line.LineLabel;
        lines.push_back(std::move(entry));
    }
    object["Lines"] = std::move(lines);
    return object.dump(4) + "\n";
}

} // namespace marquis::cli

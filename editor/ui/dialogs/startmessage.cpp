#include "ui/dialogs/startmessage.h"

#include "model/numberformat.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace marquis {
namespace {

constexpr int Backspace = 8;
constexpr int HighestMessage = MessageCount - 1;

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The value of a number box's text: digits, or a minus sign and digits; no value for anything
// else. Leading zeros do not count, and a value too long for any message number reads as
// 100000, which is out of range all the same.
std::optional<long long> boxValue(std::string_view text)
{
    const bool negative = !text.empty() && text.front() == '-';
    if (negative)
        text.remove_prefix(1);
    if (text.empty() || !std::all_of(text.begin(), text.end(), isDigit))
        return std::nullopt;
    text.remove_prefix(std::min(text.find_first_not_of('0'), text.size()));
    long long value = 0;
    if (text.size() > 5)
        value = 100000;
    else
        for (const char c : text)
            value = value * 10 + (c - '0');
    return negative ? -value : value;
}

void append(std::string& list, int number)
{
    if (!list.empty())
        list += ',';
    list += std::to_string(number);
}

} // namespace

std::optional<std::string_view> startStatusText(StartControl control)
{
    switch (control) {
    case StartControl::Form:
        return "";
    case StartControl::OptOn:
        return "Pressing this Radio button will allow you to define up to four messages to be "
               "started from this one.";
    case StartControl::OptOff:
        return "Pressing this Radio button will disable but not reset current values. If Ok "
               "button pressed when Off is selected all data will be lost.";
    case StartControl::OptTop:
    case StartControl::OptEnd:
        return "You can select whether the START MESSAGE occurs at the begining or end of this "
               "message script.";
    case StartControl::TxtStart:
        return "You can enter any valid message number (0-1023) representing the message to be "
               "started from this one.";
    case StartControl::CmdOk:
        return "Pressing this button will validate all changes if any.";
    case StartControl::CmdCancel:
        return "Pressing this button will discard all changes if any.";
    case StartControl::CmdClear:
        return "Pressing this button will clear all four message number fields.";
    case StartControl::CmdHelp:
        return "Pressing this button will open a help file with information you may need in "
               "order to use this window.";
    case StartControl::VsbStart:
    case StartControl::Other:
        break;
    }
    return std::nullopt;
}

std::string startButtonCaption(const CurrentMessage& message)
{
    const bool none = message.StartOtherTask.empty() && message.StartSameTask.empty();
    return none ? "&Start msg OFF..." : "&Start msg On...";
}

bool acceptsStartKey(int code)
{
    return code == Backspace || (code >= '0' && code <= '9');
}

StartMessageDialog::StartMessageDialog(CurrentMessage& message, UserInterface& ui)
    : m_message(message)
    , m_ui(ui)
    , m_caption(std::string(startmessage::Caption) + std::to_string(message.MessageNumber))
{
    m_on = !message.StartOtherTask.empty() || !message.StartSameTask.empty();
    if (!m_on)
        m_status = startmessage::PressOn;
    int next = 0;
    fill(message.StartOtherTask, StartPlace::Top, next);
    fill(message.StartSameTask, StartPlace::End, next);
    // The button that opened the dialog showed the busy pointer; the user works with the normal
    // one.
    m_ui.busy(false);
}

// Puts the entries of a start list into the next free rows, as long as rows are left. An
// empty entry (two commas in a row) names no message and takes no row.
void StartMessageDialog::fill(const std::string& list, StartPlace place, int& next)
{
    std::size_t from = 0;
    while (from <= list.size() && next < StartRows) {
        const std::size_t comma = std::min(list.find(',', from), list.size());
        const std::string_view entry = trimmed(std::string_view(list).substr(from, comma - from));
        from = comma + 1;
        if (entry.empty())
            continue;
        Row& row = m_rows[static_cast<std::size_t>(next++)];
        row.text = std::string(entry);
        const std::optional<long long> value = boxValue(entry);
        row.spin = value && *value >= 0 && *value <= HighestMessage ? static_cast<int>(*value) : 0;
        row.place = place;
    }
}

void StartMessageDialog::optOnClick()
{
    m_on = true;
}

void StartMessageDialog::optOffClick()
{
    m_on = false;
}

void StartMessageDialog::vsbStartChange(int row, int position)
{
    if (m_updatingControls)
        return;
    Row& r = at(row);
    r.spin = std::clamp(position, 0, HighestMessage);
    r.text = std::to_string(r.spin);
}

void StartMessageDialog::txtStartChange(int row, std::string_view text)
{
    if (m_updatingControls)
        return;
    Row& r = at(row);
    r.text = std::string(text);
    if (text.empty()) {
        r.spin = 0;
        return;
    }
    // A number the spin cannot show leaves it where it is; OK names the text.
    const std::optional<long long> value = boxValue(text);
    if (value && *value >= 0 && *value <= HighestMessage)
        r.spin = static_cast<int>(*value);
}

void StartMessageDialog::placeClick(int row, StartPlace place)
{
    at(row).place = place;
}

void StartMessageDialog::cmdClearClick()
{
    for (Row& row : m_rows) {
        row.text.clear();
        row.spin = 0;
    }
}

bool StartMessageDialog::cmdOkClick()
{
    if (!m_on) {
        m_message.StartOtherTask.clear();
        m_message.StartSameTask.clear();
        return true;
    }
    std::array<std::optional<int>, StartRows> numbers {};
    for (int row = 1; row <= StartRows; ++row) {
        if (text(row).empty())
            continue;
        numbers[static_cast<std::size_t>(row - 1)] = checkedNumber(row);
        if (!numbers[static_cast<std::size_t>(row - 1)])
            return false;
    }
    for (std::size_t i = 0; i + 1 < numbers.size(); ++i)
        for (std::size_t j = i + 1; j < numbers.size(); ++j)
            if (numbers[i] && numbers[i] == numbers[j]) {
                m_ui.message(
                    "You cannot start message " + std::to_string(*numbers[i]) + " more than once.",
                    Buttons::Ok, Icon::None, Answer::Ok);
                return false;
            }
    // The lists are made anew from the rows, so nothing of what they held before stays.
    std::string top;
    std::string end;
    for (std::size_t i = 0; i < numbers.size(); ++i)
        if (numbers[i])
            append(m_rows[i].place == StartPlace::End ? end : top, *numbers[i]);
    m_message.StartOtherTask = top;
    m_message.StartSameTask = end;
    return true;
}

// The number of a row that holds text, or no value when it is refused: the user is told why
// and the row is emptied.
std::optional<int> StartMessageDialog::checkedNumber(int row)
{
    const std::string typed = text(row);
    const std::optional<long long> value = boxValue(typed);
    if (!value)
        refuse(
            row, "\"" + typed + "\" is not a message number. Enter a whole number from 0 to 1023.");
    else if (*value == m_message.MessageNumber)
        refuse(row,
            "Message " + typed + " is the current message. You cannot call the current message.");
    else if (*value < 0)
        refuse(row, typed + " is smaller than the minimum message number 0.");
    else if (*value > HighestMessage)
        refuse(row, typed + " is bigger than the maximum message number 1023.");
    else
        return static_cast<int>(*value);
    return std::nullopt;
}

void StartMessageDialog::refuse(int row, const std::string& text)
{
    m_ui.message(text, Buttons::Ok, Icon::None, Answer::Ok);
    Row& r = at(row);
    r.text.clear();
    r.spin = 0;
}

void StartMessageDialog::mouseOver(StartControl control)
{
    if (const std::optional<std::string_view> text = startStatusText(control))
        m_status = std::string(*text);
}

const StartMessageDialog::Row& StartMessageDialog::at(int row) const
{
    if (row < 1 || row > StartRows)
        throw std::out_of_range("start-message row " + std::to_string(row));
    return m_rows[static_cast<std::size_t>(row - 1)];
}

StartMessageDialog::Row& StartMessageDialog::at(int row)
{
    return const_cast<Row&>(std::as_const(*this).at(row));
}

} // namespace marquis

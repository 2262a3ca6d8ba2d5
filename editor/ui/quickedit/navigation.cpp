// Moving between messages, lines and tasks, and checking what the user types into their boxes.
#include "model/checkvalues.h"
#include "model/numberformat.h"
#include "ui/quickedit/quickeditstate.h"

namespace marquis {
namespace {

// A box's text as a whole number; none when it is not one.
std::optional<long long> numberIn(std::string_view text)
{
    long long value = 0;
    if (!parseWholeNumber(trimmed(text), value))
        return std::nullopt;
    return value;
}

// The hourglass for the life of a load.
class BusyPointer {
public:
    explicit BusyPointer(UserInterface& ui)
        : m_ui(ui)
    {
        m_ui.busy(true);
    }
    ~BusyPointer() { m_ui.busy(false); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;

private:
    UserInterface& m_ui;
};

} // namespace

bool QuickEditState::invalidNumber(std::string_view control, const std::string& text)
{
    m_session.ui().message(text, Buttons::Ok, Icon::None, Answer::Ok);
    m_view.setFocus(control);
    return false;
}

bool QuickEditState::txtMsgKeyPress(int key, std::string_view text)
{
    if (m_updatingControls || m_ended)
        return true;
    if (key == '\r') {
        SelectMessage(text);
        return false;
    }
    return (key >= '0' && key <= '9') || key == '\b';
}

void QuickEditState::SelectMessage(std::string_view text)
{
    entry("SelectMessage", [&] {
        const std::optional<long long> value = numberIn(text);
        if (!value)
            return;
        {
            const UpdatingControls updating(*this);
            m_view.setText("txtMsg", std::to_string(*value));
        }
        if (!isMessageNumber(*value)) {
            const UpdatingControls updating(*this);
            m_view.setText("txtMsg", std::to_string(m_session.message().MessageNumber));
            return;
        }
        loadMessage(static_cast<int>(*value));
    });
}

// Keeps the current message and shows message n from its first line (or its script text in
// Script Edit).
void QuickEditState::loadMessage(int n)
{
    const BusyPointer busy(m_session.ui());
    CurrentMessage& message = m_session.message();
    if (!m_session.goToMessage(n)) {
        // The message could not be kept: stay on it.
        if (m_session.scriptEditMode)
            showMessageControls();
        else
            showEditNow(message.CurrentLine);
        focusEditor();
        return;
    }
    showLoadedMessage();
}

// Shows the message the session has just loaded, as after the entry of its number.
void QuickEditState::showLoadedMessage()
{
    CurrentMessage& message = m_session.message();
    if (m_session.scriptEditMode) {
        if (message.MessageScript.empty()) {
            message.ScriptEditOnly = false;
            message.MessageScript = m_session.store().EmptyText();
            CheckCurrentMessage(message, m_session.store().checkValues(), m_session.ui());
        }
        showScriptText();
    } else {
        message.CurrentLine = 1;
        showEditNow(1);
        updateSimulationNow();
    }
    if (clearSyntaxErrors)
        clearSyntaxErrors();
    focusEditor();
}

bool QuickEditState::leaveTxtMsg(std::string_view text)
{
    bool leave = true;
    entry("SelectMessage", [&] {
        const std::optional<long long> value = numberIn(text);
        if (!value) {
            leave = invalidNumber("txtMsg", std::string(text) + " is not a valid message number.");
            return;
        }
        if (!isMessageNumber(*value)) {
            leave = invalidNumber("txtMsg",
                std::string(text) +
                    " is not a valid message number.  The value must be between 0 and 1023.");
            return;
        }
        if (*value != m_session.message().MessageNumber)
            loadMessage(static_cast<int>(*value));
    });
    return leave;
}

void QuickEditState::vsbMsgChange(int value)
{
    if (m_updatingControls || m_ended)
        return;
    const int current = m_session.message().MessageNumber;
    if (value > current)
        StepMessage(StepDirection::Up);
    else if (value < current)
        StepMessage(StepDirection::Down);
}

void QuickEditState::StepMessage(StepDirection direction)
{
    entry("StepMessage", [&] {
        const int current = m_session.message().MessageNumber;
        FileStore& store = m_session.store();
        const bool up = direction == StepDirection::Up;
        if ((up && current >= MessageCount - 1) || (!up && current <= 0)) {
            // The store tells the user; nothing moves.
            if (up)
                store.NextMessage(current);
            else
                store.PreviousMessage(current);
            showMessageControls();
            focusEditor();
            return;
        }
        loadMessage(up ? store.NextMessage(current) : store.PreviousMessage(current));
    });
}

void QuickEditState::selectLineNow(int lineNumber, bool moveFocus)
{
    m_session.message().CurrentLine = static_cast<std::int16_t>(lineNumber);
    showEditNow(lineNumber);
    updateSimulationNow();
    if (moveFocus)
        focusEditor();
}

void QuickEditState::SelectLine(int lineNumber)
{
    entry("SelectLine", [&] {
        if (lineNumber >= 1 && lineNumber <= m_session.message().UnitLines)
            selectLineNow(lineNumber, true);
    });
}

void QuickEditState::txtLineChange(std::string_view text)
{
    if (m_updatingControls)
        return;
    entry("SelectLine", [&] {
        const std::optional<long long> value = numberIn(text);
        if (value && *value >= 1 && *value <= m_session.message().UnitLines)
            selectLineNow(static_cast<int>(*value), false);
    });
}

void QuickEditState::vsbLineChange(int value)
{
    if (m_updatingControls)
        return;
    SelectLine(value);
}

bool QuickEditState::leaveTxtLine(std::string_view text)
{
    const std::optional<long long> value = numberIn(text);
    const std::string typed(text);
    if (!value)
        return invalidNumber("txtLine", typed + " is not a valid line number.");
    const long long lines = unitType() == "5360" ? 4 : 2;
    if (*value < 1 || *value > lines)
        return invalidNumber("txtLine",
            typed + " is not a valid line number.  The value must be between 1 and " +
                std::to_string(lines) + ".");
    return true;
}

void QuickEditState::displayRowPressed(int row)
{
    entry("SelectLine", [&] {
        const CurrentMessage& message = m_session.message();
        if (message.VerticalScrollOn)
            return;
        const int lineNumber = Simulation::lineOfRow(row, message.UnitLines);
        if (lineNumber != 0 && lineNumber != message.CurrentLine)
            selectLineNow(lineNumber, true);
    });
}

void QuickEditState::setTaskNow(int task)
{
    m_session.message().setTask(task);
}

void QuickEditState::SetTask(int task)
{
    entry("SetTask", [&] {
        if (!isTask(task))
            return;
        setTaskNow(task);
        const UpdatingControls updating(*this);
        m_view.setText("txtTask", std::to_string(task));
        m_view.setValue("vsbTask", task);
    });
}

void QuickEditState::txtTaskChange(std::string_view text)
{
    if (m_updatingControls || m_ended)
        return;
    const std::optional<long long> value = numberIn(text);
    if (!value || !isTask(*value))
        return;
    setTaskNow(static_cast<int>(*value));
    const UpdatingControls updating(*this);
    m_view.setValue("vsbTask", static_cast<int>(*value));
}

void QuickEditState::vsbTaskChange(int value)
{
    if (m_updatingControls || m_ended || !isTask(value))
        return;
    {
        const UpdatingControls updating(*this);
        m_view.setText("txtTask", std::to_string(value));
    }
    setTaskNow(value);
    focusEditor();
}

bool QuickEditState::leaveTxtTask(std::string_view text)
{
    const std::optional<long long> value = numberIn(text);
    const std::string typed(text);
    if (!value)
        return invalidNumber("txtTask", typed + " is not a valid task number.");
    if (!isTask(*value))
        return invalidNumber(
            "txtTask", typed + " is not a valid task number.  The value must be between 0 and 3.");
    return true;
}

} // namespace marquis

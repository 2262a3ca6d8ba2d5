// The Quick Edit window's events: each is handed to the logic.
#include "ui/controls/leddisplay.h"
#include "ui/controls/numberscrollbar.h"
#include "ui/controls/richlineedit.h"
#include "ui/controls/windows1252codec.h"
#include "ui/quickedit/typingrules.h"
#include "ui/quickedit/widgets/quickeditwindow.h"
#include "ui/quickedit/widgets/scripttextedit.h"

#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <iterator>

namespace marquis::qt {
namespace {

EditKey editKeyOf(const QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Tab:
        return EditKey::Tab;
    case Qt::Key_Backspace:
        return EditKey::Backspace;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return EditKey::Enter;
    case Qt::Key_PageUp:
        return EditKey::PageUp;
    case Qt::Key_PageDown:
        return EditKey::PageDown;
    case Qt::Key_Left:
        return EditKey::Left;
    case Qt::Key_Right:
        return EditKey::Right;
    case Qt::Key_Up:
        return EditKey::Up;
    case Qt::Key_Down:
        return EditKey::Down;
    case Qt::Key_V:
        return EditKey::V;
    default:
        return EditKey::Other;
    }
}

// What a key types, as the Windows-1252 code the logic's typing rules take: Backspace 8, Tab
// 9, Enter 13; -1 for keys that type nothing, and for characters the single-byte text of the
// messages cannot hold (0 then, which every typing rule refuses as a control character).
int typedCode(const QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Tab:
        return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    default:
        break;
    }
    const QString text = event->text();
    if (text.size() != 1)
        return -1;
    const std::string bytes = toWindows1252(text);
    if (bytes.size() != 1 || (bytes[0] == '?' && text != "?"))
        return 0;
    return static_cast<unsigned char>(bytes[0]);
}

// Pasted text as the typing rules take it: printable ASCII as it is, line ends as "\n", and
// every other character as 0, which the rules refuse rather than see it replaced.
std::string pastedCodes(const QString& text)
{
    std::string codes;
    codes.reserve(static_cast<std::size_t>(text.size()));
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        codes += u == '\n' || (u >= 32 && u <= 126) ? static_cast<char>(u) : '\0';
    }
    return codes;
}

} // namespace

void QuickEditWindow::connectControls()
{
    m_txtEdit->keyPressFilter = [this](QKeyEvent* event) { return editorKeyPress(event); };
    m_txtEdit->keyReleaseHandler = [this](QKeyEvent* event) {
        // A held key is released once, as the unit's own editor always saw it.
        if (!event->isAutoRepeat())
            forward("KeyUp", [&] { m_state->KeyUp(editKeyOf(event)); });
    };
    // Every change of the line, however it was made, is stored and shown as after a key.
    connect(m_txtEdit, &RichLineEdit::lineEdited, this,
        [this] { forward("KeyUp", [&] { m_state->EditorChanged(); }); });
    m_txtEdit->insertFilter = [this](const QString& text) -> std::optional<QString> {
        if (!m_state || m_state->ended())
            return std::nullopt;
        std::optional<std::string> allowed;
        forward("Paste", [&] { allowed = m_state->InsertText(pastedCodes(text)); });
        if (!allowed)
            return std::nullopt;
        return fromWindows1252(*allowed);
    };
    connect(m_txtEdit, &RichLineEdit::hoveredCharacter, this, [this](int position) {
        forward("txtEdit", [&] {
            m_state->showStatusFor("txtEdit", { StatusEvent::MouseMove, false, position });
        });
    });

    connect(m_txtLine, &QLineEdit::textEdited, this, [this](const QString& text) {
        forward("SelectLine", [&] { m_state->txtLineChange(toWindows1252(text)); });
    });
    connect(m_txtTask, &QLineEdit::textEdited, this, [this](const QString& text) {
        forward("SetTask", [&] { m_state->txtTaskChange(toWindows1252(text)); });
    });
    connect(m_vsbMsg, &NumberScrollBar::numberChanged, this,
        [this](int value) { forward("StepMessage", [&] { m_state->vsbMsgChange(value); }); });
    connect(m_vsbLine, &NumberScrollBar::numberChanged, this,
        [this](int value) { forward("SelectLine", [&] { m_state->vsbLineChange(value); }); });
    connect(m_vsbTask, &NumberScrollBar::numberChanged, this,
        [this](int value) { forward("SetTask", [&] { m_state->vsbTaskChange(value); }); });
    connect(m_display, &LedDisplay::rowClicked, this,
        [this](int row) { forward("SelectLine", [&] { m_state->displayRowPressed(row); }); });
    connect(m_display, &LedDisplay::rowHovered, this, [this](int row) {
        const std::string control = row > 0 ? "lblDisplay" + std::to_string(row) : "frameDisplay";
        forward(
            control.c_str(), [&] { m_state->showStatusFor(control, { StatusEvent::MouseMove }); });
    });
    connect(m_timer1, &QTimer::timeout, this,
        [this] { forward("UpdateSimulation", [&] { m_state->tickTimer1(); }); });
    connect(m_timer2, &QTimer::timeout, this,
        [this] { forward("UpdateSimulation", [&] { m_state->tickTimer2(); }); });

    const auto onClick = [this](const char* button, auto handler) {
        connect(m_buttons.at(button), &QPushButton::clicked, this,
            [this, button, handler] { forward(button, [&] { handler(*m_state); }); });
    };
    onClick("cmdBlink", [](QuickEditState& s) { s.MarkBlink(); });
    onClick("cmdCenter", [](QuickEditState& s) { s.ToggleCenter(); });
    onClick("cmdFont", [](QuickEditState& s) { s.CycleFont(); });
    onClick("cmdRelay", [](QuickEditState& s) { s.CycleRelay(); });
    onClick("cmdClrScreen", [](QuickEditState& s) { s.ToggleClearScreen(); });
    onClick("cmdVar", [](QuickEditState& s) { s.OpenDialog(DialogKind::Variables); });
    onClick("cmdScroll", [](QuickEditState& s) { s.OpenDialog(DialogKind::HorizontalScroll); });
    onClick("cmdWait", [](QuickEditState& s) { s.OpenDialog(DialogKind::VerticalScroll); });
    onClick("cmdStart", [](QuickEditState& s) { s.OpenDialog(DialogKind::StartMessage); });
    onClick("cmdSend", [](QuickEditState& s) { s.OpenDialog(DialogKind::SendMessage); });
    connect(m_buttons.at("cmdAdvEdit"), &QPushButton::clicked, this,
        [this] { forward("cmdAdvEdit", [&] { m_scriptEdit->AdvEditClick(); }); });

    // Every change of the script text is the message's text at once.
    connect(m_txtAdvEdit, &QPlainTextEdit::textChanged, this, [this] {
        forward("txtAdvEdit", [&] { m_scriptEdit->scriptEdited(m_txtAdvEdit->scriptText()); });
    });
    m_txtAdvEdit->onKeyReleased = [this] {
        forward("txtAdvEdit", [&] { m_scriptEdit->scriptKeyReleased(); });
    };
    m_txtAdvEdit->onStepError = [this](bool forwards) {
        forward("txtAdvEdit", [&] { m_scriptEdit->stepError(forwards); });
    };

    for (QWidget* control : { static_cast<QWidget*>(m_txtMsg), static_cast<QWidget*>(m_txtLine),
             static_cast<QWidget*>(m_txtTask), static_cast<QWidget*>(m_txtEdit),
             static_cast<QWidget*>(m_txtAdvEdit),
             static_cast<QWidget*>(m_lblAttribute), centralWidget() })
        watch(control);
    for (const auto& [objectName, button] : m_buttons)
        watch(button);
    // The bare panel empties the status line whenever the mouse moves over it, also when it
    // comes back from a control (which gives the panel no new Enter).
    centralWidget()->setMouseTracking(true);
}

void QuickEditWindow::watch(QWidget* control)
{
    control->installEventFilter(this);
}

// Status texts on focus and mouse-over, the number boxes' key filter and their check when
// the focus leaves them.
bool QuickEditWindow::eventFilter(QObject* watched, QEvent* event)
{
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || !m_state || m_state->ended())
        return QMainWindow::eventFilter(watched, event);
    const std::string control = widget->objectName().toStdString();
    auto* box = qobject_cast<QLineEdit*>(widget);
    switch (event->type()) {
    case QEvent::FocusIn:
        forward(control.c_str(), [&] { m_state->showStatusFor(control); });
        break;
    case QEvent::MouseMove:
        if (widget == centralWidget())
            status("");
        break;
    case QEvent::Enter:
        // The bare panel clears the status line; the line editor tells the character under
        // the mouse itself.
        if (widget == centralWidget())
            status("");
        else if (widget != m_txtEdit)
            forward(control.c_str(),
                [&] { m_state->showStatusFor(control, { StatusEvent::MouseMove }); });
        break;
    case QEvent::Leave:
        if (control == "cmdAdvEdit")
            status("");
        break;
    case QEvent::KeyPress:
        if (widget == m_txtMsg && numberBoxKeyPress(m_txtMsg, static_cast<QKeyEvent*>(event)))
            return true;
        break;
    case QEvent::FocusOut: {
        // A message box or a menu taking the focus for a while is no leaving.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
            break;
        // Cleared first: a refused entry takes the focus back and shows the box's text again.
        forward(control.c_str(), [&] { m_state->focusLeft(); });
        if (box)
            leaveNumberBox(box);
        break;
    }
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

bool QuickEditWindow::editorKeyPress(QKeyEvent* event)
{
    if (!m_state || m_state->ended())
        return true;
    bool swallowed = false;
    forward("KeyPress", [&] {
        // The editing keys are the Edit menu's commands, whatever keys the platform gives them
        // (Shift+Insert pastes as Ctrl+V does); copying is the editor's own, as plain text.
        if (event->matches(QKeySequence::Undo) || event->matches(QKeySequence::Cut) ||
            event->matches(QKeySequence::Paste)) {
            swallowed = true;
            if (event->matches(QKeySequence::Undo))
                m_state->Undo(EditTarget::LineEditor);
            else if (event->matches(QKeySequence::Cut))
                m_state->Cut(EditTarget::LineEditor);
            else
                m_state->Paste(EditTarget::LineEditor);
            return;
        }
        const Qt::KeyboardModifiers modifiers = event->modifiers();
        const bool control = modifiers.testFlag(Qt::ControlModifier);
        if (m_state->KeyDown(editKeyOf(event), control)) {
            swallowed = true;
            return;
        }
        // Shortcuts type nothing; only plain and shifted keys meet the typing rules.
        if (control || modifiers.testFlag(Qt::AltModifier))
            return;
        // Delete types nothing, whatever character the platform gives it; it deletes under
        // the rules of Backspace.
        int code = event->key() == Qt::Key_Delete ? DeleteKey : typedCode(event);
        // The line's plain text, its limits and the display know only the printable ASCII
        // characters; anything above would sit in the line uncounted and unseen.
        if (code > 126 && code != DeleteKey)
            code = 0;
        if (code >= 0)
            swallowed = !m_state->KeyPress(code).has_value();
    });
    return swallowed || m_state->ended();
}

bool QuickEditWindow::numberBoxKeyPress(QLineEdit* box, QKeyEvent* event)
{
    // Tab moves the focus on, as in every box.
    if (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab)
        return false;
    // Delete and the editing shortcuts type nothing, although the platform reports Delete as
    // the character 127 and Ctrl+A as 1; only typed characters meet the digits rule, so
    // pasting, which types the clipboard's text, stays refused.
    static const QKeySequence::StandardKey editing[] = { QKeySequence::SelectAll,
        QKeySequence::Copy, QKeySequence::Cut, QKeySequence::Undo, QKeySequence::Redo };
    if (event->key() == Qt::Key_Delete ||
        std::any_of(std::begin(editing), std::end(editing),
            [event](QKeySequence::StandardKey key) { return event->matches(key); }))
        return false;
    const int code = typedCode(event);
    if (code < 0)
        return false;
    bool insert = true;
    forward("SelectMessage",
        [&] { insert = m_state->txtMsgKeyPress(code, toWindows1252(box->text())); });
    return !insert;
}

// A box whose entry is invalid takes the focus back (the logic says why and moves it).
bool QuickEditWindow::leaveNumberBox(QLineEdit* box)
{
    if (m_validating)
        return true;
    m_validating = true;
    bool leave = true;
    const std::string text = toWindows1252(box->text());
    forward("Validate", [&] {
        if (box == m_txtMsg)
            leave = m_state->leaveTxtMsg(text);
        else if (box == m_txtLine)
            leave = m_state->leaveTxtLine(text);
        else if (box == m_txtTask)
            leave = m_state->leaveTxtTask(text);
    });
    m_validating = false;
    return leave;
}

} // namespace marquis::qt

#include "ui/quickedit/widgets/scripttextedit.h"

#include "ui/controls/windows1252codec.h"

#include <QKeyEvent>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QTextCursor>
#include <optional>

namespace marquis::qt {
namespace {

// The digit a key of the numeric keypad stands for, with Num Lock on or off.
std::optional<int> keypadDigit(const QKeyEvent* event)
{
    if (!event->modifiers().testFlag(Qt::KeypadModifier))
        return std::nullopt;
    const int key = event->key();
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return key - Qt::Key_0;
    switch (key) {
    case Qt::Key_Insert:
        return 0;
    case Qt::Key_End:
        return 1;
    case Qt::Key_Down:
        return 2;
    case Qt::Key_PageDown:
        return 3;
    case Qt::Key_Left:
        return 4;
    case Qt::Key_Clear:
        return 5;
    case Qt::Key_Right:
        return 6;
    case Qt::Key_Home:
        return 7;
    case Qt::Key_Up:
        return 8;
    case Qt::Key_PageUp:
        return 9;
    default:
        return std::nullopt;
    }
}

// Where a byte offset of the CR LF text lies in the document, whose line breaks are one
// character each.
int documentPosition(const std::string& text, std::size_t offset)
{
    offset = std::min(offset, text.size());
    int breaks = 0;
    for (std::size_t at = text.find("\r\n"); at != std::string::npos && at < offset;
         at = text.find("\r\n", at + 2))
        ++breaks;
    return static_cast<int>(offset) - breaks;
}

} // namespace

ScriptTextEdit::ScriptTextEdit(QWidget* parent)
    : QPlainTextEdit(parent)
#ifdef _WIN32
    , m_codes(true) // the system types the character of an Alt sequence itself
#endif
{
    QFont font("Courier");
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPointSizeF(9.75);
    setFont(font);
    setLineWrapMode(QPlainTextEdit::NoWrap);
}

std::string ScriptTextEdit::scriptText() const
{
    // The raw text keeps every character (the plain text would turn a no-break space into a
    // blank); its line breaks are paragraph separators.
    QString raw = document()->toRawText();
    raw.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
    raw.replace(QChar::LineSeparator, QStringLiteral("\r\n"));
    return toWindows1252(raw);
}

void ScriptTextEdit::setScriptText(const std::string& text)
{
    const QSignalBlocker blocker(this);
    QString shown = fromWindows1252(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    setPlainText(shown);
}

void ScriptTextEdit::selectBytes(std::size_t start, std::size_t end)
{
    const std::string text = scriptText();
    QTextCursor cursor(document());
    cursor.setPosition(documentPosition(text, start));
    cursor.setPosition(documentPosition(text, end), QTextCursor::KeepAnchor);
    setTextCursor(cursor);
    ensureCursorVisible();
}

void ScriptTextEdit::insertCode(int code)
{
    if (code == '\r' || code == '\n') {
        insertPlainText(QStringLiteral("\n"));
        return;
    }
    insertPlainText(fromWindows1252(std::string(1, static_cast<char>(code))));
}

void ScriptTextEdit::keyPressEvent(QKeyEvent* event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    if (modifiers.testFlag(Qt::ControlModifier) && !modifiers.testFlag(Qt::AltModifier)) {
        const int key = event->key();
        const bool plus = key == Qt::Key_Plus || key == Qt::Key_Equal;
        const bool minus = key == Qt::Key_Minus || key == Qt::Key_Underscore;
        if (plus || minus) {
            if (onStepError)
                onStepError(plus);
            // The error's text stays on the status line when Ctrl and the key come up.
            m_errorShown = true;
            event->accept();
            return;
        }
    }
    if (event->key() != Qt::Key_Control)
        m_errorShown = false;
    if (m_codes.keyPress(keypadDigit(event), modifiers.testFlag(Qt::AltModifier))) {
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void ScriptTextEdit::keyReleaseEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Alt && !event->isAutoRepeat()) {
        const bool others = (event->modifiers() &
                                (Qt::ShiftModifier | Qt::ControlModifier | Qt::MetaModifier)) != 0;
        if (const std::optional<int> code = m_codes.altReleased(others))
            insertCode(*code);
    }
    QPlainTextEdit::keyReleaseEvent(event);
    if (!event->isAutoRepeat() && onKeyReleased && !m_errorShown)
        onKeyReleased();
}

} // namespace marquis::qt

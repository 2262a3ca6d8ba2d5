#include "ui/controls/richlineedit.h"

#include "model/richtext.h"
#include "ui/controls/linefont.h"
#include "ui/controls/richtextcodec.h"

#include <QAbstractTextDocumentLayout>
#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <algorithm>

namespace marquis::qt {
namespace {

// Pasted text comes in as plain text with its line ends made block ends.
QString plainPasteText(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return text;
}

} // namespace

RichLineEdit::RichLineEdit(QWidget* parent)
    : QTextEdit(parent)
{
    setObjectName("txtEdit");
    setFont(lineFont());
    document()->setDefaultFont(lineFont());
    setAcceptRichText(false);
    viewport()->setMouseTracking(true);
    connect(document(), &QTextDocument::contentsChanged, this, [this] {
        if (!m_loading)
            emit lineEdited();
    });
    setLineText("");
}

void RichLineEdit::setLineText(std::string_view rich)
{
    m_loading = true;
    m_plainPending = false;
    loadLineText(*document(), rich);
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::Start);
    setTextCursor(cursor);
    m_loading = false;
}

std::string RichLineEdit::lineText() const
{
    return lineTextOf(*document());
}

EditorState RichLineEdit::editorState() const
{
    const QTextCursor cursor = textCursor();
    EditorState state;
    state.richText = lineText();
    state.caretRow = cursor.blockNumber();
    state.caretColumn =
        visibleLength(QStringView(cursor.block().text()).left(cursor.positionInBlock()));
    state.selectionLength = visibleLength(cursor.selectedText());
    state.overtype = overwriteMode();
    state.selectionStart = placeOf(cursor.selectionStart());
    state.selectionEnd = placeOf(cursor.selectionEnd());
    return state;
}

EditorPlace RichLineEdit::placeOf(int documentPosition) const
{
    const QTextBlock block = document()->findBlock(documentPosition);
    if (!block.isValid())
        return {};
    return { block.blockNumber(),
        visibleLength(QStringView(block.text()).left(documentPosition - block.position())) };
}

void RichLineEdit::widenSelectionToWholeVariables()
{
    QTextCursor cursor = textCursor();
    if (!cursor.hasSelection())
        return;
    // The run of the character at a document position: its format's font and run number;
    // nothing when the character is no variable.
    const auto variableRunAt = [this](int position) -> std::optional<std::pair<long long, int>> {
        const QTextBlock block = document()->findBlock(position);
        if (position >= block.position() + block.length() - 1)
            return std::nullopt; // the block end
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (position < fragment.position() || position >= fragment.position() + fragment.length())
                continue;
            const QTextCharFormat format = fragment.charFormat();
            if (!isVariableFont(fontOf(format)))
                return std::nullopt;
            return std::pair { fontOf(format), format.intProperty(RunNumberProperty) };
        }
        return std::nullopt;
    };
    int start = cursor.selectionStart();
    int end = cursor.selectionEnd();
    while (start > 0 && variableRunAt(start) && variableRunAt(start - 1) == variableRunAt(start))
        --start;
    while (variableRunAt(end - 1) && variableRunAt(end) == variableRunAt(end - 1))
        ++end;
    const bool forward = cursor.position() == cursor.selectionEnd();
    cursor.setPosition(forward ? start : end);
    cursor.setPosition(forward ? end : start, QTextCursor::KeepAnchor);
    setTextCursor(cursor);
}

std::string RichLineEdit::selectedLineText() const
{
    const QTextCursor cursor = textCursor();
    if (!cursor.hasSelection())
        return "";
    return lineTextOfRange(*document(), cursor.selectionStart(), cursor.selectionEnd());
}

void RichLineEdit::replaceSelectedLineText(std::string_view rich)
{
    QTextCursor cursor = textCursor();
    insertLineText(cursor, rich);
    setTextCursor(cursor);
}

void RichLineEdit::setCurrentBlockCentred(bool centred)
{
    QTextCursor cursor = textCursor();
    QTextBlockFormat format = cursor.blockFormat();
    format.setAlignment(centred ? Qt::AlignHCenter : Qt::AlignLeft);
    // A mark set here goes where the script reader would put it.
    format.clearProperty(MarkBeforeFontProperty);
    cursor.setBlockFormat(format);
}

void RichLineEdit::setTypingPlain()
{
    if (textCursor().hasSelection())
        m_plainPending = true; // applied once the key has removed the highlighted text
    else
        typePlainNow();
}

void RichLineEdit::typePlainNow()
{
    m_plainPending = false;
    setCurrentCharFormat(runFormat(PlainFont, unusedRunNumber(*document())));
}

void RichLineEdit::insertBlockBreak()
{
    // The new block keeps the alignment of the one it is split from, as its continuation.
    QTextCursor cursor = textCursor();
    cursor.insertBlock(cursor.blockFormat(), cursor.charFormat());
    setTextCursor(cursor);
}

void RichLineEdit::moveCaretToEnd()
{
    moveCursor(QTextCursor::End);
}

QTextBlock RichLineEdit::blockAtTop() const
{
    return cursorForPosition(QPoint(0, 0)).block();
}

void RichLineEdit::scrollRows(int rows)
{
    const int count = document()->blockCount();
    const int target = std::clamp(blockAtTop().blockNumber() + rows, 0, std::max(count - 1, 0));
    const QRectF rect =
        document()->documentLayout()->blockBoundingRect(document()->findBlockByNumber(target));
    verticalScrollBar()->setValue(qRound(rect.top()));
}

void RichLineEdit::showRow(int row)
{
    const QTextBlock block = document()->findBlockByNumber(row);
    if (!block.isValid())
        return;
    const QRectF rect = document()->documentLayout()->blockBoundingRect(block);
    QScrollBar* bar = verticalScrollBar();
    const int height = viewport()->height();
    if (rect.top() < bar->value())
        bar->setValue(qRound(rect.top()));
    else if (rect.bottom() > bar->value() + height)
        bar->setValue(qRound(rect.bottom()) - height);
}

void RichLineEdit::keyPressEvent(QKeyEvent* event)
{
    if (keyPressFilter && keyPressFilter(event)) {
        event->accept();
        return;
    }
    const bool printable = !event->text().isEmpty() && event->text().front().isPrint();
    if (m_plainPending && printable) {
        textCursor().removeSelectedText();
        typePlainNow();
    }
    const bool modified = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier);
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !modified) {
        // Always a new block, never a line break inside one (Shift+Enter): blocks are the rows.
        textCursor().removeSelectedText();
        insertBlockBreak();
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Insert && event->modifiers() == Qt::NoModifier) {
        setOverwriteMode(!overwriteMode());
        event->accept();
        return;
    }
    QTextEdit::keyPressEvent(event);
}

void RichLineEdit::keyReleaseEvent(QKeyEvent* event)
{
    QTextEdit::keyReleaseEvent(event);
    if (keyReleaseHandler)
        keyReleaseHandler(event);
}

void RichLineEdit::mouseMoveEvent(QMouseEvent* event)
{
    QTextEdit::mouseMoveEvent(event);
    const int at = characterAt(event->position().toPoint());
    emit hoveredCharacter(at < 0 ? 0 : visiblePosition(at));
}

// Text dragged within the line is not moved by the mouse: a move would take the text out before
// the rules could refuse it where it lands. Text from elsewhere is always copied, so a refused
// drop leaves the other program's text where it was.
void RichLineEdit::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->source() == this) {
        event->ignore();
        return;
    }
    QTextEdit::dragEnterEvent(event);
    if (event->isAccepted())
        event->setDropAction(Qt::CopyAction);
}

void RichLineEdit::dragMoveEvent(QDragMoveEvent* event)
{
    if (event->source() == this) {
        event->ignore();
        return;
    }
    QTextEdit::dragMoveEvent(event);
    if (event->isAccepted())
        event->setDropAction(Qt::CopyAction);
}

void RichLineEdit::dropEvent(QDropEvent* event)
{
    if (event->source() == this || !(event->possibleActions() & Qt::CopyAction)) {
        event->setDropAction(Qt::IgnoreAction);
        event->ignore();
        return;
    }
    QDropEvent copy(
        event->position(), Qt::CopyAction, event->mimeData(), event->buttons(), event->modifiers());
    QTextEdit::dropEvent(&copy);
    event->setDropAction(Qt::CopyAction);
    event->setAccepted(copy.isAccepted());
}

void RichLineEdit::insertFromMimeData(const QMimeData* source)
{
    if (source == nullptr || !source->hasText())
        return;
    QString text = plainPasteText(source->text());
    if (insertFilter) {
        const std::optional<QString> allowed = insertFilter(text);
        if (!allowed)
            return;
        text = *allowed;
    }
    if (m_plainPending) {
        textCursor().removeSelectedText();
        typePlainNow();
    }
    // Pasted text is plain and takes the format of the run it lands in.
    QTextCursor cursor = textCursor();
    cursor.insertText(text);
    setTextCursor(cursor);
    ensureCursorVisible();
}

QMimeData* RichLineEdit::createMimeDataFromSelection() const
{
    auto* data = new QMimeData;
    data->setText(textCursor().selectedText().replace(QChar::ParagraphSeparator, '\n'));
    return data;
}

int RichLineEdit::characterAt(const QPoint& point) const
{
    const QTextCursor near = cursorForPosition(point);
    for (const int candidate : { near.position() - 1, near.position() }) {
        if (candidate < 0)
            continue;
        QTextCursor left(document());
        left.setPosition(candidate);
        if (left.atBlockEnd())
            continue;
        QTextCursor right = left;
        right.movePosition(QTextCursor::NextCharacter);
        const QRect from = cursorRect(left);
        const QRect to = cursorRect(right);
        if (from.top() != to.top())
            continue; // the character ends a wrapped row
        if (point.x() >= std::min(from.left(), to.left()) &&
            point.x() < std::max(from.left(), to.left()) && point.y() >= from.top() &&
            point.y() <= from.bottom())
            return candidate;
    }
    return -1;
}

int RichLineEdit::visiblePosition(int documentPosition) const
{
    const QTextBlock block = document()->findBlock(documentPosition);
    if (!block.isValid())
        return 0;
    const QString text = block.text();
    const int inBlock = documentPosition - block.position();
    if (inBlock < 0 || inBlock >= text.size() || !isVisibleCharacter(text.at(inBlock)))
        return 0;
    int before = visibleLength(QStringView(text).left(inBlock));
    for (QTextBlock b = document()->begin(); b.isValid() && b != block; b = b.next())
        before += visibleLength(b.text());
    return before + 1;
}

} // namespace marquis::qt

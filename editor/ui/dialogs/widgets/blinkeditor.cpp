#include "ui/dialogs/widgets/blinkeditor.h"

#include "ui/controls/linefont.h"
#include "ui/controls/richtextcodec.h"
#include "ui/controls/windows1252codec.h"

#include <QAbstractTextDocumentLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTextBlock>
#include <algorithm>

namespace marquis::qt {
namespace {

QColor highlightColour()
{
    return QColor(0xFF, 0xE0, 0x80);
}

} // namespace

BlinkEditor::BlinkEditor(QWidget* parent)
    : QTextEdit(parent)
{
    setFont(lineFont());
    document()->setDefaultFont(lineFont());
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setLineWrapMode(QTextEdit::NoWrap);
    setUndoRedoEnabled(false);
}

void BlinkEditor::setView(BlinkEditorView view)
{
    m_view = view;
    const QFontMetrics metrics(lineFont());
    const int margin = static_cast<int>(document()->documentMargin());
    const int frame = frameWidth();
    int height = metrics.lineSpacing() + 2 * margin + 2 * frame;
    int width = metrics.horizontalAdvance(QString(DisplayWidth + 1, QLatin1Char('W'))) +
        2 * margin + 2 * frame;
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    if (view == BlinkEditorView::LongRow) {
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        height += horizontalScrollBar()->sizeHint().height();
    } else if (view == BlinkEditorView::Blocks) {
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        width += verticalScrollBar()->sizeHint().width();
    }
    setFixedHeight(height);
    setMinimumWidth(width);
}

void BlinkEditor::showLine(const LineDocument& line, CharacterSpan selection)
{
    const QSignalBlocker blocker(this);
    const int caret = textCursor().position();
    QTextDocument& shown = *document();
    shown.clear();
    QTextCursor cursor(&shown);
    int run = 1;
    for (std::size_t b = 0; b < line.blocks.size(); ++b) {
        QTextBlockFormat format;
        format.setAlignment(line.blocks[b].centred ? Qt::AlignHCenter : Qt::AlignLeft);
        if (b == 0)
            cursor.setBlockFormat(format);
        else
            cursor.insertBlock(format, QTextCharFormat());
        for (const LineRun& r : line.blocks[b].runs)
            cursor.insertText(fromWindows1252(r.text), runFormat(r.font, run++));
    }
    cursor.setPosition(std::min(caret, shown.characterCount() - 1));
    if (!selection.empty()) {
        cursor.setPosition(documentPosition(line, selection.from));
        cursor.setPosition(documentPosition(line, selection.to - 1) + 1, QTextCursor::KeepAnchor);
    }
    setTextCursor(cursor);
}

void BlinkEditor::showHighlight(const LineDocument& line, CharacterSpan highlight)
{
    QList<ExtraSelection> marks;
    if (!highlight.empty()) {
        ExtraSelection mark;
        mark.cursor = QTextCursor(document());
        mark.cursor.setPosition(documentPosition(line, highlight.from));
        mark.cursor.setPosition(
            documentPosition(line, highlight.to - 1) + 1, QTextCursor::KeepAnchor);
        mark.format.setBackground(highlightColour());
        marks.append(mark);
    }
    setExtraSelections(marks);
}

CharacterSpan BlinkEditor::selection() const
{
    const QTextCursor cursor = textCursor();
    return { characterIndex(cursor.selectionStart()), characterIndex(cursor.selectionEnd()) };
}

std::size_t BlinkEditor::caretBlock() const
{
    return static_cast<std::size_t>(std::max(textCursor().block().blockNumber(), 0));
}

std::size_t BlinkEditor::characterAt(const QPoint& point) const
{
    return characterIndex(cursorForPosition(point).position());
}

// Each block end takes one document position that the line does not count.
std::size_t BlinkEditor::characterIndex(int position) const
{
    const int block = std::max(document()->findBlock(position).blockNumber(), 0);
    return static_cast<std::size_t>(std::max(position - block, 0));
}

int BlinkEditor::documentPosition(const LineDocument& line, std::size_t index)
{
    return static_cast<int>(index + blockAt(line, index));
}

// Tab would move the focus before the key reached keyPressEvent; the filter sees it first.
bool BlinkEditor::event(QEvent* event)
{
    if (event->type() == QEvent::KeyPress && keyFilter) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab && keyFilter(key))
            return true;
    }
    return QTextEdit::event(event);
}

void BlinkEditor::keyPressEvent(QKeyEvent* event)
{
    if (keyFilter && keyFilter(event))
        return;
    // A block line is seen one block at a time: the up and down keys show the block above or
    // below, and the caret's block stays in view when the caret moves sideways.
    if (m_view == BlinkEditorView::Blocks) {
        const int key = event->key();
        if (key == Qt::Key_PageUp || key == Qt::Key_Up) {
            stepBlock(-1);
            return;
        }
        if (key == Qt::Key_PageDown || key == Qt::Key_Down) {
            stepBlock(1);
            return;
        }
    }
    QTextEdit::keyPressEvent(event);
    if (m_view == BlinkEditorView::Blocks &&
        (event->key() == Qt::Key_Left || event->key() == Qt::Key_Right))
        showBlockAtTop(textCursor().block());
}

void BlinkEditor::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (doubleClicked)
        doubleClicked(characterAt(event->position().toPoint()));
}

void BlinkEditor::stepBlock(int step)
{
    const QTextBlock top = cursorForPosition(QPoint(2, 2)).block();
    const QTextBlock target = step < 0 ? top.previous() : top.next();
    if (!target.isValid())
        return;
    QTextCursor cursor = textCursor();
    cursor.setPosition(target.position());
    setTextCursor(cursor);
    showBlockAtTop(target);
}

void BlinkEditor::showBlockAtTop(const QTextBlock& block)
{
    const QRectF area = document()->documentLayout()->blockBoundingRect(block);
    verticalScrollBar()->setValue(static_cast<int>(area.top()));
}

} // namespace marquis::qt

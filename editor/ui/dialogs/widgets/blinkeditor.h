#pragma once

#include "model/linedocument.h"
#include "ui/dialogs/blink.h"

#include <QTextEdit>
#include <functional>

class QKeyEvent;
class QMouseEvent;

namespace marquis::qt {

// txtEdit of the Blink dialog: a line, shown with its blinking runs as the line editor shows
// them and the highlighted section on a coloured background. Read-only as to its text: the user
// moves the caret and selects. Positions are the line's character indexes (blocks joined).
class BlinkEditor : public QTextEdit {
public:
    explicit BlinkEditor(QWidget* parent = nullptr);

    // One row of 20 characters, a long row scrolled sideways, or one block at a time.
    void setView(BlinkEditorView view);
    // Shows the line; the caret stays, and a non-empty `selection` is selected.
    void showLine(const LineDocument& line, CharacterSpan selection);
    void showHighlight(const LineDocument& line, CharacterSpan highlight);

    // The selection (empty at the caret) and the block of the caret.
    CharacterSpan selection() const;
    std::size_t caretBlock() const;
    // The character index at a point of the viewport.
    std::size_t characterAt(const QPoint& point) const;

    std::function<bool(QKeyEvent*)> keyFilter; // true: handled
    std::function<void(std::size_t index)> doubleClicked;

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    std::size_t characterIndex(int position) const;
    static int documentPosition(const LineDocument& line, std::size_t index);
    // One block up (-1) or down (1), with the caret at its start.
    void stepBlock(int step);
    void showBlockAtTop(const QTextBlock& block);

    BlinkEditorView m_view = BlinkEditorView::SingleRow;
};

} // namespace marquis::qt

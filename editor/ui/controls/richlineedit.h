#pragma once

#include "ui/quickedit/quickeditview.h"

#include <QTextEdit>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

class QDragEnterEvent;
class QDragMoveEvent;
class QDropEvent;
class QKeyEvent;
class QMimeData;
class QMouseEvent;
class QTextBlock;

namespace marquis::qt {

// txtEdit: the rich-text line editor. It holds one display line; plain text, blinking text
// (font 65) and variables (colour 4) are shown distinctly, blocks of a block line are its
// paragraphs, centring is paragraph alignment. It gives and takes the line in the LineText
// control-word encoding (Windows-1252 bytes).
class RichLineEdit : public QTextEdit {
    Q_OBJECT
public:
    explicit RichLineEdit(QWidget* parent = nullptr);

    void setLineText(std::string_view rich); // the caret goes to the start
    std::string lineText() const;

    EditorState editorState() const;
    std::string selectedLineText() const;
    // Widens the selection so that neither of its ends falls inside a variable run.
    void widenSelectionToWholeVariables();
    void replaceSelectedLineText(std::string_view rich); // stays highlighted
    void setCurrentBlockCentred(bool centred);
    void setTypingPlain();
    void insertBlockBreak();
    void moveCaretToEnd();
    void scrollRows(int rows);
    void showRow(int row);

    // Key events go here first: return true when the key was handled (swallowed). The window
    // forwards them to its logic (key press, key down, key release).
    std::function<bool(QKeyEvent*)> keyPressFilter;
    std::function<void(QKeyEvent*)> keyReleaseHandler;
    // Text that arrives in one piece (every paste: Shift+Insert, the middle button, the context
    // menu; a drop) goes here first, with its line ends made "\n": it returns the text to
    // insert, or none to refuse it. Without a filter the text goes in as it is.
    std::function<std::optional<QString>(const QString&)> insertFilter;

signals:
    // The visible-character position (1 is the first) under the mouse, for the status line.
    // 0 when the mouse is over no character.
    void hoveredCharacter(int position);
    // The text or its formats changed (not by setLineText), by whatever means: a key, the
    // context menu, a drop, undo.
    void lineEdited();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;
    // Copied and dragged text leaves as plain text, blocks as lines.
    QMimeData* createMimeDataFromSelection() const override;

private:
    // The document position of the character under a viewport point; -1 over no character.
    int characterAt(const QPoint& point) const;
    // The visible-character position (1 is the first, block ends not counted) of the character
    // at a document position; 0 when that character is not visible.
    int visiblePosition(int documentPosition) const;
    // The row and visible column of a document position.
    EditorPlace placeOf(int documentPosition) const;
    QTextBlock blockAtTop() const;
    void typePlainNow();

    bool m_loading = false; // setLineText is filling the document
    bool m_plainPending = false; // setTypingPlain came while text was highlighted
};

} // namespace marquis::qt

#pragma once

#include "ui/quickedit/charactercodes.h"

#include <QPlainTextEdit>
#include <functional>
#include <string>

class QKeyEvent;

namespace marquis::qt {

// txtAdvEdit: the message's script text in a fixed-pitch font. Besides plain editing it steps
// through the errors of the last syntax check (Ctrl-Plus, Ctrl-Minus) and types characters by
// their code (Alt + keypad digits).
class ScriptTextEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit ScriptTextEdit(QWidget* parent = nullptr);

    // The text as the core keeps it: Windows-1252, every line break CR LF.
    std::string scriptText() const;
    void setScriptText(const std::string& text); // changes nothing the user did
    // Highlights bytes [start, end) of scriptText().
    void selectBytes(std::size_t start, std::size_t end);

    // Ctrl-Plus (true) and Ctrl-Minus (false).
    std::function<void(bool forward)> onStepError;
    // A key released (not an auto-repeat).
    std::function<void()> onKeyReleased;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    void insertCode(int code);

    CharacterCodes m_codes;
    bool m_errorShown = false; // the status line shows a syntax error, not the length
};

} // namespace marquis::qt

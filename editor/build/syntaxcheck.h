#pragma once

#include "build/toolrunner.h"
#include "files/filesave.h"

#include <optional>
#include <string>
#include <vector>

namespace marquis {

// The compiler's check of the current message alone, and the list of its errors that the user
// steps through in the script text.
class SyntaxCheck {
public:
    std::vector<std::string> ErrorLines;  // entry k is element k - 1
    std::vector<std::string> ErrorTexts;
    int ErrorCount = 0;
    int CurrentError = 0;

    // Where stepping puts the caret of the script text, and what the status line says.
    struct Step {
        std::optional<std::size_t> caret;  // no value: the caret stays
        std::string status;
    };

    SyntaxCheck(ToolRunner& tools, FileSystem& files, UserInterface& ui);

    // The lines "sub.src" holds before the message: the header lines of a saved script file
    // and the empty line after them. Line k of the message is line k + SourceOffset there.
    static constexpr int SourceOffset = 4;

    // Checks the message text (only in Script Edit mode and when there is text), under the
    // header the saved file would have, so the unit model and the language version are those
    // the file is compiled with.
    void run(const std::string& messageScript, int messageNumber, bool scriptEditMode,
        const ScriptHeader& header = {});

    // True while the compiler runs.
    bool running() const { return m_running; }

    // Ctrl-Plus and Ctrl-Minus in the script text.
    Step stepForward(const std::string& scriptText);
    Step stepBackward(const std::string& scriptText);

    // A new or opened file starts without errors.
    void clear();

private:
    Step show(const std::string& scriptText) const;
    bool readErrors(const std::string& errorPath);

    ToolRunner& m_tools;
    FileSystem& m_files;
    UserInterface& m_ui;
    bool m_running = false;
};

// The caret position at the start of line `line` (1 is the first) of a text with CR LF line
// ends; 0 for a line at or before the start.
std::size_t lineStart(const std::string& text, long long line);

}  // namespace marquis

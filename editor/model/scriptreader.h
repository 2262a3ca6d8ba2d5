#pragma once

#include "model/checkvaluesource.h"
#include "model/currentmessage.h"
#include "ports/userinterface.h"

#include <string>
#include <string_view>

namespace marquis {

// Fills the current message's fields from its SUB block: the inverse of the script writer for
// every text the writer produces. It recognises the writer's statement forms and ignores
// everything else; a text that fails its check value is left for Script Edit.
class ScriptReader {
public:
    ScriptReader(CheckValueSource& checkValues, UserInterface& ui);

    // Reads MessageScript into the fields of the message MessageNumber names.
    void ReadFields(CurrentMessage& message);

    // Fills LineText and the line attributes of one line from its LineScript.
    static void ReadLines(CurrentMessage& message, int line);

    // The rich text of one block's output statements.
    static std::string ReadDoLine(std::string_view buffer, std::string_view placeholder);

    // Turns the writer's centring of one converted block back into "\qc "/"\ql " marks;
    // `centred` is the line's centring state, carried from block to block.
    static std::string GetCenter(
        std::string_view block, bool centreCommentSeen, bool lineScrolled, bool& centred);

private:
    CheckValueSource& m_checkValues;
    UserInterface& m_ui;
};

// The text between the first `open` after `keyword` and the next `close`; "" when any of them
// is missing. With a double quote as `close`, a backslash-quote pair followed by a further
// quote stands for a quote in the text.
std::string ChkLine(std::string_view statement, std::string_view keyword, char open, char close);

// The variable of a "LET A=VAR(v)" statement, or "".
std::string ChkLet(std::string_view statement);

// The send attribute of a whole message text: the serial text, "HOST", or "".
std::string ChkDevice(std::string_view messageText);

} // namespace marquis

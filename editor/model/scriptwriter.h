#pragma once

#include "model/checkvaluesource.h"
#include "model/currentmessage.h"
#include "ports/userinterface.h"

#include <string_view>

namespace marquis {

// Turns the current message into its SUB block in the display's scripting language.
class ScriptWriter {
public:
    ScriptWriter(CheckValueSource& checkValues, UserInterface& ui);

    // Writes MessageScript from the message's fields (nothing when ScriptEditOnly is set). It
    // works on a copy, so the fields are left as they were.
    void SubMake(CurrentMessage& message);

    // Fills LineScript of one display line; a centred line gets its centring blanks in front
    // of LineText, as the block is assembled.
    static void LineMake(CurrentMessage& message, int line);

    // Appends the output statements of one line's or block's rich text to LineScript[line].
    static void MakeDoLine(CurrentMessage& message, std::string_view rich, int line);

private:
    CheckValueSource& m_checkValues;
    UserInterface& m_ui;
};

}  // namespace marquis

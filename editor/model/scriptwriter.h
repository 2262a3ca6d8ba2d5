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

    // Writes MessageScript from the message's fields (nothing when ScriptEditOnly is set). The
    // fields are left as they were; only the scratch LineScript changes. An attribute text
    // without its form (attributeforms.h) is left out as if it were not set: no attribute
    // breaks the statement it goes into, or the script around it.
    void SubMake(CurrentMessage& message);

    // Fills LineScript of one display line.
    static void LineMake(CurrentMessage& message, int line);

    // Appends the output statements of one line's or block's rich text to LineScript[line].
    static void MakeDoLine(CurrentMessage& message, std::string_view rich, int line);

private:
    CheckValueSource& m_checkValues;
    UserInterface& m_ui;
};

} // namespace marquis

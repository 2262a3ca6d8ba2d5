#pragma once

#include "model/checkvaluesource.h"
#include "model/currentmessage.h"
#include "ports/userinterface.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace marquis {

// The check value of a SUB body, from the check-value component.
std::int32_t CheckValueOfBody(CheckValueSource& source, std::string_view body);

// The SUB text of a message without content: its header and an empty label per display line.
std::string EmptyMessageText(int number, int task, int unitLines);

// The body of a SUB text: every line after the SUB line up to, not including, the END SUB
// line, each with its CR LF.
std::string BodyOfSub(std::string_view subText);

// The header line of a SUB block, with its check value in the header's number format.
std::string SubHeader(int number, int task, std::int32_t checkValue);

// The load-time check of the current message: takes the task from the header into
// MessageTask and sets ScriptEditOnly when the text no longer matches its check value.
void CheckCurrentMessage(CurrentMessage& message, CheckValueSource& source, UserInterface& ui);

} // namespace marquis

#pragma once

#include "model/currentmessage.h"

#include <string>
#include <string_view>

namespace marquis {

// How a control came to ask for its status text.
enum class StatusEvent { Focus, MouseMove };

// What the status texts depend on besides the message.
struct StatusContext {
    StatusEvent event = StatusEvent::Focus;
    bool textHighlighted = false; // txtEdit has a selection (for cmdBlink)
    // For the mouse over txtEdit: the visible character under the pointer (1 is the first,
    // block breaks not counted); 0 when the pointer is over no character.
    int characterPosition = 0;
};

// The status-bar text of a control of the main window for the message's current line; ""
// for the controls that clear the status bar. The display rows are "lblDisplay1" to
// "lblDisplay4", the menus "mnuEdit" and "mnuAdvanced".
std::string StatusFor(
    std::string_view control, const CurrentMessage& message, const StatusContext& context = {});

} // namespace marquis

#pragma once

#include "build/toolrunner.h"
#include "files/editorsession.h"

#include <string>
#include <vector>

namespace marquis {

// What the call-up question's answer asks for.
struct CallUpRequest {
    std::string number;
    std::string variables;  // "" for none
};

// Splits the answer: number and variable string separated by a blank, or the variable string
// in double quotes.
CallUpRequest parseCallUp(const std::string& answer);

// The Advanced menu's single commands to the unit: call up, send message, reboot, erase flash.
class UnitCommands {
public:
    UnitCommands(EditorSession& session, ToolRunner& tools);

    void callUp();
    void sendMessage();
    void reboot();
    void eraseFlash();

    // Runs one command of the unit link with list and status file named `workName` in the
    // runner's private work folder, shows its report and clears the notices; false when it
    // could not run.
    bool runCommand(const std::string& letter, const std::vector<std::string>& leadingLines,
        const std::string& workName, const std::string& statusText);

private:
    // Compiles the current message alone into the program folder's "MQSSEND.bin"; false when
    // that did not work (the user has been told).
    bool compileCurrentMessage();
    // Tells the user that an answer holds a character the unit cannot be sent.
    void refuseCharacter(std::string_view answer);

    EditorSession& m_session;
    ToolRunner& m_tools;
    UserInterface& m_ui;
};

}  // namespace marquis

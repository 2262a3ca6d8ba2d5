#pragma once

#include "build/toolrunner.h"
#include "files/editorsession.h"

#include <functional>
#include <string>

namespace marquis {

// The logic of the "Read / Program Flash" dialog: reading the unit's flash into a binary file
// and programming the flash from one. The dialog refuses to close while a command runs.
class ReadFlashDialog {
public:
    ReadFlashDialog(EditorSession& session, ToolRunner& tools);

    static constexpr const char* Caption = "Read / Program Flash";
    static constexpr const char* Note = "NOTE: Your 5300 Series Version 2 unit must be in program "
                                        "mode before you read or program the Flash Memory.";

    bool Busy = false;

    // The dialog's own status line and its elapsed-time display.
    std::function<void(const std::string&)> onStatus;
    std::function<void(const std::string&)> onElapsed;

    void readFlash();
    void programFlash();
    bool canClose() const { return !Busy; }

private:
    void status(const std::string& text);

    EditorSession& m_session;
    ToolRunner& m_tools;
    UserInterface& m_ui;
};

}  // namespace marquis

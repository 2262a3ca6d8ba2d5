#pragma once

#include "files/editorsession.h"

#include <string>

namespace marquis {

// The Program menu's settings: script-language version, unit model, address, COM port and baud
// rate, with their side effects.
class ProgramMenu {
public:
    explicit ProgramMenu(EditorSession& session);

    static constexpr const char* OpenedStatus =
        "Press F1 in order to get help on commands from Program Menu.";
    static constexpr const char* BaudRates[] = { "300", "600", "1200", "2400", "4800", "9600",
        "19200", "38400" };

    std::string addressCaption() const;      // "&Address 12..."
    std::string displayCaption() const;      // "5360 Display"
    bool programEnabled();                   // "&Program..." may be chosen

    void setVersion(const std::string& version);  // "1" or "2"
    // "5320" or "5360". Before the 5320 takes the place of the 5360 while the current message
    // holds text on lines 3 or 4, asks; Cancel keeps the model as it was.
    void setModel(const std::string& unitType);
    void setPort(const std::string& port);        // "1" to "4"
    void setBaudRate(const std::string& rate);
    // Asks for the unit address and keeps a valid answer.
    void askAddress();

private:
    std::string scriptBinary() const;

    EditorSession& m_session;
};

}  // namespace marquis

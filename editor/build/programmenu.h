#pragma once

#include "files/editorsession.h"

#include <string>
#include <vector>

namespace marquis {

struct SerialDevice;

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
    // "COM &1 — /dev/ttyUSB0, FT232R USB UART": the device COM `port` reaches as the unit link
    // will find it (the settings' mapping, MARQUIS_COMn, 5300.ports beside the tools, then
    // /dev/ttyS<n-1>), described from `devices` where it is one of them.
    std::string comPortCaption(int port, const std::vector<SerialDevice>& devices) const;

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

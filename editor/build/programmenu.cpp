#include "build/programmenu.h"

#include "build/compilejob.h"
#include "build/serialdevices.h"
#include "model/numberformat.h"
#include "model/richtext.h"
#include "unitlink/comports.h"

#include <cstdlib>

namespace marquis {

ProgramMenu::ProgramMenu(EditorSession& session) : m_session(session) { }

std::string ProgramMenu::comPortCaption(int port, const std::vector<SerialDevice>& devices) const
{
    const Preferences& settings = m_session.preferences();
    const std::string& mapped = settings.ComDevices.at(static_cast<std::size_t>(port - 1));
    const std::string path = !mapped.empty()
        ? mapped
        : unit::locateComPort(port, settings.ToolsFolder, [](const char* name) {
              return std::getenv(name);
          }).path;
    return marquis::comPortCaption(port, path, devices);
}

std::string ProgramMenu::addressCaption() const
{
    return "&Address " + m_session.preferences().UnitAddress + "...";
}

std::string ProgramMenu::displayCaption() const
{
    return m_session.preferences().UnitType + " Display";
}

std::string ProgramMenu::scriptBinary() const
{
    return outputBaseOf(m_session.store().ScriptFilePath) + ".bin";
}

bool ProgramMenu::programEnabled()
{
    FileStore& store = m_session.store();
    if (!store.ScriptFilePath.empty())
        return store.files().exists(scriptBinary());
    const CurrentMessage& message = m_session.message();
    for (int i = 1; i <= message.UnitLines; ++i)
        if (!GetText(message.line(i).LineText).empty())
            return false;
    return !(m_session.scriptEditMode && !message.MessageScript.empty()) && !store.IsModified();
}

void ProgramMenu::setVersion(const std::string& version)
{
    Preferences& settings = m_session.preferences();
    if (settings.ScriptVersion == version)
        return;
    settings.ScriptVersion = version;
    m_session.store().FileModified = true;
    // A binary built for the other version must not be programmed by mistake.
    if (!m_session.store().ScriptFilePath.empty())
        m_session.store().files().remove(scriptBinary());
}

void ProgramMenu::setModel(const std::string& unitType)
{
    Preferences& settings = m_session.preferences();
    if (settings.UnitType == unitType)
        return;
    const std::string previous = settings.UnitType;
    settings.UnitType = unitType;
    m_session.applyUnitType();
    if (!m_session.confirmHiddenLines()) {
        settings.UnitType = previous;
        m_session.applyUnitType();
        return;
    }
    m_session.store().FileModified = true;
}

void ProgramMenu::setPort(const std::string& port)
{
    m_session.preferences().ComPort = port;
}

void ProgramMenu::setBaudRate(const std::string& rate)
{
    m_session.preferences().BaudRate = rate;
}

void ProgramMenu::askAddress()
{
    UserInterface& ui = m_session.ui();
    const std::optional<std::string> answer = ui.inputBox(
        "Please enter the address of the 5300 unit. This address must be between 0 and 255.",
        "Marquis 5300", m_session.preferences().UnitAddress);
    if (!answer || answer->empty())
        return;
    long long address = 0;
    if (!parseWholeNumber(trimmed(*answer), address)) {
        ui.message("The address " + *answer + " is not valid.", Buttons::Ok, Icon::Information,
            Answer::Ok);
        return;
    }
    if (address < 0 || address >= 256) {
        ui.message("You have entered an illegal address.", Buttons::Ok, Icon::None, Answer::Ok);
        return;
    }
    m_session.preferences().UnitAddress = std::string(trimmed(*answer));
}

}  // namespace marquis

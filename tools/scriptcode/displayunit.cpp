#include "scriptcode/displayunit.h"

#include "scriptcode/messageengine.h"

namespace marquis::unit {

struct DisplayUnit::Engine : MessageEngine {
    using MessageEngine::MessageEngine;
};

DisplayUnit::DisplayUnit(int lines)
    : m_engine(new Engine(lines))
{
}

DisplayUnit::~DisplayUnit()
{
    delete m_engine;
}

void DisplayUnit::load(const UnitImage& image)
{
    m_engine->load(image);
}

bool DisplayUnit::callUp(int number, std::string_view variables)
{
    return m_engine->callUp(number, variables);
}

void DisplayUnit::advance(int milliseconds)
{
    m_engine->advance(milliseconds);
}

std::vector<std::string> DisplayUnit::rows() const
{
    return m_engine->rows();
}

bool DisplayUnit::relayOn() const
{
    return m_engine->relayOn();
}

std::string DisplayUnit::takeSerialOutput()
{
    return m_engine->takeSerialOutput();
}

std::string DisplayUnit::takeSlaveOutput()
{
    return m_engine->takeSlaveOutput();
}

} // namespace marquis::unit

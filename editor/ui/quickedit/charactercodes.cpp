#include "ui/quickedit/charactercodes.h"

namespace marquis {
namespace {

// More digits than this make no code of 1 to 255 whatever follows; they are not collected, so
// the number cannot overflow.
constexpr int MaxDigits = 4;

} // namespace

bool CharacterCodes::keyPress(std::optional<int> keypadDigit, bool altHeld)
{
    if (altHeld) {
        m_swallowNext = false;
        if (!keypadDigit)
            return false;
        if (m_digits < MaxDigits) {
            m_number = m_number * 10 + *keypadDigit;
            ++m_digits;
        } else {
            m_number = 1000; // stays out of range
        }
        return true;
    }
    if (m_swallowNext) {
        m_swallowNext = false;
        return true;
    }
    return false;
}

std::optional<int> CharacterCodes::altReleased(bool otherShiftKeysHeld)
{
    std::optional<int> code;
    if (m_digits > 0 && !otherShiftKeysHeld && m_number >= 1 && m_number <= 255) {
        code = m_number;
        m_swallowNext = m_systemTypesSequence;
    }
    m_number = 0;
    m_digits = 0;
    return code;
}

} // namespace marquis

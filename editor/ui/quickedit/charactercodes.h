#pragma once

#include <optional>

namespace marquis {

// Typing a character by its code in the script text: while Alt is held, the digit keys of the
// numeric keypad are collected as a decimal number; when Alt is released with no other shift
// key held, a number from 1 to 255 is the code of the character to insert. The keys of the
// sequence type nothing themselves, and on a system that types the character of the sequence
// by itself, that character is swallowed too, since it has been inserted already.
class CharacterCodes {
public:
    explicit CharacterCodes(bool systemTypesSequence = false)
        : m_systemTypesSequence(systemTypesSequence)
    {
    }

    // A key press in the editor: `keypadDigit` is the digit of a keypad key (with or without
    // Num Lock), none for any other key. True when the editor must not handle the key.
    bool keyPress(std::optional<int> keypadDigit, bool altHeld);

    // Alt was released. The character code to insert, if the collected digits make one.
    std::optional<int> altReleased(bool otherShiftKeysHeld);

    // The digits collected so far (0 when none).
    int collected() const { return m_digits > 0 ? m_number : 0; }

private:
    bool m_systemTypesSequence;
    int m_number = 0;
    int m_digits = 0;
    bool m_swallowNext = false;
};

} // namespace marquis

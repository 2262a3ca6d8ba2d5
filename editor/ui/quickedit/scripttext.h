#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace marquis {

// The most a message's script text may hold.
inline constexpr std::size_t MaxScriptBytes = 30000;

// What becomes of a message's script text when it is stored or Script Edit is left.
struct ScriptTextDecision {
    enum class Verdict {
        Accepted, // `text` is the message's text
        Empty, // nothing but blanks: the message without content
        Refused // `message` says why; the text stays in Script Edit
    };
    Verdict verdict = Verdict::Refused;
    // The text with its byte-order mark taken away, every line ending in CR LF and the empty
    // lines around it dropped; also when refused, so that the user corrects what will be kept.
    std::string text;
    std::string message;
};

// Checks the script text of message n: one "SUB n(" line at its start, one "END SUB" line at
// its end and nothing else in column 1 that the store would take for either, at most
// MaxScriptBytes bytes. A text from an editor that wrote a UTF-8 byte-order mark is read as
// UTF-8. Store and file readers find a message only by these lines, so a text that breaks them
// would hide the message or another one.
ScriptTextDecision checkScriptText(std::string_view text, int messageNumber);

// The status texts of txtAdvEdit: on getting the focus (two blanks before the limit, as it has
// always read) and after each key.
std::string scriptLengthOnFocus(std::size_t length);
std::string scriptLengthAfterKey(std::size_t length);

// cmdAdvEdit's caption and its status text.
std::string advEditCaption(bool scriptEditMode, bool scriptEditOnly);
std::string advEditStatus(bool scriptEditMode, bool externalEditor);

// The status line of a message that can only be edited as script text.
std::string scriptEditOnlyStatus(int messageNumber);

} // namespace marquis

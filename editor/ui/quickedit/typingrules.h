#pragma once

#include "ui/quickedit/linelayout.h"
#include "ui/quickedit/quickeditview.h"

#include <string>
#include <string_view>

namespace marquis {

inline constexpr int BackspaceKey = 8;
inline constexpr int TabKey = 9;
inline constexpr int EnterKey = 13;
inline constexpr int DeleteKey = 127;

inline constexpr int MaxFixedLength = 20; // characters of a fixed line and of one block
inline constexpr int MaxContinuousLength = 155;

// What the rules of the line editor make of one typed character.
struct KeyDecision {
    bool insert = true; // the key reaches the editor
    std::string message; // a box to show first ("" for none)
    bool focusBlink = false; // the focus moves to cmdBlink
    bool openLongMessageChooser = false; // the line is full: offer the long-message kinds
    bool blockBreakFirst = false; // a new block starts before the key
    bool typePlain = false; // the key follows a variable at the end: it is typed plain
};

// What the line holds besides the editor's own state.
struct TypingContext {
    LineKind kind = LineKind::Fixed;
    bool messageScrolls = false; // some line of the message already scrolls
    std::string_view placeholder; // the variable placeholder character
};

// The key-press rules of txtEdit for one character code (Windows-1252; 8 Backspace, 9 Tab,
// 13 Enter, 127 Delete, other codes below 32 are control characters). Delete is judged as
// Backspace one character further on: it may remove what Backspace may remove.
KeyDecision typingRule(int key, const EditorState& editor, const TypingContext& context);

// What the rules of the line editor make of text that arrives in one piece (a paste, a drop).
struct InsertDecision {
    bool insert = false; // the text goes in
    std::string text; // what goes in: printable characters, "\n" where a new block starts
    std::string message; // a box to show instead ("" for none)
    bool typePlain = false; // the text follows a variable at the end: it is plain
};

// The rules for `text` (Windows-1252, line ends as "\n") replacing the editor's selection (or
// going in at the caret). The text goes in whole or not at all: only printable characters, one
// line unless the line is played block by block (line ends at its end are dropped), no "#"
// combination that reads as a control character, nothing but the point and the placeholder
// inside a variable, and the line (or each block it touches) within its length.
InsertDecision insertionRule(
    std::string_view text, const EditorState& editor, const TypingContext& context);

} // namespace marquis

#include "ui/quickedit/typingrules.h"

#include "model/richtext.h"

#include <vector>

namespace marquis {
namespace {

KeyDecision swallowed(std::string message = {})
{
    KeyDecision decision;
    decision.insert = false;
    decision.message = std::move(message);
    return decision;
}

// "#" followed by these would read as a literal control character of the display.
bool isLiteralControlFollower(int key)
{
    return key == '#' || (key >= 63 && key <= 95);
}

struct CaretPlace {
    char before = '\0'; // the character before the caret, '\0' at the start of a row
    std::size_t rowLength = 0;
    int visibleBefore = 0; // visible characters before the caret, block breaks not counted
    bool atEnd = false; // the caret stands after the last character of the line
};

CaretPlace caretPlace(const EditorState& editor)
{
    const std::vector<std::string> rows = plainRows(editor.richText);
    CaretPlace place;
    const auto row = static_cast<std::size_t>(editor.caretRow < 0 ? 0 : editor.caretRow);
    if (row >= rows.size()) {
        place.atEnd = true;
        for (const std::string& r : rows)
            place.visibleBefore += static_cast<int>(r.size());
        return place;
    }
    const std::string& text = rows[row];
    const auto column = std::min(
        static_cast<std::size_t>(editor.caretColumn < 0 ? 0 : editor.caretColumn), text.size());
    for (std::size_t k = 0; k < row; ++k)
        place.visibleBefore += static_cast<int>(rows[k].size());
    place.visibleBefore += static_cast<int>(column);
    place.before = column > 0 ? text[column - 1] : '\0';
    place.rowLength = text.size();
    place.atEnd = row + 1 == rows.size() && column == text.size();
    return place;
}

} // namespace

KeyDecision typingRule(int key, const EditorState& editor, const TypingContext& context)
{
    const CaretPlace place = caretPlace(editor);

    if (isLiteralControlFollower(key) && place.before == '#')
        return swallowed("Character combination #" + std::string(1, static_cast<char>(key)) +
            " is illegal in Quick Edit. Please refer to the 5300 PC User's Manual on Literal "
            "Control Characters which can be entered in Script Edit.");
    if (key == TabKey) {
        KeyDecision decision = swallowed();
        decision.focusBlink = true;
        return decision;
    }
    if ((key < 32 || key == 127) && key != BackspaceKey && key != EnterKey)
        return swallowed();
    if (key == EnterKey && context.kind != LineKind::BlockByBlock)
        return swallowed();

    // A key that replaces a highlighted or overtyped character does not lengthen the line.
    const bool replaces = editor.selectionLength > 0 || (editor.overtype && !place.atEnd);
    const auto length = plainLength(editor.richText);
    if (context.kind == LineKind::Fixed && !replaces && key != EnterKey && key != BackspaceKey &&
        length >= MaxFixedLength) {
        if (context.messageScrolls)
            return swallowed("You have already a scrolling line. If you want to create another "
                             "on the same screen search help on Scroll.");
        KeyDecision decision = swallowed();
        decision.openLongMessageChooser = true;
        return decision;
    }

    KeyDecision decision;
    if (context.kind == LineKind::BlockByBlock && key >= 32 &&
        (editor.caretColumn >= MaxFixedLength ||
            place.rowLength >= static_cast<std::size_t>(MaxFixedLength)))
        decision.blockBreakFirst = true;

    // Backspace still shortens a full continuous line.
    if (context.kind == LineKind::Continuous && key != BackspaceKey &&
        (length >= MaxContinuousLength || editor.caretColumn >= MaxContinuousLength))
        return swallowed();

    if (place.visibleBefore > 0 &&
        isVariableFont(FontAtPosition(editor.richText, place.visibleBefore))) {
        if (place.atEnd) {
            decision.typePlain = true;
        } else if (key != '.' &&
            !(context.placeholder.size() == 1 &&
                key == static_cast<unsigned char>(context.placeholder.front()))) {
            return swallowed();
        }
    }
    return decision;
}

} // namespace marquis

#include "ui/quickedit/typingrules.h"

#include "model/richtext.h"

#include <algorithm>
#include <numeric>
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

std::string literalControlMessage(char key)
{
    return "Character combination #" + std::string(1, key) +
        " is illegal in Quick Edit. Please refer to the 5300 PC User's Manual on Literal "
        "Control Characters which can be entered in Script Edit.";
}

// True when the visible character before `visibleBefore` characters belongs to a variable.
bool followsVariable(const EditorState& editor, int visibleBefore)
{
    return visibleBefore > 0 && isVariableFont(FontAtPosition(editor.richText, visibleBefore));
}

// Delete removes the character after the caret, which Backspace removes from one place on.
KeyDecision deleteRule(const EditorState& editor, const TypingContext& context)
{
    EditorState further = editor;
    if (editor.selectionLength == 0) {
        const std::vector<std::string> rows = plainRows(editor.richText);
        const auto row = static_cast<std::size_t>(std::max(editor.caretRow, 0));
        if (row >= rows.size())
            return {}; // nothing after the caret: the key does nothing
        if (static_cast<std::size_t>(std::max(editor.caretColumn, 0)) < rows[row].size()) {
            ++further.caretColumn;
        } else if (row + 1 < rows.size()) {
            ++further.caretRow;
            further.caretColumn = 0;
        } else {
            return {};
        }
    }
    KeyDecision decision = typingRule(BackspaceKey, further, context);
    decision.typePlain = false; // nothing is typed
    return decision;
}

InsertDecision refusedInsertion(std::string message = {})
{
    InsertDecision decision;
    decision.message = std::move(message);
    return decision;
}

std::vector<std::string> splitLines(std::string_view text)
{
    std::vector<std::string> lines(1);
    for (const char c : text) {
        if (c == '\n')
            lines.emplace_back();
        else
            lines.back() += c;
    }
    return lines;
}

EditorPlace clampedPlace(EditorPlace place, const std::vector<std::string>& rows)
{
    place.row = std::clamp(place.row, 0, static_cast<int>(rows.size()) - 1);
    place.column = std::clamp(
        place.column, 0, static_cast<int>(rows[static_cast<std::size_t>(place.row)].size()));
    return place;
}

} // namespace

KeyDecision typingRule(int key, const EditorState& editor, const TypingContext& context)
{
    if (key == DeleteKey)
        return deleteRule(editor, context);
    const CaretPlace place = caretPlace(editor);

    if (isLiteralControlFollower(key) && place.before == '#')
        return swallowed(literalControlMessage(static_cast<char>(key)));
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

    if (followsVariable(editor, place.visibleBefore)) {
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

InsertDecision insertionRule(
    std::string_view text, const EditorState& editor, const TypingContext& context)
{
    std::string_view pasted = text;
    while (!pasted.empty() && pasted.back() == '\n')
        pasted.remove_suffix(1); // a copied line often brings its line end along
    if (pasted.empty())
        return refusedInsertion();
    if (std::any_of(pasted.begin(), pasted.end(), [](char c) {
            const auto code = static_cast<unsigned char>(c);
            return c != '\n' && (code < 32 || code > 126);
        }))
        return refusedInsertion("The text to be pasted holds characters that cannot be shown on "
                                "the display. Only letters, digits, blanks and punctuation can "
                                "be pasted.");
    const std::vector<std::string> lines = splitLines(pasted);
    if (lines.size() > 1 && context.kind != LineKind::BlockByBlock)
        return refusedInsertion(
            "The text to be pasted holds several lines. Only a block by block line takes more "
            "than one; paste one line at a time.");

    const std::vector<std::string> rows = plainRows(editor.richText);
    const EditorPlace from = clampedPlace(editor.selectionStart, rows);
    const EditorPlace to = clampedPlace(editor.selectionEnd, rows);
    const std::string& firstRow = rows[static_cast<std::size_t>(from.row)];
    const std::string& lastRow = rows[static_cast<std::size_t>(to.row)];
    const std::string before = firstRow.substr(0, static_cast<std::size_t>(from.column));
    const std::string after = lastRow.substr(static_cast<std::size_t>(to.column));

    // The pasted characters with their neighbours must not form a display control character.
    const std::string joined = (before.empty() ? "" : before.substr(before.size() - 1)) +
        std::string(pasted) + (after.empty() ? "" : after.substr(0, 1));
    for (std::size_t i = 0; i + 1 < joined.size(); ++i)
        if (joined[i] == '#' && isLiteralControlFollower(static_cast<unsigned char>(joined[i + 1])))
            return refusedInsertion(literalControlMessage(joined[i + 1]));

    InsertDecision decision;
    const int visibleBefore = std::accumulate(rows.begin(), rows.begin() + from.row, from.column,
        [](int sum, const std::string& row) { return sum + static_cast<int>(row.size()); });
    if (followsVariable(editor, visibleBefore)) {
        const bool atEnd = to.row + 1 == static_cast<int>(rows.size()) && after.empty();
        const auto variableCharacter = [&](char c) {
            return c == '.' ||
                (context.placeholder.size() == 1 && c == context.placeholder.front());
        };
        if (atEnd)
            decision.typePlain = true;
        else if (!std::all_of(pasted.begin(), pasted.end(), variableCharacter))
            return refusedInsertion("Only the point and the variable place holder character can "
                                    "be pasted inside a variable.");
    }

    // The rows the text makes: the start of the first and the end of the last row it replaces
    // around the pasted lines.
    std::vector<std::string> made = lines;
    made.front().insert(0, before);
    made.back() += after;
    std::size_t total = 0;
    for (std::size_t r = 0; r < rows.size(); ++r)
        if (r < static_cast<std::size_t>(from.row) || r > static_cast<std::size_t>(to.row))
            total += rows[r].size();
    for (const std::string& row : made)
        total += row.size();

    switch (context.kind) {
    case LineKind::Fixed:
        if (total > static_cast<std::size_t>(MaxFixedLength))
            return refusedInsertion("The text to be pasted is too long to fit in 20 characters "
                                    "line. You may want to create a continuous scrolling "
                                    "message.");
        break;
    case LineKind::Continuous:
        if (total > static_cast<std::size_t>(MaxContinuousLength))
            return refusedInsertion(
                "You cant have more than 155 characters on continuous scrolling line");
        break;
    case LineKind::BlockByBlock:
        if (std::any_of(made.begin(), made.end(), [](const std::string& row) {
                return row.size() > static_cast<std::size_t>(MaxFixedLength);
            }))
            return refusedInsertion("This text is too long to fit in 20 characters block. You "
                                    "may want to create a another block.");
        break;
    }
    decision.insert = true;
    decision.text = std::string(pasted);
    return decision;
}

} // namespace marquis

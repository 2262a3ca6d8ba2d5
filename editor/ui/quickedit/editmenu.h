#pragma once

#include "ui/quickedit/linelayout.h"
#include "ui/quickedit/quickeditview.h"

#include <string>
#include <string_view>

namespace marquis {

// The control that has the focus when the Edit menu is used: its commands work on the line
// editor txtEdit or the script text txtAdvEdit, and on nothing else.
enum class EditTarget { LineEditor, ScriptText, Other };

// What the Edit menu needs to know when it opens.
struct EditMenuContext {
    EditTarget focus = EditTarget::Other;
    bool hasSelection = false; // the focused editor has text highlighted
    bool clipboardHasText = false;
    bool canUndo = false; // the focused editor can undo its last edit
    bool messagesExist = false; // some message exists in the file, the store or the editor
    // The line editor shows a hand-edited message, which only Script Edit may change.
    bool lineLocked = false;
};

// The items the Edit menu offers.
struct EditMenuItems {
    bool undo = false;
    bool cut = false;
    bool copy = false;
    bool paste = false;
    bool deleteMessage = false;

    bool operator==(const EditMenuItems&) const = default;
};

// The enabled items of the Edit menu for the focused control.
EditMenuItems editMenuItems(const EditMenuContext& context);

// The question before a message is deleted.
std::string deleteQuestion(int message);

// The box shown when the line's text breaks the limit of its kind (20 characters on a fixed
// line and in each block of a block line, 155 on a continuous line); "" when it keeps it.
std::string lineLimitBreak(std::string_view rich, LineKind kind);

} // namespace marquis

#include "ui/quickedit/editmenu.h"

#include "model/numberformat.h"
#include "model/richtext.h"
#include "ui/quickedit/typingrules.h"

#include <algorithm>

namespace marquis {

EditMenuItems editMenuItems(const EditMenuContext& context)
{
    EditMenuItems items;
    items.deleteMessage = context.messagesExist;
    if (context.focus == EditTarget::Other)
        return items;
    if (context.focus == EditTarget::LineEditor && context.lineLocked)
        return items;
    items.cut = items.copy = context.hasSelection;
    items.paste = context.clipboardHasText;
    items.undo = context.canUndo;
    return items;
}

std::string deleteQuestion(int message)
{
    return "Delete message " + withLeadingBlank(message) + " ?";
}

std::string lineLimitBreak(std::string_view rich, LineKind kind)
{
    const std::vector<std::string> rows = plainRows(rich);
    switch (kind) {
    case LineKind::Fixed:
        if (plainLength(rich) > static_cast<std::size_t>(MaxFixedLength))
            return "The text is too long to fit in 20 characters line. You may want to create a "
                   "continuous scrolling message.";
        break;
    case LineKind::Continuous:
        if (plainLength(rich) > static_cast<std::size_t>(MaxContinuousLength))
            return "You cant have more than 155 characters on continuous scrolling line";
        break;
    case LineKind::BlockByBlock:
        if (std::any_of(rows.begin(), rows.end(), [](const std::string& row) {
                return row.size() > static_cast<std::size_t>(MaxFixedLength);
            }))
            return "This text is too long to fit in 20 characters block. You may want to create "
                   "a another block.";
        break;
    }
    return "";
}

} // namespace marquis

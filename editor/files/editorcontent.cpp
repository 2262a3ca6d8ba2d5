#include "files/editorcontent.h"

#include "model/richtext.h"

namespace marquis {

bool hasEditorContent(EditorSession& session)
{
    const CurrentMessage& message = session.message();
    if (session.scriptEditMode) {
        if (!message.MessageScript.empty())
            return true;
    } else {
        for (int i = 1; i <= message.UnitLines; ++i)
            if (!GetText(message.line(i).LineText).empty())
                return true;
    }
    for (const auto state : session.store().MessageState)
        if (state != Absent)
            return true;
    return false;
}

} // namespace marquis

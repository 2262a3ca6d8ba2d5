#pragma once

#include "files/editorsession.h"

namespace marquis {

// Whether the editor holds anything: text on a line of the current message (its script text in
// Script Edit mode), or any message in the open file or the store.
bool hasEditorContent(EditorSession& session);

} // namespace marquis

#pragma once

#include "model/richtext.h"
#include "support/sessionfixture.h"
#include "ui/fakequickeditview.h"
#include "ui/quickedit/quickeditstate.h"

#include <memory>
#include <string>
#include <string_view>

namespace marquis::testing {

// A Quick Edit window on an editing session, with a recording view and system settings the
// test controls. start() runs the window's load.
class QuickEditTest : public SessionTest {
protected:
    void start(const std::string& unitType = "5360")
    {
        session->preferences().UnitType = unitType;
        state = std::make_unique<QuickEditState>(*session, view, platform);
        state->startUp();
    }

    // Types characters at the end of the line as the editor does: each key goes through the
    // key press rules, is inserted when they let it through, and is released.
    void type(std::string_view keys)
    {
        view.edit(view.editor.richText);
        for (const char c : keys) {
            if (state->KeyPress(static_cast<unsigned char>(c))) {
                view.editor.richText += c == '\\' ? std::string("\\\\") : std::string(1, c);
                ++view.editor.caretColumn;
                view.editor.selectionStart =
                    view.editor.selectionEnd = { view.editor.caretRow, view.editor.caretColumn };
            }
            state->KeyUp(EditKey::Other);
        }
    }

    static std::string plain(const std::string& text) { return "\\sb90\\sa90 \\f0 \\cf0 " + text; }

    CurrentMessage& message() { return session->message(); }
    std::string plainOfLine(int i) { return GetText(message().line(i).LineText); }

    FakeQuickEditView view;
    FakePlatform platform;
    std::unique_ptr<QuickEditState> state;
};

} // namespace marquis::testing

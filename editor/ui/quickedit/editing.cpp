// The line editor's keys and the attribute buttons.
#include "model/numberformat.h"
#include "model/richtext.h"
#include "ui/quickedit/captions.h"
#include "ui/quickedit/quickeditstate.h"
#include "ui/quickedit/typingrules.h"

namespace marquis {
namespace {

// The module name of a dialog in its failure reports.
std::string moduleName(DialogKind dialog)
{
    switch (dialog) {
    case DialogKind::Blink:
        return "Blink";
    case DialogKind::HorizontalScroll:
        return "Horizontal Scroll";
    case DialogKind::VerticalScroll:
        return "Vertical Scroll";
    case DialogKind::Variables:
        return "Variable";
    case DialogKind::StartMessage:
        return "Start Message";
    case DialogKind::SendMessage:
        return "Send Message";
    case DialogKind::LongMessage:
        break;
    }
    return "";
}

} // namespace

void QuickEditState::storeEditorText()
{
    line().LineText = m_view.editorState().richText;
}

TypingContext QuickEditState::typingContext()
{
    const CurrentMessage& message = m_session.message();
    return { lineKind(line()), anyScrollingLine(message), message.PlaceholderChar };
}

std::optional<int> QuickEditState::KeyPress(int key)
{
    std::optional<int> result = key;
    if (m_session.scriptEditMode)
        return result;
    // The line of a message kept as text only is read-only; no key may change it.
    if (m_session.message().ScriptEditOnly)
        return std::nullopt;
    entry("KeyPress", [&] {
        KeyDecision decision = typingRule(key, m_view.editorState(), typingContext());
        if (!decision.message.empty())
            m_session.ui().message(decision.message, Buttons::Ok, Icon::None, Answer::Ok);
        if (decision.focusBlink)
            m_view.setFocus("cmdBlink");
        if (decision.openLongMessageChooser) {
            runDialog(DialogKind::LongMessage);
            m_view.moveCaretToEnd();
            // Once the line has taken a long form the key that opened the chooser goes in,
            // under the rules of that form; otherwise it stays out.
            if (lineKind(line()) != LineKind::Fixed)
                decision = typingRule(key, m_view.editorState(), typingContext());
        }
        if (decision.blockBreakFirst)
            m_view.insertBlockBreak();
        if (decision.typePlain)
            m_view.setTypingPlain();
        if (!decision.insert)
            result.reset();
    });
    return m_ended ? std::nullopt : result;
}

bool QuickEditState::KeyDown(EditKey key, bool control)
{
    if (m_ended || m_session.scriptEditMode)
        return false;
    if (key == EditKey::Tab) {
        m_view.setFocus("cmdBlink");
        return true;
    }
    if (control && key == EditKey::V) {
        if (!onPaste)
            return false;
        onPaste();
        return true;
    }
    if (lineKind(line()) != LineKind::BlockByBlock)
        return false;
    switch (key) {
    case EditKey::Up:
    case EditKey::PageUp:
        m_view.scrollEditorRows(-1);
        return true;
    case EditKey::Down:
    case EditKey::PageDown:
        m_view.scrollEditorRows(1);
        return true;
    default:
        return false;
    }
}

void QuickEditState::KeyUp(EditKey key)
{
    if (key == EditKey::Tab || m_session.scriptEditMode)
        return;
    entry("KeyUp", [&] {
        const CurrentMessage& message = m_session.message();
        if (lineKind(line()) != LineKind::BlockByBlock) {
            const int current = message.MessageNumber;
            const int lineNumber = message.CurrentLine;
            if (key == EditKey::PageUp && current < MessageCount - 1)
                StepMessage(StepDirection::Up);
            else if (key == EditKey::PageDown && current > 0)
                StepMessage(StepDirection::Down);
            else if (key == EditKey::Up && lineNumber < message.UnitLines)
                selectLineNow(lineNumber + 1, true);
            else if (key == EditKey::Down && lineNumber > 1)
                selectLineNow(lineNumber - 1, true);
        } else if (key == EditKey::Backspace || key == EditKey::Enter || key == EditKey::Left ||
            key == EditKey::Right) {
            m_view.showEditorRow(m_view.editorState().caretRow);
        }
        if (m_ended)
            return;
        storeAndRefresh();
    });
}

void QuickEditState::storeAndRefresh()
{
    storeEditorText();
    updateSimulationNow();
    showPosition();
    m_session.ui().status("Length of current line is " +
        withLeadingBlank(static_cast<long long>(GetText(line().LineText).size())) + " characters.");
}

void QuickEditState::EditorChanged()
{
    if (m_running > 0 || m_session.scriptEditMode)
        return;
    entry("KeyUp", [&] { storeAndRefresh(); });
}

std::optional<std::string> QuickEditState::InsertText(std::string_view text)
{
    std::optional<std::string> result;
    if (m_session.scriptEditMode)
        return result;
    entry("Paste", [&] {
        const InsertDecision decision =
            insertionRule(text, m_view.editorState(), typingContext());
        if (!decision.message.empty())
            m_session.ui().message(decision.message, Buttons::Ok, Icon::None, Answer::Ok);
        if (!decision.insert)
            return;
        if (decision.typePlain)
            m_view.setTypingPlain();
        result = decision.text;
    });
    return m_ended ? std::nullopt : result;
}

void QuickEditState::ToggleCenter()
{
    entry("ToggleCenter", [&] {
        const EditorState editor = m_view.editorState();
        const bool centred = lineKind(line()) == LineKind::BlockByBlock
            ? centringOfBlock(editor.richText, editor.caretRow)
            : isCentred(editor.richText);
        m_view.setCaption("cmdCenter", centerCaption(!centred));
        m_view.setEditorCentred(!centred);
        storeEditorText();
        updateSimulationNow();
        focusEditor();
    });
}

void QuickEditState::CycleFont()
{
    entry("CycleFont", [&] {
        EditLine& l = line();
        l.LineFont = nextFont(l.LineFont);
        m_view.setCaption("cmdFont", fontCaption(l.LineFont));
        updateSimulationNow();
        focusEditor();
    });
}

void QuickEditState::CycleRelay()
{
    entry("CycleRelay", [&] {
        CurrentMessage& message = m_session.message();
        message.RelayState = nextRelay(message.RelayState);
        m_view.setCaption("cmdRelay", relayCaption(message.RelayState));
        updateSimulationNow();
        focusEditor();
    });
}

void QuickEditState::ToggleClearScreen()
{
    entry("ToggleClearScreen", [&] {
        CurrentMessage& message = m_session.message();
        const bool on = message.ClearScreen != "CLS";
        message.ClearScreen = on ? "CLS" : "";
        m_view.setCaption("cmdClrScreen", clearScreenToggleCaption(on));
        updateSimulationNow();
        focusEditor();
    });
}

void QuickEditState::MarkBlink()
{
    entry("MarkBlink", [&] {
        if (trimmed(GetText(line().LineText)).empty()) {
            m_session.ui().message(
                "There is no text to be blinked.", Buttons::Ok, Icon::None, Answer::Ok);
            focusEditor();
            return;
        }
        if (m_view.editorState().selectionLength == 0) {
            runDialog(DialogKind::Blink);
            focusEditor();
            return;
        }
        m_view.widenSelectionToWholeVariables();
        m_view.replaceSelectedRichText(ToggleBlink(m_view.selectedRichText()));
        storeEditorText();
        EditLine& l = line();
        const bool blinking = CheckBlink(l.LineText) == "1";
        l.LineBlink = blinking ? "25,ON" : "";
        m_view.setCaption("cmdBlink", blinking ? "&Blink ON" : "&Blink OFF");
        updateSimulationNow();
        focusEditor();
    });
}

void QuickEditState::OpenDialog(DialogKind dialog)
{
    entry("OpenDialog", [&] {
        if (dialog == DialogKind::Variables) {
            const std::string& placeholder = m_session.message().PlaceholderChar;
            if (placeholder.empty() ||
                GetText(line().LineText).find(placeholder) == std::string::npos) {
                m_session.ui().message("No variable place holder character \"" + placeholder +
                        "\" found. You have to enter exact length for desired variable. You "
                        "can also change current place holder by clicking on Edit menu and "
                        "then choosing Preferences submenu.",
                    Buttons::Ok, Icon::None, Answer::Ok);
                focusEditor();
                return;
            }
        }
        runDialog(dialog);
        if (dialog == DialogKind::SendMessage)
            m_platform.setKeyboardRepeatRate(0);
        focusEditor();
    });
}

// Shows a dialog with the hourglass pointer; a confirmed dialog may have changed the message,
// so the window is refreshed.
void QuickEditState::runDialog(DialogKind dialog)
{
    UserInterface& ui = m_session.ui();
    bool confirmed = false;
    ui.busy(true);
    try {
        confirmed = m_view.openDialog(dialog);
    } catch (const DialogLoadFailure&) {
        ui.busy(false);
        if (dialog != DialogKind::LongMessage)
            ui.message("Damaged " + moduleName(dialog) +
                    " form file. You need to run Marquis Setup program again or obtain new "
                    "installation disk.",
                Buttons::Ok, Icon::Exclamation, Answer::Ok);
        return;
    } catch (const ModelFailure&) {
        ui.busy(false);
        throw;
    } catch (const std::exception&) {
        ui.busy(false);
        if (dialog != DialogKind::LongMessage)
            ui.message("Unexpected error in module " + moduleName(dialog) +
                    ". Try to restart the program or Windows operating system.",
                Buttons::Ok, Icon::Exclamation, Answer::Ok);
        return;
    }
    ui.busy(false);
    if (confirmed) {
        showEditNow(m_session.message().CurrentLine);
        updateSimulationNow();
    }
}

} // namespace marquis

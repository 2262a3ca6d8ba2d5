#include "ui/quickedit/statustexts.h"

#include "model/numberformat.h"
#include "model/richtext.h"
#include "ui/quickedit/linelayout.h"

namespace marquis {
namespace {

constexpr const char* EditorFocusText =
    "Text editing window - all text changes should be done here";

std::string editorText(const EditLine& line, const StatusContext& context)
{
    if (context.event == StatusEvent::Focus || context.characterPosition < 1)
        return EditorFocusText;
    const long long font = FontAtPosition(line.LineText, context.characterPosition);
    if (font < 0)
        return EditorFocusText;
    if (font == PlainFont)
        return "This is plain text.";
    if (font == BlinkingTextFont)
        return "This is blinked text.";
    if (font >= 1 && font <= 16)
        return "This is variable " + withLeadingBlank(font) + ", leading spaces.";
    if (font >= 17 && font <= 32)
        return "This is variable " + withLeadingBlank(font - 16) + ", leading spaces, blinking.";
    if (font >= 33 && font <= 48)
        return "This is variable " + withLeadingBlank(font - 32) + ", leading zeros.";
    if (font >= 49 && font <= 64)
        return "This is variable " + withLeadingBlank(font - 48) + ", leading zeros, blinking";
    return "Text editing window - all text changes shoud be done here";
}

std::string variableText(const CurrentMessage& message, const StatusContext& context)
{
    const int line = message.CurrentLine;
    const int n = countVariables(message.line(line).LineText);
    if (n == 0)
        return "Click once or press Alt-V for variable assignments - please wait it may take a "
               "while.";
    const std::string what = n == 1 ? " variable" : " variables";
    const std::string where = context.event == StatusEvent::MouseMove && message.VerticalScrollOn
        ? " in vert. scrolled msg."
        : " on line " + withLeadingBlank(line) + ".";
    return withLeadingBlank(n) + what + where +
        " Click once for any changes (please wait it may take a while).";
}

std::string startText(const CurrentMessage& message)
{
    std::string list;
    int count = 0;
    for (const std::string* field : { &message.StartOtherTask, &message.StartSameTask })
        for (const std::string& entry : listEntries(*field)) {
            list += (count == 0 ? "" : ",") + entry;
            ++count;
        }
    if (count == 0)
        return "Click once or press Alt-S to select up to 4 messages to call up from this one.";
    return (count == 1 ? "You have called message " : "You have called messages ") + list +
        " from this one.";
}

} // namespace

std::string StatusFor(
    std::string_view control, const CurrentMessage& message, const StatusContext& context)
{
    const int lineNumber =
        message.CurrentLine >= 1 && message.CurrentLine <= MaxUnitLines ? message.CurrentLine : 1;
    const EditLine& line = message.line(lineNumber);
    const LineKind kind = lineKind(line);

    if (control == "txtMsg")
        return "Enter a message number for fast access or creating a new message";
    if (control == "txtLine")
        return "Displays current line number to be edited.";
    if (control == "txtTask")
        return "Displays task number of current message.";
    if (control == "txtEdit")
        return editorText(line, context);
    if (control == "lblAttribute")
        return kind == LineKind::BlockByBlock
            ? "Dispays the block and character number at the current cursor position."
            : "Dispays the line and character number at the current cursor position.";
    if (control.starts_with("lblDisplay") && control.size() == 11 && control[10] >= '1' &&
        control[10] <= '4')
        return "Simulation display line " + std::string(1, control[10]);
    if (control == "cmdBlink")
        return context.textHighlighted
            ? "Clicking on this button or press Alt-B will blink the highlighted text."
            : "Click once or press Alt-B for blink assignments or changes - please wait it may "
              "take a while.";
    if (control == "cmdCenter") {
        if (kind == LineKind::Continuous)
            return "Does not applay for continuous scrolled line.";
        return kind == LineKind::BlockByBlock
            ? "Click once or press Alt-X to toggle between center on and off for current block."
            : "Click once or press Alt-X to toggle between center on and off for current line.";
    }
    if (control == "cmdFont")
        return "Click on this button to switch the font for current line. Search help on how to "
               "use fonts.";
    if (control == "cmdScroll") {
        if (!line.LineBlock.empty())
            return "Click once or press Alt-Z to edit or remove horizontal block by block "
                   "structure.";
        if (!line.LineScroll.empty())
            return "Click once or press Alt-Z to edit or remove continuous scroll structure.";
        return "Click once or press Alt-Z to create continuous scroll or horizontal block by "
               "block structure.";
    }
    if (control == "cmdVar")
        return variableText(message, context);
    if (control == "cmdWait")
        return message.VerticalScrollOn
            ? "Click once or press Alt-C to edit or remove vertical scroll structure of the "
              "current message."
            : "Click once or press Alt-C to assign vertical scroll structure to the current "
              "message.";
    if (control == "cmdStart")
        return startText(message);
    if (control == "cmdRelay") {
        if (message.RelayState == "ON")
            return "Relay will turn on when this msg is called. Click once to turn the relay off "
                   "when this msg is called.";
        if (message.RelayState == "OFF")
            return "Relay will turn off when this msg is called. Click once and relay will not "
                   "be affected from this msg.";
        return "Relay will not be affected from this msg. Click once to turn relay on when this "
               "msg is called.";
    }
    if (control == "cmdClrScreen")
        return message.ClearScreen == "CLS"
            ? "Clear screen on - existing screen will be completely erased when this msg is "
              "called."
            : "Clear screen off - existing screen will be overwritten but not erased when this "
              "msg is called.";
    if (control == "cmdSend") {
        if (message.OutputDevice == "HOST")
            return "You have selected 5300 send to Slave command. Click once to change or "
                   "remove it.";
        if (!message.OutputDevice.empty())
            return "Click once to change or remove current text to be sent out of the serial "
                   "communication port.";
        return "Click once to enable 5300 Slave or enter text to be sent out of the serial "
               "communication port.";
    }
    if (control == "mnuEdit")
        return "Press F1 in order to get help on commands from Edit Menu.";
    if (control == "mnuAdvanced")
        return "Press F1 in order to get help on commands from Advanced Menu.";
    return "";
}

} // namespace marquis

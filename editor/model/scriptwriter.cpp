#include "model/scriptwriter.h"

#include "model/attributeforms.h"
#include "model/checkvalues.h"
#include "model/modelfailure.h"
#include "model/numberformat.h"
#include "model/richtext.h"
#include "model/runscanner.h"
#include "model/scriptformat.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace marquis {
namespace {

using script::commented;
using script::CrLf;

int writtenLines(const CurrentMessage& message)
{
    return std::clamp<int>(message.UnitLines, 0, MaxUnitLines);
}

// An attribute's text as its statement takes it. A text without the attribute's form would
// break the statement, or the script around it, so it is left out as if it were not set.
std::string formed(std::string_view text, bool (*hasForm)(std::string_view))
{
    std::string argument = script::argumentText(text);
    return hasForm(argument) ? argument : std::string {};
}

std::string scrollOf(const EditLine& line)
{
    return formed(line.LineScroll, isScrollForm);
}

std::string blockOf(const EditLine& line)
{
    return formed(line.LineBlock, isBlockForm);
}

// One START_SCRIPT statement per entry of a comma-separated list; at most four entries are
// taken, and empty ones (and ones that are not message numbers) are skipped.
std::string startStatements(std::string_view list, std::string_view comment)
{
    std::string statements;
    for (int entry = 0; entry < 4 && !list.empty(); ++entry) {
        const std::size_t comma = list.find(',');
        const std::string number = formed(list.substr(0, comma), isStartForm);
        if (!number.empty())
            statements += commented("    CALL START_SCRIPT(" + number + ")", comment);
        list = comma == std::string_view::npos ? std::string_view {} : list.substr(comma + 1);
    }
    return statements;
}

// The blanks that centre `plainLength` characters on a display line, put in front of the
// rich text under a plain-text control word. They always form a run of their own: when the
// text does not open with a control word, another control word separates them from it.
std::string centred(const std::string& rich, std::size_t plainLength)
{
    const std::size_t blanks = (DisplayWidth - plainLength) / 2;
    if (blanks == 0)
        return rich;
    // Characters the display cannot show are passed over before the first control word.
    std::size_t first = 0;
    while (first < rich.size() && rich[first] != ' ' && !isDisplayCharacter(rich[first]))
        ++first;
    const bool opensWithText =
        first < rich.size() && (rich[first] != '\\' || rich.compare(first, 2, "\\\\") == 0);
    return fontControlWords(PlainFont) + std::string(blanks, ' ') +
        (opensWithText ? fontControlWords(PlainFont) : std::string {}) + rich;
}

void appendFontStatement(std::string& out, const EditLine& line)
{
    const std::string font = formed(line.LineFont, isFontForm);
    if (!font.empty())
        script::appendCommented(out, { "    CALL FONT_SET(", font, ")" }, script::FontComment);
}

void appendCursor(std::string& out, const EditLine& line)
{
    script::appendLine(out, { "    CALL CURSOR(", std::to_string(line.LineLabel), ",1)" });
}

void appendVariable(std::string& out, long long font, const std::string& run)
{
    const std::string variable = std::to_string(variableOfFont(font));
    const bool zeroFilled = isZeroFilledFont(font);
    const std::size_t point = run.find('.');
    if (point == std::string::npos) {
        const std::string width = zeroFilled ? "-" + std::to_string(run.size())
                                             : withLeadingBlank(static_cast<long long>(run.size()));
        script::appendLine(out, { "    PRINT VAR(", variable, ",", width, ");" });
        return;
    }
    const std::size_t decimals = run.size() - point - 1;
    const std::size_t format = 16 * decimals + run.size();
    script::appendLine(out, { "    LET A=VAR(", variable, ")" });
    script::appendLine(
        out, { "    PRINT USING(", std::to_string(format), zeroFilled ? ",2" : ",0", ");A;" });
}

void blockPlayedLine(CurrentMessage& message, int i)
{
    EditLine& line = message.line(i);
    std::string& out = line.LineScript;
    const bool horizontal = message.BlockScrollOn;
    const std::string pause = formed(message.BlockWait, isPauseForm);
    appendFontStatement(out, line);
    script::appendLine(out, { "    CALL DROP_MARKER(0)" });

    bool centring = false;
    const std::vector<std::string> blocks = splitBlocks(line.LineText);
    for (std::size_t b = 0; b < blocks.size(); ++b) {
        const std::string counter = std::to_string(b + 1);
        std::string block = blocks[b];
        const std::size_t length = plainLength(block);
        const bool shortBlock = length >= 1 && length < static_cast<std::size_t>(DisplayWidth);
        if (shortBlock) {
            if (!centring && hasControlWord(block, "qc"))
                centring = true;
            else if (centring && hasControlWord(block, "ql"))
                centring = false;
            if (centring)
                block = centred(block, length);
        }
        if (b + 1 == blocks.size() && length == 0)
            break;
        auto appendComment = [&] {
            if (shortBlock)
                script::appendLine(out,
                    { centring ? script::CenterBlockComment : script::NoCenterBlockComment,
                        counter });
        };
        if (horizontal) {
            appendCursor(out, line);
            appendComment();
        } else {
            appendComment();
            script::appendLine(out, { "    PRINT" });
        }
        ScriptWriter::MakeDoLine(message, block, i);
        if (shortBlock)
            script::appendCommented(out, { script::EraseBlock }, script::EraseComment);
        // Every block pauses for the message's own pause, whichever line is played.
        if (!pause.empty())
            script::appendCommented(out, { "    CALL WAIT(", pause, ")" }, script::WaitComment);
    }
    script::appendLine(out, { "    CALL GOTO_MARKER(", blockOf(line), ")" });
}

void normalLine(CurrentMessage& message, int i, std::size_t length)
{
    EditLine& line = message.line(i);
    std::string& out = line.LineScript;
    const std::string scroll = scrollOf(line);
    const bool shortLine =
        length >= 1 && length < static_cast<std::size_t>(DisplayWidth) && scroll.empty();
    const bool centre = shortLine && hasControlWord(line.LineText, "qc");
    appendCursor(out, line);
    if (centre)
        script::appendLine(out, { script::CenterLineComment });
    appendFontStatement(out, line);
    if (!scroll.empty())
        script::appendCommented(out, { "    CALL SCROLL(", scroll, ")" }, script::ScrollComment);
    ScriptWriter::MakeDoLine(message, centre ? centred(line.LineText, length) : line.LineText, i);
    if (shortLine)
        script::appendCommented(out, { script::EraseLine }, script::EraseComment);
    if (!scroll.empty())
        script::appendLine(out, { "    EOT" });
}

} // namespace

ScriptWriter::ScriptWriter(CheckValueSource& checkValues, UserInterface& ui)
    : m_checkValues(checkValues)
    , m_ui(ui)
{
}

void ScriptWriter::SubMake(CurrentMessage& message)
{
    if (message.ScriptEditOnly)
        return;
    const BusyNotice notice(m_ui, "Assembling message " + withLeadingBlank(message.MessageNumber));
    message.MessageScript = guarded("SubMake", [&] {
        const int lines = writtenLines(message);
        for (int i = 1; i <= lines; ++i)
            LineMake(message, i);

        const std::string startOther =
            startStatements(message.StartOtherTask, script::StartOtherComment);
        const std::string startSame =
            startStatements(message.StartSameTask, script::StartSameComment);
        const std::string clearScreen =
            message.ClearScreen.empty() ? std::string {} : commented("    CLS", script::ClsComment);
        std::string relay;
        if (message.RelayState == "ON")
            relay = commented("    CALL RELAY(ON)", script::RelayOnComment);
        else if (message.RelayState == "OFF")
            relay = commented("    CALL RELAY(OFF)", script::RelayOffComment);

        // A scrolled or block-played line goes last in the block.
        for (int i = 1; i <= lines; ++i) {
            const EditLine& line = message.line(i);
            if ((!blockOf(line).empty() || !scrollOf(line).empty()) && !line.LineScript.empty() &&
                i != lines)
                std::swap(message.line(i).LineScript, message.line(lines).LineScript);
        }
        std::string linesText;
        linesText.reserve(1024);
        for (int i = 1; i <= lines; ++i)
            linesText += message.line(i).LineScript;

        std::string device;
        if (message.OutputDevice == "HOST") {
            device = commented("    CALL OUTPUT_DEVICE(HOST)", script::HostComment);
        } else if (!message.OutputDevice.empty()) {
            device = script::line(script::SerialComment) +
                script::line("    CALL OUTPUT_DEVICE(SERIAL)") +
                script::line("    PRINT\"" +
                    script::quotedText(script::argumentText(message.OutputDevice)) + "\";") +
                script::line("    CALL OUTPUT_DEVICE(DISPLAY)");
        }
        std::string lockOn;
        std::string lockOff;
        if (!message.LockOn.empty()) {
            lockOn = commented("    CALL LOCK_BUFFER(ON)", script::LockOnComment);
            lockOff = commented("    CALL LOCK_BUFFER(OFF)", script::LockOffComment);
        }

        if (linesText.empty() && startOther.empty() && startSame.empty() && device.empty() &&
            relay.empty() && clearScreen.empty())
            return std::string {};

        std::string body;
        body.reserve(linesText.size() + 512);
        body += CrLf;
        body += script::line(script::CautionLine);
        body += CrLf;
        body +=
            startOther + device + lockOn + clearScreen + relay + linesText + lockOff + startSame;
        const std::int32_t check = CheckValueOfBody(m_checkValues, body);
        return SubHeader(message.MessageNumber, message.task(), check) + body + "END SUB" +
            std::string(CrLf);
    });
}

void ScriptWriter::LineMake(CurrentMessage& message, int i)
{
    guarded("LineMake", [&] {
        EditLine& line = message.line(i);
        line.LineScript.clear();
        const std::size_t length = plainLength(line.LineText);
        if (length == 0)
            return;
        script::appendLine(line.LineScript, { "LINE", std::to_string(line.LineLabel), ":" });
        if (blockOf(line).empty())
            normalLine(message, i, length);
        else if (message.BlockScrollOn || message.VerticalScrollOn)
            blockPlayedLine(message, i);
    });
}

void ScriptWriter::MakeDoLine(CurrentMessage& message, std::string_view rich, int i)
{
    guarded("MakeDoLine", [&] {
        EditLine& line = message.line(i);
        std::string& out = line.LineScript;
        const std::string formedBlink = formed(line.LineBlink, isBlinkForm);
        const std::string blinkArgument =
            formedBlink.empty() ? std::string(script::DefaultBlink) : formedBlink;
        bool blinking = false;
        auto setBlinking = [&](bool on) {
            if (on && !blinking)
                script::appendLine(out, { "    CALL BLINK(", blinkArgument, ")" });
            else if (!on && blinking)
                script::appendLine(out, { "    CALL BLINK(-1)" });
            blinking = on;
        };

        for (const RichRun& run : scanRuns(rich).runs) {
            const std::optional<long long> font = runFont(run.controlWords);
            if (!font)
                continue;
            if (*font == PlainFont || *font == BlinkingTextFont) {
                setBlinking(*font == BlinkingTextFont);
                out += "    PRINT\"";
                script::appendQuoted(out, run.text);
                out += "\";\r\n";
            } else if (isVariableFont(*font)) {
                setBlinking(isBlinkingFont(*font));
                appendVariable(out, *font, run.text);
            }
        }
        setBlinking(false);
    });
}

} // namespace marquis

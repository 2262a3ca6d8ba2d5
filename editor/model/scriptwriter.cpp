#include "model/scriptwriter.h"

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

// One START_SCRIPT statement per entry of a comma-separated list; at most four entries are
// taken, and empty ones are skipped.
std::string startStatements(std::string_view list, std::string_view comment)
{
    std::string statements;
    for (int entry = 0; entry < 4 && !list.empty(); ++entry) {
        const std::size_t comma = list.find(',');
        const std::string_view number = list.substr(0, comma);
        if (!number.empty())
            statements += commented("    CALL START_SCRIPT(" + script::argumentText(number) + ")",
                                    comment);
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
    const bool opensWithText = first < rich.size() &&
                               (rich[first] != '\\' || rich.compare(first, 2, "\\\\") == 0);
    return fontControlWords(PlainFont) + std::string(blanks, ' ') +
           (opensWithText ? fontControlWords(PlainFont) : std::string {}) + rich;
}

std::string fontStatement(const EditLine& line)
{
    return line.LineFont.empty()
                   ? std::string {}
                   : commented("    CALL FONT_SET(" + script::argumentText(line.LineFont) + ")",
                               script::FontComment);
}

std::string variableStatements(long long font, const std::string& run)
{
    const int variable = variableOfFont(font);
    const bool zeroFilled = isZeroFilledFont(font);
    const std::size_t point = run.find('.');
    if (point == std::string::npos) {
        const std::string width = zeroFilled ? "-" + std::to_string(run.size())
                                             : withLeadingBlank(static_cast<long long>(run.size()));
        return script::line("    PRINT VAR(" + std::to_string(variable) + "," + width + ");");
    }
    const std::size_t decimals = run.size() - point - 1;
    const std::size_t format = 16 * decimals + run.size();
    return script::line("    LET A=VAR(" + std::to_string(variable) + ")") +
           script::line("    PRINT USING(" + std::to_string(format) + (zeroFilled ? ",2" : ",0") +
                        ");A;");
}

void blockPlayedLine(CurrentMessage& message, int i, const std::string& waitStatement)
{
    EditLine& line = message.line(i);
    const bool horizontal = message.BlockScrollOn;
    line.LineScript += fontStatement(line);
    line.LineScript += script::line("    CALL DROP_MARKER(0)");

    bool centring = false;
    const std::vector<std::string> blocks = splitBlocks(line.LineText);
    for (std::size_t b = 0; b < blocks.size(); ++b) {
        const std::string counter = std::to_string(b + 1);
        std::string block = blocks[b];
        const std::size_t length = GetText(block).size();
        std::string erase;
        std::string comment;
        if (length >= 1 && length < static_cast<std::size_t>(DisplayWidth)) {
            erase = commented(script::EraseBlock, script::EraseComment);
            if (!centring && hasControlWord(block, "qc"))
                centring = true;
            else if (centring && hasControlWord(block, "ql"))
                centring = false;
            if (centring) {
                block = centred(block, length);
                comment = script::line(std::string(script::CenterBlockComment) + counter);
            } else {
                comment = script::line(std::string(script::NoCenterBlockComment) + counter);
            }
        }
        if (b + 1 == blocks.size() && length == 0)
            break;
        if (horizontal)
            line.LineScript += script::line("    CALL CURSOR(" + std::to_string(line.LineLabel) +
                                            ",1)") + comment;
        else
            line.LineScript += comment + script::line("    PRINT");
        ScriptWriter::MakeDoLine(message, block, i);
        line.LineScript += erase + waitStatement;
    }
    line.LineScript += script::line("    CALL GOTO_MARKER(" + script::argumentText(line.LineBlock) +
                                    ")");
}

void normalLine(EditLine& line, CurrentMessage& message, int i, std::size_t length)
{
    std::string erase;
    std::string centreComment;
    if (length >= 1 && length < static_cast<std::size_t>(DisplayWidth) && line.LineScroll.empty()) {
        erase = commented(script::EraseLine, script::EraseComment);
        if (hasControlWord(line.LineText, "qc")) {
            line.LineText = centred(line.LineText, length);
            centreComment = script::line(script::CenterLineComment);
        }
    }
    line.LineScript += script::line("    CALL CURSOR(" + std::to_string(line.LineLabel) + ",1)");
    line.LineScript += centreComment;
    line.LineScript += fontStatement(line);
    std::string end;
    if (!line.LineScroll.empty()) {
        line.LineScript += commented("    CALL SCROLL(" + script::argumentText(line.LineScroll) +
                                     ")", script::ScrollComment);
        end = script::line("    EOT");
    }
    ScriptWriter::MakeDoLine(message, line.LineText, i);
    line.LineScript += erase + end;
}

}  // namespace

ScriptWriter::ScriptWriter(CheckValueSource& checkValues, UserInterface& ui)
    : m_checkValues(checkValues), m_ui(ui)
{
}

void ScriptWriter::SubMake(CurrentMessage& message)
{
    if (message.ScriptEditOnly)
        return;
    const BusyNotice notice(m_ui, "Assembling message " + withLeadingBlank(message.MessageNumber));
    message.MessageScript = guarded("SubMake", [&] {
        CurrentMessage work = message;
        const int lines = writtenLines(work);
        for (int i = 1; i <= lines; ++i)
            LineMake(work, i);

        const std::string startOther =
                startStatements(work.StartOtherTask, script::StartOtherComment);
        const std::string startSame = startStatements(work.StartSameTask, script::StartSameComment);
        const std::string clearScreen = work.ClearScreen.empty()
                                                ? std::string {}
                                                : commented("    CLS", script::ClsComment);
        std::string relay;
        if (work.RelayState == "ON")
            relay = commented("    CALL RELAY(ON)", script::RelayOnComment);
        else if (work.RelayState == "OFF")
            relay = commented("    CALL RELAY(OFF)", script::RelayOffComment);

        // A scrolled or block-played line goes last in the block.
        for (int i = 1; i <= lines; ++i) {
            const EditLine& line = work.line(i);
            if ((!line.LineBlock.empty() || !line.LineScroll.empty()) && !line.LineScript.empty() &&
                i != lines)
                std::swap(work.line(i).LineScript, work.line(lines).LineScript);
        }
        std::string linesText;
        for (int i = 1; i <= lines; ++i)
            linesText += work.line(i).LineScript;

        std::string device;
        if (work.OutputDevice == "HOST") {
            device = commented("    CALL OUTPUT_DEVICE(HOST)", script::HostComment);
        } else if (!work.OutputDevice.empty()) {
            device = script::line(script::SerialComment) +
                     script::line("    CALL OUTPUT_DEVICE(SERIAL)") +
                     script::line("    PRINT\"" +
                                  script::quotedText(script::argumentText(work.OutputDevice)) +
                                  "\";") +
                     script::line("    CALL OUTPUT_DEVICE(DISPLAY)");
        }
        std::string lockOn;
        std::string lockOff;
        if (!work.LockOn.empty()) {
            lockOn = commented("    CALL LOCK_BUFFER(ON)", script::LockOnComment);
            lockOff = commented("    CALL LOCK_BUFFER(OFF)", script::LockOffComment);
        }

        if (linesText.empty() && startOther.empty() && startSame.empty() && device.empty() &&
            relay.empty() && clearScreen.empty())
            return std::string {};

        std::string body;
        body += CrLf;
        body += script::line(script::CautionLine);
        body += CrLf;
        body += startOther + device + lockOn + clearScreen + relay + linesText + lockOff +
                startSame;
        const std::int32_t check = CheckValueOfBody(m_checkValues, body);
        return SubHeader(work.MessageNumber, work.task(), check) + body + "END SUB" +
               std::string(CrLf);
    });
}

void ScriptWriter::LineMake(CurrentMessage& message, int i)
{
    guarded("LineMake", [&] {
        EditLine& line = message.line(i);
        line.LineScript.clear();
        const std::size_t length = GetText(line.LineText).size();
        if (length == 0)
            return;
        line.LineScript = script::line("LINE" + std::to_string(line.LineLabel) + ":");
        if (line.LineBlock.empty()) {
            normalLine(line, message, i, length);
            return;
        }
        const std::string wait =
                message.BlockWait.empty()
                        ? std::string {}
                        : commented("    CALL WAIT(" + script::argumentText(message.BlockWait) +
                                    ")", script::WaitComment);
        if (message.BlockScrollOn || message.VerticalScrollOn)
            blockPlayedLine(message, i, wait);
    });
}

void ScriptWriter::MakeDoLine(CurrentMessage& message, std::string_view rich, int i)
{
    guarded("MakeDoLine", [&] {
        EditLine& line = message.line(i);
        const std::string blinkOn =
                script::line("    CALL BLINK(" +
                             (line.LineBlink.empty() ? std::string(script::DefaultBlink)
                                                     : script::argumentText(line.LineBlink)) +
                             ")");
        const std::string blinkOff = script::line("    CALL BLINK(-1)");
        bool blinking = false;
        auto setBlinking = [&](bool on) {
            if (on != blinking)
                line.LineScript += on ? blinkOn : blinkOff;
            blinking = on;
        };

        for (const RichRun& run : scanRuns(rich).runs) {
            const std::optional<long long> font = runFont(run.controlWords);
            if (!font)
                continue;
            if (*font == PlainFont || *font == BlinkingTextFont) {
                setBlinking(*font == BlinkingTextFont);
                line.LineScript += script::line("    PRINT\"" + script::quotedText(run.text) + "\";");
            } else if (isVariableFont(*font)) {
                setBlinking(isBlinkingFont(*font));
                line.LineScript += variableStatements(*font, run.text);
            }
        }
        setBlinking(false);
    });
}

}  // namespace marquis

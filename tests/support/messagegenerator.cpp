#include "support/messagegenerator.h"

#include "model/richtext.h"

#include <array>

namespace marquis::testing {
namespace {

constexpr std::array<const char*, 4> Fonts = { "ENGLISH", "KATAKANA", "CYRILLIC", "SLAVIC" };
constexpr std::array<const char*, 7> Rates = { "100", "70", "40", "25", "18", "8", "1" };
constexpr std::array<const char*, 7> Waits = { "1", "3", "6", "10", "20", "30", "50" };
constexpr std::array<const char*, 3> Placeholders = { "#", "?", "_" };
// Display text that spells statements must stay text.
constexpr std::array<const char*, 5> Tricky = { "CALL BLINK(1)", "LET A=VAR(2)", "CALL WAIT(3)",
    "PRINT USING(20,0)", "CALL OUTPUT_DEVICE(HOST)" };

} // namespace

int MessageGenerator::number(int low, int high)
{
    return std::uniform_int_distribution<int>(low, high)(m_random);
}

bool MessageGenerator::chance(int percent)
{
    return number(1, 100) <= percent;
}

std::string MessageGenerator::plainText(int length, bool mayBeBlanks)
{
    static const std::string characters =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789 .,:;!?()-+*/=<>'#";
    std::string text;
    if (length >= 13 && chance(5)) {
        const std::string tricky = Tricky[static_cast<std::size_t>(number(0, 4))];
        if (static_cast<int>(tricky.size()) <= length)
            text = tricky;
    }
    while (static_cast<int>(GetText(text).size()) < length) {
        const int kind = number(1, 20);
        if (kind == 1)
            text += "\\\\"; // a literal backslash
        else if (kind == 2)
            text += '"';
        else if (kind == 3 && mayBeBlanks)
            text += ' ';
        else
            text += characters[static_cast<std::size_t>(
                number(0, static_cast<int>(characters.size()) - 1))];
    }
    if (!mayBeBlanks && GetText(text).find_first_not_of(' ') == std::string::npos)
        text.back() = 'x';
    return text;
}

std::string MessageGenerator::variableRun(const std::string& placeholder, int& length)
{
    std::string run;
    if (chance(40)) {
        const int decimals = number(0, 3);
        const int whole = number(decimals == 0 ? 1 : 0, 4);
        run = std::string(static_cast<std::size_t>(whole), placeholder[0]) + "." +
            std::string(static_cast<std::size_t>(decimals), placeholder[0]);
    } else {
        run = std::string(static_cast<std::size_t>(number(1, 6)), placeholder[0]);
    }
    length = static_cast<int>(run.size());
    return run;
}

MessageGenerator::Block MessageGenerator::block(
    int maxPlain, const std::string& placeholder, bool firstRunMayBeBlanks)
{
    Block result;
    const int target = number(1, maxPlain);
    bool first = true;
    while (static_cast<int>(result.plain) < target) {
        const int room = target - static_cast<int>(result.plain);
        const int kind = number(1, 10);
        if (kind <= 2 && room >= 1) {
            int length = 0;
            const std::string run = variableRun(placeholder, length);
            if (length > room)
                continue;
            const int variable = number(1, 16);
            const bool blinking = chance(40);
            const bool zero = chance(50);
            const long long font = variable + (blinking ? 16 : 0) + (zero ? 32 : 0);
            result.rich += fontControlWords(font) + run;
            result.plain += static_cast<std::size_t>(length);
            result.blinks = result.blinks || blinking;
        } else {
            const bool blinking = kind >= 8;
            const int length = number(1, room);
            const bool blanksAllowed = !(first && !firstRunMayBeBlanks);
            std::string text = chance(10) && blanksAllowed
                ? std::string(static_cast<std::size_t>(length), ' ')
                : plainText(length, blanksAllowed);
            result.rich += fontControlWords(blinking ? BlinkingTextFont : PlainFont) + text;
            result.plain += GetText(text).size();
            result.blinks = result.blinks || blinking;
        }
        first = false;
    }
    return result;
}

std::string MessageGenerator::startList()
{
    std::string list;
    const int entries = number(0, 4);
    for (int k = 0; k < entries; ++k)
        list += (k > 0 ? "," : "") + std::to_string(number(0, MessageCount - 1));
    return list;
}

std::string MessageGenerator::sendText()
{
    if (chance(30))
        return "HOST";
    std::string text = plainText(number(1, 20), true);
    // A literal backslash of display text is one backslash of a send text.
    for (std::size_t p = text.find("\\\\"); p != std::string::npos; p = text.find("\\\\", p + 1))
        text.erase(p, 1);
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text.empty() ? "x" : text;
}

// Inserts a centring mark where the reader puts it: in front of the block when the writer
// centred it with blanks, else at the first visible character.
static std::string marked(const std::string& rich, std::string_view mark, bool atFront)
{
    std::string text = rich;
    text.insert(atFront ? 0 : firstVisiblePosition(text), mark);
    return text;
}

void MessageGenerator::fillLine(CurrentMessage& message, int i, bool blockPlayed)
{
    EditLine& line = message.line(i);
    const std::string& placeholder = message.PlaceholderChar;
    bool blinks = false;
    if (blockPlayed) {
        line.LineBlock = "0," + std::to_string(number(0, 9));
        const int blocks = number(1, 4);
        bool centred = false;
        std::string text;
        for (int b = 0; b < blocks; ++b) {
            const bool centre = chance(40);
            Block part = block(19, placeholder, !centre);
            blinks = blinks || part.blinks;
            std::string rich = part.rich;
            if (centre && !centred)
                rich = marked(rich, "\\qc ", part.plain < 19);
            else if (!centre && centred)
                rich = marked(rich, "\\ql ", false);
            centred = centre;
            text += (b > 0 ? "\\par\r\n" : "") + rich;
        }
        line.LineText = "\\sb90\\sa90 " + text;
    } else if (chance(20)) {
        line.LineScroll = std::string(Rates[static_cast<std::size_t>(number(0, 6))]) + "," +
            std::to_string(number(0, 5));
        Block part = block(60, placeholder, true);
        blinks = part.blinks;
        line.LineText = "\\sb90\\sa90 " + part.rich;
    } else {
        const bool centre = chance(40);
        Block part = block(centre ? 19 : 24, placeholder, !centre);
        blinks = part.blinks;
        std::string rich = part.rich;
        if (centre)
            rich = marked(rich, "\\qc ", part.plain < 19);
        line.LineText = "\\sb90\\sa90 " + rich;
    }
    if (chance(30))
        line.LineFont = Fonts[static_cast<std::size_t>(number(0, 3))];
    if (blinks)
        line.LineBlink = chance(50)
            ? std::string("25,ON")
            : std::string(Rates[static_cast<std::size_t>(number(0, 6))]) + ",1";
}

CurrentMessage MessageGenerator::message()
{
    return message(Placeholders[static_cast<std::size_t>(number(0, 2))]);
}

CurrentMessage MessageGenerator::message(const std::string& placeholder)
{
    CurrentMessage message;
    message.UnitLines = chance(50) ? 2 : 4;
    message.MessageNumber = static_cast<std::int16_t>(number(0, MessageCount - 1));
    message.setTask(number(0, 3));
    message.PlaceholderChar = placeholder;

    const int blockLine = chance(30) ? number(1, message.UnitLines) : 0;
    if (blockLine > 0) {
        if (chance(50))
            message.BlockScrollOn = true;
        else
            message.VerticalScrollOn = true;
        message.BlockWait = Waits[static_cast<std::size_t>(number(0, 6))];
    }
    for (int i = 1; i <= message.UnitLines; ++i) {
        if (i == blockLine || chance(60))
            fillLine(message, i, i == blockLine);
        else
            message.line(i).LineText = "\\sb90\\sa90 ";
    }
    if (chance(30))
        message.StartOtherTask = startList();
    if (chance(30))
        message.StartSameTask = startList();
    if (chance(20))
        message.ClearScreen = "CLS";
    if (chance(20))
        message.RelayState = chance(50) ? "ON" : "OFF";
    if (chance(20))
        message.OutputDevice = sendText();
    if (chance(20)) {
        message.LockOn = "ON";
        message.LockOff = "OFF";
    }
    // A message needs something to show or do, or it has no text at all.
    bool content = !message.StartOtherTask.empty() || !message.StartSameTask.empty() ||
        !message.ClearScreen.empty() || !message.RelayState.empty() ||
        !message.OutputDevice.empty();
    for (int i = 1; i <= message.UnitLines; ++i)
        content = content || !GetText(message.line(i).LineText).empty();
    if (!content)
        message.ClearScreen = "CLS";
    return message;
}

std::string MessageGenerator::anyRichText()
{
    static const std::string alphabet =
        "\\\\\\f0 65 17 50 99 -3 cf4 qc ql par\r\n\"# .aZ\x01\xe9{}";
    std::string text;
    const int length = number(0, 80);
    for (int k = 0; k < length; ++k) {
        if (chance(15))
            text += Tricky[static_cast<std::size_t>(number(0, 4))];
        else if (chance(10))
            text += fontControlWords(number(-2, 70));
        else if (chance(5))
            text += "\\par\r\n";
        else
            text += alphabet[static_cast<std::size_t>(
                number(0, static_cast<int>(alphabet.size()) - 1))];
    }
    return text;
}

bool sameFields(const CurrentMessage& a, const CurrentMessage& b, std::string& difference)
{
    auto differs = [&](const char* name, bool same) {
        if (!same && difference.empty())
            difference = name;
        return !same;
    };
    bool d = false;
    d |= differs("MessageNumber", a.MessageNumber == b.MessageNumber);
    d |= differs("MessageTask", a.MessageTask == b.MessageTask);
    d |= differs("UnitLines", a.UnitLines == b.UnitLines);
    d |= differs("ClearScreen", a.ClearScreen == b.ClearScreen);
    d |= differs("RelayState", a.RelayState == b.RelayState);
    d |= differs("StartOtherTask", a.StartOtherTask == b.StartOtherTask);
    d |= differs("StartSameTask", a.StartSameTask == b.StartSameTask);
    d |= differs("OutputDevice", a.OutputDevice == b.OutputDevice);
    d |= differs("LockOn", a.LockOn == b.LockOn);
    d |= differs("LockOff", a.LockOff == b.LockOff);
    d |= differs("BlockWait", a.BlockWait == b.BlockWait);
    d |= differs("BlockScrollOn", a.BlockScrollOn == b.BlockScrollOn);
    d |= differs("VerticalScrollOn", a.VerticalScrollOn == b.VerticalScrollOn);
    d |= differs("ScriptEditOnly", a.ScriptEditOnly == b.ScriptEditOnly);
    for (int i = 1; i <= MaxUnitLines; ++i) {
        const EditLine& x = a.line(i);
        const EditLine& y = b.line(i);
        const std::string n = " of line " + std::to_string(i);
        d |= differs(("LineText" + n).c_str(), x.LineText == y.LineText);
        d |= differs(("LineFont" + n).c_str(), x.LineFont == y.LineFont);
        d |= differs(("LineScroll" + n).c_str(), x.LineScroll == y.LineScroll);
        d |= differs(("LineBlink" + n).c_str(), x.LineBlink == y.LineBlink);
        d |= differs(("LineBlock" + n).c_str(), x.LineBlock == y.LineBlock);
        d |= differs(("LineLabel" + n).c_str(), x.LineLabel == y.LineLabel);
    }
    return !d;
}

} // namespace marquis::testing

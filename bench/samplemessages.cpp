#include "samplemessages.h"

#include "model/scriptwriter.h"

#include <string>

namespace marquis::bench {

CurrentMessage workedExample()
{
    CurrentMessage message;
    message.MessageNumber = 5;
    message.setTask(1);
    message.line(1).LineText = "\\sb90\\sa90 \\f0 \\cf0 Hello \\f65 \\cf0 WORLD";
    message.line(1).LineBlink = "25,ON";
    message.line(2).LineText = "\\sb90\\sa90 \\qc \\f0 \\cf0 Line two";
    return message;
}

CurrentMessage fullMessage(int number)
{
    CurrentMessage message;
    message.MessageNumber = static_cast<std::int16_t>(number);
    message.setTask(number % 4);
    message.line(1).LineText = "\\sb90\\sa90 \\qc \\f0 \\cf0 Temp \\f50 \\cf4 ##.#\\f0 \\cf0  C";
    message.line(1).LineBlink = "40,1";
    message.line(1).LineFont = "ENGLISH";
    message.line(2).LineText =
        "\\sb90\\sa90 \\f65 \\cf0 ALERT \\f3 \\cf4 ###\\f35 \\cf4 ####\\f20 \\cf4 ##";
    message.line(2).LineBlink = "25,ON";
    message.line(3).LineText = "\\sb90\\sa90 \\f0 \\cf0 Message " + std::to_string(number) +
        " scrolls across the display all day long";
    message.line(3).LineScroll = "25,0";
    message.line(4).LineText = "\\sb90\\sa90 \\qc \\f0 \\cf0 FIRST BLOCK\\par\r\n\\f0 \\cf0 "
                               "SECOND\\par\r\n\\ql \\f65 \\cf0 THIRD \"Q\"";
    message.line(4).LineBlock = "0,3";
    message.line(4).LineBlink = "25,ON";
    message.BlockScrollOn = true;
    message.BlockWait = "10";
    message.StartOtherTask = "1,2";
    message.StartSameTask = "3,4";
    message.OutputDevice = "ALARM ON LINE 4";
    message.RelayState = "ON";
    message.ClearScreen = "CLS";
    message.LockOn = "ON";
    message.LockOff = "OFF";
    return message;
}

std::string fullScriptFile(CheckValueSource& checkValues)
{
    SilentUserInterface ui;
    ScriptWriter writer(checkValues, ui);
    std::string text = "#define Display_type (5360)\r\n#include \"ESCAPES.H\"\r\n"
                       "#pragma version 2\r\n\r\n";
    for (int n = 0; n < MessageCount; ++n) {
        CurrentMessage message = fullMessage(n);
        writer.SubMake(message);
        text += message.MessageScript + "\r\n";
    }
    return text;
}

} // namespace marquis::bench

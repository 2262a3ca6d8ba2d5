#include "support/sessionfixture.h"

#include "model/richtext.h"

#include <algorithm>

namespace marquis::testing {

std::string scriptFileText(
    std::vector<CurrentMessage> messages, ScriptWriter& writer, const std::string& unitType)
{
    std::sort(
        messages.begin(), messages.end(), [](const CurrentMessage& a, const CurrentMessage& b) {
            return a.MessageNumber < b.MessageNumber;
        });
    std::string text = "#define Display_type (" + unitType +
        ")\r\n#include \"ESCAPES.H\"\r\n#pragma version 2\r\n\r\n";
    for (CurrentMessage& message : messages) {
        writer.SubMake(message);
        text += message.MessageScript + "\r\n";
    }
    return text;
}

SessionTest::SessionTest()
{
    Preferences preferences = defaultPreferences(programFolder.folder());
    preferences.UnitType = "5360";
    preferences.PlaceholderChar = "#";
    session = std::make_unique<EditorSession>(crc, ui, files,
        ProgramFolders { programFolder.folder(), programFolder.folder() }, preferences);
}

CurrentMessage SessionTest::textMessage(int number, std::vector<std::string> lines, int task)
{
    CurrentMessage message;
    message.MessageNumber = static_cast<std::int16_t>(number);
    message.setTask(task);
    for (std::size_t i = 0; i < lines.size() && i < 4; ++i)
        message.line(static_cast<int>(i + 1)).LineText = "\\sb90\\sa90 \\f0 \\cf0 " + lines[i];
    return message;
}

std::string SessionTest::openScript(const std::string& name,
    const std::vector<CurrentMessage>& messages, const std::string& unitType)
{
    const std::string path =
        workFolder.write(name, scriptFileText(messages, session->writer(), unitType)).string();
    ui.files.push_back(path);
    EXPECT_TRUE(session->FileOpen());
    return path;
}

std::vector<std::string> SessionTest::linesOf(int n)
{
    if (session->message().MessageNumber != n) {
        EXPECT_TRUE(session->goToMessage(n));
    }
    std::vector<std::string> lines;
    for (int i = 1; i <= session->message().UnitLines; ++i)
        lines.push_back(GetText(session->message().line(i).LineText));
    return lines;
}

void SessionTest::typeLine1(const std::string& text)
{
    session->message().line(1).LineText = "\\sb90\\sa90 \\f0 \\cf0 " + text;
    session->store().FileModified = true;
}

} // namespace marquis::testing

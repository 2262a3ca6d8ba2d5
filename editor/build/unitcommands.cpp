#include "build/unitcommands.h"

#include "build/compilejob.h"
#include "build/toolcommands.h"
#include "files/paths.h"
#include "model/numberformat.h"
#include "model/richtext.h"
#include "model/windows1252.h"

namespace marquis {
namespace {

std::string withoutQuotes(std::string_view text, bool leading)
{
    if (leading && text.starts_with('"'))
        text.remove_prefix(1);
    if (text.ends_with('"'))
        text.remove_suffix(1);
    return std::string(text);
}

// The first character of a UTF-8 text that Windows-1252 cannot hold.
std::string firstForeignCharacter(std::string_view utf8)
{
    for (std::size_t p = 0; p < utf8.size();) {
        std::size_t length = 1;
        while (p + length < utf8.size() &&
            (static_cast<unsigned char>(utf8[p + length]) & 0xC0) == 0x80)
            ++length;
        const std::string_view character = utf8.substr(p, length);
        if (!utf8ToWindows1252(character))
            return std::string(character);
        p += length;
    }
    return "?";
}

bool hasContent(const CurrentMessage& message)
{
    for (int i = 1; i <= message.UnitLines; ++i)
        if (!GetText(message.line(i).LineText).empty())
            return true;
    return !message.RelayState.empty() || !message.ClearScreen.empty() ||
        !message.StartOtherTask.empty() || !message.StartSameTask.empty() ||
        !message.OutputDevice.empty();
}

}  // namespace

CallUpRequest parseCallUp(const std::string& answer)
{
    const std::string_view text = trimmed(answer);
    CallUpRequest request;
    const std::size_t blank = text.find(' ');
    const std::size_t quote = text.find('"');
    // A quote before the first blank opens a quoted variable string that may hold blanks.
    if (blank != std::string_view::npos && (quote == std::string_view::npos || blank < quote)) {
        request.number = std::string(trimmed(text.substr(0, blank)));
        request.variables = withoutQuotes(trimmed(text.substr(blank + 1)), true);
    } else if (quote != std::string_view::npos) {
        request.number = std::string(trimmed(text.substr(0, quote)));
        request.variables = withoutQuotes(trimmed(text.substr(quote + 1)), false);
    } else {
        request.number = std::string(text);
    }
    return request;
}

UnitCommands::UnitCommands(EditorSession& session, ToolRunner& tools)
    : m_session(session), m_tools(tools), m_ui(session.ui())
{
}

bool UnitCommands::runCommand(const std::string& letter,
    const std::vector<std::string>& leadingLines, const std::string& workName,
    const std::string& statusText)
{
    const BusyNotice notice(m_ui, statusText);
    const std::string workFolder = m_tools.workFolder();
    const std::string base = workFolder + workName;
    const ToolRun run = linkRun(letter, leadingLines, base, m_session.preferences());
    const ToolResult result = workFolder.empty()
        ? ToolResult { ToolResult::Outcome::ListNotWritten, "", "", 0 }
        : m_tools.run(run);
    switch (result.outcome) {
    case ToolResult::Outcome::ListNotWritten:
        m_ui.message("Can't create argument list file " + fileNameOf(run.listPath), Buttons::Ok,
            Icon::None, Answer::Ok);
        return false;
    case ToolResult::Outcome::NotStarted:
        m_ui.message(cannotStartText(run, result, m_tools.toolsFolder()), Buttons::Ok,
            Icon::Exclamation, Answer::Ok);
        return false;
    case ToolResult::Outcome::StatusUnreadable:
        m_ui.message("Can't read return status file " + fileNameOf(base + ".log"), Buttons::Ok,
            Icon::None, Answer::Ok);
        return false;
    default:
        m_ui.message(reportForDisplay(result.statusText), Buttons::Ok, Icon::None, Answer::Ok);
        return true;
    }
}

void UnitCommands::refuseCharacter(std::string_view answer)
{
    m_ui.message("The character " + firstForeignCharacter(answer) +
            " can't be sent to the unit. The unit shows only the characters of the "
            "Windows-1252 code page.",
        Buttons::Ok, Icon::Exclamation, Answer::Ok);
}

void UnitCommands::callUp()
{
    m_ui.status("Processing command Call up message.");
    const std::optional<std::string> answer = m_ui.inputBox(
        "Enter message number and variable string if necessary. PLEASE separate message number "
        "and variable string with a space or put variable string in double quotes.",
        "Marquis 5300", "");
    if (!answer || trimmed(*answer).empty()) {
        m_ui.status("");
        return;
    }
    // The answer comes as UTF-8; the argument list, like the unit, holds Windows-1252.
    const std::optional<std::string> text = utf8ToWindows1252(*answer);
    if (!text) {
        refuseCharacter(*answer);
        m_ui.status("");
        return;
    }
    const CallUpRequest request = parseCallUp(*text);
    std::vector<std::string> leading { request.number };
    if (!request.variables.empty())
        leading.push_back(request.variables);
    runCommand("c", leading, "MQSCALL", "Processing command Call up message.");
}

bool UnitCommands::compileCurrentMessage()
{
    CurrentMessage& message = m_session.message();
    if (!m_session.scriptEditMode)
        m_session.writer().SubMake(message);
    // The message's source, the compiler's files and the binary are work files of the runner's
    // private folder; an error file named to the user stays there until the editor ends.
    const std::string workFolder = m_tools.workFolder();
    const std::string source = workFolder + "MQSSEND.src";
    FileSystem& files = m_session.store().files();
    const bool written = !workFolder.empty() && writeWholeFile(files, source,
        "#include \"ESCAPES.H\"\r\n#pragma version " + m_session.preferences().ScriptVersion +
            "\r\n" + message.MessageScript + "\r\n");
    if (!m_session.scriptEditMode)
        m_session.reader().ReadFields(message);
    if (!written) {
        m_ui.message("Can't create temporary source file  MQSSEND.SRC .", Buttons::Ok,
            Icon::Exclamation, Answer::Ok);
        return false;
    }
    CompileJob job(m_tools, files, m_ui, m_session.preferences());
    const bool errors = job.CompileFile(source, source, nullptr);
    files.remove(source);
    return !errors;
}

void UnitCommands::sendMessage()
{
    const CurrentMessage& message = m_session.message();
    const std::string unitType = m_session.preferences().UnitType;
    std::string binary;
    std::string number;
    if (!m_session.store().ScriptFilePath.empty() || hasContent(message)) {
        if (m_ui.message("Message " + withLeadingBlank(message.MessageNumber) + " will be sent to the " +
                    unitType + " unit without programming the flash memory.",
                Buttons::OkCancel, Icon::Information, Answer::Ok) != Answer::Ok)
            return;
        m_ui.busy(true);
        const bool compiled = compileCurrentMessage();
        m_ui.busy(false);
        if (!compiled)
            return;
        binary = m_tools.workFolder() + "MQSSEND.bin";
        number = std::to_string(message.MessageNumber);
    } else {
        const FileDialogRequest request =
            binaryFileDialog("Send Message from file", m_session.folders().program);
        const std::optional<std::filesystem::path> chosen = m_ui.openFileDialog(request);
        if (!chosen)
            return;
        const std::optional<std::string> answer =
            m_ui.inputBox("Please enter message number", "Marquis 5300", "");
        if (!answer || trimmed(*answer).empty())
            return;
        const std::optional<std::string> text = utf8ToWindows1252(trimmed(*answer));
        if (!text) {
            refuseCharacter(*answer);
            return;
        }
        binary = chosen->string();
        number = *text;
    }
    FileSystem& files = m_session.store().files();
    if (!files.exists(binary))
        return;
    long long shown = 0;
    const std::string sent =
        parseWholeNumber(number, shown) ? withLeadingBlank(shown) : " " + windows1252ToUtf8(number);
    runCommand("m", { binary, number }, "MQSSEND",
        "Sending message " + sent + " to the " + unitType + " unit.");
    if (const std::string workFolder = m_tools.workFolder(); !workFolder.empty())
        files.remove(workFolder + "MQSSEND.bin");
}

void UnitCommands::reboot()
{
    runCommand("", { "b" }, "MQSREBT", "Processing command Reboot.");
}

void UnitCommands::eraseFlash()
{
    if (m_ui.message("If you select OK all messages stored in flash memory will be erased. "
                     "NOTE: Your 5300 display unit must be in program mode.",
            Buttons::OkCancel, Icon::Exclamation, Answer::Cancel) != Answer::Ok)
        return;
    runCommand("e", {}, "MQSERAS", "Processing command Erase flash memory.");
}

}  // namespace marquis

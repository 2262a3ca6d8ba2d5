#include "scriptlisting.h"

#include "commanderror.h"
#include "files/editorsession.h"
#include "model/checkvalues.h"
#include "model/crccomponent.h"
#include "model/richtext.h"
#include "model/windows1252.h"
#include "platform/executablefolder.h"
#include "requirecomponent.h"
#include "textio.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace marquis::cli {
namespace {

// Keeps what the editor would show in message boxes; questions are answered No or Cancel and
// dialogs are cancelled.
class ConsoleUserInterface : public SilentUserInterface {
public:
    std::vector<std::string> messages;

    Answer message(std::string_view text, Buttons buttons, Icon, Answer, std::string_view) override
    {
        messages.push_back(printable(text, 4000));
        switch (buttons) {
        case Buttons::Ok:
            return Answer::Ok;
        case Buttons::OkCancel:
            return Answer::Cancel;
        default:
            return Answer::No;
        }
    }
};

// Only a regular file of a sensible size is read: a FIFO or a device could block the tool or
// never end.
void requireReadableFile(const std::string& path, const std::string& name)
{
    struct stat info { };
    if (::stat(path.c_str(), &info) != 0)
        throw CommandError("cannot read " + name + ": " + std::strerror(errno));
    if (!S_ISREG(info.st_mode))
        throw CommandError("cannot read " + name + ": not a regular file");
    if (static_cast<std::uint64_t>(info.st_size) > MaxInputBytes)
        throw CommandError(
            name + " is larger than " + std::to_string(MaxInputBytes / (1024 * 1024)) + " MiB");
}

// A check-value source without values: the reader then takes every text as unchanged. Used
// only to show what a hand-edited message says, after the real check has judged it.
class NoCheckValues : public CheckValueSource {
public:
    std::int32_t checkValueOf(std::string_view) override { return 0; }
};

// The visible text of one line on one output line: the blocks of a block-played line are
// separated by " / "; any other line break becomes a blank.
std::string shownText(const std::string& rich)
{
    const std::string plain = GetText(rich);
    std::string shown;
    for (std::size_t p = 0; p < plain.size(); ++p) {
        if (plain.compare(p, 2, "\r\n") == 0) {
            shown += " / ";
            ++p;
        } else {
            shown += plain[p] == '\r' || plain[p] == '\n' ? ' ' : plain[p];
        }
    }
    return shown;
}

// The lines up to the last one with text, joined with " | ".
std::string linesText(const CurrentMessage& message)
{
    int last = 0;
    for (int i = 1; i <= message.UnitLines; ++i)
        if (!GetText(message.line(i).LineText).empty())
            last = i;
    std::string text;
    for (int i = 1; i <= last; ++i)
        text += (i > 1 ? " | " : "") + shownText(message.line(i).LineText);
    return windows1252ToUtf8(text);
}

} // namespace

ScriptListing listScriptFile(const std::string& path)
{
    CrcComponent component(executableFolder());
    requireComponent(component);
    const std::string name = printable(path);
    requireReadableFile(path, name);
    ConsoleUserInterface ui;
    DiskFileSystem files;
    const std::string folder = executableFolder().string() + "/";
    Preferences preferences = defaultPreferences(folder);
    preferences.PlaceholderChar = "#";
    EditorSession session(component, ui, files, ProgramFolders { folder, folder }, preferences);
    switch (session.openScriptFile(path).result) {
    case EditorSession::OpenedScript::Result::Opened:
        break;
    case EditorSession::OpenedScript::Result::NotAScript:
        throw CommandError(name + " is not a script file");
    default:
        throw CommandError("cannot read " + name +
            (::access(path.c_str(), R_OK) != 0 ? ": " + std::string(std::strerror(errno)) : ""));
    }
    // The editor's notes on the file are said in the tool's own words below.
    ui.messages.clear();

    ScriptListing listing;
    listing.leftOut = session.leftOutMessages();
    listing.unreadFromLine = session.unreadFromLine();
    FileStore& store = session.store();
    CurrentMessage& message = session.message();
    NoCheckValues noCheckValues;
    SilentUserInterface quiet;
    ScriptReader textReader(noCheckValues, quiet);
    for (int n = 0; n < MessageCount; ++n) {
        if (store.MessageState[static_cast<std::size_t>(n)] == Absent)
            continue;
        store.LoadMessage(n);
        session.reader().ReadFields(message);
        ListedMessage entry;
        entry.number = n;
        entry.task = message.task();
        entry.holds = !message.ScriptEditOnly;
        if (!entry.holds)
            textReader.ReadFields(message);
        entry.text = linesText(message);
        listing.messages.push_back(std::move(entry));
    }
    for (const std::string& text : ui.messages)
        std::fprintf(stderr, "mq5300: %s\n", text.c_str());
    if (!listing.leftOut.empty())
        std::fprintf(stderr, "mq5300: %s: left out the messages numbered outside 0 to 1023: %s\n",
            name.c_str(), leftOutList(listing.leftOut).c_str());
    if (listing.unreadFromLine)
        std::fprintf(stderr,
            "mq5300: %s: not read from line %d on, a SUB line without \"(\"\n", name.c_str(),
            *listing.unreadFromLine);
    if (listing.messages.empty())
        std::fprintf(stderr, "mq5300: %s holds no message\n", name.c_str());
    return listing;
}

std::string listingLine(const ListedMessage& message)
{
    char head[64];
    std::snprintf(head, sizeof head, "%4d  task %d  %-16s  ", message.number, message.task,
        message.holds ? "ok" : "changed by hand");
    return head + message.text;
}

} // namespace marquis::cli

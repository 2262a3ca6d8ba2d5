#include "scriptlisting.h"

#include "files/editorsession.h"
#include "model/checkvalues.h"
#include "model/richtext.h"
#include "model/windows1252.h"
#include "scriptsession.h"

#include <cstdio>

namespace marquis::cli {
namespace {

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
    ScriptSession opened(path);
    EditorSession& session = opened.session();
    ConsoleUserInterface& ui = opened.ui();
    const std::string& name = opened.name();
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

#include "commanderror.h"
#include "commands.h"
#include "scriptlisting.h"
#include "textio.h"

#include <cstdio>

namespace marquis::cli {

int listCommand(Arguments arguments)
{
    if (arguments.size() != 1)
        throw CommandError("list takes one script file");
    std::string listing;
    for (const ListedMessage& message : listScriptFile(std::string(arguments[0])).messages)
        listing += listingLine(message) + "\n";
    writeStandardOutput(listing);
    return 0;
}

int checkCommand(Arguments arguments)
{
    if (arguments.size() != 1)
        throw CommandError("check takes one script file");
    const ScriptListing listing = listScriptFile(std::string(arguments[0]));
    std::string report;
    int failed = 0;
    for (const ListedMessage& message : listing.messages) {
        if (!message.holds) {
            ++failed;
            report += "message " + std::to_string(message.number) +
                ": the text does not match its check value (changed by hand)\n";
        }
    }
    // What was never read cannot pass.
    for (const long long number : listing.leftOut)
        report += "message " + std::to_string(number) + ": numbered outside 0 to 1023, left out\n";
    if (listing.unreadFromLine)
        report += "line " + std::to_string(*listing.unreadFromLine) +
            ": a SUB line without \"(\", the rest of the file was not read\n";
    const std::size_t total = listing.messages.size();
    report += std::to_string(total) + " messages, " + std::to_string(failed) +
        (failed == 1 ? " fails" : " fail") + " the check";
    if (!listing.leftOut.empty())
        report += ", " + std::to_string(listing.leftOut.size()) + " left out";
    if (listing.unreadFromLine)
        report += ", the rest not read";
    report += "\n";
    writeStandardOutput(report);
    return failed == 0 && listing.leftOut.empty() && !listing.unreadFromLine && total > 0 ? 0 : 1;
}

} // namespace marquis::cli

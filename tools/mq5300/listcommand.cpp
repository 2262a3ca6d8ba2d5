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
    for (const ListedMessage& message : listScriptFile(std::string(arguments[0])))
        listing += listingLine(message) + "\n";
    writeStandardOutput(listing);
    return 0;
}

int checkCommand(Arguments arguments)
{
    if (arguments.size() != 1)
        throw CommandError("check takes one script file");
    std::string report;
    int failed = 0;
    int total = 0;
    for (const ListedMessage& message : listScriptFile(std::string(arguments[0]))) {
        ++total;
        if (!message.holds) {
            ++failed;
            report += "message " + std::to_string(message.number) +
                ": the text does not match its check value (changed by hand)\n";
        }
    }
    report += std::to_string(total) + " messages, " + std::to_string(failed) +
        (failed == 1 ? " fails" : " fail") + " the check\n";
    writeStandardOutput(report);
    return failed == 0 ? 0 : 1;
}

} // namespace marquis::cli

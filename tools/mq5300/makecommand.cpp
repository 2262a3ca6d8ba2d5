#include "commanderror.h"
#include "commands.h"
#include "messagechecks.h"
#include "messagejson.h"
#include "model/crccomponent.h"
#include "model/scriptwriter.h"
#include "model/windows1252.h"
#include "ports/userinterface.h"
#include "requirecomponent.h"
#include "textio.h"

namespace marquis::cli {

int makeCommand(Arguments arguments)
{
    if (!arguments.empty())
        throw CommandError("make takes no arguments; the message comes as JSON on stdin");
    CurrentMessage message = messageFromJson(readStandardInput());
    checkWritable(message);

    CrcComponent component(toolsFolder());
    requireComponent(component);
    SilentUserInterface ui;
    ScriptWriter writer(component, ui);
    writer.SubMake(message);
    // A message without content has no text; nothing is written then.
    writeStandardOutput(windows1252ToUtf8(message.MessageScript));
    return 0;
}

} // namespace marquis::cli

#include "commanderror.h"
#include "commands.h"
#include "model/crccomponent.h"
#include "requirecomponent.h"
#include "textio.h"

namespace marquis::cli {

int crcCommand(Arguments arguments)
{
    if (!arguments.empty())
        throw CommandError("crc takes no arguments; the bytes come on stdin");
    const std::string bytes = readStandardInput();
    CrcComponent component(toolsFolder());
    requireComponent(component);
    writeStandardOutput(std::to_string(component.checkValueOf(bytes)) + "\n");
    return 0;
}

} // namespace marquis::cli

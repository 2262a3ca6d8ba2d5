// esc2bin: assembles an .esc text into a unit image (see docs/bin-format.md).

#include "scriptcode/tooldrivers.h"

#include <algorithm>
#include <iostream>

int main(int argc, char** argv)
{
    const std::vector<std::string> arguments(argv + std::min(argc, 1), argv + argc);
    return marquis::unit::runAssemblerTool(arguments, std::cerr);
}

// src2esc: compiles a message script into its .esc text (see docs/script-language.md).

#include "scriptcode/tooldrivers.h"

#include <algorithm>
#include <iostream>

int main(int argc, char** argv)
{
    const std::vector<std::string> arguments(argv + std::min(argc, 1), argv + argc);
    return marquis::unit::runCompilerTool(arguments, std::cerr);
}

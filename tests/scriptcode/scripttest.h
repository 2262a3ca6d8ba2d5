#pragma once

// Compiling script text in the test process, with the shipped ESCAPES.H.

#include "scriptcode/assembler.h"
#include "scriptcode/compiler.h"
#include "scriptcode/displayunit.h"

#include <gtest/gtest.h>
#include <string>

namespace marquis::testing {

inline std::string toolsFolder()
{
    return std::string(MARQUIS_BIN_DIR) + "/";
}

inline std::string withHeader(std::string_view body, int displayType = 5360, int version = 2)
{
    return "#define Display_type (" + std::to_string(displayType) +
        ")\r\n#include \"ESCAPES.H\"\r\n#pragma version " + std::to_string(version) + "\r\n" +
        std::string(body);
}

inline unit::Program compile(std::string_view text, unit::Diagnostics& diagnostics)
{
    unit::CompileOptions options;
    options.includeFolder = toolsFolder();
    return unit::compileSource(text, "test.src", options, diagnostics);
}

// The errors as the error file lists them, for failure messages.
inline std::string listed(const unit::Diagnostics& diagnostics)
{
    return diagnostics.errorFileText();
}

// A unit of `lines` lines loaded with the messages of `body` (header lines added).
inline void loadUnit(unit::DisplayUnit& display, std::string_view body, int lines = 4)
{
    unit::Diagnostics diagnostics;
    const unit::Program program = compile(withHeader(body, lines == 2 ? 5320 : 5360), diagnostics);
    ASSERT_TRUE(diagnostics.empty()) << listed(diagnostics);
    display.load(unit::assemble(program));
}

} // namespace marquis::testing

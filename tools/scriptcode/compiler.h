#pragma once

// The script compiler: reads a script source (header lines, SUB blocks) into a Program, and
// reports every error it finds with its file and line, going on at the next line.

#include "scriptcode/diagnostics.h"
#include "scriptcode/program.h"

#include <filesystem>
#include <string_view>

namespace marquis::unit {

struct CompileOptions {
    // Where #include "NAME" looks: first the including file's folder, then this one. A name
    // not found with its exact spelling is looked for without regard to case.
    std::filesystem::path sourceFolder;
    std::filesystem::path includeFolder;
};

// `fileName` is the source's name as errors name it. The program is complete only when no
// errors were added.
Program compileSource(std::string_view text, std::string_view fileName,
    const CompileOptions& options, Diagnostics& diagnostics);

} // namespace marquis::unit

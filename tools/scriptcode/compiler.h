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
    // The source's own file, when it is one: an include of it is a cycle like any other.
    std::filesystem::path sourceFile;
};

// `fileName` is the source's name as errors name it. The program is complete only when no
// errors were added. An include of a file that is still being read is an error on its line, and
// so are includes nested too deep or too many in all, so no source makes the compiler read
// without end.
Program compileSource(std::string_view text, std::string_view fileName,
    const CompileOptions& options, Diagnostics& diagnostics);

} // namespace marquis::unit

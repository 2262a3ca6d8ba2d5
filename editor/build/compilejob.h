#pragma once

#include "build/resultview.h"
#include "build/toolrunner.h"
#include "files/editorsession.h"

#include <string>

namespace marquis {

// Compiles and assembles a script file into output base + ".bin", with or without the result
// window's progress.
class CompileJob {
public:
    CompileJob(ToolRunner& tools, FileSystem& files, UserInterface& ui, const Preferences& settings);

    // True when errors were found (or the tools could not do their work). With a view, the
    // tools' reports and the elapsed time go there; a cancel closes it.
    bool CompileFile(const std::string& source, const std::string& output, ResultView* view);

private:
    bool failed(const std::string& message);

    ToolRunner& m_tools;
    FileSystem& m_files;
    UserInterface& m_ui;
    const Preferences& m_settings;
};

// The path up to the first "." of its file name: where a compile puts its output files.
std::string outputBaseOf(const std::string& outputPath);

// The path without its last extension.
std::string withoutExtension(const std::string& path);

}  // namespace marquis

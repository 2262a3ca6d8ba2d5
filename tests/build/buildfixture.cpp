#include "buildfixture.h"

#include "build/toolrunner.h"

#include <cstdlib>
#include <fstream>

namespace marquis::testing {

BuildTest::BuildTest() : tools(processes, files, ui, toolsFolder.folder())
{
    ::setenv("XDG_RUNTIME_DIR", runtimeFolder.path().c_str(), 1);
    for (const char* name : { CompilerTool, AssemblerTool, LinkTool })
        std::filesystem::create_symlink(std::string(MARQUIS_BIN_DIR) + "/fake-tool", toolsFolder / name);
    recordPath = (workFolder / "runs.txt").string();
    ::setenv("MARQUIS_FAKE_RECORD", recordPath.c_str(), 1);
    ::unsetenv("MARQUIS_FAKE_TOOL");
    ::unsetenv("MARQUIS_FAKE_VERSION");
    ::unsetenv("MARQUIS_FAKE_HOLD");
    holdPath = (workFolder / "release").string();
    tools.setCancelGrace(std::chrono::milliseconds(300));
    session->preferences().ToolsFolder = toolsFolder.folder();
}

BuildTest::~BuildTest()
{
    ::unsetenv("MARQUIS_FAKE_RECORD");
    ::unsetenv("MARQUIS_FAKE_TOOL");
    ::unsetenv("MARQUIS_FAKE_VERSION");
    ::unsetenv("MARQUIS_FAKE_HOLD");
    ::unsetenv("XDG_RUNTIME_DIR");
}

void BuildTest::hold()
{
    std::filesystem::remove(holdPath);
    ::setenv("MARQUIS_FAKE_HOLD", holdPath.c_str(), 1);
}

void BuildTest::release()
{
    std::ofstream(holdPath) << "go\n";
}

void BuildTest::setMode(const std::string& mode)
{
    ::setenv("MARQUIS_FAKE_TOOL", mode.c_str(), 1);
}

std::vector<std::string> BuildTest::runs() const
{
    std::ifstream in(recordPath);
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(in, line))
        lines.push_back(line);
    return lines;
}

}  // namespace marquis::testing

#include "build/toolcommands.h"

#include "files/paths.h"

namespace marquis {

ToolRun compileRun(const std::string& source, const std::string& outputBase,
    const std::string& workBase, const std::string& toolsFolder)
{
    ToolRun run;
    run.tool = CompilerTool;
    run.arguments = { source, outputBase, "/error", outputBase, "/include", toolsFolder, "/log",
        workBase };
    run.listPath = workBase + ".lst";
    run.statusBase = workBase;
    return run;
}

ToolRun syntaxCheckRun(const std::string& workFolder, const std::string& toolsFolder)
{
    ToolRun run;
    run.tool = CompilerTool;
    run.arguments = { workFolder + "sub.src", "/error", workFolder + "sub", "/include",
        toolsFolder };
    run.listPath = workFolder + "sub.lst";
    return run;
}

ToolRun assembleRun(const std::string& outputBase, const std::string& workBase)
{
    ToolRun run;
    run.tool = AssemblerTool;
    run.arguments = { outputBase, outputBase, "/error", outputBase, "/log", workBase };
    run.listPath = workBase + ".lst";
    run.statusBase = workBase;
    return run;
}

std::vector<std::string> comPortEnvironment(const Preferences& settings)
{
    std::vector<std::string> variables;
    for (std::size_t port = 0; port < settings.ComDevices.size(); ++port)
        if (!settings.ComDevices[port].empty())
            variables.push_back("MARQUIS_COM" + std::to_string(port + 1) + "=" +
                settings.ComDevices[port]);
    return variables;
}

ToolRun linkRun(const std::string& letter, const std::vector<std::string>& leadingLines,
    const std::string& base, const Preferences& settings)
{
    ToolRun run;
    run.tool = LinkTool;
    run.letter = letter;
    run.arguments = leadingLines;
    const std::vector<std::string> connection = { "/a", settings.UnitAddress, "/b",
        settings.BaudRate, "/c", settings.ComPort, "/m", memoryCode(settings), "/log", base };
    run.arguments.insert(run.arguments.end(), connection.begin(), connection.end());
    run.environment = comPortEnvironment(settings);
    run.listPath = base + ".lst";
    run.statusBase = base;
    return run;
}

FileDialogRequest binaryFileDialog(const std::string& title, const std::string& folder)
{
    FileDialogRequest request;
    request.title = title;
    request.filter = "5300 binary file (*.bin)|*.bin";
    request.defaultExtension = "bin";
    request.folder = folder;
    return request;
}

std::string cannotStartText(
    const ToolRun& run, const ToolResult& result, const std::string& toolsFolder)
{
    return "Can't start " + toolsFolder + run.tool + " (" + result.error +
        "). Check the tools folder in the preferences file.";
}

}  // namespace marquis

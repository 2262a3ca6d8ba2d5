#include "scriptedit/scripteditfixture.h"

#include <cstdlib>
#include <filesystem>

namespace marquis::testing {

ScriptEditTest::ScriptEditTest()
    : tools(processes, files, ui, toolsFolder.folder())
{
    ::setenv("XDG_RUNTIME_DIR", runtimeFolder.path().c_str(), 1);
    ::unsetenv("MARQUIS_FAKE_TOOL");
    for (const char* name : { CompilerTool, AssemblerTool, LinkTool })
        std::filesystem::create_symlink(
            std::string(MARQUIS_BIN_DIR) + "/fake-tool", toolsFolder / name);
    session->preferences().ToolsFolder = toolsFolder.folder();
}

ScriptEditTest::~ScriptEditTest()
{
    edit.reset();
    ::unsetenv("MARQUIS_FAKE_TOOL");
    ::unsetenv("XDG_RUNTIME_DIR");
}

void ScriptEditTest::start(const std::string& unitType)
{
    QuickEditTest::start(unitType);
    edit = std::make_unique<ScriptEdit>(*session, *state, view, scriptView, processes, tools);
}

std::string ScriptEditTest::useEditor(const std::string& body)
{
    const std::filesystem::path script = stubFolder.write("editor.sh", "#!/bin/sh\n" + body + "\n");
    std::filesystem::permissions(script, std::filesystem::perms::owner_all);
    session->preferences().EditorType = "1";
    session->preferences().EditorPath = script.string();
    return script.string();
}

void ScriptEditTest::editorTakesItsTime()
{
    auto now = std::make_shared<ExternalEditor::Clock::time_point>();
    edit->externalEditor().setClock([now] {
        *now += std::chrono::seconds(10);
        return *now;
    });
}

void ScriptEditTest::setToolMode(const std::string& mode)
{
    ::setenv("MARQUIS_FAKE_TOOL", mode.c_str(), 1);
}

} // namespace marquis::testing

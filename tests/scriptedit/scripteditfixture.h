#pragma once

#include "build/toolrunner.h"
#include "platform/posixprocesses.h"
#include "ui/quickedit/scriptedit.h"
#include "ui/quickeditfixture.h"

#include <memory>
#include <optional>
#include <string>
#include <utility>

namespace marquis::testing {

class FakeScriptTextView : public ScriptTextView {
public:
    std::optional<std::pair<std::size_t, std::size_t>> selection;
    void selectScript(std::size_t start, std::size_t end) override { selection = { start, end }; }
};

// The Quick Edit logic with Script Edit beside it, the fake tool in place of the compiler and
// stub editors written as shell scripts.
class ScriptEditTest : public QuickEditTest {
protected:
    ScriptEditTest();
    ~ScriptEditTest() override;

    void start(const std::string& unitType = "5360");

    // A shell script run as the external editor on the file ("$1"), chosen in the preferences.
    std::string useEditor(const std::string& body);
    // Every run of the editor takes long enough for its result to be taken as it is.
    void editorTakesItsTime();

    void setToolMode(const std::string& mode);

    TemporaryFolder runtimeFolder;
    TemporaryFolder toolsFolder;
    TemporaryFolder stubFolder;
    PosixProcesses processes;
    ToolRunner tools;
    FakeScriptTextView scriptView;
    std::unique_ptr<ScriptEdit> edit;
};

} // namespace marquis::testing

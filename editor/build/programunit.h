#pragma once

#include "build/resultview.h"
#include "build/toolrunner.h"
#include "files/editorsession.h"

#include <optional>
#include <string>

namespace marquis {

// What the unit's version report says.
struct UnitVersion {
    std::string release;  // e.g. "4.05"
    std::string version;  // "1" or "2"
};

// The version in a version-query report; none when the report has no "Version".
std::optional<UnitVersion> parseUnitVersion(const std::string& report);

// The "#pragma version" of a script file ("1" or "2"); "" when it has none, no value when the
// file cannot be read.
std::optional<std::string> scriptFileVersion(FileSystem& files, const std::string& path);

// Programs a unit binary through the unit link, after checking that the unit's script-language
// version matches the open script file's.
class UnitProgrammer {
public:
    UnitProgrammer(EditorSession& session, ToolRunner& tools, UserInterface& ui);

    // Programs `binary` (a ".bin" path). The window is closed through the view when the user
    // cancels or declines.
    void ProgramUnit(const std::string& binary, ResultView& view);

private:
    // False when programming must not go on (the window has been closed).
    bool versionCheck(const std::string& binaryBase, const std::string& workBase, ResultView& view);

    EditorSession& m_session;
    ToolRunner& m_tools;
    UserInterface& m_ui;
};

}  // namespace marquis

#pragma once

#include "files/editorsession.h"
#include "files/filesystem.h"
#include "model/crccomponent.h"
#include "ports/userinterface.h"

#include <memory>
#include <string>
#include <vector>

namespace marquis::cli {

// Keeps what the editor would show in message boxes; questions are answered No or Cancel and
// dialogs are cancelled.
class ConsoleUserInterface : public SilentUserInterface {
public:
    std::vector<std::string> messages;

    Answer message(std::string_view text, Buttons buttons, Icon, Answer, std::string_view) override;
};

// A script file opened the way the editor opens it, with the check-value component of the
// program folder and the placeholder "#". A CommandError when the file is no regular file, is
// too large, cannot be read or is no script file.
class ScriptSession {
public:
    explicit ScriptSession(const std::string& path);

    EditorSession& session() { return *m_session; }
    // What the editor said about the file while it opened it.
    ConsoleUserInterface& ui() { return m_ui; }
    // The path as a message shows it.
    const std::string& name() const { return m_name; }

private:
    CrcComponent m_component;
    ConsoleUserInterface m_ui;
    DiskFileSystem m_files;
    std::string m_name;
    std::unique_ptr<EditorSession> m_session;
};

} // namespace marquis::cli

#pragma once

#include "files/editorsession.h"
#include "model/crccomponent.h"
#include "support/fakeuserinterface.h"
#include "support/faultyfilesystem.h"
#include "support/temporaryfolder.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace marquis::testing {

// A script file's text made by the program's own writer from the given messages.
std::string scriptFileText(
    std::vector<CurrentMessage> messages, ScriptWriter& writer, const std::string& unitType);

// An editing session on a fresh program folder, with the real check-value component, a
// scripted user and a file system that fails on request.
class SessionTest : public ::testing::Test {
protected:
    SessionTest();

    // A message of the 5360 with the given texts on its lines.
    static CurrentMessage textMessage(int number, std::vector<std::string> lines, int task = 0);

    // Writes a script file of the given messages into the work folder and opens it.
    std::string openScript(const std::string& name, const std::vector<CurrentMessage>& messages,
        const std::string& unitType = "5360");

    // The plain texts of message n's lines as the session reads it now.
    std::vector<std::string> linesOf(int n);

    // Replaces line 1 of the current message with a plain text.
    void typeLine1(const std::string& text);

    TemporaryFolder programFolder;
    TemporaryFolder workFolder;
    CrcComponent crc { MARQUIS_BIN_DIR };
    FakeUserInterface ui;
    FaultyFileSystem files;
    std::unique_ptr<EditorSession> session;
};

} // namespace marquis::testing

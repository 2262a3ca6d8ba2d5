#pragma once

#include "build/toolrunner.h"
#include "platform/posixprocesses.h"
#include "support/sessionfixture.h"

#include <string>
#include <vector>

namespace marquis::testing {

// A session whose tools folder holds the fake tool under the real tools' names, with a record
// of every tool run.
class BuildTest : public SessionTest {
protected:
    BuildTest();
    ~BuildTest() override;

    // Every run so far: "name letter | line | line ...".
    std::vector<std::string> runs() const;
    void setMode(const std::string& mode);

    TemporaryFolder toolsFolder;
    PosixProcesses processes;
    ToolRunner tools;
    std::string recordPath;
};

}  // namespace marquis::testing

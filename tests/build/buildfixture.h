#pragma once

#include "build/toolrunner.h"
#include "platform/posixprocesses.h"
#include "support/sessionfixture.h"

#include <string>
#include <vector>

namespace marquis::testing {

// A session whose tools folder holds the fake tool under the real tools' names, with a record
// of every tool run. The runner's private work folders are made in `runtimeFolder`.
class BuildTest : public SessionTest {
protected:
    BuildTest();
    ~BuildTest() override;

    // Every run so far: "name letter | line | line ...".
    std::vector<std::string> runs() const;
    void setMode(const std::string& mode);
    // The fake tools wait until release() before they do their work.
    void hold();
    void release();

    TemporaryFolder runtimeFolder;
    TemporaryFolder toolsFolder;
    PosixProcesses processes;
    ToolRunner tools;
    std::string recordPath;
    std::string holdPath;
};

}  // namespace marquis::testing

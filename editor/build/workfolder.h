#pragma once

#include <string>

namespace marquis {

// A folder of our own for the work files of the outside tools: argument lists, status reports
// and the one-message sources, under the fixed names the tools expect. It is made with
// mkdtemp, readable by its owner alone, so an editor and any number of mq5300 commands working
// at the same time never read each other's lists or reports, and no work file lands on a file
// of the user's. The folder goes, with everything in it, when the object goes.
class WorkFolder {
public:
    WorkFolder() = default;
    ~WorkFolder();
    WorkFolder(const WorkFolder&) = delete;
    WorkFolder& operator=(const WorkFolder&) = delete;

    // The folder with a trailing separator, made on first use; "" when it cannot be made (it is
    // tried again on the next use).
    const std::string& path();

private:
    std::string m_path;
};

// Where work folders are made: $XDG_RUNTIME_DIR when it names a folder (private to the user
// and emptied at logout), otherwise the system's temporary folder ($TMPDIR or /tmp).
std::string workFolderParent();

} // namespace marquis

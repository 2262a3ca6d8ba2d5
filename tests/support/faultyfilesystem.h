#pragma once

#include "files/filesystem.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <string>

namespace marquis::testing {

// The disk's file system with failures where a test wants them: folders that refuse new files
// (as a read-only folder does for a normal user, which tests running as root cannot make), a
// write budget after which every write fails (a disk filling up), refused renames, and a hook
// called before every operation (to end the process there).
class FaultyFileSystem : public FileSystem {
public:
    std::set<std::string> readOnlyFolders; // folders with a trailing separator
    std::optional<std::uint64_t> bytesLeft; // writes fail once these are used up
    bool refuseReplace = false;
    std::function<void(const char* operation)> beforeEach;
    int operations = 0;

    std::unique_ptr<OutputFile> create(const std::string& path) override;
    std::unique_ptr<OutputFile> append(const std::string& path) override;
    std::unique_ptr<InputFile> open(const std::string& path) override;
    bool replace(const std::string& from, const std::string& to) override;
    bool remove(const std::string& path) override;
    bool exists(const std::string& path) override;

    // Called by its output files before each write; false when the disk is "full".
    bool spend(std::uint64_t bytes);

private:
    void step(const char* operation);
    bool refuses(const std::string& path) const;
    std::unique_ptr<OutputFile> wrap(std::unique_ptr<OutputFile> file);

    DiskFileSystem m_disk;
};

} // namespace marquis::testing

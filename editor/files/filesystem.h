#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace marquis {

// A file being written. Nothing is final until commit() has succeeded.
class OutputFile {
public:
    virtual ~OutputFile() = default;
    virtual bool write(std::string_view bytes) = 0;
    // Bytes in the file so far, including what it held before an append.
    virtual std::uint64_t size() const = 0;
    // Writes out what is buffered and closes the file; with `durable`, also waits until the
    // content is on the disk.
    virtual bool commit(bool durable) = 0;
};

// A file being read line by line from any position.
class InputFile {
public:
    virtual ~InputFile() = default;
    virtual std::uint64_t size() const = 0;
    virtual bool seek(std::uint64_t position) = 0; // 0 is the first byte
    // The next line without its LF (a CR before it is kept); false at the end of the file.
    virtual bool readLine(std::string& line) = 0;
    // Everything from the current position to the end; false when reading fails.
    virtual bool readRest(std::string& bytes) = 0;
};

// The file operations of the store, the script files and the settings. The real one works on
// the disk; tests put one in its place that fails where they want it to.
class FileSystem {
public:
    virtual ~FileSystem() = default;
    virtual std::unique_ptr<OutputFile> create(const std::string& path) = 0; // new or emptied
    virtual std::unique_ptr<OutputFile> append(const std::string& path) = 0;
    virtual std::unique_ptr<InputFile> open(const std::string& path) = 0;
    // Puts `from` in the place of `to` in one step, so `to` is always either the old or the
    // new file.
    virtual bool replace(const std::string& from, const std::string& to) = 0;
    virtual bool remove(const std::string& path) = 0;
    virtual bool exists(const std::string& path) = 0;
};

// The file system of the machine.
class DiskFileSystem : public FileSystem {
public:
    std::unique_ptr<OutputFile> create(const std::string& path) override;
    std::unique_ptr<OutputFile> append(const std::string& path) override;
    std::unique_ptr<InputFile> open(const std::string& path) override;
    bool replace(const std::string& from, const std::string& to) override;
    bool remove(const std::string& path) override;
    bool exists(const std::string& path) override;
};

// Creates `path` with the given content, committed; false when any step fails.
bool writeWholeFile(
    FileSystem& files, const std::string& path, std::string_view content, bool durable = false);

} // namespace marquis

#include "files/filesystem.h"

#include "files/paths.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace marquis {
namespace {

class DiskOutputFile : public OutputFile {
public:
    DiskOutputFile(std::FILE* file, std::uint64_t size)
        : m_file(file)
        , m_size(size)
    {
    }
    ~DiskOutputFile() override
    {
        if (m_file)
            std::fclose(m_file);
    }

    bool write(std::string_view bytes) override
    {
        if (!m_file || m_failed)
            return false;
        if (std::fwrite(bytes.data(), 1, bytes.size(), m_file) != bytes.size())
            m_failed = true;
        else
            m_size += bytes.size();
        return !m_failed;
    }

    std::uint64_t size() const override { return m_size; }

    bool commit(bool durable) override
    {
        if (!m_file)
            return false;
        bool ok = !m_failed && std::fflush(m_file) == 0;
        if (ok && durable)
            ok = ::fsync(::fileno(m_file)) == 0;
        ok = std::fclose(m_file) == 0 && ok;
        m_file = nullptr;
        return ok;
    }

private:
    std::FILE* m_file;
    std::uint64_t m_size;
    bool m_failed = false;
};

class DiskInputFile : public InputFile {
public:
    DiskInputFile(std::FILE* file, std::uint64_t size)
        : m_file(file)
        , m_size(size)
    {
    }
    ~DiskInputFile() override
    {
        std::free(m_buffer);
        std::fclose(m_file);
    }
    DiskInputFile(const DiskInputFile&) = delete;
    DiskInputFile& operator=(const DiskInputFile&) = delete;

    std::uint64_t size() const override { return m_size; }

    bool seek(std::uint64_t position) override
    {
        return position <= m_size && ::fseeko(m_file, static_cast<off_t>(position), SEEK_SET) == 0;
    }

    bool readLine(std::string& line) override
    {
        // getline() keeps NUL bytes and copes with lines of any length.
        const ssize_t length = ::getline(&m_buffer, &m_capacity, m_file);
        if (length <= 0) {
            line.clear();
            return false;
        }
        std::size_t end = static_cast<std::size_t>(length);
        if (m_buffer[end - 1] == '\n')
            --end;
        line.assign(m_buffer, end);
        return true;
    }

    bool readRest(std::string& bytes) override
    {
        const off_t position = ::ftello(m_file);
        const std::uint64_t rest = position < 0 || static_cast<std::uint64_t>(position) > m_size
            ? 0
            : m_size - static_cast<std::uint64_t>(position);
        bytes.resize(static_cast<std::size_t>(rest));
        bytes.resize(std::fread(bytes.data(), 1, bytes.size(), m_file));
        // A file that grew since it was opened is read to its end as well.
        char chunk[1 << 16];
        std::size_t got = 0;
        while ((got = std::fread(chunk, 1, sizeof chunk, m_file)) > 0)
            bytes.append(chunk, got);
        return std::ferror(m_file) == 0;
    }

private:
    std::FILE* m_file;
    std::uint64_t m_size;
    char* m_buffer = nullptr;
    std::size_t m_capacity = 0;
};

std::uint64_t sizeOf(std::FILE* file)
{
    struct stat info { };
    return ::fstat(::fileno(file), &info) == 0 ? static_cast<std::uint64_t>(info.st_size) : 0;
}

std::unique_ptr<OutputFile> openOutput(const std::string& path, const char* mode)
{
    std::FILE* file = std::fopen(path.c_str(), mode);
    if (!file)
        return nullptr;
    static_cast<void>(std::setvbuf(file, nullptr, _IOFBF, 1 << 16));
    return std::make_unique<DiskOutputFile>(file, sizeOf(file));
}

// Makes a rename in `folder` survive a crash of the machine.
void syncFolder(const std::string& folder)
{
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        static_cast<void>(::fsync(fd));
        ::close(fd);
    }
}

} // namespace

std::unique_ptr<OutputFile> DiskFileSystem::create(const std::string& path)
{
    return openOutput(path, "wb");
}

std::unique_ptr<OutputFile> DiskFileSystem::append(const std::string& path)
{
    return openOutput(path, "ab");
}

// Only regular files are read: a FIFO or a device could block the program or never end. The
// file is opened without waiting, so that opening a FIFO does not wait for a writer either.
std::unique_ptr<InputFile> DiskFileSystem::open(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    struct stat info { };
    const int flags = ::fcntl(fd, F_GETFL);
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || flags < 0 ||
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        ::close(fd);
        return nullptr;
    }
    std::FILE* file = ::fdopen(fd, "rb");
    if (!file) {
        ::close(fd);
        return nullptr;
    }
    static_cast<void>(std::setvbuf(file, nullptr, _IOFBF, 1 << 16));
    return std::make_unique<DiskInputFile>(file, static_cast<std::uint64_t>(info.st_size));
}

bool DiskFileSystem::replace(const std::string& from, const std::string& to)
{
    if (std::rename(from.c_str(), to.c_str()) != 0)
        return false;
    syncFolder(folderOf(to));
    return true;
}

bool DiskFileSystem::remove(const std::string& path)
{
    return std::remove(path.c_str()) == 0;
}

bool DiskFileSystem::exists(const std::string& path)
{
    struct stat info { };
    return ::stat(path.c_str(), &info) == 0;
}

bool writeWholeFile(
    FileSystem& files, const std::string& path, std::string_view content, bool durable)
{
    std::unique_ptr<OutputFile> file = files.create(path);
    return file && file->write(content) && file->commit(durable);
}

} // namespace marquis

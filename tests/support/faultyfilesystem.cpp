#include "support/faultyfilesystem.h"

#include "files/paths.h"

namespace marquis::testing {
namespace {

class FaultyOutputFile : public OutputFile {
public:
    FaultyOutputFile(std::unique_ptr<OutputFile> file, FaultyFileSystem& owner)
        : m_file(std::move(file))
        , m_owner(owner)
    {
    }
    bool write(std::string_view bytes) override
    {
        if (!m_owner.spend(bytes.size())) {
            // Part of the bytes may still reach the disk, as on a real full disk.
            m_file->write(bytes.substr(0, bytes.size() / 2));
            return false;
        }
        return m_file->write(bytes);
    }
    std::uint64_t size() const override { return m_file->size(); }
    bool commit(bool durable) override { return m_owner.spend(0) && m_file->commit(durable); }

private:
    std::unique_ptr<OutputFile> m_file;
    FaultyFileSystem& m_owner;
};

} // namespace

void FaultyFileSystem::step(const char* operation)
{
    ++operations;
    if (beforeEach)
        beforeEach(operation);
}

bool FaultyFileSystem::refuses(const std::string& path) const
{
    return readOnlyFolders.count(folderOf(path)) > 0;
}

bool FaultyFileSystem::spend(std::uint64_t bytes)
{
    step("write");
    if (!bytesLeft)
        return true;
    if (*bytesLeft < bytes) {
        bytesLeft = 0;
        return false;
    }
    *bytesLeft -= bytes;
    return true;
}

std::unique_ptr<OutputFile> FaultyFileSystem::wrap(std::unique_ptr<OutputFile> file)
{
    if (!file)
        return nullptr;
    return std::make_unique<FaultyOutputFile>(std::move(file), *this);
}

std::unique_ptr<OutputFile> FaultyFileSystem::create(const std::string& path)
{
    step("create");
    return refuses(path) ? nullptr : wrap(m_disk.create(path));
}

std::unique_ptr<OutputFile> FaultyFileSystem::append(const std::string& path)
{
    step("append");
    return refuses(path) ? nullptr : wrap(m_disk.append(path));
}

std::unique_ptr<InputFile> FaultyFileSystem::open(const std::string& path)
{
    step("open");
    return m_disk.open(path);
}

bool FaultyFileSystem::replace(const std::string& from, const std::string& to)
{
    step("replace");
    return !refuseReplace && !refuses(to) && m_disk.replace(from, to);
}

bool FaultyFileSystem::remove(const std::string& path)
{
    step("remove");
    return !refuses(path) && m_disk.remove(path);
}

bool FaultyFileSystem::exists(const std::string& path)
{
    return m_disk.exists(path);
}

} // namespace marquis::testing

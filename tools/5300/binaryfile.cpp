#include "binaryfile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sys/stat.h>

namespace marquis::unit {
namespace {

// Images are far smaller; a larger file is no image and is not read into memory.
constexpr std::uintmax_t LargestImage = 16u * 1024 * 1024;

} // namespace

bool readBinaryFile(const std::string& path, std::vector<std::uint8_t>& bytes, std::string& error)
{
    struct stat status { };
    if (::stat(path.c_str(), &status) != 0) {
        error = std::strerror(errno);
        return false;
    }
    if (!S_ISREG(status.st_mode)) {
        error = "it is not a file";
        return false;
    }
    if (static_cast<std::uintmax_t>(status.st_size) > LargestImage) {
        error = "it is too large to be a unit image";
        return false;
    }
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        error = std::strerror(errno);
        return false;
    }
    bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    if (file.bad()) {
        error = "it cannot be read";
        return false;
    }
    return true;
}

bool writeBinaryFile(
    const std::string& path, const std::vector<std::uint8_t>& bytes, std::string& error)
{
    const std::string temporary = path + ".part";
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        if (file)
            file.write(reinterpret_cast<const char*>(bytes.data()),
                static_cast<std::streamsize>(bytes.size()));
        file.close();
        if (!file) {
            error = std::strerror(errno);
            std::remove(temporary.c_str());
            return false;
        }
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        error = std::strerror(errno);
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

std::string hex32(std::uint32_t value)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", value);
    return text;
}

} // namespace marquis::unit

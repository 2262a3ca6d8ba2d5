#include "flashstore.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>

namespace marquis::unit {

FlashStore::FlashStore(std::string file, std::uint32_t capacity)
    : m_file(std::move(file))
    , m_capacity(capacity)
{
}

bool FlashStore::load(std::string& error)
{
    m_contents.clear();
    m_summary = FlashSummary::of(m_contents);
    if (m_file.empty())
        return true;
    std::ifstream file(m_file, std::ios::binary);
    if (!file)
        return errno == ENOENT || (error = m_file + ": " + std::strerror(errno), false);
    std::vector<std::uint8_t> bytes(
        (std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (bytes.size() > m_capacity) {
        error = m_file + " is larger than the flash (" + std::to_string(m_capacity) + " bytes)";
        return false;
    }
    m_contents = std::move(bytes);
    m_summary = FlashSummary::of(m_contents);
    return true;
}

bool FlashStore::store(std::vector<std::uint8_t> contents, std::string& error)
{
    m_contents = std::move(contents);
    m_summary = FlashSummary::of(m_contents);
    if (m_file.empty())
        return true;
    const std::string temporary = m_file + ".part";
    std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(m_contents.data()),
        static_cast<std::streamsize>(m_contents.size()));
    file.close();
    if (!file || std::rename(temporary.c_str(), m_file.c_str()) != 0) {
        error = "cannot write " + m_file + " (" + std::strerror(errno) + ")";
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

} // namespace marquis::unit

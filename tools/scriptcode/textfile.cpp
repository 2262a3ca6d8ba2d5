#include "scriptcode/textfile.h"

#include <fstream>
#include <iterator>
#include <system_error>

namespace marquis::unit {

std::optional<std::string> readFile(const std::filesystem::path& file)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error))
        return std::nullopt;
    std::ifstream stream(file, std::ios::binary);
    if (!stream)
        return std::nullopt;
    std::string bytes { std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>() };
    if (stream.bad())
        return std::nullopt;
    return bytes;
}

bool writeFile(const std::filesystem::path& file, std::string_view bytes)
{
    std::ofstream stream(file, std::ios::binary | std::ios::trunc);
    if (!stream)
        return false;
    stream.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    stream.close();
    return !stream.fail();
}

bool removeFile(const std::filesystem::path& file)
{
    std::error_code error;
    std::filesystem::remove(file, error);
    return !std::filesystem::exists(file, error);
}

std::vector<std::string_view> splitLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    std::size_t begin = 0;
    while (begin < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", begin);
        if (end == std::string_view::npos) {
            lines.push_back(text.substr(begin));
            break;
        }
        lines.push_back(text.substr(begin, end - begin));
        begin = end + 1;
        if (text[end] == '\r' && begin < text.size() && text[begin] == '\n')
            ++begin;
    }
    return lines;
}

} // namespace marquis::unit

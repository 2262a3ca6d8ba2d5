#include "report.h"

#include <cerrno>
#include <cstring>
#include <fstream>

namespace marquis::unit {

std::string Report::finish(bool succeeded) const
{
    std::string text;
    for (const std::string& line : m_lines)
        text += line + "\r\n";
    text += succeeded ? "Result: OK\r\n" : "Result: FAILED\r\n";
    return text;
}

bool Report::write(const std::string& path, const std::string& text, std::string& error)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (file)
        file.write(text.data(), static_cast<std::streamsize>(text.size()));
    file.close();
    if (!file) {
        error = "cannot write the status report " + path + " (" + std::strerror(errno) + ")";
        return false;
    }
    return true;
}

} // namespace marquis::unit

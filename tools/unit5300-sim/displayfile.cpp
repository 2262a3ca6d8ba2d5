#include "displayfile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>

namespace marquis::unit {

bool writeDisplayFile(const std::string& path, const DisplayState& state, std::string& error)
{
    std::string text;
    for (const std::string& row : state.rows)
        text += row + "\r\n";
    text += state.relayOn ? "relay on\r\n" : "relay off\r\n";
    const std::string temporary = path + ".part";
    std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
    file.write(text.data(), static_cast<std::streamsize>(text.size()));
    file.close();
    if (!file || std::rename(temporary.c_str(), path.c_str()) != 0) {
        error = "cannot write " + path + " (" + std::strerror(errno) + ")";
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

std::string displayPicture(const DisplayState& state)
{
    std::string picture;
    for (const std::string& row : state.rows)
        picture += "|" + row + "|\n";
    picture += state.relayOn ? " relay on\n" : " relay off\n";
    return picture;
}

bool appendSerialFile(const std::string& path, std::string_view bytes, std::string& error)
{
    std::ofstream file(path, std::ios::binary | std::ios::app);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    file.close();
    if (!file) {
        error = "cannot write " + path + " (" + std::strerror(errno) + ")";
        return false;
    }
    return true;
}

std::string visibleBytes(std::string_view bytes)
{
    std::string text;
    for (const char c : bytes) {
        const auto code = static_cast<unsigned char>(c);
        if (code < 32 || code == 127) {
            text += '^';
            text += static_cast<char>(code ^ 64);
        } else {
            text += c;
        }
    }
    return text;
}

} // namespace marquis::unit

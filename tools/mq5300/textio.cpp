#include "textio.h"

#include "commanderror.h"
#include "model/windows1252.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>

namespace marquis::cli {
namespace {

// Reads `stream` to its end. `name` says what is read, for the error message.
std::string readAll(std::FILE* stream, const std::string& name)
{
    std::string bytes;
    char chunk[65536];
    for (;;) {
        const std::size_t count = std::fread(chunk, 1, sizeof chunk, stream);
        if (bytes.size() + count > MaxInputBytes)
            throw CommandError(
                name + " is larger than " + std::to_string(MaxInputBytes / (1024 * 1024)) + " MiB");
        bytes.append(chunk, count);
        if (count < sizeof chunk)
            break;
    }
    if (std::ferror(stream))
        throw CommandError("cannot read " + name + ": " + std::strerror(errno));
    return bytes;
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

} // namespace

std::string readStandardInput()
{
    return readAll(stdin, "standard input");
}

std::string readFile(const std::filesystem::path& file)
{
    const std::string name = printable(file.string());
    const std::unique_ptr<std::FILE, FileCloser> stream(std::fopen(file.c_str(), "rb"));
    if (!stream)
        throw CommandError("cannot open " + name + ": " + std::strerror(errno));
    return readAll(stream.get(), name);
}

void writeStandardOutput(std::string_view bytes)
{
    if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size() ||
        std::fflush(stdout) != 0)
        throw CommandError("cannot write to standard output");
}

std::string windows1252From(std::string_view utf8, std::string_view what)
{
    if (!isUtf8(utf8))
        throw CommandError(std::string(what) + " is not valid UTF-8");
    std::optional<std::string> text = utf8ToWindows1252(utf8);
    if (!text)
        throw CommandError(
            std::string(what) + " holds a character that Windows-1252 cannot represent");
    return std::move(*text);
}

std::string printable(std::string_view text, std::size_t limit)
{
    // Cut before a UTF-8 continuation byte, so that no character is split.
    std::size_t cut = std::min(text.size(), limit);
    while (cut < text.size() && cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
        --cut;
    std::string result;
    for (const char c : text.substr(0, cut))
        result += static_cast<unsigned char>(c) < 32 || c == 127 ? '?' : c;
    if (cut < text.size())
        result += "...";
    return result;
}

} // namespace marquis::cli

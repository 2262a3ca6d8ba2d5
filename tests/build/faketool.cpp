// A stand-in for the outside tools in tests. It answers to the name it is started under
// (src2esc, esc2bin, 5300), reads its "@" argument list the way the real tools do, and behaves
// as the environment variable MARQUIS_FAKE_TOOL says: "ok" (the default), "errors" (reports
// errors), "nostatus" (writes no status file), "crash", "hang". With MARQUIS_FAKE_RECORD set,
// it appends its name, command letter and argument lines to that file. With MARQUIS_FAKE_HOLD
// set, it waits until the file of that name exists before it does its work (a minute at most).

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

std::vector<std::string> readList(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    while (!lines.empty() && lines.back().empty())
        lines.pop_back();
    return lines;
}

std::string optionValue(const std::vector<std::string>& lines, const std::string& option)
{
    for (std::size_t k = 0; k + 1 < lines.size(); ++k)
        if (lines[k] == option)
            return lines[k + 1];
    return "";
}

void write(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

std::string upper(std::string text)
{
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return text;
}

std::string fileName(const std::string& path)
{
    return path.substr(path.find_last_of('/') + 1);
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string name = fileName(argv[0]);
    std::string letter;
    std::string listPath;
    for (int k = 1; k < argc; ++k) {
        const std::string word = argv[k];
        if (word.starts_with("@"))
            listPath = word.substr(1);
        else
            letter = word;
    }
    const std::vector<std::string> lines = readList(listPath);
    if (const char* record = std::getenv("MARQUIS_FAKE_RECORD")) {
        std::ostringstream entry;
        entry << name << " " << (letter.empty() ? "-" : letter);
        for (const std::string& line : lines)
            entry << " | " << line;
        std::ofstream(record, std::ios::app) << entry.str() << "\n";
    }
    const char* modeText = std::getenv("MARQUIS_FAKE_TOOL");
    const std::string mode = modeText ? modeText : "ok";
    if (mode == "crash")
        std::abort();
    if (mode == "hang")
        for (;;)
            std::this_thread::sleep_for(std::chrono::seconds(1));
    if (const char* hold = std::getenv("MARQUIS_FAKE_HOLD"))
        for (int k = 0; k < 6000 && !std::ifstream(hold); ++k)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));

    const std::string logBase = optionValue(lines, "/log");
    const bool report = mode != "nostatus" && !logBase.empty();
    if (name == "src2esc") {
        const std::string source = lines.empty() ? "" : lines[0];
        // Options are known by their exact names: on this system paths start with "/" too.
        const bool hasBase = lines.size() > 1 && lines[1] != "/error" && lines[1] != "/include" &&
            lines[1] != "/log";
        const std::string base = hasBase ? lines[1] : source.substr(0, source.rfind('.'));
        if (mode == "errors") {
            const std::string shown = upper(fileName(source));
            write(optionValue(lines, "/error") + ".err",
                shown + " 3: unknown procedure CALL BLNK\r\n" + shown +
                    "   7: missing END SUB\r\nsummary line without the name\r\n" + shown +
                    " 9: string not closed\r\n");
        } else {
            write(base + ".esc", "esc\r\n");
        }
        if (report)
            write(logBase + ".log", std::string("Compiled\x01 ") + source + "\r\n");
    } else if (name == "esc2bin") {
        const std::string base = lines.empty() ? "" : lines[0];
        if (mode == "errors")
            write(base + ".err", "ESC 1: bad\r\n");
        else
            write(base + ".bin", "bin");
        if (report)
            write(logBase + ".log", "Assembled\r\n");
    } else if (report) {
        write(logBase + ".log",
            letter == "v" ? std::string(std::getenv("MARQUIS_FAKE_VERSION") ? std::getenv("MARQUIS_FAKE_VERSION") : "Version 4.05, model 5360") + "\r\n"
                          : "Unit answered " + (letter.empty() ? std::string("reboot") : letter) + "\r\n");
    }
    return mode == "errors" ? 1 : 0;
}

#include "support/displayrows.h"

#include <chrono>
#include <fstream>
#include <iterator>
#include <thread>

namespace marquis::testing {

// The simulator rewrites its display file as the unit's engine runs, so the file is read again
// until the row arrives.
std::vector<std::string> displayRowsShowing(
    const std::string& displayFile, int row, const std::string& expected)
{
    std::vector<std::string> rows;
    for (int attempt = 0; attempt < 100; ++attempt) {
        rows.clear();
        std::ifstream in(displayFile, std::ios::binary);
        std::string line;
        while (std::getline(in, line)) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            rows.push_back(line);
        }
        if (static_cast<int>(rows.size()) >= row &&
            rows[static_cast<std::size_t>(row - 1)] == expected)
            return rows;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return rows;
}

std::string fileHoldingAtLeast(const std::string& path, std::size_t size)
{
    std::string bytes;
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::ifstream in(path, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        if (bytes.size() >= size)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return bytes;
}

} // namespace marquis::testing

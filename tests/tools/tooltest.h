#pragma once

#include "support/processrunner.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <nlohmann/json.hpp>
#include <string>
#include <unistd.h>
#include <vector>

namespace marquis::testing {

inline std::string toolPath()
{
    return std::string(MARQUIS_BIN_DIR) + "/mq5300";
}

inline ProcessResult mq5300(std::vector<std::string> arguments, std::string_view input = {},
    const std::string& tool = toolPath())
{
    arguments.insert(arguments.begin(), tool);
    return runProcess(arguments, input);
}

inline std::string readBytes(const std::filesystem::path& file)
{
    std::ifstream stream(file, std::ios::binary);
    return { std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>() };
}

inline void writeBytes(const std::filesystem::path& file, std::string_view bytes)
{
    std::ofstream stream(file, std::ios::binary);
    stream.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// A failure as the tool must report it: exit code 2, nothing on stdout, one line on stderr.
inline ::testing::AssertionResult failedCleanly(const ProcessResult& result)
{
    const bool oneLine = result.errors.starts_with("mq5300: ") &&
        std::count(result.errors.begin(), result.errors.end(), '\n') == 1 &&
        result.errors.ends_with('\n');
    if (result.exitCode == 2 && result.output.empty() && oneLine)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
        << "exit " << result.exitCode << ", stdout \"" << result.output.substr(0, 200)
        << "\", stderr \"" << result.errors.substr(0, 400) << "\"";
}

// A fresh folder, removed with everything in it when the object goes.
class TemporaryFolder {
public:
    TemporaryFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "mq5300-XXXXXX").string();
        if (::mkdtemp(pattern.data()) != nullptr)
            m_path = pattern;
    }
    ~TemporaryFolder()
    {
        std::error_code ignored;
        if (!m_path.empty())
            std::filesystem::remove_all(m_path, ignored);
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    std::filesystem::path operator/(const std::string& name) const { return m_path / name; }
    const std::filesystem::path& path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

// The demo messages, one JSON text per file, in file-name order.
inline std::vector<std::filesystem::path> demoMessageFiles()
{
    std::vector<std::filesystem::path> files;
    for (const auto& entry :
        std::filesystem::directory_iterator(std::string(MARQUIS_EXAMPLES_DIR) + "/demo"))
        if (entry.path().extension() == ".json")
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

} // namespace marquis::testing

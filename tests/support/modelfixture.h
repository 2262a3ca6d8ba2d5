#pragma once

#include "model/checkvalues.h"
#include "model/crccomponent.h"
#include "model/scriptreader.h"
#include "model/scriptwriter.h"
#include "support/fakeuserinterface.h"

#include <cstdint>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <string_view>
#include <zlib.h>

namespace marquis::testing {

// The check value computed independently of the component, with zlib directly.
inline std::int32_t expectedCheckValue(std::string_view text)
{
    const uLong crc = crc32(crc32(0L, Z_NULL, 0), reinterpret_cast<const Bytef*>(text.data()),
        static_cast<uInt>(text.size()));
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(crc));
}

// A SUB block around the given statements, with a check value that holds.
inline std::string subText(int number, int task, const std::string& statements)
{
    const std::string body =
        "\r\n// Caution! Manually editing will prevent Quick Edit from loading this "
        "message.\r\n\r\n" +
        statements;
    return SubHeader(number, task, expectedCheckValue(body)) + body + "END SUB\r\n";
}

// A golden file of tests/data, byte for byte.
inline std::string testData(const std::string& relativePath)
{
    std::ifstream file(std::string(TEST_DATA_DIR) + "/" + relativePath, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    EXPECT_TRUE(file.good() || file.eof()) << "cannot read test data " << relativePath;
    return text.str();
}

// A check-value source that always answers the same number.
class FixedCheckValue : public CheckValueSource {
public:
    explicit FixedCheckValue(std::int32_t value)
        : m_value(value)
    {
    }
    std::int32_t checkValueOf(std::string_view) override { return m_value; }

private:
    std::int32_t m_value;
};

// The real component from the build's program folder, a recording user, a writer and a reader.
class ModelTest : public ::testing::Test {
protected:
    CrcComponent crc { MARQUIS_BIN_DIR };
    FakeUserInterface ui;
    ScriptWriter writer { crc, ui };
    ScriptReader reader { crc, ui };

    // Writes the message and reads the text back into a fresh record of the same unit.
    CurrentMessage writeAndRead(CurrentMessage& message)
    {
        writer.SubMake(message);
        CurrentMessage read;
        read.MessageNumber = message.MessageNumber;
        read.UnitLines = message.UnitLines;
        read.PlaceholderChar = message.PlaceholderChar;
        read.MessageScript = message.MessageScript;
        reader.ReadFields(read);
        return read;
    }
};

} // namespace marquis::testing

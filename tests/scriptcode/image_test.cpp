#include "scriptcode/bytecode.h"
#include "scripttest.h"

#include <zlib.h>

using namespace marquis;
using namespace marquis::testing;

namespace {

std::uint32_t le32(const std::vector<std::uint8_t>& bytes, std::size_t at)
{
    return bytes[at] | (bytes[at + 1] << 8) | (bytes[at + 2] << 16) |
        (static_cast<std::uint32_t>(bytes[at + 3]) << 24);
}

std::vector<std::uint8_t> imageOf(std::string_view body, int displayType, int version)
{
    unit::Diagnostics diagnostics;
    const unit::Program program = compile(withHeader(body, displayType, version), diagnostics);
    EXPECT_TRUE(diagnostics.empty()) << listed(diagnostics);
    return unit::assemble(program).serialize();
}

TEST(UnitImage, FieldsAsLaidOut)
{
    const std::vector<std::uint8_t> bytes =
        imageOf("SUB 3(TASK=2)\r\n    CLS\r\nEND SUB\r\nSUB 1(TASK=1)\r\n    CALL CURSOR(2,5)\r\n"
                "    PRINT\"Hi\";\r\nEND SUB\r\n",
            5320, 1);
    constexpr std::size_t Directory = 16;
    constexpr std::size_t Code = Directory + 12 * 1024;
    ASSERT_EQ(bytes.size(), Code + 2 + 9 + 4);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "MQUI");
    EXPECT_EQ(bytes[4] | (bytes[5] << 8), 1); // format version
    EXPECT_EQ(bytes[6], 1); // script version
    EXPECT_EQ(bytes[7], 0x40); // model 5320
    EXPECT_EQ(le32(bytes, 8), 1024U);
    EXPECT_EQ(le32(bytes, 12), 11U); // code size

    // Message 3 came first: CLS, END at offset 0; message 1 follows.
    EXPECT_EQ(le32(bytes, Directory + 3 * 12), 0U);
    EXPECT_EQ(le32(bytes, Directory + 3 * 12 + 4), 2U);
    EXPECT_EQ(bytes[Directory + 3 * 12 + 8], 2);
    EXPECT_EQ(le32(bytes, Directory + 1 * 12), 2U);
    EXPECT_EQ(le32(bytes, Directory + 1 * 12 + 4), 9U);
    EXPECT_EQ(bytes[Directory + 1 * 12 + 8], 1);
    EXPECT_EQ(le32(bytes, Directory + 0 * 12 + 4), 0U); // message 0 does not exist

    const std::vector<std::uint8_t> code(bytes.begin() + Code, bytes.end() - 4);
    const std::vector<std::uint8_t> expected { static_cast<std::uint8_t>(unit::Op::Cls), 0,
        static_cast<std::uint8_t>(unit::Op::Cursor), 2, 5,
        static_cast<std::uint8_t>(unit::Op::Text), 2, 0, 'H', 'i', 0 };
    EXPECT_EQ(code, expected);

    const std::uint32_t crc =
        static_cast<std::uint32_t>(crc32(0, bytes.data(), static_cast<uInt>(bytes.size() - 4)));
    EXPECT_EQ(le32(bytes, bytes.size() - 4), crc);
    EXPECT_EQ(unit::imageChecksum(bytes),
        static_cast<std::uint32_t>(crc32(0, bytes.data(), static_cast<uInt>(bytes.size()))));
}

TEST(UnitImage, ParseReadsBackWhatSerializeWrote)
{
    const std::vector<std::uint8_t> bytes =
        imageOf("SUB 1023(TASK=3)\r\n    PRINT VAR(2,-4);\r\nEND SUB\r\n", 5360, 2);
    std::string error;
    const std::optional<unit::UnitImage> image = unit::UnitImage::parse(bytes, error);
    ASSERT_TRUE(image) << error;
    EXPECT_EQ(image->scriptVersion, 2);
    EXPECT_EQ(image->memoryCode, 0x80);
    EXPECT_EQ(image->directory[1023].task, 3);
    EXPECT_EQ(image->serialize(), bytes);
}

TEST(UnitImage, DamagedImagesAreRefused)
{
    const std::vector<std::uint8_t> good =
        imageOf("SUB 1(TASK=0)\r\n    CLS\r\nEND SUB\r\n", 5360, 2);
    auto refused = [](std::vector<std::uint8_t> bytes, const char* says) {
        std::string error;
        EXPECT_FALSE(unit::UnitImage::parse(bytes, error)) << says;
        EXPECT_NE(error.find(says), std::string::npos) << error;
    };
    std::vector<std::uint8_t> flipped = good;
    flipped[16 + 12 * 1024] ^= 0x01;
    refused(flipped, "CRC mismatch");
    refused(std::vector<std::uint8_t>(good.begin(), good.end() - 1), "CRC");
    refused({}, "too short");
    std::vector<std::uint8_t> magic = good;
    magic[0] = 'X';
    refused(magic, "magic");

    // A directory entry pointing outside the code, with a CRC that matches.
    unit::UnitImage image;
    image.directory[5] = { 0, 100, 0 };
    image.code = { 0 };
    refused(image.serialize(), "directory entry 5");
    image.directory[5] = { 0, 1, 9 };
    refused(image.serialize(), "directory entry 5");
    image.memoryCode = 0x20;
    refused(image.serialize(), "memory code");
}

TEST(UnitImage, MalformedMessageCodeIsNotDecoded)
{
    using Bytes = std::vector<std::uint8_t>;
    const std::uint8_t text = static_cast<std::uint8_t>(unit::Op::Text);
    const std::uint8_t cursor = static_cast<std::uint8_t>(unit::Op::Cursor);
    EXPECT_TRUE(unit::decodeMessage(Bytes { cursor, 1, 1, 0 }));
    EXPECT_FALSE(unit::decodeMessage(Bytes {})); // no END
    EXPECT_FALSE(unit::decodeMessage(Bytes { cursor, 1 })); // cut off
    EXPECT_FALSE(unit::decodeMessage(Bytes { cursor, 0, 1, 0 })); // row 0
    EXPECT_FALSE(unit::decodeMessage(Bytes { text, 200, 0, 'x', 0 })); // text runs past
    EXPECT_FALSE(unit::decodeMessage(Bytes { 0xEE, 0 })); // unknown operation
    EXPECT_FALSE(unit::decodeMessage(Bytes { 0, 0 })); // bytes after END
}

} // namespace

#include "model/crccomponent.h"

#include <cstdint>
#include <dlfcn.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <string>
#include <string_view>
#include <zlib.h>

namespace marquis {
namespace {

namespace fs = std::filesystem;

const fs::path binFolder = MARQUIS_BIN_DIR;

// zlib's CRC-32 of the bytes, read as a signed 32-bit number: the value files store.
std::int32_t zlibValue(std::string_view text)
{
    const uLong crc = crc32(crc32(0L, Z_NULL, 0), reinterpret_cast<const Bytef*>(text.data()),
        static_cast<uInt>(text.size()));
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(crc));
}

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempFolder {
public:
    TempFolder()
    {
        std::string pattern = (fs::temp_directory_path() / "crccomponent_test_XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr) {
            m_path = pattern;
        }
    }
    ~TempFolder()
    {
        std::error_code error;
        fs::remove_all(m_path, error);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const fs::path& path() const { return m_path; }

private:
    fs::path m_path;
};

void writeFile(const fs::path& file, std::string_view content)
{
    std::ofstream(file, std::ios::binary) << content;
}

TEST(CrcComponentValues, KnownTextGivesTheStoredValue)
{
    CrcComponent component(binFolder);
    EXPECT_TRUE(component.available()) << component.errorText();
    EXPECT_TRUE(component.errorText().empty());
    EXPECT_EQ(component.modulePath(), binFolder / "TessalyLibrary.so");
    EXPECT_EQ(component.checkValueOf("123456789"), -873187034); // 0xCBF43926
    EXPECT_EQ(component.checkValueOf(""), 0);
}

TEST(CrcComponentValues, PrefixLengthIsClampedToTheText)
{
    CrcComponent component(binFolder);
    EXPECT_EQ(component.checkValueOfPrefix("123456789abc", 9), -873187034);
    EXPECT_EQ(component.checkValueOfPrefix("123456789", 1000), -873187034);
    EXPECT_EQ(component.checkValueOfPrefix("123456789", 0), 0);
    EXPECT_EQ(component.checkValueOfPrefix("123456789", -5), 0);
    EXPECT_EQ(component.checkValueOfPrefix("", 3), 0);
}

TEST(CrcComponentValues, EveryByteCountsAsZlibComputesIt)
{
    CrcComponent component(binFolder);
    // Single bytes cover the Windows-1252 characters above 127, which must not be widened
    // through a signed char.
    for (int byte = 0; byte < 256; ++byte) {
        const std::string text(1, static_cast<char>(byte));
        EXPECT_EQ(component.checkValueOf(text), zlibValue(text)) << "byte " << byte;
    }
    const std::string_view cafe = "Caf\xE9 \x80\x99\xFF";
    EXPECT_EQ(component.checkValueOf(cafe), zlibValue(cafe));
    // An embedded NUL is an ordinary byte, not the end of the text.
    const std::string_view withNul("ab\0cd", 5);
    EXPECT_EQ(component.checkValueOf(withNul), zlibValue(withNul));
    EXPECT_NE(component.checkValueOf(withNul), component.checkValueOf("ab"));
    const std::string longText(100000, '\xE9');
    EXPECT_EQ(component.checkValueOf(longText), zlibValue(longText));
}

TEST(CrcComponentValues, SeparateObjectsAgree)
{
    CrcComponent first(binFolder);
    CrcComponent second(binFolder);
    for (std::string_view text : { "SUB 1", "Z\xFCrich \xE9t\xE9", "123456789" }) {
        const std::int32_t value = first.checkValueOf(text);
        EXPECT_EQ(value, second.checkValueOf(text)) << text;
        EXPECT_EQ(value, first.checkValueOf(text)) << text;
    }
}

TEST(CrcComponentFailures, MissingModuleGivesZero)
{
    TempFolder temp;
    ASSERT_FALSE(temp.path().empty());
    CrcComponent component(temp.path() / "no-such-folder");
    EXPECT_EQ(component.checkValueOf("123456789"), 0);
    EXPECT_FALSE(component.available());
    EXPECT_FALSE(component.errorText().empty());
}

TEST(CrcComponentFailures, FileThatIsNoComponentModuleGivesZero)
{
    TempFolder temp;
    ASSERT_FALSE(temp.path().empty());
    {
        writeFile(temp.path() / "TessalyLibrary.so", "garbage, not a module");
        CrcComponent component(temp.path());
        EXPECT_EQ(component.checkValueOf("123456789"), 0);
        EXPECT_FALSE(component.available());
        EXPECT_FALSE(component.errorText().empty());
    }
    {
        // A real library without the entry point: zlib itself.
        Dl_info info {};
        ASSERT_NE(dladdr(reinterpret_cast<void*>(&crc32), &info), 0);
        fs::copy_file(info.dli_fname, temp.path() / "TessalyLibrary.so",
            fs::copy_options::overwrite_existing);
        CrcComponent component(temp.path());
        EXPECT_EQ(component.checkValueOf("123456789"), 0);
        EXPECT_FALSE(component.available());
        EXPECT_NE(component.errorText().find("not a component module"), std::string::npos)
            << component.errorText();
    }
}

TEST(CrcComponentFailures, UnknownClassGivesZero)
{
    CrcComponent component(binFolder, "TessalyLibrary.NoSuchClass");
    EXPECT_EQ(component.checkValueOf("123456789"), 0);
    EXPECT_FALSE(component.available());
    EXPECT_NE(component.errorText().find("NoSuchClass"), std::string::npos);
}

TEST(CrcComponentFailures, MalformedIdentifierGivesZero)
{
    // A module one folder down must not be reachable through the identifier.
    TempFolder temp;
    ASSERT_FALSE(temp.path().empty());
    fs::create_directory(temp.path() / "sub");
    fs::copy_file(binFolder / "TessalyLibrary.so", temp.path() / "sub" / "TessalyLibrary.so");

    for (std::string_view identifier : { "TessalyLibraryTessalyCRC", "", ".", ".TessalyCRC",
             "TessalyLibrary.", "TessalyLibrary.TessalyCRC.1", "sub/TessalyLibrary.TessalyCRC",
             "../sub/TessalyLibrary.TessalyCRC", "Tessaly Library.TessalyCRC" }) {
        CrcComponent component(temp.path(), identifier);
        EXPECT_EQ(component.checkValueOf("123456789"), 0) << identifier;
        EXPECT_FALSE(component.available()) << identifier;
        EXPECT_TRUE(component.modulePath().empty()) << identifier;
        EXPECT_FALSE(component.errorText().empty()) << identifier;
    }
    const std::string_view withNul("TessalyLibrary.TessalyCRC\0x", 27);
    EXPECT_EQ(CrcComponent(binFolder, withNul).checkValueOf("123456789"), 0);
}

TEST(CrcComponentFailures, ModuleInstalledOrRepairedLaterIsPickedUp)
{
    TempFolder temp;
    ASSERT_FALSE(temp.path().empty());
    const fs::path installed = temp.path() / "TessalyLibrary.so";
    CrcComponent component(temp.path());
    EXPECT_EQ(component.checkValueOf("123456789"), 0);

    writeFile(installed, "broken download");
    EXPECT_EQ(component.checkValueOf("123456789"), 0);
    EXPECT_FALSE(component.available());

    fs::copy_file(binFolder / "TessalyLibrary.so", installed, fs::copy_options::overwrite_existing);
    EXPECT_EQ(component.checkValueOf("123456789"), -873187034);
    EXPECT_TRUE(component.available());
    EXPECT_TRUE(component.errorText().empty());
}

} // namespace
} // namespace marquis

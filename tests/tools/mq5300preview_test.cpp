#include "support/gifdecoder.h"
#include "tooltest.h"

#include <QImage>

namespace marquis::testing {
namespace {

const std::string DemoFile = std::string(MARQUIS_EXAMPLES_DIR) + "/demo.src";

QImage pngAt(const std::filesystem::path& file)
{
    return QImage(QString::fromStdString(file.string())).convertToFormat(QImage::Format_RGB32);
}

TEST(Mq5300Preview, TheBlinkingAlarmPlaysItsPhasesInTime)
{
    TemporaryFolder folder;
    const std::filesystem::path gifFile = folder / "alarm.gif";
    const std::filesystem::path pngFile = folder / "alarm.png";
    const ProcessResult result =
        mq5300({ "preview", DemoFile, "--message", "12", "--gif", gifFile, "--png", pngFile });
    ASSERT_EQ(result.exitCode, 0) << result.errors;
    EXPECT_EQ(result.output, "");

    // Message 12 blinks three of its lines at 250 ms: in 10 s the rows change at 0, 250,
    // ..., 9750 ms (the phase due at 10 s is not shown), and the blinking goes on.
    const std::string bytes = readBytes(gifFile);
    EXPECT_LT(bytes.size(), 200u * 1024);
    const DecodedGif gif = decodeGif(bytes);
    ASSERT_TRUE(gif.ok) << gif.error;
    EXPECT_EQ(gif.frames.size(), 40u);
    EXPECT_EQ(gif.delays, std::vector<int>(40, 25));
    EXPECT_TRUE(gif.loops);
    ASSERT_FALSE(gif.frames.empty());
    EXPECT_EQ(gif.frames[0], pngAt(pngFile));
    // Before the first phase the blinking lines are empty; then they alternate.
    EXPECT_NE(gif.frames[1], gif.frames[0]);
    EXPECT_NE(gif.frames[2], gif.frames[1]);
    EXPECT_EQ(gif.frames[3], gif.frames[1]);
    EXPECT_EQ(gif.frames[4], gif.frames[2]);

    // A shorter play, with the scroll and blink of message 1 at 250 and 400 ms: changes at
    // 0, 250, 400, 500, 750, 800 ms.
    const ProcessResult shorter =
        mq5300({ "preview", DemoFile, "--message", "1", "--gif", gifFile, "--ms", "1000" });
    ASSERT_EQ(shorter.exitCode, 0) << shorter.errors;
    const DecodedGif scrolling = decodeGif(readBytes(gifFile));
    EXPECT_EQ(scrolling.delays, (std::vector<int> { 25, 15, 10, 25, 5, 20 }));
    EXPECT_EQ(scrolling.totalDelay(), 100);
}

TEST(Mq5300Preview, BadArgumentsFilesAndTargetsFailCleanly)
{
    TemporaryFolder folder;
    const std::string gif = (folder / "out.gif").string();
    EXPECT_TRUE(failedCleanly(mq5300({ "preview", DemoFile, "--message", "12" })));
    EXPECT_TRUE(failedCleanly(mq5300({ "preview", DemoFile, "--gif", gif })));
    EXPECT_TRUE(failedCleanly(mq5300({ "preview", "--message", "12", "--gif", gif })));
    for (const char* ms : { "-1", "60001", "x", "" })
        EXPECT_TRUE(failedCleanly(
            mq5300({ "preview", DemoFile, "--message", "12", "--gif", gif, "--ms", ms })))
            << ms;
    EXPECT_TRUE(failedCleanly(mq5300({ "preview", DemoFile, "--message", "1024", "--gif", gif })));
    EXPECT_TRUE(failedCleanly(mq5300({ "preview", DemoFile, "--message", "12", "--gif" })));
    EXPECT_TRUE(
        failedCleanly(mq5300({ "preview", DemoFile, "--message", "12", "--gif", gif, "--fps" })));

    const ProcessResult missing = mq5300({ "preview", DemoFile, "--message", "99", "--gif", gif });
    EXPECT_TRUE(failedCleanly(missing));
    EXPECT_NE(missing.errors.find("message 99 is not in"), std::string::npos) << missing.errors;
    writeBytes(folder / "damaged.src", "this is no script\r\n");
    EXPECT_TRUE(failedCleanly(
        mq5300({ "preview", (folder / "damaged.src"), "--message", "0", "--gif", gif })));
    EXPECT_FALSE(std::filesystem::exists(gif));

    const std::string unwritable = (folder / "no" / "such" / "out.gif").string();
    const ProcessResult result =
        mq5300({ "preview", DemoFile, "--message", "12", "--gif", unwritable });
    EXPECT_TRUE(failedCleanly(result));
    EXPECT_NE(result.errors.find("Cannot write the file " + unwritable), std::string::npos)
        << result.errors;
    // Nothing was left behind by any of the failures.
    std::vector<std::string> left;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
        left.push_back(entry.path().filename().string());
    EXPECT_EQ(left, std::vector<std::string> { "damaged.src" });
}

} // namespace
} // namespace marquis::testing

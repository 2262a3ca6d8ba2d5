// File > Export preview... in the Quick Edit window.
#include "support/gifdecoder.h"
#include "window/windowfixture.h"

namespace marquis::testing {
namespace {

class ExportPreviewWindowTest : public WindowTest {
protected:
    ExportPreviewWindowTest()
    {
        start("5360");
        open(binFile("demo.src"));
        enterMessage("12");
    }
};

TEST_F(ExportPreviewWindowTest, SavesTheCurrentMessageAsAnAnimatedGif)
{
    const std::filesystem::path target = programFolder / "alarm.gif";
    user.files.push_back(target);
    trigger("mnuFileExportPreview");
    ASSERT_EQ(user.fileDialogs.size(), 2u); // the Open dialog, then this one
    EXPECT_EQ(user.fileDialogs[1].fileName, "message 12.gif");
    EXPECT_EQ(user.fileDialogs[1].folder, std::filesystem::path(binFile("")));
    EXPECT_EQ(statusLine(), "Preview exported");
    EXPECT_TRUE(user.messages.empty()) << user.messages.front().text;

    // The demo's blinking alarm: three lines blink at 250 ms for the ten seconds played.
    const DecodedGif gif = decodeGif(readWholeFile(target));
    ASSERT_TRUE(gif.ok) << gif.error;
    EXPECT_EQ(gif.frames.size(), 40u);
    EXPECT_EQ(gif.totalDelay(), 1000);
    EXPECT_TRUE(gif.loops);
    EXPECT_EQ(gif.width, display()->sizeHint().width());
    EXPECT_EQ(gif.height, display()->sizeHint().height());
}

TEST_F(ExportPreviewWindowTest, AFileThatCannotBeWrittenIsReported)
{
    const std::filesystem::path target = programFolder / "missing" / "alarm.gif";
    user.files.push_back(target);
    trigger("mnuFileExportPreview");
    ASSERT_EQ(user.messages.size(), 1u);
    EXPECT_EQ(user.messages[0].text, "Cannot write the file " + target.string() + ".");
    EXPECT_NE(statusLine(), "Preview exported");
    EXPECT_FALSE(std::filesystem::exists(target.parent_path()));
}

} // namespace
} // namespace marquis::testing

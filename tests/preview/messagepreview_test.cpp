#include "files/filesystem.h"
#include "preview/messagepreview.h"
#include "preview/panelcamera.h"
#include "support/fakeuserinterface.h"
#include "support/faultyfilesystem.h"
#include "support/gifdecoder.h"
#include "support/temporaryfolder.h"
#include "ui/quickedit/simulationplayer.h"

#include <QBuffer>
#include <gtest/gtest.h>

namespace marquis::testing {
namespace {

using qt::PanelCamera;

// A four-line message with the given rich texts on its first lines.
CurrentMessage messageWith(std::vector<std::string> lines, int unitLines = 4)
{
    CurrentMessage message;
    message.MessageNumber = 7;
    message.UnitLines = static_cast<std::int16_t>(unitLines);
    for (std::size_t i = 0; i < lines.size(); ++i)
        message.line(static_cast<int>(i) + 1).LineText = "\\sb90\\sa90 \\f0 \\cf0 " + lines[i];
    return message;
}

DecodedGif decoded(const GifAnimation& animation)
{
    std::string bytes;
    const GifOutcome outcome = animation.encode(bytes);
    EXPECT_TRUE(outcome.ok) << outcome.error;
    return decodeGif(bytes);
}

TEST(MessagePreview, ABlinkingLinePlaysItsPhasesAndLoops)
{
    CurrentMessage message = messageWith({ "alarm", "door \\f65 \\cf0 open" });
    message.line(2).LineBlink = "25,ON";
    const DecodedGif gif = decoded(qt::previewAnimation(message, 1000));
    ASSERT_TRUE(gif.ok) << gif.error;
    // Line 2 is empty until the first phase at 250 ms, then full, blanked, full; the phase due
    // at 1000 ms is not shown.
    EXPECT_EQ(gif.delays, (std::vector<int> { 25, 25, 25, 25 }));
    EXPECT_TRUE(gif.loops);
    ASSERT_EQ(gif.frames.size(), 4u);
    EXPECT_EQ(gif.frames[0], qt::previewStill(message));
    EXPECT_NE(gif.frames[1], gif.frames[0]);
    EXPECT_NE(gif.frames[2], gif.frames[1]);
    EXPECT_EQ(gif.frames[3], gif.frames[1]);

    // Each frame is the panel showing the rows of its change.
    PanelCamera camera(4);
    const std::vector<RowsChange> changes = playChanges(message, 1000);
    ASSERT_EQ(changes.size(), 5u);
    for (std::size_t i = 0; i < gif.frames.size(); ++i)
        EXPECT_EQ(gif.frames[i], camera.picture(changes[i].rows)) << "frame " << i;
    EXPECT_EQ(gif.width, camera.size().width());
    EXPECT_EQ(gif.height, camera.size().height());
}

TEST(MessagePreview, AScrollThatComesToRestPlaysOnceAndKeepsItsLastFrame)
{
    CurrentMessage message = messageWith({ "", "", "abc" });
    message.line(3).LineScroll = "10,1"; // four ticks of 100 ms, the last one stops
    const DecodedGif gif = decoded(qt::previewAnimation(message, 1234));
    EXPECT_FALSE(gif.loops);
    EXPECT_EQ(gif.delays, (std::vector<int> { 10, 10, 10, 93 }));
    EXPECT_EQ(gif.totalDelay(), 123);

    // A still message: one frame for the whole time.
    const DecodedGif still = decoded(qt::previewAnimation(messageWith({ "hello" }), 10000));
    EXPECT_FALSE(still.loops);
    EXPECT_EQ(still.delays, (std::vector<int> { 1000 }));
}

TEST(MessagePreview, ATwoLineUnitShowsTwoRowsAndAScriptEditOnlyMessageShowsNothing)
{
    const CurrentMessage twoLines = messageWith({ "top", "bottom" }, 2);
    const QImage small = qt::previewStill(twoLines);
    const QImage large = qt::previewStill(messageWith({ "top", "bottom" }));
    EXPECT_EQ(small.width(), large.width());
    EXPECT_LT(small.height(), large.height());
    EXPECT_GT(large.width(), 400);

    CurrentMessage scriptOnly = messageWith({ "top", "bottom" });
    scriptOnly.ScriptEditOnly = true;
    EXPECT_EQ(qt::previewStill(scriptOnly), qt::previewStill(messageWith({})));
    EXPECT_NE(qt::previewStill(scriptOnly), large);
}

TEST(MessagePreview, TheStillIsWrittenAsPngAndFailuresLeaveNoFile)
{
    TemporaryFolder folder;
    DiskFileSystem disk;
    const CurrentMessage message = messageWith({ "still" });
    const std::string png = (folder / "still.png").string();
    ASSERT_TRUE(qt::writePreviewStill(message, disk, png).ok);
    EXPECT_EQ(QImage(QString::fromStdString(png)).convertToFormat(QImage::Format_RGB32),
        qt::previewStill(message));

    FaultyFileSystem refusing;
    refusing.readOnlyFolders.insert(folder.folder());
    const std::string gif = (folder / "out.gif").string();
    const GifOutcome outcome = qt::writePreviewGif(message, 1000, refusing, gif);
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.error, "Cannot write the file " + gif + ".");
    EXPECT_FALSE(std::filesystem::exists(gif));
    EXPECT_FALSE(std::filesystem::exists(gif + ".part"));
}

class ExportPreviewTest : public ::testing::Test {
protected:
    ExportPreviewTest() { message.line(1).LineBlink = "25,ON"; }

    bool exportNow() { return qt::exportPreview(message, ui, files, folder.path()); }

    CurrentMessage message = messageWith({ "\\f65 \\cf0 blink" });
    TemporaryFolder folder;
    FakeUserInterface ui;
    FaultyFileSystem files;
};

TEST_F(ExportPreviewTest, ProposesTheMessageNameAndReportsWhenDone)
{
    const std::filesystem::path target = folder / "message 7.gif";
    ui.files.push_back(target);
    EXPECT_TRUE(exportNow());
    ASSERT_EQ(ui.fileDialogs.size(), 1u);
    EXPECT_EQ(ui.fileDialogs[0].fileName, "message 7.gif");
    EXPECT_EQ(ui.fileDialogs[0].defaultExtension, "gif");
    EXPECT_EQ(ui.fileDialogs[0].folder, folder.path());
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(ui.currentStatus(), "Preview exported");
    EXPECT_FALSE(ui.isBusy());
    const DecodedGif gif = decodeGif(readWholeFile(target));
    ASSERT_TRUE(gif.ok);
    EXPECT_EQ(gif.totalDelay(), qt::DefaultPreviewMs / 10);

    // Cancelled, or not to replace the file: nothing is written.
    ui.files.push_back(std::nullopt);
    EXPECT_FALSE(exportNow());
    folder.write("message 7.gif", "old");
    ui.files.push_back(target);
    ui.answers.push_back(Answer::No);
    EXPECT_FALSE(exportNow());
    EXPECT_EQ(readWholeFile(target), "old");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text,
        "The file " + target.string() + " already exists on disk.\r\nDo you want to replace it?");
}

TEST_F(ExportPreviewTest, AFailureIsShownInAMessageBox)
{
    files.readOnlyFolders.insert(folder.folder());
    ui.files.push_back(folder / "out.gif");
    EXPECT_FALSE(exportNow());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Cannot write the file " + (folder / "out.gif").string() + ".");
    EXPECT_EQ(ui.messages[0].icon, Icon::Exclamation);
    EXPECT_NE(ui.currentStatus(), "Preview exported");
    EXPECT_FALSE(ui.isBusy());
}

} // namespace
} // namespace marquis::testing

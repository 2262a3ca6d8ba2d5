#include <QDir>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <set>

namespace {

struct GalleryRun {
    int exitCode = -1;
    QString errors;
};

GalleryRun gallery(const QStringList& arguments)
{
    QProcess process;
    process.start(QStringLiteral(GAUGE_GALLERY_FILE), arguments);
    EXPECT_TRUE(process.waitForFinished(60000));
    GalleryRun run;
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.errors = QString::fromLocal8Bit(process.readAllStandardError());
    return run;
}

} // namespace

TEST(GalleryRender, WritesAPictureOfTheGallery)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("gallery.png"));
    const GalleryRun run = gallery({ QStringLiteral("--render"), path });
    ASSERT_EQ(run.exitCode, 0) << qPrintable(run.errors);

    QImage image(path);
    ASSERT_FALSE(image.isNull());
    // Room for six groups of gauges side by side and under each other.
    EXPECT_GE(image.width(), 600);
    EXPECT_GE(image.height(), 300);
    // A picture with gauges in it, not one flat colour: bars, bevels, pictures and captions.
    std::set<QRgb> colours;
    const QImage pixels = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < pixels.height(); y += 3) {
        for (int x = 0; x < pixels.width(); x += 3)
            colours.insert(pixels.pixel(x, y));
    }
    EXPECT_GE(colours.size(), 10u);
}

TEST(GalleryRender, AFileThatCannotBeWrittenFailsWithAMessage)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("missing/gallery.png"));
    const GalleryRun run = gallery({ QStringLiteral("--render"), path });
    EXPECT_NE(run.exitCode, 0);
    EXPECT_TRUE(run.errors.contains(QStringLiteral("cannot write"))) << qPrintable(run.errors);
    EXPECT_FALSE(QFile::exists(path));
}

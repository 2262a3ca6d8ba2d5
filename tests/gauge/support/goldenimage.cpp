#include "gauge/support/goldenimage.h"

#include <QDir>
#include <QFontDatabase>
#include <QString>

namespace qvgauge::testing {

namespace {

QString dataFolder(const std::string& name)
{
    return QStringLiteral(TEST_DATA_DIR "/gauge/") + QString::fromStdString(name);
}

QString failureFolder(const std::string& name)
{
    return QStringLiteral(GAUGE_GOLDEN_FAILURES_DIR "/") + QString::fromStdString(name);
}

// Equal pixels faded to a light grey copy of the picture, differing ones in magenta.
QImage differenceOf(const QImage& actual, const QImage& expected)
{
    const QSize size = actual.size().expandedTo(expected.size());
    QImage difference(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x) {
            const bool inActual = actual.rect().contains(x, y);
            const bool inExpected = expected.rect().contains(x, y);
            if (inActual && inExpected && actual.pixel(x, y) == expected.pixel(x, y)) {
                const int grey = 192 + qGray(actual.pixel(x, y)) / 4;
                difference.setPixel(x, y, qRgb(grey, grey, grey));
            } else {
                difference.setPixel(x, y, qRgb(255, 0, 255));
            }
        }
    return difference;
}

} // namespace

::testing::AssertionResult matchesGolden(const QImage& painted, const std::string& name)
{
    const QImage actual = painted.convertToFormat(QImage::Format_RGB32);
    const QString expectedPath = dataFolder(name) + QStringLiteral("/expected.png");
    if (qEnvironmentVariable("QVGAUGE_UPDATE_GOLDENS") == QStringLiteral("1")) {
        QDir().mkpath(dataFolder(name));
        if (!actual.save(expectedPath, "PNG"))
            return ::testing::AssertionFailure() << "cannot write " << expectedPath.toStdString();
        return ::testing::AssertionSuccess();
    }

    const QImage expected = QImage(expectedPath).convertToFormat(QImage::Format_RGB32);
    int differing = 0;
    if (expected.size() == actual.size()) {
        for (int y = 0; y < actual.height(); ++y)
            for (int x = 0; x < actual.width(); ++x)
                differing += actual.pixel(x, y) != expected.pixel(x, y) ? 1 : 0;
        if (differing == 0)
            return ::testing::AssertionSuccess();
    }

    const QString out = failureFolder(name);
    QDir().mkpath(out);
    actual.save(out + QStringLiteral("/actual.png"), "PNG");
    if (!expected.isNull())
        expected.save(out + QStringLiteral("/expected.png"), "PNG");
    differenceOf(actual, expected).save(out + QStringLiteral("/difference.png"), "PNG");
    auto failure = ::testing::AssertionFailure();
    if (expected.isNull())
        failure << "no golden image at " << expectedPath.toStdString();
    else if (expected.size() != actual.size())
        failure << "size " << actual.width() << "x" << actual.height() << ", expected "
                << expected.width() << "x" << expected.height();
    else
        failure << differing << " pixels differ";
    return failure << "; images written to " << out.toStdString()
                   << " (QVGAUGE_UPDATE_GOLDENS=1 rewrites the golden images)";
}

QFont goldenFont(int pointSize)
{
    static const QString family = [] {
        const int id = QFontDatabase::addApplicationFont(
            QStringLiteral(TEST_DATA_DIR "/gauge/fonts/NotoMono-Regular.ttf"));
        const QStringList families = QFontDatabase::applicationFontFamilies(id);
        return families.isEmpty() ? QString() : families.front();
    }();
    QFont font(family, pointSize);
    font.setStyleStrategy(QFont::NoAntialias);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

} // namespace qvgauge::testing

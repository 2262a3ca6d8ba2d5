// gauge-gallery: every look of the 3-D gauge in one window, with sliders for the values.
// "gauge-gallery --render OUT.png" draws the gallery off screen into a PNG file and exits.

#include "gallerywindow.h"

#include <QApplication>
#include <QBuffer>
#include <QCommandLineParser>
#include <QFile>
#include <QImage>
#include <QLayout>
#include <cstdio>
#include <cstring>

namespace {

bool wantsRender(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--render", 8) == 0)
            return true;
    }
    return false;
}

void fail(const QString& message)
{
    std::fprintf(stderr, "gauge-gallery: %s\n", qPrintable(message));
}

// Draws `window` without putting it on a screen and writes it to `path` as a PNG file.
int render(QWidget& window, const QString& path)
{
    window.setAttribute(Qt::WA_DontShowOnScreen);
    window.show();
    window.layout()->activate();
    QCoreApplication::processEvents();
    const QImage image = window.grab().toImage();
    if (image.isNull()) {
        fail(QStringLiteral("the gallery could not be drawn"));
        return 1;
    }

    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) {
        fail(QStringLiteral("the gallery could not be encoded as PNG"));
        return 1;
    }
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(png) != png.size() ||
        !file.flush()) {
        fail(QStringLiteral("cannot write %1: %2").arg(path, file.errorString()));
        file.close();
        file.remove();
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    // Rendering needs no display: draw on the offscreen platform whatever the environment says.
    const bool rendering = wantsRender(argc, argv);
    if (rendering)
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("gauge-gallery"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Shows every style of the 3-D gauge, with sliders for the values."));
    parser.addHelpOption();
    const QCommandLineOption renderOption(QStringLiteral("render"),
        QStringLiteral("Draw the gallery off screen into <file> (PNG) and exit."),
        QStringLiteral("file"));
    parser.addOption(renderOption);
    parser.process(application);
    if (!parser.positionalArguments().isEmpty()) {
        fail(QStringLiteral("unexpected argument %1").arg(parser.positionalArguments().first()));
        return 2;
    }

    qvgauge::GalleryWindow window;
    if (parser.isSet(renderOption))
        return render(window, parser.value(renderOption));
    window.show();
    return QApplication::exec();
}

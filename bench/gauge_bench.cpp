// Paint cost of the gauge: one full paint into the off-screen image, and one repaint of the
// widget (the paint plus the copy to its surface). At 60 repaints a second, 1 ms a paint is 6%
// of a core.

#include "render/gaugelook.h"
#include "render/gaugepainter.h"
#include "widgets/qv3dgauge.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

using namespace qvgauge;

namespace {

QImage wallpaper()
{
    QImage image(37, 23, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(x * 6, y * 10, (x + y) * 4));
    return image;
}

GaugeLook barLook()
{
    GaugeLook look;
    look.width = 200;
    look.height = 60;
    look.fillValue = 57;
    look.bevelStyle = BevelStyle::Raised;
    look.bevelSize = 3;
    look.bevelStyleInner = BevelStyleInner::Lowered;
    look.bevelSizeInner = 2;
    look.borderStyle = BorderStyle::RoundedCorners;
    look.innerTop = look.innerLeft = look.innerRight = look.innerBottom = 8;
    look.caption = QStringLiteral("Pressure 57 %");
    look.alignment = Alignment::Center;
    look.fontStyle = FontStyle::RaisedShading;
    return look;
}

GaugeLook needleLook()
{
    GaugeLook look;
    look.width = 200;
    look.height = 200;
    look.style = GaugeStyle::FullNeedle;
    look.fillValue = 30;
    look.needleWidth = 3;
    look.picture = wallpaper();
    look.wallPaper = WallPaper::Replicate;
    return look;
}

void paintLook(benchmark::State& state, const GaugeLook& look)
{
    const PaintEnvironment environment;
    int value = 0;
    GaugeLook moving = look;
    for (auto _ : state) {
        moving.fillValue = value;
        value = (value + 7) % 101;
        QImage image = paintGauge(moving, environment);
        benchmark::DoNotOptimize(image.constBits());
    }
}

void BM_PaintBarWithBevelsAndCaption(benchmark::State& state)
{
    paintLook(state, barLook());
}
BENCHMARK(BM_PaintBarWithBevelsAndCaption)->Unit(benchmark::kMicrosecond);

void BM_PaintFullNeedleOnWallpaper(benchmark::State& state)
{
    paintLook(state, needleLook());
}
BENCHMARK(BM_PaintFullNeedleOnWallpaper)->Unit(benchmark::kMicrosecond);

// The widget's whole paint: its look from the properties, the paint, and the copy.
void repaintWidget(benchmark::State& state, Qv3dGauge& gauge)
{
    QImage surface(gauge.size(), QImage::Format_ARGB32_Premultiplied);
    int value = 0;
    for (auto _ : state) {
        gauge.setFillValue(value);
        value = (value + 7) % 101;
        gauge.render(&surface);
        benchmark::DoNotOptimize(surface.constBits());
    }
}

void BM_WidgetRepaintBar(benchmark::State& state)
{
    Qv3dGauge gauge;
    gauge.resize(200, 60);
    gauge.setBevelStyle(Qv3dGauge::qvBevelStyleRaised);
    gauge.setBevelSize(3);
    gauge.setBevelSizeInner(2);
    gauge.setBorderStyle(Qv3dGauge::qvBorderRoundedCorners);
    gauge.setCaption(QStringLiteral("Pressure"));
    gauge.setAlignment(Qv3dGauge::AlignToCenter);
    gauge.setFontStyle(Qv3dGauge::qvFontStyleRaisedShading);
    repaintWidget(state, gauge);
}
BENCHMARK(BM_WidgetRepaintBar)->Unit(benchmark::kMicrosecond);

void BM_WidgetRepaintFullNeedleOnWallpaper(benchmark::State& state)
{
    Qv3dGauge gauge;
    gauge.setAutosize(false);
    gauge.resize(200, 200);
    gauge.setGaugeStyle(Qv3dGauge::FullNeedle);
    gauge.setNeedleWidth(3);
    gauge.setWallPaper(Qv3dGauge::Replicate);
    gauge.setPicture(QPixmap::fromImage(wallpaper()));
    repaintWidget(state, gauge);
}
BENCHMARK(BM_WidgetRepaintFullNeedleOnWallpaper)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

#include "gallerywindow.h"

#include "widgets/qv3dgauge.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>
#include <QSlider>
#include <QVBoxLayout>
#include <functional>

namespace qvgauge {

namespace {

using G = Qv3dGauge;

// One gauge of the gallery: what it shows and how it differs from the gallery's plain gauge.
struct Sample {
    QString caption;
    std::function<void(G&)> setup;
    QSize size { 150, 44 };
};

const QSize Dial { 110, 110 };
const QSize Tall { 60, 130 };

// The "empty" picture of the bitmap styles: a dark scale with tick marks.
QPixmap emptyPicture()
{
    QPixmap picture(40, 40);
    picture.fill(QColor(40, 44, 52));
    QPainter painter(&picture);
    painter.setPen(QColor(110, 120, 135));
    for (int i = 0; i < 40; i += 8) {
        painter.drawLine(i, 0, i, 39);
        painter.drawLine(0, i, 39, i);
    }
    return picture;
}

// The "full" picture: a green to red ramp.
QPixmap fullPicture()
{
    QPixmap picture(40, 40);
    QPainter painter(&picture);
    QLinearGradient ramp(0, 0, 40, 40);
    ramp.setColorAt(0, QColor(40, 190, 70));
    ramp.setColorAt(0.6, QColor(240, 210, 40));
    ramp.setColorAt(1, QColor(220, 50, 40));
    painter.fillRect(picture.rect(), ramp);
    return picture;
}

// A small tile for the wallpaper modes.
QPixmap tilePicture()
{
    QPixmap picture(16, 16);
    picture.fill(QColor(70, 110, 170));
    QPainter painter(&picture);
    painter.fillRect(0, 0, 8, 8, QColor(230, 230, 240));
    painter.fillRect(8, 8, 8, 8, QColor(230, 230, 240));
    return picture;
}

void bitmaps(G& gauge, QPixmap empty, QPixmap full)
{
    gauge.setPicture(empty);
    gauge.setPictureFill(full);
}

} // namespace

struct GalleryWindow::Group {
    QString title;
    std::vector<Sample> samples;
};

GalleryWindow::GalleryWindow(QWidget* parent)
    : QWidget(parent)
{
    setWindowTitle(QStringLiteral("Gauge gallery"));

    const std::vector<Group> groups {
        { QStringLiteral("Gauge styles"),
            {
                { QStringLiteral("Horizontal bar"), [](G&) {} },
                { QStringLiteral("Reversed"), [](G& g) { g.setReverseFill(true); } },
                { QStringLiteral("Vertical"), [](G& g) { g.setGaugeStyle(G::VerticalBar); }, Tall },
                { QStringLiteral("Semi-needle"),
                    [](G& g) {
                        g.setGaugeStyle(G::SemiNeedle);
                        g.setNeedleWidth(2);
                    },
                    Dial },
                { QStringLiteral("Full needle"),
                    [](G& g) {
                        g.setGaugeStyle(G::FullNeedle);
                        g.setNeedleWidth(3);
                    },
                    Dial },
                { QStringLiteral("Bitmap"),
                    [](G& g) {
                        g.setGaugeStyle(G::HorizontalBmp);
                        bitmaps(g, emptyPicture(), fullPicture());
                    } },
                { QStringLiteral("Bitmap"),
                    [](G& g) {
                        g.setGaugeStyle(G::VerticalBmp);
                        bitmaps(g, emptyPicture(), fullPicture());
                    },
                    Tall },
            } },
        { QStringLiteral("Outer bevels"),
            {
                { QStringLiteral("Lowered"), [](G&) {} },
                { QStringLiteral("Raised"), [](G& g) { g.setBevelStyle(G::qvBevelStyleRaised); } },
                { QStringLiteral("Chiseled"),
                    [](G& g) { g.setBevelStyle(G::qvBevelStyleChisled); } },
                { QStringLiteral("Shadowed right"),
                    [](G& g) { g.setBevelStyle(G::qvBevelStyleShadowedRight); } },
                { QStringLiteral("Shadowed left"),
                    [](G& g) { g.setBevelStyle(G::qvBevelStyleShadowedLeft); } },
            } },
        { QStringLiteral("Inner bevels"),
            {
                { QStringLiteral("Lowered"), [](G& g) { g.setBevelSizeInner(3); } },
                { QStringLiteral("Raised"),
                    [](G& g) {
                        g.setBevelSizeInner(3);
                        g.setBevelStyleInner(G::qvBevelStyleInnerRaised);
                    } },
                { QStringLiteral("Chiseled"),
                    [](G& g) {
                        g.setBevelSizeInner(4);
                        g.setBevelStyleInner(G::qvBevelStyleInnerChisled);
                    } },
            } },
        { QStringLiteral("Borders"),
            {
                { QStringLiteral("No border"), [](G&) {} },
                { QStringLiteral("Single line"),
                    [](G& g) { g.setBorderStyle(G::qvBorderSingleLine); } },
                { QStringLiteral("Rounded corners"),
                    [](G& g) { g.setBorderStyle(G::qvBorderRoundedCorners); } },
            } },
        { QStringLiteral("Caption styles"),
            {
                { QStringLiteral("None"), [](G&) {} },
                { QStringLiteral("Raised"), [](G& g) { g.setFontStyle(G::qvFontStyleRaised); } },
                { QStringLiteral("Raised, shaded"),
                    [](G& g) { g.setFontStyle(G::qvFontStyleRaisedShading); } },
                { QStringLiteral("Lowered"), [](G& g) { g.setFontStyle(G::qvFontStyleLowered); } },
                { QStringLiteral("Lowered, shaded"),
                    [](G& g) { g.setFontStyle(G::qvFontStyleLoweredShading); } },
                { QStringLiteral("Right, two lines of caption"),
                    [](G& g) {
                        g.setAlignment(G::AlignToRight);
                        g.setMultiLine(true);
                        g.setFontStyle(G::qvFontStyleRaised);
                    },
                    QSize(110, 44) },
            } },
        { QStringLiteral("Wallpaper"),
            {
                { QStringLiteral("Stretched"),
                    [](G& g) {
                        g.setGaugeStyle(G::HorizontalBmp);
                        bitmaps(g, tilePicture(), fullPicture());
                    } },
                { QStringLiteral("Once"),
                    [](G& g) {
                        g.setGaugeStyle(G::HorizontalBmp);
                        g.setWallPaper(G::BitBlt);
                        bitmaps(g, tilePicture(), fullPicture());
                    } },
                { QStringLiteral("Tiled"),
                    [](G& g) {
                        g.setGaugeStyle(G::HorizontalBmp);
                        g.setWallPaper(G::Replicate);
                        bitmaps(g, tilePicture(), fullPicture());
                    } },
            } },
    };

    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("All values:"), this));
    m_all = new QSlider(Qt::Horizontal, this);
    m_all->setObjectName(QStringLiteral("allValues"));
    m_all->setRange(0, 100);
    top->addWidget(m_all, 1);
    layout->addLayout(top);

    auto* grid = new QGridLayout;
    for (std::size_t i = 0; i < groups.size(); ++i)
        grid->addWidget(buildGroup(groups[i]), static_cast<int>(i / 2), static_cast<int>(i % 2));
    layout->addLayout(grid);

    connect(m_all, &QSlider::valueChanged, this, &GalleryWindow::setAllValues);
    m_all->setValue(60);
}

QWidget* GalleryWindow::buildGroup(const Group& group)
{
    auto* box = new QGroupBox(group.title, this);
    auto* column = new QVBoxLayout(box);
    auto* row = new QHBoxLayout;
    std::vector<Qv3dGauge*> members;
    for (const Sample& sample : group.samples) {
        auto* gauge = new Qv3dGauge(box);
        // A plain gauge of the gallery: raised frame, a margin, no resizing to its pictures.
        gauge->setAutosize(false);
        gauge->setBevelSize(2);
        gauge->setBevelSizeInner(1);
        gauge->setFontStyle(Qv3dGauge::qvFontStyleRaised);
        gauge->setCaption(sample.caption);
        sample.setup(*gauge);
        gauge->setFixedSize(sample.size);
        row->addWidget(gauge, 0, Qt::AlignTop);
        members.push_back(gauge);
        m_gauges.push_back(gauge);
    }
    row->addStretch(1);
    column->addLayout(row);

    auto* slider = new QSlider(Qt::Horizontal, box);
    slider->setObjectName(group.title);
    slider->setRange(0, 100);
    connect(slider, &QSlider::valueChanged, this, [members](int value) {
        for (Qv3dGauge* gauge : members)
            gauge->setFillValue(gauge->min() + (gauge->max() - gauge->min()) * value / 100);
    });
    column->addWidget(slider);
    m_sliders.push_back(slider);
    return box;
}

void GalleryWindow::setAllValues(int percent)
{
    for (QSlider* slider : m_sliders)
        slider->setValue(percent);
}

} // namespace qvgauge

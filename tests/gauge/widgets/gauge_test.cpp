#include "model/dispid.h"
#include "widgets/qv3dgauge.h"

#include <QApplication>
#include <QMessageBox>
#include <QMetaProperty>
#include <QSignalSpy>
#include <QTimer>
#include <QVBoxLayout>
#include <gtest/gtest.h>

using namespace qvgauge;

namespace {

constexpr int InvalidValue = 380;

QPixmap solidPixmap(int width, int height, QColor color)
{
    QPixmap pixmap(width, height);
    pixmap.fill(color);
    return pixmap;
}

int propertyIndex(const QObject& object, const char* name)
{
    return object.metaObject()->indexOfProperty(name);
}

// Counts the events of one type that reach a widget.
class EventCounter : public QObject {
public:
    EventCounter(QWidget& widget, QEvent::Type type)
        : m_type(type)
    {
        widget.installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == m_type)
            ++count;
        return false;
    }
    int count = 0;

private:
    QEvent::Type m_type;
};

} // namespace

TEST(GaugeWidget, EveryModelPropertyIsAQtPropertyWithItsExactNameAndASignal)
{
    Qv3dGauge gauge;
    for (const PropertyInfo& info : gaugeProperties()) {
        const QByteArray name(info.name.data(), static_cast<qsizetype>(info.name.size()));
        const int index = propertyIndex(gauge, name.constData());
        ASSERT_GE(index, 0) << name.constData();
        const QMetaProperty property = gauge.metaObject()->property(index);
        EXPECT_TRUE(property.hasNotifySignal()) << name.constData();
        EXPECT_TRUE(property.isWritable()) << name.constData();
    }
    // Generated form code sets properties in declaration order: the range must come as Max,
    // Min, FillValue, and the margins' unit before the margins.
    EXPECT_LT(propertyIndex(gauge, "Max"), propertyIndex(gauge, "Min"));
    EXPECT_LT(propertyIndex(gauge, "Min"), propertyIndex(gauge, "FillValue"));
    EXPECT_LT(propertyIndex(gauge, "ScaleMode"), propertyIndex(gauge, "InnerTop"));
    EXPECT_TRUE(gauge.metaObject()->userProperty().name() == QByteArray("FillValue"));
}

TEST(GaugeWidget, ANewGaugeHoldsTheCreationValues)
{
    Qv3dGauge gauge;
    EXPECT_EQ(gauge.min(), 0);
    EXPECT_EQ(gauge.max(), 100);
    EXPECT_EQ(gauge.fillValue(), 0);
    EXPECT_EQ(gauge.innerTop(), 5);
    EXPECT_EQ(gauge.scaleMode(), Qv3dGauge::QvPixels);
    EXPECT_TRUE(gauge.autosize());
    EXPECT_TRUE(gauge.fontTransparent());
    EXPECT_EQ(gauge.fillBarColor(), 0x0000FFu);
    EXPECT_EQ(gauge.fillColor(), 0x8000000Fu);
    EXPECT_EQ(gauge.needleWidth(), 0);
    EXPECT_FALSE(gauge.isModified());
}

TEST(GaugeWidget, AnAcceptedSetSignalsThePropertyAndChange)
{
    Qv3dGauge gauge;
    QSignalSpy fill(&gauge, &Qv3dGauge::FillValueChanged);
    QSignalSpy max(&gauge, &Qv3dGauge::MaxChanged);
    QSignalSpy change(&gauge, &Qv3dGauge::Change);
    QSignalSpy any(&gauge, &Qv3dGauge::propertyChanged);
    QSignalSpy errors(&gauge, &Qv3dGauge::propertyError);

    EXPECT_TRUE(gauge.setProperty("FillValue", 60));
    EXPECT_EQ(gauge.property("FillValue").toInt(), 60);
    EXPECT_EQ(fill.count(), 1);
    EXPECT_EQ(change.count(), 1);
    ASSERT_EQ(any.count(), 1);
    EXPECT_EQ(any.at(0).at(0).toInt(), static_cast<int>(DispId::FillValue));

    // The same value again fires Change again, without a change notice.
    gauge.setFillValue(60);
    EXPECT_EQ(fill.count(), 1);
    EXPECT_EQ(change.count(), 2);

    // A lower Max drags the value along.
    gauge.setProperty("Max", 40);
    EXPECT_EQ(gauge.fillValue(), 40);
    EXPECT_EQ(max.count(), 1);
    EXPECT_EQ(fill.count(), 2);
    EXPECT_EQ(change.count(), 3);
    EXPECT_TRUE(errors.isEmpty());
    EXPECT_TRUE(gauge.isModified());
}

TEST(GaugeWidget, ARefusedValueIsReportedAndChangesNothing)
{
    Qv3dGauge gauge;
    QSignalSpy errors(&gauge, &Qv3dGauge::propertyError);
    QSignalSpy any(&gauge, &Qv3dGauge::propertyChanged);
    QSignalSpy change(&gauge, &Qv3dGauge::Change);

    // NeedleWidth 0 is refused although a new gauge holds it.
    gauge.setProperty("NeedleWidth", 0);
    gauge.setProperty("GaugeStyle", 9);
    gauge.setProperty("Min", -1);
    gauge.setProperty("Max", 0);
    gauge.setProperty("Max", 70000); // beyond 16 bits: refused, not wrapped round
    gauge.setProperty("MousePointer", 50);
    gauge.setProperty("ScaleMode", 8);
    ASSERT_EQ(errors.count(), 7);
    const std::vector<DispId> expected { DispId::NeedleWidth, DispId::GaugeStyle, DispId::Min,
        DispId::Max, DispId::Max, DispId::MousePointer, DispId::ScaleMode };
    for (int i = 0; i < errors.count(); ++i) {
        EXPECT_EQ(errors.at(i).at(0).toInt(), static_cast<int>(expected[static_cast<size_t>(i)]));
        EXPECT_EQ(errors.at(i).at(1).toInt(), InvalidValue);
    }
    EXPECT_TRUE(any.isEmpty());
    EXPECT_EQ(gauge.needleWidth(), 0);
    EXPECT_EQ(gauge.gaugeStyle(), Qv3dGauge::HorizontalBar);
    EXPECT_EQ(gauge.max(), 100);
    EXPECT_FALSE(gauge.isModified());

    // A value beyond Max is clamped and still reported; Change does not fire.
    gauge.setProperty("FillValue", 150);
    EXPECT_EQ(gauge.fillValue(), 100);
    EXPECT_EQ(errors.count(), 8);
    EXPECT_TRUE(change.isEmpty());
}

TEST(GaugeWidget, PropertiesSetInDeclarationOrderAreAllAccepted)
{
    // What generated form code does: copy the designed values in the order of the meta-object.
    Qv3dGauge designed;
    designed.setMax(300);
    designed.setMin(200);
    designed.setFillValue(250);
    designed.setScaleMode(Qv3dGauge::QvTwips);
    designed.setInnerTop(150);
    designed.setGaugeStyle(Qv3dGauge::FullNeedle);
    designed.setNeedleWidth(3);

    Qv3dGauge built;
    QSignalSpy errors(&built, &Qv3dGauge::propertyError);
    const QMetaObject* meta = built.metaObject();
    const QStringList copied { "ScaleMode", "InnerTop", "InnerLeft", "Max", "Min", "FillValue",
        "GaugeStyle", "NeedleWidth" };
    for (int i = meta->propertyOffset(); i < meta->propertyCount(); ++i) {
        const QMetaProperty property = meta->property(i);
        if (copied.contains(QString::fromLatin1(property.name())))
            property.write(&built, property.read(&designed));
    }
    EXPECT_TRUE(errors.isEmpty());
    EXPECT_EQ(built.min(), 200);
    EXPECT_EQ(built.max(), 300);
    EXPECT_EQ(built.fillValue(), 250);
    EXPECT_EQ(built.innerTop(), 150);
    EXPECT_EQ(built.innerLeft(), 75); // the unit switch converted 5 pixels
    EXPECT_EQ(built.gaugeStyle(), Qv3dGauge::FullNeedle);
}

TEST(GaugeWidget, EnumPropertiesTakeTheirNames)
{
    Qv3dGauge gauge;
    EXPECT_TRUE(gauge.setProperty("GaugeStyle", "SemiNeedle"));
    EXPECT_EQ(gauge.gaugeStyle(), Qv3dGauge::SemiNeedle);
    EXPECT_TRUE(gauge.setProperty("BevelStyle", "qvBevelStyleChisled"));
    EXPECT_EQ(gauge.bevelStyle(), Qv3dGauge::qvBevelStyleChisled);
    EXPECT_EQ(
        gauge.property("WallPaper").value<Qv3dGauge::WallpaperConstants>(), Qv3dGauge::StretchBlt);
}

TEST(GaugeWidget, TheFontIsTheWidgetsFontAndItsShortcutsFollowIt)
{
    Qv3dGauge gauge;
    QSignalSpy bold(&gauge, &Qv3dGauge::FontBoldChanged);
    QSignalSpy font(&gauge, &Qv3dGauge::FontChanged);

    gauge.setFontBold(true);
    EXPECT_TRUE(gauge.font().bold());
    EXPECT_EQ(bold.count(), 1);
    EXPECT_EQ(font.count(), 1);

    QFont italic = gauge.font();
    italic.setItalic(true);
    italic.setPointSize(14);
    gauge.setFont(italic);
    EXPECT_TRUE(gauge.fontItalic());
    EXPECT_FLOAT_EQ(gauge.fontSize(), 14.0f);
    EXPECT_EQ(font.count(), 2);

    QSignalSpy errors(&gauge, &Qv3dGauge::propertyError);
    gauge.setFontSize(0.0f);
    EXPECT_EQ(errors.count(), 1);
    EXPECT_FLOAT_EQ(gauge.fontSize(), 14.0f);
}

TEST(GaugeWidget, EnabledIsTheWidgetsOwnState)
{
    QWidget parent;
    auto* gauge = new Qv3dGauge(&parent);
    QSignalSpy enabled(gauge, &Qv3dGauge::EnabledChanged);
    gauge->setProperty("Enabled", false);
    EXPECT_FALSE(gauge->isEnabled());
    EXPECT_FALSE(gauge->gaugeEnabled());
    EXPECT_EQ(enabled.count(), 1);

    // A disabled parent leaves the gauge's own Enabled as it was.
    gauge->setEnabled(true);
    parent.setEnabled(false);
    EXPECT_TRUE(gauge->gaugeEnabled());
    EXPECT_EQ(enabled.count(), 2);
}

TEST(GaugeWidget, SavedStateRestoresEveryProperty)
{
    Qv3dGauge original;
    original.setMax(300);
    original.setMin(200);
    original.setFillValue(250);
    original.setGaugeStyle(Qv3dGauge::VerticalBar);
    original.setBevelStyle(Qv3dGauge::qvBevelStyleRaised);
    original.setBevelSize(2);
    original.setFillColor(0x00102030);
    original.setCaption(QStringLiteral("Pressure – bar"));
    original.setMultiLine(true);
    original.setMousePointer(Qv3dGauge::qvCross);
    original.setFontBold(true);
    original.setAutosize(false);
    original.setPicture(solidPixmap(8, 6, Qt::blue));
    original.setEnabled(false);

    const auto expectSame = [&](const Qv3dGauge& copy) {
        const QMetaObject* meta = original.metaObject();
        for (int i = meta->propertyOffset(); i < meta->propertyCount(); ++i) {
            const QMetaProperty property = meta->property(i);
            const QVariant want = property.read(&original);
            const QVariant got = property.read(&copy);
            if (want.typeId() == QMetaType::QPixmap)
                EXPECT_EQ(got.value<QPixmap>().toImage(), want.value<QPixmap>().toImage())
                    << property.name();
            else
                EXPECT_EQ(got, want) << property.name();
        }
        EXPECT_FALSE(copy.isEnabled());
        EXPECT_FALSE(copy.isModified());
    };

    Qv3dGauge fromStream;
    QSignalSpy notices(&fromStream, &Qv3dGauge::FillValueChanged);
    fromStream.restoreState(original.saveState());
    expectSame(fromStream);
    EXPECT_EQ(notices.count(), 1);

    Qv3dGauge fromText;
    fromText.restoreText(original.saveText());
    expectSame(fromText);
}

TEST(GaugeWidget, DamagedSavedStateLoadsAndPaints)
{
    Qv3dGauge gauge;
    gauge.resize(60, 20);
    // Min = Max = 5 with a value beyond them, from a hand-edited file.
    gauge.restoreText(
        "Version=7.0\nMin=5\nMax=5\nFillValue=10\nGaugeStyle=12\nBevelSize=-4\nPicture=1:AAAA\n");
    EXPECT_EQ(gauge.min(), 5);
    EXPECT_EQ(gauge.max(), 5);
    EXPECT_FALSE(gauge.grab().isNull());

    gauge.restoreState(QByteArray("\x07\x00\x00\x00\xff\xff\xff\x7f garbage", 16));
    EXPECT_FALSE(gauge.grab().isNull());
    EXPECT_TRUE(gauge.picture().isNull());
}

TEST(GaugeWidget, AutosizeFollowsPictureAndBevelAndNeverRunsFromPaint)
{
    Qv3dGauge gauge;
    gauge.resize(100, 100);
    gauge.setPicture(solidPixmap(40, 20, Qt::green));
    EXPECT_EQ(gauge.size(), QSize(40, 20));
    gauge.setBevelSize(3);
    EXPECT_EQ(gauge.size(), QSize(46, 26));
    EXPECT_EQ(gauge.sizeHint(), QSize(46, 26));
    // Within 3 pixels is close enough.
    gauge.resize(48, 28);
    gauge.setAutosize(true);
    EXPECT_EQ(gauge.size(), QSize(48, 28));

    // A layout that holds the gauge at another size: painting must not ask again.
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* held = new Qv3dGauge;
    held->setFixedSize(120, 90);
    layout->addWidget(held);
    window.show();
    held->setPicture(solidPixmap(40, 20, Qt::green));
    QApplication::processEvents();
    EXPECT_EQ(held->size(), QSize(120, 90));
    EventCounter resizes(*held, QEvent::Resize);
    EventCounter paints(*held, QEvent::Paint);
    for (int i = 0; i < 5; ++i) {
        held->repaint();
        QApplication::processEvents();
    }
    EXPECT_GE(paints.count, 5);
    EXPECT_EQ(resizes.count, 0);
}

TEST(GaugeWidget, TheCursorFollowsMousePointerAtRunTimeOnly)
{
    QWidget parent; // a top-level window keeps its cursor attribute
    Qv3dGauge& gauge = *new Qv3dGauge(&parent);
    gauge.setMousePointer(Qv3dGauge::qvCross);
    EXPECT_TRUE(gauge.testAttribute(Qt::WA_SetCursor));
    EXPECT_EQ(gauge.cursor().shape(), Qt::CrossCursor);

    gauge.setMousePointer(Qv3dGauge::qvCustom);
    EXPECT_FALSE(gauge.testAttribute(Qt::WA_SetCursor)); // no icon yet
    gauge.setMouseIcon(solidPixmap(16, 16, Qt::black));
    EXPECT_EQ(gauge.cursor().shape(), Qt::BitmapCursor);

    gauge.setUserMode(false);
    EXPECT_FALSE(gauge.testAttribute(Qt::WA_SetCursor));

    Qv3dGauge loaded(&parent);
    gauge.setUserMode(true);
    loaded.restoreState(gauge.saveState());
    EXPECT_EQ(loaded.cursor().shape(), Qt::BitmapCursor);
}

TEST(GaugeWidget, PaintsTheModelWithThePalettesColours)
{
    Qv3dGauge gauge;
    QPalette palette = gauge.palette();
    palette.setColor(QPalette::Button, QColor(1, 2, 3));
    gauge.setPalette(palette);
    gauge.resize(110, 20);
    gauge.setFillValue(50);
    const QImage image = gauge.grab().toImage();
    ASSERT_EQ(image.size(), QSize(110, 20));
    // Drawing frame 4..105: the bar reaches x = 4 + 50 * 101 / 100 = 54.
    EXPECT_EQ(image.pixel(5, 10), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(54, 10), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(55, 10), qRgb(1, 2, 3));
    EXPECT_EQ(image.pixel(0, 0), qRgb(1, 2, 3));

    // Margins in twips are painted in pixels.
    gauge.setScaleMode(Qv3dGauge::QvTwips);
    gauge.setInnerLeft(300); // 20 pixels at 96 ppi
    const QImage twips = gauge.grab().toImage();
    EXPECT_EQ(twips.pixel(19, 10), qRgb(1, 2, 3));
    EXPECT_EQ(twips.pixel(20, 10), qRgb(255, 0, 0));

    // Nothing to paint and nothing painted at a width of 0.
    gauge.resize(0, 20);
    gauge.Refresh();
}

TEST(GaugeWidget, PaintsItsPicturesAndItsDesignTimeOutline)
{
    Qv3dGauge gauge;
    gauge.resize(110, 20);
    gauge.setGaugeStyle(Qv3dGauge::HorizontalBmp);
    gauge.setPicture(solidPixmap(110, 20, Qt::blue));
    gauge.setPictureFill(solidPixmap(110, 20, Qt::green));
    gauge.setFillValue(50);
    const QImage bitmap = gauge.grab().toImage();
    EXPECT_EQ(bitmap.pixel(10, 10), qRgb(0, 255, 0));
    EXPECT_EQ(bitmap.pixel(100, 10), qRgb(0, 0, 255));

    Qv3dGauge designed;
    designed.resize(110, 20);
    EXPECT_NE(designed.grab().toImage().pixel(4, 10), qRgb(0, 0, 0));
    designed.setUserMode(false);
    EXPECT_EQ(designed.grab().toImage().pixel(4, 10), qRgb(0, 0, 0));
}

TEST(GaugeWidget, RefreshPaintsAtOnce)
{
    Qv3dGauge gauge;
    gauge.resize(50, 20);
    gauge.show();
    QApplication::processEvents();
    EventCounter paints(gauge, QEvent::Paint);
    gauge.Refresh();
    EXPECT_EQ(paints.count, 1);
}

TEST(GaugeWidget, AboutBoxNamesTheLibrary)
{
    Qv3dGauge gauge;
    QString title;
    QString text;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        title = box->windowTitle();
        text = box->text();
        box->accept();
    });
    gauge.AboutBox();
    EXPECT_EQ(title, "About...");
    EXPECT_TRUE(text.startsWith("Control: libQVGAUG32.so")) << text.toStdString();
    EXPECT_TRUE(text.contains("\nVersion: 7.0.0\n\nReg.Location: /")) << text.toStdString();
}

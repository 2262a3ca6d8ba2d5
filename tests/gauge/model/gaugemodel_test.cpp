#include "gauge/support/recordingobserver.h"
#include "model/cursorchoice.h"
#include "model/gaugemodel.h"
#include "model/textpropertybag.h"

#include <gtest/gtest.h>

using namespace qvgauge;
using qvgauge::testing::RecordingObserver;
using Events = std::vector<std::string>;

namespace {

const SetResult Refused = SetResult::refused(InvalidPropertyValue);

class GaugeModelTest : public ::testing::Test {
protected:
    GaugeModel model;
    RecordingObserver observer { model };
};

TEST_F(GaugeModelTest, NewGaugeHasItsCreationValues)
{
    model.reset("Gauge1");
    EXPECT_EQ(model.min(), 0);
    EXPECT_EQ(model.max(), 100);
    EXPECT_EQ(model.fillValue(), 0);
    EXPECT_EQ(model.innerTop(), 5);
    EXPECT_EQ(model.innerLeft(), 5);
    EXPECT_EQ(model.innerRight(), 5);
    EXPECT_EQ(model.innerBottom(), 5);
    EXPECT_EQ(model.scaleMode(), ScaleMode::Pixels);
    EXPECT_TRUE(model.autosize());
    EXPECT_TRUE(model.fontTransparent());
    EXPECT_EQ(model.needleWidth(), 0);
    EXPECT_EQ(model.fillBarColor(), 0x0000FFu);
    EXPECT_EQ(model.fillColor(), systemColor(ColorButtonFace));
    EXPECT_EQ(model.shadowColor(), systemColor(ColorButtonShadow));
    EXPECT_EQ(model.borderColor(), systemColor(ColorWindowFrame));
    EXPECT_EQ(model.lightColor(), systemColor(ColorButtonHighlight));
    EXPECT_EQ(model.textColor(), systemColor(ColorButtonText));
    EXPECT_EQ(model.caption(), "Gauge1");
    EXPECT_TRUE(model.picture().isEmpty());
    EXPECT_EQ(model.mousePointer(), MousePointer::Default);
    EXPECT_FALSE(model.isModified());
}

TEST_F(GaugeModelTest, ResetAfterChangesGivesANewGaugeAgain)
{
    ASSERT_TRUE(model.setMax(500).ok);
    ASSERT_TRUE(model.setFillValue(300).ok);
    ASSERT_TRUE(model.setPicture({ PictureKind::Bitmap, { 1, 2, 3 } }).ok);
    ASSERT_TRUE(model.setEnabled(false).ok);
    EXPECT_TRUE(model.isModified());
    model.reset("Other");
    GaugeModel fresh;
    fresh.reset("Other");
    EXPECT_EQ(model.properties(), fresh.properties());
    EXPECT_EQ(model.stock(), fresh.stock());
    EXPECT_FALSE(model.isModified());
}

TEST_F(GaugeModelTest, FillValueOutsideTheRangeIsClampedAndRefusedWithoutChange)
{
    EXPECT_EQ(model.setFillValue(150), Refused);
    EXPECT_EQ(model.fillValue(), 100);
    EXPECT_EQ(observer.take(), (Events { "FillValue" }));

    ASSERT_TRUE(model.setMin(10).ok);
    observer.take();
    EXPECT_EQ(model.setFillValue(3), Refused);
    EXPECT_EQ(model.fillValue(), 10);
    EXPECT_EQ(observer.take(), (Events { "FillValue" }));

    // Already at the end it is clamped to: refused, no notice at all.
    EXPECT_EQ(model.setFillValue(-7), Refused);
    EXPECT_TRUE(observer.take().empty());
}

TEST_F(GaugeModelTest, FillValueInRangeFiresChangeEvenWhenUnchanged)
{
    EXPECT_TRUE(model.setFillValue(40).ok);
    EXPECT_EQ(observer.take(), (Events { "FillValue", "Change" }));
    EXPECT_TRUE(model.setFillValue(40).ok);
    EXPECT_EQ(observer.take(), (Events { "Change" }));
    EXPECT_TRUE(model.setProperty(DispId::FillValueDefault, 41).ok);
    EXPECT_EQ(model.fillValue(), 41);
}

TEST_F(GaugeModelTest, MinAndMaxRefuseAnEmptyOrNegativeRange)
{
    EXPECT_EQ(model.setMax(0), Refused); // equal to Min
    EXPECT_EQ(model.setMin(100), Refused); // equal to Max
    EXPECT_EQ(model.setMin(-1), Refused);
    EXPECT_EQ(model.setMax(-1), Refused);
    EXPECT_EQ(model.setMax(40000), Refused); // beyond 16 bits
    EXPECT_EQ(model.min(), 0);
    EXPECT_EQ(model.max(), 100);
    EXPECT_TRUE(observer.events.empty());

    // The same value again is accepted and says nothing.
    EXPECT_TRUE(model.setMax(100).ok);
    EXPECT_TRUE(model.setMin(0).ok);
    EXPECT_TRUE(observer.events.empty());
}

TEST_F(GaugeModelTest, NewRangeDragsFillValueAlongAndFiresChange)
{
    ASSERT_TRUE(model.setFillValue(80).ok);
    observer.take();
    EXPECT_TRUE(model.setMax(50).ok);
    EXPECT_EQ(model.fillValue(), 50);
    EXPECT_EQ(observer.take(), (Events { "FillValue", "Change", "Max" }));

    EXPECT_TRUE(model.setMin(20).ok);
    EXPECT_EQ(model.fillValue(), 50);
    EXPECT_EQ(observer.take(), (Events { "Min" }));

    ASSERT_TRUE(model.setFillValue(20).ok);
    observer.take();
    EXPECT_TRUE(model.setMin(30).ok);
    EXPECT_EQ(model.fillValue(), 30);
    EXPECT_EQ(observer.take(), (Events { "FillValue", "Change", "Min" }));
}

TEST_F(GaugeModelTest, SettersRefuseValuesOutsideTheirSets)
{
    struct Case {
        DispId id;
        int refusedLow;
        int refusedHigh; // 0 when only the low value is checked
        int accepted;
    };
    const Case cases[] = {
        { DispId::GaugeStyle, -1, 6, 5 },
        { DispId::BevelStyle, -1, 5, 4 },
        { DispId::BevelStyleInner, -1, 3, 2 },
        { DispId::BorderStyle, -1, 3, 2 },
        { DispId::Alignment, -1, 3, 2 },
        { DispId::FontStyle, -1, 5, 4 },
        { DispId::WallPaper, -1, 3, 2 },
        { DispId::ScaleMode, -1, 8, 1 },
        { DispId::FontTransparent, -2, 2, -1 },
        { DispId::Appearance, -1, 2, 1 },
        { DispId::MousePointer, -1, 16, 99 },
        { DispId::BevelSize, -1, 0, 0 },
        { DispId::BevelSizeInner, -1, 0, 7 },
        { DispId::InnerTop, -1, 0, 0 },
        { DispId::InnerLeft, -1, 0, 3 },
        { DispId::InnerRight, -1, 0, 3 },
        { DispId::InnerBottom, -1, 0, 3 },
        { DispId::NeedleWidth, 0, 0, 1 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(propertyInfo(c.id)->name);
        const PropertyValue before = model.property(c.id);
        EXPECT_EQ(model.setProperty(c.id, c.refusedLow), Refused);
        if (c.refusedHigh != 0) {
            EXPECT_EQ(model.setProperty(c.id, c.refusedHigh), Refused);
        }
        EXPECT_EQ(model.property(c.id), before);
        EXPECT_TRUE(observer.take().empty());
        EXPECT_TRUE(model.setProperty(c.id, c.accepted).ok);
        EXPECT_EQ(observer.take(), (Events { std::string(propertyInfo(c.id)->name) }));
    }
    EXPECT_EQ(model.setMousePointer(50), Refused);
    EXPECT_EQ(model.mousePointer(), MousePointer::Custom);
    EXPECT_EQ(model.setInnerTop(40000), Refused);
}

TEST_F(GaugeModelTest, ScaleModeKeepsTwipsOrPixels)
{
    EXPECT_TRUE(model.setScaleMode(2).ok);
    EXPECT_EQ(model.scaleMode(), ScaleMode::Pixels);
    EXPECT_TRUE(model.setScaleMode(0).ok);
    EXPECT_EQ(model.scaleMode(), ScaleMode::Pixels);
    EXPECT_EQ(model.setScaleMode(8), Refused);
    EXPECT_TRUE(model.setScaleMode(1).ok);
    EXPECT_EQ(model.scaleMode(), ScaleMode::Twips);
    // No window yet: the margins keep their numbers.
    EXPECT_EQ(model.innerTop(), 5);
}

TEST_F(GaugeModelTest, ScaleModeConvertsTheMarginsOnceTheWindowExists)
{
    model.setWindowCreated(true);
    model.setResolution({ 96, 120 });
    ASSERT_TRUE(model.setInnerLeft(10).ok);
    ASSERT_TRUE(model.setInnerTop(10).ok);
    observer.take();

    EXPECT_TRUE(model.setScaleMode(1).ok);
    EXPECT_EQ(model.innerLeft(), 150);
    EXPECT_EQ(model.innerRight(), 75);
    EXPECT_EQ(model.innerTop(), 120); // 12 twips a pixel vertically
    EXPECT_EQ(model.innerBottom(), 60);
    EXPECT_EQ(observer.take(),
        (Events { "InnerTop", "InnerLeft", "InnerRight", "InnerBottom", "ScaleMode" }));

    EXPECT_TRUE(model.setScaleMode(1).ok); // unchanged: nothing converted
    EXPECT_EQ(model.innerLeft(), 150);
    EXPECT_TRUE(model.setScaleMode(3).ok);
    EXPECT_EQ(model.innerLeft(), 10);
    EXPECT_EQ(model.innerTop(), 10);
    EXPECT_EQ(model.innerBottom(), 5);
}

TEST_F(GaugeModelTest, ScaleModeFromALoadedZeroKeepsThePixelMargins)
{
    TextPropertyBag bag("ScaleMode=0\nInnerLeft=30\n");
    model.load(bag);
    model.setWindowCreated(true);
    EXPECT_TRUE(model.setScaleMode(3).ok);
    EXPECT_EQ(model.innerLeft(), 30);
    EXPECT_TRUE(model.setScaleMode(1).ok);
    EXPECT_EQ(model.innerLeft(), 450);
}

TEST_F(GaugeModelTest, ScaleModeRefusesASwitchWhoseMarginsWouldNotFit)
{
    model.setWindowCreated(true);
    ASSERT_TRUE(model.setInnerRight(2200).ok); // 33000 twips: beyond 16 bits
    ASSERT_TRUE(model.setInnerTop(7).ok);
    observer.take();
    EXPECT_EQ(model.setScaleMode(1), Refused);
    EXPECT_EQ(model.scaleMode(), ScaleMode::Pixels);
    EXPECT_EQ(model.innerRight(), 2200);
    EXPECT_EQ(model.innerTop(), 7);
    EXPECT_TRUE(observer.events.empty());

    ASSERT_TRUE(model.setInnerRight(2184).ok); // 32760 twips fits
    EXPECT_TRUE(model.setScaleMode(1).ok);
    EXPECT_EQ(model.innerRight(), 32760);
}

TEST_F(GaugeModelTest, PicturesTakeOnlyTheirKinds)
{
    const Picture bitmap { PictureKind::Bitmap, { 'B', 'M' } };
    const Picture icon { PictureKind::Icon, { 0, 0, 1, 0 } };
    const Picture metafile { PictureKind::Metafile, { 1 } };

    EXPECT_EQ(model.setPicture(icon), Refused);
    EXPECT_EQ(model.setPicture(metafile), Refused);
    EXPECT_TRUE(model.setPicture(bitmap).ok);
    EXPECT_EQ(model.setPicture(icon), Refused);
    EXPECT_EQ(model.picture(), bitmap);

    EXPECT_EQ(model.setPictureFill(icon), Refused);
    EXPECT_TRUE(model.setPictureFill(bitmap).ok);
    EXPECT_TRUE(model.setPictureFill({}).ok);
    EXPECT_TRUE(model.pictureFill().isEmpty());

    EXPECT_EQ(model.setMouseIcon(bitmap), Refused);
    EXPECT_TRUE(model.mouseIcon().isEmpty());
    EXPECT_TRUE(model.setMouseIcon(icon).ok);
    EXPECT_EQ(model.mouseIcon(), icon);
    EXPECT_EQ(observer.take(), (Events { "Picture", "PictureFill", "PictureFill", "MouseIcon" }));
}

TEST_F(GaugeModelTest, FontShortcutsChangeTheFontAndReadOnlyAtRunTime)
{
    EXPECT_TRUE(model.setFontBold(true).ok);
    EXPECT_TRUE(model.setFontName("Serif").ok);
    EXPECT_TRUE(model.setFontSize(12.5f).ok);
    EXPECT_EQ(model.setFontSize(0.0f), Refused);
    EXPECT_EQ(observer.take(), (Events { "FontBold", "FontName", "FontSize" }));
    EXPECT_TRUE(model.font().bold);
    EXPECT_EQ(model.font().name, "Serif");
    EXPECT_FLOAT_EQ(model.font().size, 12.5f);

    EXPECT_FALSE(model.fontBold().has_value());
    EXPECT_EQ(model.property(DispId::FontName), PropertyValue {});
    model.setUserMode(true);
    EXPECT_EQ(model.fontBold(), true);
    EXPECT_EQ(model.property(DispId::FontName), PropertyValue { std::string("Serif") });
}

TEST_F(GaugeModelTest, GenericAccessRefusesValuesOfTheWrongKind)
{
    EXPECT_EQ(model.setProperty(DispId::Caption, 5), Refused);
    EXPECT_EQ(model.setProperty(DispId::Min, std::string("5")), Refused);
    EXPECT_EQ(model.setProperty(DispId::Picture, true), Refused);
    EXPECT_TRUE(model.setProperty(DispId::FillColor, std::int32_t { -2147483633 }).ok);
    EXPECT_EQ(model.fillColor(), systemColor(15));
    EXPECT_TRUE(model.setProperty(DispId::FontTransparent, false).ok);
    EXPECT_FALSE(model.fontTransparent());
    EXPECT_TRUE(observer.take().size() == 2);
}

TEST(GaugePropertyNames, ResolveExactlyAndOnlyExactly)
{
    for (const PropertyInfo& info : gaugeProperties())
        EXPECT_EQ(propertyByName(info.name), info.id) << info.name;
    EXPECT_EQ(propertyByName("MultiLine"), DispId::MultiLine);
    EXPECT_FALSE(propertyByName("Multiline").has_value());
    EXPECT_FALSE(propertyByName("fillvalue").has_value());
}

TEST(GaugeCursor, OwnCursorOnlyAtRunTimeAndCustomOnlyWithAnIcon)
{
    EXPECT_EQ(cursorFor(MousePointer::Hourglass, true, false).shape, Qt::WaitCursor);
    EXPECT_EQ(cursorFor(MousePointer::SizeNESW, true, false).shape, Qt::SizeBDiagCursor);
    EXPECT_EQ(cursorFor(MousePointer::Hourglass, false, false).source, CursorSource::Host);
    EXPECT_EQ(cursorFor(MousePointer::Default, true, true).source, CursorSource::Host);
    EXPECT_EQ(cursorFor(MousePointer::Custom, true, true).source, CursorSource::Icon);
    EXPECT_EQ(cursorFor(MousePointer::Custom, true, false).source, CursorSource::Host);
    EXPECT_EQ(cursorFor(static_cast<MousePointer>(42), true, true).source, CursorSource::Host);
}

} // namespace

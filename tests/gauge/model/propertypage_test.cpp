#include "gauge/support/recordingobserver.h"
#include "model/gaugemodel.h"
#include "model/propertypage.h"

#include <gtest/gtest.h>

using namespace qvgauge;
using qvgauge::testing::RecordingObserver;
using Events = std::vector<std::string>;

namespace {

class PropertyPageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        gauge.reset("Gauge1");
        page.read(gauge);
    }

    GaugeModel gauge;
    PropertyPageModel page { PropertyPage::Gauge };
};

TEST_F(PropertyPageTest, ApplyingAnUntouchedPageChangesNothing)
{
    // NeedleWidth holds 0 on a new gauge, which its setter refuses: it must not be sent back.
    RecordingObserver observer(gauge);
    EXPECT_FALSE(page.isDirty());
    const ApplyResult result = page.apply(gauge);
    EXPECT_TRUE(result.ok);
    EXPECT_TRUE(observer.events.empty());
    EXPECT_EQ(page.value(DispId::NeedleWidth), FieldValue(0));
}

TEST_F(PropertyPageTest, MovesTheWholeRangeUpInOneApply)
{
    ASSERT_TRUE(page.edit(DispId::Min, 200));
    ASSERT_TRUE(page.edit(DispId::Max, 300));
    ASSERT_TRUE(page.edit(DispId::FillValue, 250));
    const ApplyResult result = page.apply(gauge);
    EXPECT_TRUE(result.ok) << result.code;
    EXPECT_EQ(gauge.min(), 200);
    EXPECT_EQ(gauge.max(), 300);
    EXPECT_EQ(gauge.fillValue(), 250);
    EXPECT_FALSE(page.isDirty());
}

TEST_F(PropertyPageTest, MovesTheWholeRangeDownInOneApply)
{
    ASSERT_TRUE(gauge.setMax(300).ok);
    ASSERT_TRUE(gauge.setMin(200).ok);
    page.read(gauge);
    page.edit(DispId::Min, 0);
    page.edit(DispId::Max, 100);
    page.edit(DispId::FillValue, 50);
    EXPECT_TRUE(page.apply(gauge).ok);
    EXPECT_EQ(gauge.min(), 0);
    EXPECT_EQ(gauge.max(), 100);
    EXPECT_EQ(gauge.fillValue(), 50);
}

TEST_F(PropertyPageTest, ANewRangeAloneShowsTheFillValueItDragged)
{
    ASSERT_TRUE(gauge.setFillValue(80).ok);
    page.read(gauge);
    page.edit(DispId::Max, 60);
    RecordingObserver observer(gauge);
    EXPECT_TRUE(page.apply(gauge).ok);
    EXPECT_EQ(observer.events, (Events { "FillValue", "Change", "Max" }));
    EXPECT_EQ(page.value(DispId::FillValue), FieldValue(60));
    EXPECT_FALSE(page.isDirty());
}

TEST_F(PropertyPageTest, AnImpossibleRangeChangesNothingAndNamesTheField)
{
    page.edit(DispId::Min, 50);
    page.edit(DispId::Max, 50);
    page.edit(DispId::ReverseFill, true);
    RecordingObserver observer(gauge);
    ApplyResult result = page.apply(gauge);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.code, InvalidPropertyValue);
    EXPECT_EQ(result.focus, DispId::Max);
    EXPECT_TRUE(observer.events.empty());
    EXPECT_TRUE(page.isDirty(DispId::Min));
    EXPECT_TRUE(page.isDirty(DispId::ReverseFill));

    page.edit(DispId::Max, 100);
    page.edit(DispId::FillValue, 20);
    result = page.apply(gauge);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.focus, DispId::FillValue);

    page.edit(DispId::FillValue, 70);
    EXPECT_TRUE(page.apply(gauge).ok);
    EXPECT_EQ(gauge.min(), 50);
    EXPECT_EQ(gauge.fillValue(), 70);
    EXPECT_TRUE(gauge.reverseFill());
    EXPECT_FALSE(page.isDirty());
}

TEST_F(PropertyPageTest, MinBeyondTheKeptMaxFocusesMin)
{
    page.edit(DispId::Min, 150);
    const ApplyResult result = page.apply(gauge);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.focus, DispId::Min);
    EXPECT_EQ(gauge.min(), 0);
}

TEST_F(PropertyPageTest, FieldsKeepToTheirRangesAndKinds)
{
    EXPECT_TRUE(page.edit(DispId::NeedleWidth, 0));
    EXPECT_EQ(page.value(DispId::NeedleWidth), FieldValue(1));
    EXPECT_TRUE(page.edit(DispId::BevelSize, -4) == false); // not on this page
    EXPECT_TRUE(page.edit(DispId::InnerTop, 99999));
    EXPECT_EQ(page.value(DispId::InnerTop), FieldValue(32767));
    EXPECT_FALSE(page.edit(DispId::GaugeStyle, 6));
    EXPECT_FALSE(page.edit(DispId::ReverseFill, 1));
    EXPECT_TRUE(page.apply(gauge).ok);
    EXPECT_EQ(gauge.needleWidth(), 1);

    // Changing a field back to its value makes it clean again.
    page.edit(DispId::GaugeStyle, 2);
    EXPECT_TRUE(page.isDirty());
    page.edit(DispId::GaugeStyle, 0);
    EXPECT_FALSE(page.isDirty());
}

TEST(PropertyPages, GeneralPageTakesListIndexesAndALimitedCaption)
{
    GaugeModel gauge;
    gauge.reset("Gauge1");
    PropertyPageModel page(PropertyPage::General);
    page.read(gauge);
    EXPECT_EQ(page.value(DispId::Caption), FieldValue(std::string("Gauge1")));
    EXPECT_EQ(page.value(DispId::ScaleMode), FieldValue(3));

    page.edit(DispId::ScaleMode, 2); // a reserved entry: the gauge keeps pixels
    page.edit(DispId::MultiLine, true);
    page.edit(DispId::Caption, std::string(300, 'x'));
    EXPECT_EQ(std::get<std::string>(page.value(DispId::Caption)).size(), 255u);
    page.edit(DispId::Caption, std::string(254, 'x') + "\xC3\xA9\xC3\xA9"); // "éé"
    EXPECT_EQ(
        std::get<std::string>(page.value(DispId::Caption)), std::string(254, 'x') + "\xC3\xA9");
    EXPECT_TRUE(page.apply(gauge).ok);
    EXPECT_TRUE(gauge.multiLine());
    EXPECT_EQ(gauge.scaleMode(), ScaleMode::Pixels);
    EXPECT_EQ(page.value(DispId::ScaleMode), FieldValue(3));
    EXPECT_EQ(gauge.caption().size(), 256u);
}

TEST(PropertyPages, EveryFieldIsBoundToAPropertyOfTheRightKind)
{
    for (PropertyPage p :
        { PropertyPage::General, PropertyPage::BevelsAndBorders, PropertyPage::Gauge }) {
        for (const PageField& field : pageFields(p)) {
            const PropertyInfo* info = propertyInfo(field.property);
            ASSERT_NE(info, nullptr);
            EXPECT_EQ(propertyByName(info->name), field.property);
            switch (field.kind) {
            case FieldKind::Check:
                EXPECT_EQ(info->type, PropertyType::Bool) << info->name;
                break;
            case FieldKind::Text:
                EXPECT_EQ(info->type, PropertyType::String) << info->name;
                break;
            case FieldKind::List:
                EXPECT_EQ(info->type, PropertyType::Short) << info->name;
                EXPECT_EQ(field.items.size(), static_cast<std::size_t>(field.maximum + 1));
                break;
            case FieldKind::Number:
                EXPECT_EQ(info->type, PropertyType::Short) << info->name;
                break;
            }
        }
    }
    EXPECT_EQ(pageTitle(PropertyPage::BevelsAndBorders), "Bevels and Borders");
}

} // namespace

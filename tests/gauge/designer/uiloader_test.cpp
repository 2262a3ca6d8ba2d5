#include "widgets/qv3dgauge.h"

#include <QBuffer>
#include <QUiLoader>
#include <gtest/gtest.h>
#include <memory>

using namespace qvgauge;

namespace {

// A form as the designer saves it. Max comes before Min and FillValue, as the gauge declares
// them, so that the range 200..300 can be reached from a new gauge's 0..100.
const char* const FormWithGauge = R"(<?xml version="1.0" encoding="UTF-8"?>
<ui version="4.0">
 <class>Panel</class>
 <widget class="QWidget" name="Panel">
  <property name="geometry">
   <rect><x>0</x><y>0</y><width>320</width><height>120</height></rect>
  </property>
  <widget class="qvgauge::Qv3dGauge" name="tankLevel">
   <property name="geometry">
    <rect><x>10</x><y>10</y><width>220</width><height>48</height></rect>
   </property>
   <property name="Max">
    <number>300</number>
   </property>
   <property name="Min">
    <number>200</number>
   </property>
   <property name="FillValue">
    <number>250</number>
   </property>
   <property name="GaugeStyle">
    <enum>qvgauge::Qv3dGauge::SemiNeedle</enum>
   </property>
   <property name="BevelStyle">
    <enum>Qv3dGauge::qvBevelStyleChisled</enum>
   </property>
   <property name="ReverseFill">
    <bool>true</bool>
   </property>
   <property name="FillBarColor">
    <UInt>65280</UInt>
   </property>
   <property name="Caption">
    <string>Tank level</string>
   </property>
  </widget>
 </widget>
</ui>
)";

std::unique_ptr<QWidget> loadForm(QUiLoader& loader, const QByteArray& form)
{
    QBuffer buffer;
    buffer.setData(form);
    buffer.open(QIODevice::ReadOnly);
    std::unique_ptr<QWidget> widget(loader.load(&buffer));
    EXPECT_NE(widget, nullptr) << qPrintable(loader.errorString());
    return widget;
}

class UiLoaderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Only the gauge's plugin: a program finds it where the build puts it.
        loader.clearPluginPaths();
        loader.addPluginPath(QStringLiteral(GAUGE_PLUGIN_DIR));
    }

    QUiLoader loader;
};

} // namespace

TEST_F(UiLoaderTest, AFormWithAGaugeLoadsWithItsProperties)
{
    EXPECT_TRUE(loader.availableWidgets().contains(QStringLiteral("qvgauge::Qv3dGauge")));

    const std::unique_ptr<QWidget> form = loadForm(loader, FormWithGauge);
    ASSERT_NE(form, nullptr);
    auto* gauge = form->findChild<Qv3dGauge*>(QStringLiteral("tankLevel"));
    ASSERT_NE(gauge, nullptr);
    EXPECT_EQ(gauge->max(), 300);
    EXPECT_EQ(gauge->min(), 200);
    EXPECT_EQ(gauge->fillValue(), 250);
    EXPECT_EQ(gauge->gaugeStyle(), Qv3dGauge::SemiNeedle);
    EXPECT_EQ(gauge->bevelStyle(), Qv3dGauge::qvBevelStyleChisled);
    EXPECT_TRUE(gauge->reverseFill());
    EXPECT_EQ(gauge->fillBarColor(), 0x00FF00u);
    EXPECT_EQ(gauge->caption(), "Tank level");
    EXPECT_EQ(gauge->geometry(), QRect(10, 10, 220, 48));
    // A gauge in a running program's form is in run mode.
    EXPECT_TRUE(gauge->userMode());
}

// A refused value in a form leaves that property as it was and the rest of the form loads.
TEST_F(UiLoaderTest, ARefusedValueInAFormChangesNothingElse)
{
    QByteArray form(FormWithGauge);
    form.replace("<number>200</number>", "<number>400</number>"); // Min above Max
    form.replace("qvgauge::Qv3dGauge::SemiNeedle", "qvgauge::Qv3dGauge::NoSuchStyle");
    const std::unique_ptr<QWidget> loaded = loadForm(loader, form);
    ASSERT_NE(loaded, nullptr);
    auto* gauge = loaded->findChild<Qv3dGauge*>(QStringLiteral("tankLevel"));
    ASSERT_NE(gauge, nullptr);
    EXPECT_EQ(gauge->max(), 300);
    EXPECT_EQ(gauge->min(), 0);
    EXPECT_EQ(gauge->fillValue(), 250);
    EXPECT_EQ(gauge->gaugeStyle(), Qv3dGauge::HorizontalBar);
    EXPECT_EQ(gauge->caption(), "Tank level");
}

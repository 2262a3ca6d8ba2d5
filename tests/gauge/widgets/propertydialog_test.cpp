#include "model/dispid.h"
#include "widgets/propertydialog.h"
#include "widgets/propertypagewidget.h"
#include "widgets/qv3dgauge.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

using namespace qvgauge;

namespace {

enum Page { General = 0, Bevels = 1, GaugePage = 2 };

class PropertyDialogTest : public ::testing::Test {
protected:
    template <typename Widget> Widget* field(int page, const char* name)
    {
        auto* widget = dialog.page(page)->findChild<Widget*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QPushButton* button(QDialogButtonBox::StandardButton which)
    {
        return dialog.findChild<QDialogButtonBox*>()->button(which);
    }

    Qv3dGauge gauge;
    GaugePropertyDialog dialog { gauge };
};

} // namespace

TEST_F(PropertyDialogTest, ThePagesShowTheGaugeAndStartClean)
{
    auto* tabs = dialog.findChild<QTabWidget*>();
    ASSERT_NE(tabs, nullptr);
    EXPECT_EQ(tabs->tabText(0), "General");
    EXPECT_EQ(tabs->tabText(1), "Bevels and Borders");
    EXPECT_EQ(tabs->tabText(2), "Gauge");
    EXPECT_FALSE(dialog.isDirty());
    EXPECT_FALSE(button(QDialogButtonBox::Apply)->isEnabled());

    EXPECT_EQ(field<QSpinBox>(GaugePage, "Max")->value(), 100);
    EXPECT_EQ(field<QComboBox>(General, "ScaleMode")->currentIndex(), 3);
    EXPECT_EQ(field<QLineEdit>(General, "Caption")->maxLength(), 255);
    // Bound by the property's exact name, not the page's old spelling.
    EXPECT_NE(field<QCheckBox>(General, "MultiLine"), nullptr);
    // NeedleWidth cannot be set to 0, so its box starts at 1 while the new gauge holds 0.
    auto* needle = field<QSpinBox>(GaugePage, "NeedleWidth");
    EXPECT_EQ(needle->minimum(), 1);
    EXPECT_EQ(needle->value(), 1);
    EXPECT_FALSE(dialog.page(GaugePage)->isDirty(DispId::NeedleWidth));
}

TEST_F(PropertyDialogTest, OkOnAnUntouchedDialogChangesNothing)
{
    QSignalSpy changes(&gauge, &Qv3dGauge::propertyChanged);
    QSignalSpy errors(&gauge, &Qv3dGauge::propertyError);
    button(QDialogButtonBox::Ok)->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(changes.isEmpty());
    EXPECT_TRUE(errors.isEmpty());
    EXPECT_EQ(gauge.needleWidth(), 0);
}

TEST_F(PropertyDialogTest, ApplySendsOnlyTheChangedFields)
{
    QSignalSpy changes(&gauge, &Qv3dGauge::propertyChanged);
    field<QSpinBox>(Bevels, "BevelSize")->setValue(4);
    field<QCheckBox>(General, "MultiLine")->setChecked(true);
    EXPECT_TRUE(dialog.isDirty());
    EXPECT_TRUE(button(QDialogButtonBox::Apply)->isEnabled());

    button(QDialogButtonBox::Apply)->click();
    ASSERT_EQ(changes.count(), 2);
    EXPECT_EQ(changes.at(0).at(0).toInt(), static_cast<int>(DispId::MultiLine));
    EXPECT_EQ(changes.at(1).at(0).toInt(), static_cast<int>(DispId::BevelSize));
    EXPECT_EQ(gauge.bevelSize(), 4);
    EXPECT_TRUE(gauge.multiLine());
    EXPECT_FALSE(dialog.isDirty());
    EXPECT_FALSE(button(QDialogButtonBox::Apply)->isEnabled());
}

TEST_F(PropertyDialogTest, MovesTheRangeTo200To300WithTheValueAt250)
{
    QSignalSpy errors(&gauge, &Qv3dGauge::propertyError);
    field<QSpinBox>(GaugePage, "FillValue")->setValue(250);
    field<QSpinBox>(GaugePage, "Min")->setValue(200);
    field<QSpinBox>(GaugePage, "Max")->setValue(300);
    button(QDialogButtonBox::Ok)->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(errors.isEmpty());
    EXPECT_EQ(gauge.min(), 200);
    EXPECT_EQ(gauge.max(), 300);
    EXPECT_EQ(gauge.fillValue(), 250);
}

TEST_F(PropertyDialogTest, ARefusedValueKeepsTheDialogOpenOnTheField)
{
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    QApplication::processEvents();
    field<QSpinBox>(Bevels, "BevelSize")->setValue(2);
    field<QSpinBox>(GaugePage, "Min")->setValue(50);
    field<QSpinBox>(GaugePage, "Max")->setValue(40);
    auto* tabs = dialog.findChild<QTabWidget*>();
    tabs->setCurrentIndex(General);

    button(QDialogButtonBox::Ok)->click();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(tabs->currentIndex(), GaugePage);
    EXPECT_TRUE(dialog.page(GaugePage)->isDirty(DispId::Max));
    EXPECT_TRUE(dialog.page(GaugePage)->isDirty(DispId::Min));
    EXPECT_EQ(QApplication::focusWidget(), field<QSpinBox>(GaugePage, "Max"));
    EXPECT_TRUE(dialog.findChild<QLabel*>("lblError")->isVisible());
    // The range is untouched; the page before it was applied.
    EXPECT_EQ(gauge.min(), 0);
    EXPECT_EQ(gauge.max(), 100);
    EXPECT_EQ(gauge.bevelSize(), 2);
    EXPECT_FALSE(dialog.page(Bevels)->isDirty());

    // Mended, OK goes through.
    field<QSpinBox>(GaugePage, "Max")->setValue(60);
    button(QDialogButtonBox::Ok)->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(gauge.min(), 50);
    EXPECT_EQ(gauge.max(), 60);
    EXPECT_EQ(gauge.fillValue(), 50);
}

TEST_F(PropertyDialogTest, CancelLeavesTheGaugeAlone)
{
    field<QComboBox>(GaugePage, "GaugeStyle")->setCurrentIndex(3);
    button(QDialogButtonBox::Cancel)->click();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(gauge.gaugeStyle(), Qv3dGauge::HorizontalBar);
}

TEST_F(PropertyDialogTest, FieldsTheGaugeMovedShowTheirNewValues)
{
    // Twips converts the margins; the Gauge page shows them converted.
    field<QComboBox>(General, "ScaleMode")->setCurrentIndex(1);
    button(QDialogButtonBox::Apply)->click();
    EXPECT_EQ(gauge.scaleMode(), Qv3dGauge::QvTwips);
    EXPECT_EQ(field<QSpinBox>(GaugePage, "InnerTop")->value(), 75);

    // "2 - Reserved" is stored as pixels and shown so.
    field<QComboBox>(General, "ScaleMode")->setCurrentIndex(2);
    button(QDialogButtonBox::Apply)->click();
    EXPECT_EQ(field<QComboBox>(General, "ScaleMode")->currentIndex(), 3);
    EXPECT_EQ(field<QSpinBox>(GaugePage, "InnerTop")->value(), 5);
}

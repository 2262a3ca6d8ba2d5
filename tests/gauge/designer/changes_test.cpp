#include "designer/gaugechanges.h"
#include "model/propertypage.h"
#include "widgets/qv3dgauge.h"

#include <QSignalSpy>
#include <gtest/gtest.h>
#include <initializer_list>
#include <utility>

using namespace qvgauge;

namespace {

// An edit the user makes on one of the pages.
struct Edit {
    PropertyPage page;
    DispId field;
    FieldValue value;
};

void copyInto(Qv3dGauge& target, const Qv3dGauge& source)
{
    target.setObjectName(source.objectName());
    target.restoreState(source.saveState());
}

// `before` edited through the property pages, as the dialog does it.
void applyEdits(Qv3dGauge& gauge, std::initializer_list<Edit> edits)
{
    for (PropertyPage page :
        { PropertyPage::General, PropertyPage::BevelsAndBorders, PropertyPage::Gauge }) {
        PropertyPageModel model(page);
        gauge.readPropertyPage(model);
        for (const Edit& edit : edits) {
            if (edit.page == page) {
                ASSERT_TRUE(model.edit(edit.field, edit.value));
            }
        }
        ASSERT_TRUE(gauge.applyPropertyPage(model).ok);
    }
}

// Plays the changes onto a copy of `before` the way the form's undo stack would: one set per
// change, each remembering the value it replaced. Every set must be accepted and change
// exactly its own property; the copy must end equal to `after`, and undoing every set in
// reverse must give `before` back.
void expectReplayable(const Qv3dGauge& before, const Qv3dGauge& after)
{
    const std::vector<PropertyChange> changes = pagePropertyChanges(before, after);
    Qv3dGauge form;
    copyInto(form, before);
    QSignalSpy refused(&form, &Qv3dGauge::propertyError);
    QSignalSpy changed(&form, &Qv3dGauge::propertyChanged);

    std::vector<std::pair<QByteArray, QVariant>> undo;
    for (const PropertyChange& change : changes) {
        undo.emplace_back(change.name, form.property(change.name.constData()));
        changed.clear();
        ASSERT_TRUE(form.setProperty(change.name.constData(), change.value)) << change.name.data();
        // ScaleMode converts the margins; nothing else may move another property.
        if (change.name != "ScaleMode") {
            EXPECT_LE(changed.count(), 1) << change.name.data() << " moved another property";
        }
    }
    EXPECT_EQ(refused.count(), 0);
    EXPECT_EQ(form.saveState(), after.saveState());

    for (auto step = undo.rbegin(); step != undo.rend(); ++step)
        form.setProperty(step->first.constData(), step->second);
    EXPECT_EQ(refused.count(), 0);
    EXPECT_EQ(form.saveState(), before.saveState());
}

class PagePropertyChangesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        before.setObjectName(QStringLiteral("gauge1"));
        before.setAutosize(false);
        // A new gauge holds NeedleWidth 0, which its setter refuses: undoing a change of the
        // width could not set that 0 back. Start from a width the setter takes.
        before.setNeedleWidth(1);
        copyInto(after, before);
    }

    Qv3dGauge before;
    Qv3dGauge after;
};

} // namespace

TEST_F(PagePropertyChangesTest, AnUntouchedGaugeSendsNothing)
{
    EXPECT_TRUE(pagePropertyChanges(before, after).empty());
    // Properties outside the pages are not the pages' to send.
    after.setFillBarColor(0x00FF00);
    after.setPicture(QPixmap(4, 4));
    EXPECT_TRUE(pagePropertyChanges(before, after).empty());
}

TEST_F(PagePropertyChangesTest, OnlyTheChangedPropertiesAreSentWithTheirNewValues)
{
    applyEdits(after,
        { { PropertyPage::General, DispId::Caption, std::string("Tank") },
            { PropertyPage::BevelsAndBorders, DispId::BevelStyle, 2 },
            { PropertyPage::Gauge, DispId::NeedleWidth, 3 } });
    const std::vector<PropertyChange> changes = pagePropertyChanges(before, after);
    ASSERT_EQ(changes.size(), 3u);
    EXPECT_EQ(changes[0], (PropertyChange { "Caption", QString("Tank") }));
    EXPECT_EQ(changes[1].name, "BevelStyle");
    EXPECT_EQ(changes[1].value.toInt(), 2);
    EXPECT_EQ(changes[2].name, "NeedleWidth");
    expectReplayable(before, after);
}

// Whatever the pages did to the range, the sets reach the same end in a valid order and undo
// back to the start without FillValue being dragged along on the way.
TEST_F(PagePropertyChangesTest, RangeMovesReplayAndUndoExactly)
{
    struct Range {
        int min, max, value;
    };
    const std::pair<Range, Range> moves[] {
        { { 0, 100, 50 }, { 200, 300, 250 } }, // up past the old Max
        { { 200, 300, 250 }, { 0, 100, 50 } }, // down past the old Min
        { { 0, 100, 80 }, { 0, 50, 50 } }, // narrowed below the value
        { { 10, 100, 20 }, { 40, 60, 45 } }, // narrowed at both ends
        { { 40, 60, 45 }, { 0, 1000, 45 } }, // widened, value kept
        { { 0, 100, 30 }, { 0, 100, 70 } }, // only the value
    };
    for (const auto& [from, to] : moves) {
        SCOPED_TRACE(testing::Message()
            << from.min << ".." << from.max << " to " << to.min << ".." << to.max);
        before.setMax(1000);
        before.setMin(from.min);
        before.setMax(from.max);
        before.setFillValue(from.value);
        copyInto(after, before);
        applyEdits(after,
            { { PropertyPage::Gauge, DispId::Min, to.min },
                { PropertyPage::Gauge, DispId::Max, to.max },
                { PropertyPage::Gauge, DispId::FillValue, to.value } });
        ASSERT_EQ(after.min(), to.min);
        ASSERT_EQ(after.max(), to.max);
        ASSERT_EQ(after.fillValue(), to.value);
        expectReplayable(before, after);
    }
}

TEST_F(PagePropertyChangesTest, AScaleModeSwitchGoesBeforeTheMarginsItConverts)
{
    applyEdits(after,
        { { PropertyPage::General, DispId::ScaleMode, 1 },
            { PropertyPage::Gauge, DispId::InnerLeft, 300 } });
    const std::vector<PropertyChange> changes = pagePropertyChanges(before, after);
    ASSERT_FALSE(changes.empty());
    EXPECT_EQ(changes.front().name, "ScaleMode");
    expectReplayable(before, after);

    // And back to pixels, from a gauge that holds twips.
    copyInto(before, after);
    applyEdits(after, { { PropertyPage::General, DispId::ScaleMode, 3 } });
    EXPECT_EQ(pagePropertyChanges(before, after).front().name, "ScaleMode");
    expectReplayable(before, after);
}

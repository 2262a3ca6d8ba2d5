#include "widgets/qv3dgauge.h"

#include <QExtensionManager>
#include <QPluginLoader>
#include <QXmlStreamReader>
#include <QtDesigner/QDesignerFormEditorInterface>
#include <QtDesigner/QDesignerTaskMenuExtension>
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>
#include <gtest/gtest.h>
#include <memory>

using namespace qvgauge;

namespace {

// A form editor with nothing but an extension manager, enough for the plugin to register its
// task menu with.
class BareFormEditor : public QDesignerFormEditorInterface {
public:
    BareFormEditor() { setExtensionManager(new QExtensionManager(this)); }
};

class DesignerPluginTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        loader.setFileName(QStringLiteral(GAUGE_PLUGIN_FILE));
        ASSERT_TRUE(loader.load()) << qPrintable(loader.errorString());
        collection = qobject_cast<QDesignerCustomWidgetCollectionInterface*>(loader.instance());
        ASSERT_NE(collection, nullptr);
        for (QDesignerCustomWidgetInterface* widget : collection->customWidgets()) {
            if (widget->name() == QStringLiteral("qvgauge::Qv3dGauge"))
                gaugeEntry = widget;
        }
        ASSERT_NE(gaugeEntry, nullptr);
    }

    // Not unloaded at the end: the plugin's objects live as long as the process, as in a host.
    QPluginLoader loader;
    QDesignerCustomWidgetCollectionInterface* collection = nullptr;
    QDesignerCustomWidgetInterface* gaugeEntry = nullptr;
};

// The class, name and geometry of the first widget in a widget-box entry.
struct DomWidget {
    QString className;
    QString name;
    bool hasGeometry = false;
};

DomWidget firstWidget(const QString& xml)
{
    DomWidget widget;
    QXmlStreamReader reader(xml);
    while (reader.readNextStartElement()) {
        if (reader.name() == QLatin1String("ui"))
            continue;
        if (reader.name() != QLatin1String("widget"))
            break;
        widget.className = reader.attributes().value(QLatin1String("class")).toString();
        widget.name = reader.attributes().value(QLatin1String("name")).toString();
        while (reader.readNextStartElement()) {
            if (reader.attributes().value(QLatin1String("name")) == QLatin1String("geometry"))
                widget.hasGeometry = true;
            reader.skipCurrentElement();
        }
        break;
    }
    EXPECT_FALSE(reader.hasError()) << qPrintable(reader.errorString());
    return widget;
}

} // namespace

TEST_F(DesignerPluginTest, TheWidgetBoxEntryDescribesTheGauge)
{
    EXPECT_FALSE(gaugeEntry->group().isEmpty());
    EXPECT_FALSE(gaugeEntry->toolTip().isEmpty());
    EXPECT_FALSE(gaugeEntry->icon().isNull());
    EXPECT_FALSE(gaugeEntry->isContainer());
    // Generated form code includes this header, which the library's include folder provides.
    EXPECT_EQ(gaugeEntry->includeFile(), "widgets/qv3dgauge.h");

    const DomWidget widget = firstWidget(gaugeEntry->domXml());
    EXPECT_EQ(widget.className, gaugeEntry->name());
    EXPECT_FALSE(widget.name.isEmpty());
    EXPECT_TRUE(widget.hasGeometry);
}

TEST_F(DesignerPluginTest, GaugesAreInDesignModeOnlyWhenTheDesignerMakesThemForAForm)
{
    // A program loading a form creates gauges through the plugin without a designer.
    EXPECT_FALSE(gaugeEntry->isInitialized());
    std::unique_ptr<QWidget> running(gaugeEntry->createWidget(nullptr));
    auto* runningGauge = qobject_cast<Qv3dGauge*>(running.get());
    ASSERT_NE(runningGauge, nullptr);
    EXPECT_TRUE(runningGauge->userMode());

    BareFormEditor core;
    gaugeEntry->initialize(&core);
    EXPECT_TRUE(gaugeEntry->isInitialized());
    std::unique_ptr<QWidget> designed(gaugeEntry->createWidget(nullptr));
    auto* designedGauge = qobject_cast<Qv3dGauge*>(designed.get());
    ASSERT_NE(designedGauge, nullptr);
    EXPECT_FALSE(designedGauge->userMode());

    // Inside a widget that is no form window (the designer's preview) the gauge runs.
    QWidget preview;
    auto* previewed = qobject_cast<Qv3dGauge*>(gaugeEntry->createWidget(&preview));
    ASSERT_NE(previewed, nullptr);
    EXPECT_TRUE(previewed->userMode());

    // The property pages are offered in the gauge's context menu, and on a double click.
    auto* menu = qt_extension<QDesignerTaskMenuExtension*>(core.extensionManager(), designedGauge);
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->taskActions().size(), 1);
    EXPECT_EQ(menu->preferredEditAction(), menu->taskActions().first());
    EXPECT_TRUE(menu->preferredEditAction()->text().contains(QStringLiteral("Properties")));
    // Other widgets get no gauge menu.
    EXPECT_EQ(
        qt_extension<QDesignerTaskMenuExtension*>(core.extensionManager(), &preview), nullptr);
}

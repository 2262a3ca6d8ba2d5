#include "designer/gaugewidgetplugin.h"

#include "designer/gaugetaskmenu.h"
#include "widgets/qv3dgauge.h"

#include <QExtensionManager>
#include <QIcon>
#include <QtDesigner/QDesignerFormEditorInterface>
#include <QtDesigner/QDesignerFormWindowInterface>

namespace qvgauge {

namespace {

// A gauge is edited in a form when the designer made it inside one of its form windows. With
// no parent it is being made on its own (for the widget box, say), which only the designer does.
bool madeForForm(QWidget* parent)
{
    return !parent || QDesignerFormWindowInterface::findFormWindow(parent);
}

} // namespace

GaugeWidgetPlugin::GaugeWidgetPlugin(QObject* parent)
    : QObject(parent)
{
}

QString GaugeWidgetPlugin::name() const
{
    return QStringLiteral("qvgauge::Qv3dGauge");
}

QString GaugeWidgetPlugin::group() const
{
    return QStringLiteral("Display Widgets");
}

QString GaugeWidgetPlugin::toolTip() const
{
    return QStringLiteral("3-D gauge: a bar, needle or picture fill between Min and Max");
}

QString GaugeWidgetPlugin::whatsThis() const
{
    return QStringLiteral(
        "Shows FillValue between Min and Max as a horizontal or vertical bar, a needle on a half "
        "or full dial, or a picture revealed over another, with border, bevels and a 3-D "
        "caption. Right-click it for its property pages.");
}

QString GaugeWidgetPlugin::includeFile() const
{
    return QStringLiteral("widgets/qv3dgauge.h");
}

QIcon GaugeWidgetPlugin::icon() const
{
    // The gauge draws its own icon: a raised vertical bar, two thirds full.
    Qv3dGauge gauge;
    gauge.setAutosize(false);
    gauge.setInnerTop(2);
    gauge.setInnerLeft(6);
    gauge.setInnerRight(6);
    gauge.setInnerBottom(2);
    gauge.setGaugeStyle(Qv3dGauge::VerticalBar);
    gauge.setBevelStyle(Qv3dGauge::qvBevelStyleRaised);
    gauge.setBevelSize(2);
    gauge.setBevelSizeInner(1);
    gauge.setFillValue(65);
    gauge.resize(32, 32);
    return QIcon(gauge.grab());
}

bool GaugeWidgetPlugin::isContainer() const
{
    return false;
}

QString GaugeWidgetPlugin::domXml() const
{
    return QStringLiteral(R"(<ui language="c++" displayname="Qv3dGauge">
 <widget class="qvgauge::Qv3dGauge" name="gauge">
  <property name="geometry">
   <rect>
    <x>0</x>
    <y>0</y>
    <width>200</width>
    <height>40</height>
   </rect>
  </property>
  <property name="BevelSize">
   <number>2</number>
  </property>
  <property name="BevelSizeInner">
   <number>1</number>
  </property>
  <property name="FillValue">
   <number>50</number>
  </property>
 </widget>
</ui>
)");
}

QWidget* GaugeWidgetPlugin::createWidget(QWidget* parent)
{
    auto* gauge = new Qv3dGauge(parent);
    gauge->setUserMode(!(m_core && madeForForm(parent)));
    return gauge;
}

bool GaugeWidgetPlugin::isInitialized() const
{
    return m_core != nullptr;
}

void GaugeWidgetPlugin::initialize(QDesignerFormEditorInterface* core)
{
    if (m_core)
        return;
    m_core = core;
    if (QExtensionManager* manager = core ? core->extensionManager() : nullptr) {
        manager->registerExtensions(
            new GaugeTaskMenuFactory(manager), Q_TYPEID(QDesignerTaskMenuExtension));
    }
}

} // namespace qvgauge

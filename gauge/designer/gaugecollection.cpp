#include "designer/gaugecollection.h"

#include "designer/gaugewidgetplugin.h"

namespace qvgauge {

GaugeWidgetCollection::GaugeWidgetCollection(QObject* parent)
    : QObject(parent)
{
    m_widgets.append(new GaugeWidgetPlugin(this));
}

QList<QDesignerCustomWidgetInterface*> GaugeWidgetCollection::customWidgets() const
{
    return m_widgets;
}

} // namespace qvgauge

#include "designer/gaugetaskmenu.h"

#include "designer/gaugechanges.h"
#include "widgets/propertydialog.h"
#include "widgets/qv3dgauge.h"

#include <QAction>
#include <QTimer>
#include <QtDesigner/QDesignerFormWindowCursorInterface>
#include <QtDesigner/QDesignerFormWindowInterface>

namespace qvgauge {

GaugeTaskMenu::GaugeTaskMenu(Qv3dGauge* gauge, QObject* parent)
    : QObject(parent)
    , m_gauge(gauge)
    , m_editAction(new QAction(QStringLiteral("Edit Gauge Properties..."), this))
{
    connect(m_editAction, &QAction::triggered, this, &GaugeTaskMenu::editProperties);
}

QAction* GaugeTaskMenu::preferredEditAction() const
{
    return m_editAction;
}

QList<QAction*> GaugeTaskMenu::taskActions() const
{
    return { m_editAction };
}

void GaugeTaskMenu::editProperties()
{
    if (!m_gauge)
        return;
    // The pages work on a copy, so that every change the form sees comes through its cursor.
    Qv3dGauge copy;
    copy.setObjectName(m_gauge->objectName());
    copy.setUserMode(false);
    copy.restoreState(m_gauge->saveState());

    GaugePropertyDialog dialog(copy, m_gauge->window());
    dialog.setWindowTitle(QStringLiteral("%1 Properties").arg(m_gauge->objectName()));
    // Apply changes the copy in one go; the form follows once the dialog has finished applying.
    connect(&copy, &Qv3dGauge::propertyChanged, &copy,
        [this, &copy] { QTimer::singleShot(0, &copy, [this, &copy] { commit(copy); }); });
    dialog.exec();
    commit(copy);
}

void GaugeTaskMenu::commit(const Qv3dGauge& edited)
{
    if (!m_gauge)
        return;
    const std::vector<PropertyChange> changes = pagePropertyChanges(*m_gauge, edited);
    if (changes.empty())
        return;
    QDesignerFormWindowInterface* form = QDesignerFormWindowInterface::findFormWindow(m_gauge);
    if (!form)
        return;
    form->beginCommand(QStringLiteral("Change properties of '%1'").arg(m_gauge->objectName()));
    for (const PropertyChange& change : changes)
        form->cursor()->setWidgetProperty(m_gauge, QString::fromLatin1(change.name), change.value);
    form->endCommand();
}

GaugeTaskMenuFactory::GaugeTaskMenuFactory(QExtensionManager* parent)
    : QExtensionFactory(parent)
{
}

QObject* GaugeTaskMenuFactory::createExtension(
    QObject* object, const QString& iid, QObject* parent) const
{
    if (iid != Q_TYPEID(QDesignerTaskMenuExtension))
        return nullptr;
    if (auto* gauge = qobject_cast<Qv3dGauge*>(object))
        return new GaugeTaskMenu(gauge, parent);
    return nullptr;
}

} // namespace qvgauge

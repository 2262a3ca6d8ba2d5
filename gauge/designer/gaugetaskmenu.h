#pragma once

#include <QExtensionFactory>
#include <QPointer>
#include <QtDesigner/QDesignerTaskMenuExtension>

class QAction;

namespace qvgauge {

class Qv3dGauge;

// The gauge's entry in the form designer's context menu: its property pages. The pages edit a
// copy of the gauge; what they change reaches the form's gauge through the form window's
// cursor, one undo step per Apply or OK, and marks the form modified.
class GaugeTaskMenu : public QObject, public QDesignerTaskMenuExtension {
    Q_OBJECT
    Q_INTERFACES(QDesignerTaskMenuExtension)

public:
    GaugeTaskMenu(Qv3dGauge* gauge, QObject* parent);

    QAction* preferredEditAction() const override;
    QList<QAction*> taskActions() const override;

private:
    void editProperties();
    // Sends what differs between the form's gauge and `edited` through the cursor.
    void commit(const Qv3dGauge& edited);

    QPointer<Qv3dGauge> m_gauge;
    QAction* m_editAction = nullptr;
};

// Makes the task menu for each gauge on a form.
class GaugeTaskMenuFactory : public QExtensionFactory {
    Q_OBJECT

public:
    explicit GaugeTaskMenuFactory(QExtensionManager* parent = nullptr);

protected:
    QObject* createExtension(QObject* object, const QString& iid, QObject* parent) const override;
};

} // namespace qvgauge

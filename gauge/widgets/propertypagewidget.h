#pragma once

#include "model/propertypage.h"
#include "widgets/qvgaugeexport.h"

#include <QWidget>
#include <map>

namespace qvgauge {

class Qv3dGauge;

// One property page as widgets: a field per property of the page, each named after its
// property, showing the page model's values and passing the user's edits to it. The spin boxes
// keep numbers inside the field's range; the page model decides what is dirty and applies it.
class QVGAUGE_EXPORT PropertyPageWidget : public QWidget {
    Q_OBJECT

public:
    explicit PropertyPageWidget(PropertyPage page, QWidget* parent = nullptr);

    PropertyPage page() const { return m_model.page(); }
    QString title() const;

    // Takes every field from the gauge; the page is clean afterwards.
    void read(const Qv3dGauge& gauge);
    // Applies the changed fields. On a refusal the refused field gets the focus and stays dirty.
    ApplyResult apply(Qv3dGauge& gauge);
    bool isDirty() const { return m_model.isDirty(); }
    bool isDirty(DispId field) const { return m_model.isDirty(field); }

    // The widget that edits `field`, or none.
    QWidget* fieldWidget(DispId field) const;

Q_SIGNALS:
    // The user changed a field.
    void edited();
    // The General page's "About..." button.
    void aboutRequested();

private:
    void build();
    void show(DispId field);
    void showAll();
    void take(DispId field, FieldValue value);

    PropertyPageModel m_model;
    std::map<DispId, QWidget*> m_fields;
};

} // namespace qvgauge

#pragma once

#include "widgets/qvgaugeexport.h"

#include <QDialog>
#include <QPointer>
#include <array>

class QDialogButtonBox;
class QLabel;
class QTabWidget;

namespace qvgauge {

class PropertyPageWidget;
class Qv3dGauge;

// The gauge's three property pages in one dialog. OK applies the changed fields and closes,
// Apply applies them and stays, Cancel closes without applying. A value the gauge refuses
// keeps the dialog open on the refused field's page, with the field focused and still dirty.
class QVGAUGE_EXPORT GaugePropertyDialog : public QDialog {
    Q_OBJECT

public:
    explicit GaugePropertyDialog(Qv3dGauge& gauge, QWidget* parent = nullptr);

    PropertyPageWidget* page(int index) const;
    bool isDirty() const;

    // Applies every page with changes; false when the gauge refused a value.
    bool applyChanges();

    void accept() override;

private:
    void updateButtons();

    QPointer<Qv3dGauge> m_gauge;
    QTabWidget* m_tabs = nullptr;
    std::array<PropertyPageWidget*, 3> m_pages {};
    QLabel* m_error = nullptr;
    QDialogButtonBox* m_buttons = nullptr;
};

} // namespace qvgauge

#pragma once

#include <QtUiPlugin/QDesignerCustomWidgetInterface>

class QDesignerFormEditorInterface;

namespace qvgauge {

// The gauge in the form designer's widget box. Gauges made for a form being edited are in
// design mode (outlined, leaving the cursor alone); gauges made for a running program that
// loads a form, or for the designer's preview, are in run mode.
class GaugeWidgetPlugin : public QObject, public QDesignerCustomWidgetInterface {
    Q_OBJECT
    Q_INTERFACES(QDesignerCustomWidgetInterface)

public:
    explicit GaugeWidgetPlugin(QObject* parent = nullptr);

    QString name() const override;
    QString group() const override;
    QString toolTip() const override;
    QString whatsThis() const override;
    QString includeFile() const override;
    QIcon icon() const override;
    bool isContainer() const override;
    QString domXml() const override;
    QWidget* createWidget(QWidget* parent) override;
    bool isInitialized() const override;
    void initialize(QDesignerFormEditorInterface* core) override;

private:
    QDesignerFormEditorInterface* m_core = nullptr;
};

} // namespace qvgauge

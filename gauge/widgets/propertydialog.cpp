#include "widgets/propertydialog.h"

#include "widgets/propertypagewidget.h"
#include "widgets/qv3dgauge.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace qvgauge {

GaugePropertyDialog::GaugePropertyDialog(Qv3dGauge& gauge, QWidget* parent)
    : QDialog(parent)
    , m_gauge(&gauge)
{
    setWindowTitle(QStringLiteral("Properties"));
    auto* layout = new QVBoxLayout(this);
    m_tabs = new QTabWidget(this);
    const std::array kinds { PropertyPage::General, PropertyPage::BevelsAndBorders,
        PropertyPage::Gauge };
    for (std::size_t i = 0; i < kinds.size(); ++i) {
        auto* page = new PropertyPageWidget(kinds[i], m_tabs);
        page->read(gauge);
        connect(page, &PropertyPageWidget::edited, this, &GaugePropertyDialog::updateButtons);
        connect(page, &PropertyPageWidget::aboutRequested, this, [this] {
            if (m_gauge)
                m_gauge->AboutBox();
        });
        m_tabs->addTab(page, page->title());
        m_pages[i] = page;
    }
    layout->addWidget(m_tabs);

    m_error = new QLabel(this);
    m_error->setObjectName(QStringLiteral("lblError"));
    m_error->hide();
    layout->addWidget(m_error);

    m_buttons = new QDialogButtonBox(
        QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Apply, this);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &GaugePropertyDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &GaugePropertyDialog::reject);
    connect(m_buttons->button(QDialogButtonBox::Apply), &QPushButton::clicked, this,
        &GaugePropertyDialog::applyChanges);
    layout->addWidget(m_buttons);
    updateButtons();
}

PropertyPageWidget* GaugePropertyDialog::page(int index) const
{
    return index >= 0 && index < static_cast<int>(m_pages.size())
        ? m_pages[static_cast<std::size_t>(index)]
        : nullptr;
}

bool GaugePropertyDialog::isDirty() const
{
    for (const PropertyPageWidget* page : m_pages) {
        if (page->isDirty())
            return true;
    }
    return false;
}

bool GaugePropertyDialog::applyChanges()
{
    if (!m_gauge)
        return false;
    bool ok = true;
    for (PropertyPageWidget* page : m_pages) {
        if (!page->isDirty())
            continue;
        const ApplyResult result = page->apply(*m_gauge);
        if (!result.ok) {
            m_tabs->setCurrentWidget(page);
            if (result.focus) {
                if (QWidget* field = page->fieldWidget(*result.focus))
                    field->setFocus(Qt::OtherFocusReason);
            }
            m_error->setText(QStringLiteral("Invalid property value."));
            m_error->show();
            ok = false;
            break;
        }
    }
    if (ok)
        m_error->hide();
    // Fields the gauge moved (a new range drags the value along) show their new values.
    for (PropertyPageWidget* page : m_pages) {
        if (!page->isDirty())
            page->read(*m_gauge);
    }
    updateButtons();
    return ok;
}

void GaugePropertyDialog::accept()
{
    if (applyChanges())
        QDialog::accept();
}

void GaugePropertyDialog::updateButtons()
{
    m_buttons->button(QDialogButtonBox::Apply)->setEnabled(isDirty());
}

} // namespace qvgauge

#include "widgets/propertypagewidget.h"

#include "widgets/qv3dgauge.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>

namespace qvgauge {

namespace {

QString text(std::string_view view)
{
    return QString::fromUtf8(view.data(), static_cast<qsizetype>(view.size()));
}

} // namespace

PropertyPageWidget::PropertyPageWidget(PropertyPage page, QWidget* parent)
    : QWidget(parent)
    , m_model(page)
{
    build();
}

QString PropertyPageWidget::title() const
{
    return text(pageTitle(m_model.page()));
}

void PropertyPageWidget::build()
{
    auto* form = new QFormLayout(this);
    for (const PageField& field : m_model.fields()) {
        const DispId id = field.property;
        // Each field is found by its property's exact name.
        const PropertyInfo* info = propertyInfo(id);
        QWidget* editor = nullptr;
        switch (field.kind) {
        case FieldKind::List: {
            auto* list = new QComboBox(this);
            for (std::string_view item : field.items)
                list->addItem(text(item));
            connect(list, &QComboBox::currentIndexChanged, this,
                [this, id](int index) { take(id, index); });
            editor = list;
            break;
        }
        case FieldKind::Check: {
            auto* check = new QCheckBox(text(field.label), this);
            connect(check, &QCheckBox::toggled, this, [this, id](bool on) { take(id, on); });
            editor = check;
            break;
        }
        case FieldKind::Number: {
            auto* number = new QSpinBox(this);
            number->setRange(field.minimum, field.maximum);
            connect(number, &QSpinBox::valueChanged, this, [this, id](int v) { take(id, v); });
            editor = number;
            break;
        }
        case FieldKind::Text: {
            auto* line = new QLineEdit(this);
            line->setMaxLength(field.maxLength);
            connect(line, &QLineEdit::textEdited, this,
                [this, id](const QString& value) { take(id, value.toStdString()); });
            editor = line;
            break;
        }
        }
        editor->setObjectName(text(info->name));
        m_fields[id] = editor;
        if (field.kind == FieldKind::Check) {
            form->addRow(editor);
        } else {
            auto* label = new QLabel(text(field.label), this);
            label->setBuddy(editor);
            form->addRow(label, editor);
        }
    }
    if (m_model.page() == PropertyPage::General) {
        auto* about = new QPushButton(QStringLiteral("A&bout..."), this);
        about->setObjectName(QStringLiteral("cmdAbout"));
        connect(about, &QPushButton::clicked, this, &PropertyPageWidget::aboutRequested);
        form->addRow(about);
    }
}

void PropertyPageWidget::take(DispId field, FieldValue value)
{
    m_model.edit(field, std::move(value));
    Q_EMIT edited();
}

QWidget* PropertyPageWidget::fieldWidget(DispId field) const
{
    const auto found = m_fields.find(field);
    return found == m_fields.end() ? nullptr : found->second;
}

// Filling a field never counts as an edit: a spin box whose range starts above the gauge's
// value (NeedleWidth holds 0 on a new gauge) shows its minimum while the field keeps the value.
void PropertyPageWidget::show(DispId field)
{
    QWidget* editor = fieldWidget(field);
    if (!editor)
        return;
    const QSignalBlocker blocker(editor);
    const FieldValue value = m_model.value(field);
    if (auto* list = qobject_cast<QComboBox*>(editor))
        list->setCurrentIndex(std::get<int>(value));
    else if (auto* check = qobject_cast<QCheckBox*>(editor))
        check->setChecked(std::get<bool>(value));
    else if (auto* number = qobject_cast<QSpinBox*>(editor))
        number->setValue(std::get<int>(value));
    else if (auto* line = qobject_cast<QLineEdit*>(editor))
        line->setText(QString::fromStdString(std::get<std::string>(value)));
}

void PropertyPageWidget::showAll()
{
    for (const auto& [field, editor] : m_fields)
        show(field);
}

void PropertyPageWidget::read(const Qv3dGauge& gauge)
{
    gauge.readPropertyPage(m_model);
    showAll();
}

ApplyResult PropertyPageWidget::apply(Qv3dGauge& gauge)
{
    const ApplyResult result = gauge.applyPropertyPage(m_model);
    showAll();
    if (!result.ok && result.focus) {
        if (QWidget* editor = fieldWidget(*result.focus))
            editor->setFocus(Qt::OtherFocusReason);
    }
    return result;
}

} // namespace qvgauge

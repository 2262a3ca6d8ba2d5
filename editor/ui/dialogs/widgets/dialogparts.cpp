#include "ui/dialogs/widgets/dialogparts.h"

#include "ui/controls/windows1252codec.h"
#include "ui/dialogs/repeatcount.h"
#include "ui/dialogs/speedscale.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QValidator>
#include <QVBoxLayout>

namespace marquis::qt {
namespace {

// The count box takes digits only, typed or pasted.
class RepeatCountValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override
    {
        for (const QChar character : input)
            if (character.unicode() > 126 || !acceptsRepeatKey(character.unicode()))
                return Invalid;
        return Acceptable;
    }
};

template <typename Control> Control* named(Control* control, const QString& name)
{
    control->setObjectName(name);
    return control;
}

} // namespace

QString caption(std::string_view utf8)
{
    return fromUtf8(utf8);
}

QPushButton* namedButton(const char* name, std::string_view text, QWidget* parent)
{
    return named(new QPushButton(caption(text), parent), QString::fromLatin1(name));
}

QLabel* namedLabel(const QString& name, std::string_view text, QWidget* parent)
{
    return named(new QLabel(caption(text), parent), name);
}

QRadioButton* namedOption(const char* name, std::string_view text, QWidget* parent)
{
    return named(new QRadioButton(caption(text), parent), QString::fromLatin1(name));
}

QSlider* speedSlider(const char* name, QWidget* parent)
{
    auto* slider = named(new QSlider(Qt::Horizontal, parent), QString::fromLatin1(name));
    slider->setRange(SlowestPosition, FastestPosition);
    slider->setPageStep(1);
    slider->setTickPosition(QSlider::TicksBelow);
    return slider;
}

QLabel* speedWordLabel(const char* name, QWidget* parent, std::string_view widest)
{
    QLabel* word = namedLabel(QString::fromLatin1(name), "", parent);
    word->setMinimumWidth(word->fontMetrics().horizontalAdvance(caption(widest)) + 8);
    return word;
}

QLineEdit* repeatCountBox(QWidget* parent)
{
    auto* box = named(new QLineEdit(parent), QStringLiteral("txtRepeat"));
    box->setValidator(new RepeatCountValidator(box));
    box->setMaxLength(static_cast<int>(RepeatCountDigits));
    box->setMaximumWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 12);
    return box;
}

QGroupBox* repeatOptionsFrame(std::string_view text, QRadioButton* repeat, QLineEdit* count,
    QLabel* countLabel, QRadioButton* nonstop, QCheckBox* lock, QWidget* parent)
{
    auto* frame = named(new QGroupBox(caption(text), parent), QStringLiteral("Frame1"));
    auto* row = new QHBoxLayout;
    row->addWidget(repeat);
    row->addWidget(count);
    row->addWidget(countLabel);
    row->addStretch();
    auto* layout = new QVBoxLayout(frame);
    layout->addLayout(row);
    layout->addWidget(nonstop);
    layout->addWidget(lock);
    return frame;
}

QVBoxLayout* speedFrame(
    std::string_view text, QSlider* slider, QLabel* word, QWidget* parent, QGroupBox** frame)
{
    *frame = named(new QGroupBox(caption(text), parent), QStringLiteral("Frame2"));
    auto* row = new QHBoxLayout;
    row->addWidget(slider, 1);
    row->addWidget(word);
    auto* layout = new QVBoxLayout(*frame);
    layout->addLayout(row);
    return layout;
}

QVBoxLayout* buttonColumn(std::initializer_list<QPushButton*> buttons)
{
    auto* column = new QVBoxLayout;
    for (QPushButton* button : buttons)
        column->addWidget(button);
    column->addStretch();
    return column;
}

void centreOverOwner(QWidget* dialog)
{
    if (QWidget* owner = dialog->parentWidget()) {
        const QRect frame = owner->window()->frameGeometry();
        dialog->move(frame.left() + (frame.width() - dialog->width()) / 2,
            frame.top() + (frame.height() - dialog->height()) / 2);
    }
}

} // namespace marquis::qt

#include "ui/controls/numberscrollbar.h"

namespace marquis::qt {

NumberScrollBar::NumberScrollBar(int minimum, int maximum, QWidget* parent)
    : QScrollBar(Qt::Vertical, parent)
{
    setNumberRange(minimum, maximum);
    setSingleStep(1);
    setPageStep(1);
    connect(
        this, &QScrollBar::valueChanged, this, [this](int value) { emit numberChanged(-value); });
}

} // namespace marquis::qt

#pragma once

#include <QScrollBar>

namespace marquis::qt {

// The small vertical scroll bar beside a number box (vsbMsg, vsbLine, vsbTask). Its up arrow,
// the Up key, the wheel turned up and a click above the slider all raise the number, and the
// highest number sits at the top. A plain vertical scroll bar counts downwards, so this one
// keeps the negated number as its value; use the number calls rather than value().
class NumberScrollBar : public QScrollBar {
    Q_OBJECT
public:
    NumberScrollBar(int minimum, int maximum, QWidget* parent = nullptr);

    int number() const { return -value(); }
    void setNumber(int number) { setValue(-number); }
    void setNumberRange(int minimum, int maximum) { setRange(-maximum, -minimum); }
    int minimumNumber() const { return -maximum(); }
    int maximumNumber() const { return -minimum(); }

signals:
    // The user or the program moved the bar to another number.
    void numberChanged(int number);
};

} // namespace marquis::qt

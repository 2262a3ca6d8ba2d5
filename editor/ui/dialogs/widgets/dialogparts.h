#pragma once

#include <QString>

#include <initializer_list>
#include <string_view>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;
class QVBoxLayout;
class QWidget;

namespace marquis::qt {

// Pieces the attribute dialogs build alike. Every control carries its name as its
// objectName, so that tests and the status texts find it; captions are UTF-8.

QString caption(std::string_view utf8);
QPushButton* namedButton(const char* name, std::string_view text, QWidget* parent);
QLabel* namedLabel(const QString& name, std::string_view text, QWidget* parent);
QRadioButton* namedOption(const char* name, std::string_view text, QWidget* parent);

// The speed slider (SLOWEST to FASTEST) and the label that shows its word, wide enough for
// the longest word so that the layout does not move while the word changes.
QSlider* speedSlider(const char* name, QWidget* parent);
QLabel* speedWordLabel(const char* name, QWidget* parent, std::string_view widest = "SLOWEST");

// The repeat-count box "txtRepeat": digits only, typed or pasted, at most three of them.
QLineEdit* repeatCountBox(QWidget* parent);

// The options frame of the scroll dialogs: the count with its option and label on one row,
// then "until the next message" and the lock.
QGroupBox* repeatOptionsFrame(std::string_view text, QRadioButton* repeat, QLineEdit* count,
    QLabel* countLabel, QRadioButton* nonstop, QCheckBox* lock, QWidget* parent);

// A frame "Frame2" with the speed slider and its word on one row; the caller adds the preview
// below it to the returned layout.
QVBoxLayout* speedFrame(std::string_view text, QSlider* slider, QLabel* word, QWidget* parent,
    QGroupBox** frame);

// OK, Cancel and Help stacked at the dialog's right edge.
QVBoxLayout* buttonColumn(std::initializer_list<QPushButton*> buttons);

// Places a dialog over the middle of the window that opened it.
void centreOverOwner(QWidget* dialog);

} // namespace marquis::qt

#pragma once

#include <QDialog>
#include <QPixmap>

namespace marquis::qt {

// frmAbout: the program's picture, title and version, centred over the main window.
class AboutBox : public QDialog {
    Q_OBJECT

public:
    explicit AboutBox(QWidget* parent = nullptr);

    // The version text, from the project's version.
    static QString versionText();
    // A small picture of a lit LED display.
    static QPixmap logo();

protected:
    void showEvent(QShowEvent* event) override;
};

} // namespace marquis::qt

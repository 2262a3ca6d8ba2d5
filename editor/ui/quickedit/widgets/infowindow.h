#pragma once

#include <QDialog>

class QTimer;

namespace marquis::qt {

// frmInfo: tells that another copy of the program runs already; closes itself after ten
// seconds or on "&OK".
class InfoWindow : public QDialog {
    Q_OBJECT
public:
    static constexpr int CloseAfterMs = 10000;

    explicit InfoWindow(QWidget* parent = nullptr);
    static QString text();
    QTimer* closeTimer() const { return m_closeTimer; }

private:
    QTimer* m_closeTimer;
};

// The splash window of the start: the product name while the program loads.
class SplashWindow : public QWidget {
    Q_OBJECT
public:
    explicit SplashWindow(QWidget* parent = nullptr);
    static QString title();
};

} // namespace marquis::qt

#include "ui/quickedit/widgets/infowindow.h"

#include <QFont>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace marquis::qt {

InfoWindow::InfoWindow(QWidget* parent)
    : QDialog(parent)
    , m_closeTimer(new QTimer(this))
{
    setObjectName("frmInfo");
    setWindowTitle("Marquis 5300");
    auto* label = new QLabel(text(), this);
    label->setObjectName("lblInfo");
    label->setWordWrap(true);
    label->setMinimumWidth(320);
    auto* ok = new QPushButton("&OK", this);
    ok->setObjectName("cmdOK");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addLayout(buttons);

    m_closeTimer->setSingleShot(true);
    m_closeTimer->setInterval(CloseAfterMs);
    connect(m_closeTimer, &QTimer::timeout, this, &QDialog::accept);
    m_closeTimer->start();
}

QString InfoWindow::text()
{
    return QString::fromUtf8("Tessaly Marquis\u00AE 5300 is running already. Press Alt-Tab until "
                             "program name and logo appear.");
}

SplashWindow::SplashWindow(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName("frmSplash");
    auto* frame = new QFrame(this);
    frame->setFrameStyle(QFrame::Box | QFrame::Raised);
    frame->setLineWidth(2);
    auto* name = new QLabel(title(), frame);
    name->setObjectName("lblProductName");
    QFont big = name->font();
    big.setPointSize(28);
    big.setBold(true);
    name->setFont(big);
    name->setAlignment(Qt::AlignCenter);
    auto* subtitle = new QLabel("5300 Programming Utility", frame);
    subtitle->setAlignment(Qt::AlignCenter);

    auto* inner = new QVBoxLayout(frame);
    inner->setContentsMargins(40, 30, 40, 30);
    inner->addWidget(name);
    inner->addWidget(subtitle);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(frame);
}

QString SplashWindow::title()
{
    return QString("Marquis") + QChar(0x00AE) + QString(" 5300");
}

} // namespace marquis::qt

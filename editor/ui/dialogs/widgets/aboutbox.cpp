#include "ui/dialogs/widgets/aboutbox.h"

#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <array>

namespace marquis::qt {
namespace {

// "53" in a 5 by 7 dot font, one row per entry, bit 4 the leftmost dot.
constexpr std::array<std::array<int, 7>, 2> Glyphs { {
    { 0x1F, 0x10, 0x1E, 0x01, 0x01, 0x11, 0x0E },
    { 0x1F, 0x02, 0x04, 0x02, 0x01, 0x11, 0x0E },
} };

constexpr int Pitch = 6; // distance between dot centres, in pixels
constexpr int Dot = 4;

} // namespace

QPixmap AboutBox::logo()
{
    const int columns = static_cast<int>(Glyphs.size()) * 6 + 1;
    QPixmap picture(columns * Pitch + Pitch, 9 * Pitch);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(24, 24, 24));
    painter.drawRoundedRect(picture.rect(), 6, 6);
    const QColor lit(255, 170, 0);
    const QColor unlit(70, 45, 10);
    for (std::size_t glyph = 0; glyph < Glyphs.size(); ++glyph) {
        for (int row = 0; row < 7; ++row) {
            for (int column = 0; column < 5; ++column) {
                const bool on = (Glyphs[glyph][static_cast<std::size_t>(row)] >> (4 - column)) & 1;
                painter.setBrush(on ? lit : unlit);
                const int x = Pitch + (static_cast<int>(glyph) * 6 + column) * Pitch;
                const int y = Pitch + row * Pitch;
                painter.drawEllipse(x, y, Dot, Dot);
            }
        }
    }
    return picture;
}

QString AboutBox::versionText()
{
    return tr("Version %1").arg(QStringLiteral(MARQUIS_VERSION));
}

AboutBox::AboutBox(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(tr("About Marquis 5300"));

    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("picLogo"));
    picture->setPixmap(logo());
    auto* title = new QLabel(tr("5300 Programming Utility"), this);
    title->setObjectName(QStringLiteral("lblTitle"));
    QFont titleFont = title->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.3);
    title->setFont(titleFont);
    auto* version = new QLabel(versionText(), this);
    version->setObjectName(QStringLiteral("lblVersion"));
    auto* ok = new QPushButton(tr("&OK"), this);
    ok->setObjectName(QStringLiteral("cmsOK"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QGridLayout(this);
    layout->setHorizontalSpacing(16);
    layout->addWidget(picture, 0, 0, 2, 1, Qt::AlignTop);
    layout->addWidget(title, 0, 1);
    layout->addWidget(version, 1, 1);
    layout->addWidget(ok, 2, 0, 1, 2, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void AboutBox::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (QWidget* owner = parentWidget()) {
        const QRect area = owner->window()->frameGeometry();
        move(area.center() - rect().center());
    }
}

} // namespace marquis::qt

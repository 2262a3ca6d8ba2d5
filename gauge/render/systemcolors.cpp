#include "render/systemcolors.h"

#include <QPalette>

namespace qvgauge {

SystemColors::SystemColors()
{
    m_colors.fill(qRgb(0, 0, 0));
}

SystemColors SystemColors::classic()
{
    SystemColors colors;
    const std::array<QRgb, 31> scheme = {
        qRgb(192, 192, 192), // 0 scroll bar
        qRgb(0, 128, 128), // 1 desktop
        qRgb(0, 0, 128), // 2 active caption
        qRgb(128, 128, 128), // 3 inactive caption
        qRgb(192, 192, 192), // 4 menu
        qRgb(255, 255, 255), // 5 window
        qRgb(0, 0, 0), // 6 window frame
        qRgb(0, 0, 0), // 7 menu text
        qRgb(0, 0, 0), // 8 window text
        qRgb(255, 255, 255), // 9 caption text
        qRgb(192, 192, 192), // 10 active border
        qRgb(192, 192, 192), // 11 inactive border
        qRgb(128, 128, 128), // 12 application workspace
        qRgb(0, 0, 128), // 13 highlight
        qRgb(255, 255, 255), // 14 highlighted text
        qRgb(192, 192, 192), // 15 button face
        qRgb(128, 128, 128), // 16 button shadow
        qRgb(128, 128, 128), // 17 grey text
        qRgb(0, 0, 0), // 18 button text
        qRgb(192, 192, 192), // 19 inactive caption text
        qRgb(255, 255, 255), // 20 button highlight
        qRgb(0, 0, 0), // 21 3-D dark shadow
        qRgb(223, 223, 223), // 22 3-D light
        qRgb(0, 0, 0), // 23 tooltip text
        qRgb(255, 255, 225), // 24 tooltip background
        qRgb(192, 192, 192), // 25 unused
        qRgb(0, 0, 255), // 26 hot light
        qRgb(16, 132, 208), // 27 active caption gradient
        qRgb(181, 181, 181), // 28 inactive caption gradient
        qRgb(0, 0, 128), // 29 menu highlight
        qRgb(192, 192, 192), // 30 menu bar
    };
    for (int index = 0; index < static_cast<int>(scheme.size()); ++index)
        colors.set(index, scheme[static_cast<std::size_t>(index)]);
    return colors;
}

SystemColors SystemColors::fromPalette(const QPalette& palette)
{
    SystemColors colors = classic();
    const auto take = [&](int index, QPalette::ColorGroup group, QPalette::ColorRole role) {
        colors.set(index, palette.color(group, role).rgb());
    };
    const auto active = QPalette::Active;
    take(4, active, QPalette::Window);
    take(5, active, QPalette::Base);
    take(6, active, QPalette::Shadow);
    take(7, active, QPalette::WindowText);
    take(8, active, QPalette::Text);
    take(13, active, QPalette::Highlight);
    take(14, active, QPalette::HighlightedText);
    take(15, active, QPalette::Button);
    take(16, active, QPalette::Dark);
    take(17, QPalette::Disabled, QPalette::Text);
    take(18, active, QPalette::ButtonText);
    take(20, active, QPalette::Light);
    take(21, active, QPalette::Shadow);
    take(22, active, QPalette::Midlight);
    take(23, active, QPalette::ToolTipText);
    take(24, active, QPalette::ToolTipBase);
    take(26, active, QPalette::Link);
    take(29, active, QPalette::Highlight);
    take(30, active, QPalette::Window);
    return colors;
}

void SystemColors::set(int index, QRgb color)
{
    if (index >= 0 && index < static_cast<int>(m_colors.size()))
        m_colors[static_cast<std::size_t>(index)] = qRgb(qRed(color), qGreen(color), qBlue(color));
}

QRgb SystemColors::at(int index) const
{
    if (index < 0 || index >= static_cast<int>(m_colors.size()))
        return qRgb(0, 0, 0);
    return m_colors[static_cast<std::size_t>(index)];
}

QRgb SystemColors::resolve(OleColor color) const
{
    if (isSystemColor(color))
        return at(static_cast<int>(color & 0xFFu));
    return qRgb(static_cast<int>(color & 0xFFu), static_cast<int>((color >> 8) & 0xFFu),
        static_cast<int>((color >> 16) & 0xFFu));
}

} // namespace qvgauge

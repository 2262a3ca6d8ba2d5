#include "preview/panelcamera.h"

#include "ui/controls/leddisplay.h"

namespace marquis::qt {

PanelCamera::PanelCamera(int unitLines)
    : m_display(std::make_unique<LedDisplay>())
{
    m_display->setAttribute(Qt::WA_DontShowOnScreen);
    m_display->setRowCount(unitLines);
    m_display->resize(m_display->sizeHint());
}

PanelCamera::~PanelCamera() = default;

QSize PanelCamera::size() const
{
    return m_display->size();
}

QImage PanelCamera::picture(const Rows& rows)
{
    for (int r = 1; r <= 4; ++r) {
        const std::optional<std::string>& text = rows[static_cast<std::size_t>(r - 1)];
        m_display->setRowVisible(r, text.has_value());
        m_display->setRow(r, text.value_or(""));
    }
    QImage image(m_display->size(), QImage::Format_RGB32);
    m_display->render(&image);
    return image;
}

} // namespace marquis::qt

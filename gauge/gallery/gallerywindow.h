#pragma once

#include <QWidget>
#include <vector>

class QSlider;

namespace qvgauge {

class Qv3dGauge;

// Every gauge style, bevel, border, caption style and wallpaper mode side by side, each group
// with a slider for its gauges' value and one slider for all of them.
class GalleryWindow : public QWidget {
    Q_OBJECT

public:
    explicit GalleryWindow(QWidget* parent = nullptr);

    // Puts every slider, and so every gauge, at `percent` of its range.
    void setAllValues(int percent);

    const std::vector<Qv3dGauge*>& gauges() const { return m_gauges; }

private:
    struct Group;
    QWidget* buildGroup(const Group& group);

    QSlider* m_all = nullptr;
    std::vector<QSlider*> m_sliders;
    std::vector<Qv3dGauge*> m_gauges;
};

} // namespace qvgauge

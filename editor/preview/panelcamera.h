#pragma once

#include <QImage>
#include <array>
#include <memory>
#include <optional>
#include <string>

namespace marquis::qt {

class LedDisplay;

// Takes pictures of the window's LED panel without a window: a display of its own, never
// shown, at its natural size for the unit's number of lines.
class PanelCamera {
public:
    // Rows 1..4 at [0..3], Windows-1252 text; no text for a row that is hidden.
    using Rows = std::array<std::optional<std::string>, 4>;

    explicit PanelCamera(int unitLines);
    ~PanelCamera();
    PanelCamera(const PanelCamera&) = delete;
    PanelCamera& operator=(const PanelCamera&) = delete;

    QSize size() const;
    QImage picture(const Rows& rows);

private:
    std::unique_ptr<LedDisplay> m_display;
};

} // namespace marquis::qt

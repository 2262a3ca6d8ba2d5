#pragma once

#include "model/gaugetypes.h"
#include "render/gaugelook.h"

#include <QFont>
#include <QImage>
#include <QSize>

namespace qvgauge {

class GaugeModel;

// What a paint takes from the widget rather than from the model.
struct LookContext {
    QSize size;
    QFont font;
    QImage picture; // the model's Picture and PictureFill, already decoded
    QImage pictureFill;
    OleColor parentBackground = systemColor(ColorButtonFace);
    bool enabled = true;
};

// The look of one paint: the model's properties with the margins in pixels (twips converted
// at the model's resolution), and the widget's size, font, pictures and state.
GaugeLook lookOf(const GaugeModel& model, const LookContext& context);

// A Qt colour as hosts store colours: 0x00BBGGRR.
OleColor oleColorOf(QColor color);

} // namespace qvgauge

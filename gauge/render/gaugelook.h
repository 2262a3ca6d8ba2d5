#pragma once

#include "model/gaugetypes.h"

#include <QFont>
#include <QImage>
#include <QString>

namespace qvgauge {

// Everything one paint of the gauge needs, as plain values. The widget fills it from its
// properties; the painter never reads anything else. Values loaded from a file may be outside
// the ranges the setters allow, so the geometry treats every field as untrusted.
struct GaugeLook {
    int width = 0;
    int height = 0;

    GaugeStyle style = GaugeStyle::HorizontalBar;
    int min = 0;
    int max = 100;
    int fillValue = 0;
    bool reverseFill = false;

    // Margins between the control's edges and the gauge area, already in pixels.
    int innerTop = 5;
    int innerLeft = 5;
    int innerRight = 5;
    int innerBottom = 5;

    BevelStyle bevelStyle = BevelStyle::Lowered;
    int bevelSize = 0;
    BevelStyleInner bevelStyleInner = BevelStyleInner::Lowered;
    int bevelSizeInner = 0;
    BorderStyle borderStyle = BorderStyle::None;

    OleColor fillColor = systemColor(ColorButtonFace);
    OleColor shadowColor = systemColor(ColorButtonShadow);
    OleColor borderColor = systemColor(ColorWindowFrame);
    OleColor lightColor = systemColor(ColorButtonHighlight);
    OleColor textColor = systemColor(ColorButtonText);
    OleColor fillBarColor = 0x0000FF;
    // What shows through the rounded and shadowed corners: the parent's background.
    OleColor parentBackground = systemColor(ColorButtonFace);

    // Pen width of the needle; 0 or less draws one pixel.
    int needleWidth = 0;

    QString caption;
    QFont font;
    Alignment alignment = Alignment::Left;
    FontStyle fontStyle = FontStyle::None;
    bool fontTransparent = true;
    bool multiLine = false;

    WallPaper wallPaper = WallPaper::Stretch;
    QImage picture;
    QImage pictureFill;

    // Run time (true) or design time; at design time the gauge area gets an outline.
    bool userMode = true;
    bool enabled = true;
};

} // namespace qvgauge

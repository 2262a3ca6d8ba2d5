#pragma once

#include "files/printlayout.h"

#include <QFont>
#include <QFontMetricsF>

class QPagedPaintDevice;

namespace marquis::qt {

// The printer's measures for the page composer, taken on the device itself: a fixed-pitch face,
// so that the columns of the script stay in line; 9-point text, which keeps most commented
// statements on one line, and 12-point bold headings.
class PainterMeasure : public PageMeasure {
public:
    explicit PainterMeasure(QPagedPaintDevice& device);

    double textWidth(std::string_view text, PrintStyle style) const override;
    double lineHeight(PrintStyle style) const override;
    double pageWidth() const override;
    double pageHeight() const override;

    const QFont& font(PrintStyle style) const;
    // From the top of a line to the base line of its text.
    double ascent(PrintStyle style) const;

private:
    const QFontMetricsF& metrics(PrintStyle style) const;

    QPagedPaintDevice& m_device;
    QFont m_normal;
    QFont m_bold;
    QFont m_heading;
    QFontMetricsF m_normalMetrics;
    QFontMetricsF m_boldMetrics;
    QFontMetricsF m_headingMetrics;
};

// Draws the pages on the device, each after the first on a new sheet. False when the device
// cannot be painted on (a printer that does not start, a file that cannot be written).
bool drawDocument(
    QPagedPaintDevice& device, const PainterMeasure& measure, const PrintDocument& document);

} // namespace marquis::qt

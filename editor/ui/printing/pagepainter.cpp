#include "ui/printing/pagepainter.h"

#include "model/windows1252.h"

#include <QPagedPaintDevice>
#include <QPainter>

namespace marquis::qt {
namespace {

QFont printFont(int points, bool bold)
{
    QFont font("Monospace", points);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setBold(bold);
    return font;
}

QString printedText(std::string_view text)
{
    return QString::fromStdString(windows1252ToUtf8(text));
}

} // namespace

PainterMeasure::PainterMeasure(QPagedPaintDevice& device)
    : m_device(device)
    , m_normal(printFont(9, false))
    , m_bold(printFont(9, true))
    , m_heading(printFont(12, true))
    , m_normalMetrics(m_normal, &device)
    , m_boldMetrics(m_bold, &device)
    , m_headingMetrics(m_heading, &device)
{
}

const QFont& PainterMeasure::font(PrintStyle style) const
{
    switch (style) {
    case PrintStyle::Heading:
        return m_heading;
    case PrintStyle::Bold:
        return m_bold;
    case PrintStyle::Normal:
        break;
    }
    return m_normal;
}

const QFontMetricsF& PainterMeasure::metrics(PrintStyle style) const
{
    switch (style) {
    case PrintStyle::Heading:
        return m_headingMetrics;
    case PrintStyle::Bold:
        return m_boldMetrics;
    case PrintStyle::Normal:
        break;
    }
    return m_normalMetrics;
}

double PainterMeasure::textWidth(std::string_view text, PrintStyle style) const
{
    return metrics(style).horizontalAdvance(printedText(text));
}

double PainterMeasure::ascent(PrintStyle style) const
{
    return metrics(style).ascent();
}

double PainterMeasure::lineHeight(PrintStyle style) const
{
    return metrics(style).lineSpacing();
}

double PainterMeasure::pageWidth() const
{
    return m_device.width();
}

double PainterMeasure::pageHeight() const
{
    return m_device.height();
}

bool drawDocument(
    QPagedPaintDevice& device, const PainterMeasure& measure, const PrintDocument& document)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    bool first = true;
    for (const PrintedPage& page : document.pages) {
        if (!first && !device.newPage())
            return false;
        first = false;
        for (const PlacedRun& run : page.runs) {
            painter.setFont(measure.font(run.style));
            painter.drawText(
                QPointF(run.x, run.y + measure.ascent(run.style)), printedText(run.text));
        }
    }
    return painter.end();
}

} // namespace marquis::qt

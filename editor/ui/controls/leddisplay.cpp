#include "ui/controls/leddisplay.h"

#include "ui/controls/ledfont.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace marquis::qt {
namespace {

constexpr int MaxRows = 4;
constexpr int Columns = 20; // characters a row
constexpr int CellWidth = 6; // dots a character takes, its gap included
constexpr int RowHeight = 9; // dots a row takes, the gap below it included
constexpr int GlyphRows = 7;
constexpr int Margin = 2; // dots around the matrix
constexpr int MatrixWidth = Columns * CellWidth - 1 + 2 * Margin;

int matrixHeight(int rows)
{
    return std::max(rows, 1) * RowHeight - 2 + 2 * Margin;
}

// A dark panel with amber dots; unlit dots stay faintly visible, as on the unit.
QColor background()
{
    return { 0x14, 0x10, 0x0C };
}
QColor litDot()
{
    return { 0xFF, 0xA8, 0x1E };
}
QColor unlitDot()
{
    return { 0x3A, 0x28, 0x16 };
}

} // namespace

LedDisplay::LedDisplay(QWidget* parent)
    : QWidget(parent)
    , m_rows(MaxRows)
    , m_visible(MaxRows, true)
{
    setObjectName("frameDisplay");
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    setMouseTracking(true);
}

void LedDisplay::setRowCount(int rows)
{
    // A two-line unit shows its lines on the middle rows.
    const bool all = rows >= MaxRows;
    m_visible = { all, true, true, all };
    updateGeometry();
    update();
}

int LedDisplay::rowCount() const
{
    return m_visible.front() && m_visible.back() ? MaxRows : 2;
}

void LedDisplay::setRow(int row, const std::string& text)
{
    if (row < 1 || row > MaxRows)
        return;
    m_rows[static_cast<std::size_t>(row - 1)] = text;
    update();
}

std::string LedDisplay::row(int row) const
{
    if (row < 1 || row > MaxRows)
        return "";
    return m_rows[static_cast<std::size_t>(row - 1)];
}

void LedDisplay::setRowVisible(int row, bool visible)
{
    if (row < 1 || row > MaxRows)
        return;
    m_visible[static_cast<std::size_t>(row - 1)] = visible;
    updateGeometry();
    update();
}

std::vector<int> LedDisplay::shownRows() const
{
    std::vector<int> rows;
    for (int r = 1; r <= MaxRows; ++r)
        if (m_visible[static_cast<std::size_t>(r - 1)])
            rows.push_back(r);
    return rows;
}

QSize LedDisplay::sizeHint() const
{
    constexpr int pitch = 4;
    return { MatrixWidth * pitch, matrixHeight(static_cast<int>(shownRows().size())) * pitch };
}

LedDisplay::Layout LedDisplay::layout() const
{
    const int rows = static_cast<int>(shownRows().size());
    const qreal pitch = std::max<qreal>(
        1.0, std::min(qreal(width()) / MatrixWidth, qreal(height()) / matrixHeight(rows)));
    // The matrix sits in the middle of the widget.
    const QPointF origin((width() - MatrixWidth * pitch) / 2 + Margin * pitch,
        (height() - matrixHeight(rows) * pitch) / 2 + Margin * pitch);
    return { origin, pitch };
}

void LedDisplay::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), background());
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    const Layout at = layout();
    const qreal dot = at.pitch * 0.8;
    const std::vector<int> rows = shownRows();
    for (std::size_t k = 0; k < rows.size(); ++k) {
        const std::string& text = m_rows[static_cast<std::size_t>(rows[k] - 1)];
        for (int column = 0; column < Columns; ++column) {
            // Cells past the end of the text are blank; text past the 20th cell is not shown.
            const auto character = column < static_cast<int>(text.size())
                ? static_cast<unsigned char>(text[static_cast<std::size_t>(column)])
                : static_cast<unsigned char>(' ');
            const LedGlyph glyph = ledGlyph(character);
            for (int x = 0; x < 5; ++x) {
                for (int y = 0; y < GlyphRows; ++y) {
                    const bool lit = (glyph[static_cast<std::size_t>(x)] >> y) & 1;
                    painter.setBrush(lit ? litDot() : unlitDot());
                    const QPointF centre = at.origin +
                        QPointF((column * CellWidth + x + 0.5) * at.pitch,
                            (static_cast<int>(k) * RowHeight + y + 0.5) * at.pitch);
                    painter.drawEllipse(centre, dot / 2, dot / 2);
                }
            }
        }
    }
}

int LedDisplay::rowAt(const QPoint& point) const
{
    const Layout at = layout();
    const std::vector<int> rows = shownRows();
    const qreal left = at.origin.x() - Margin * at.pitch;
    if (point.x() < left || point.x() >= left + MatrixWidth * at.pitch)
        return 0;
    // A row owns its dots and half the gap on either side.
    const qreal y = point.y() - at.origin.y() + at.pitch;
    if (y < 0)
        return 0;
    const auto k = static_cast<std::size_t>(y / (RowHeight * at.pitch));
    return k < rows.size() ? rows[k] : 0;
}

void LedDisplay::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        if (const int row = rowAt(event->position().toPoint()); row > 0)
            emit rowClicked(row);
    }
    QWidget::mousePressEvent(event);
}

// The row under the mouse, told once each time it changes, for the status line.
void LedDisplay::mouseMoveEvent(QMouseEvent* event)
{
    const int row = rowAt(event->position().toPoint());
    if (row != m_hoveredRow) {
        m_hoveredRow = row;
        emit rowHovered(row);
    }
    QWidget::mouseMoveEvent(event);
}

void LedDisplay::leaveEvent(QEvent* event)
{
    if (m_hoveredRow != 0) {
        m_hoveredRow = 0;
        emit rowHovered(0);
    }
    QWidget::leaveEvent(event);
}

} // namespace marquis::qt

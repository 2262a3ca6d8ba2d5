#pragma once

#include <QPointF>
#include <QWidget>
#include <string>
#include <vector>

namespace marquis::qt {

// frameDisplay: the simulated display drawn as the unit's LED dot matrix, 20 character cells a
// row, each row a lblDisplay (lblDisplay1..lblDisplay4, set as the rows' object names for
// tests through `row`).
class LedDisplay : public QWidget {
    Q_OBJECT
public:
    explicit LedDisplay(QWidget* parent = nullptr);

    void setRowCount(int rows); // 2 or 4 shown rows
    int rowCount() const;
    void setRow(int row, const std::string& text); // row 1..4, Windows-1252 text
    std::string row(int row) const; // what row `row` shows now
    void setRowVisible(int row, bool visible);

    QSize sizeHint() const override;

signals:
    void rowClicked(int row); // 1..4
    void rowHovered(int row); // the mouse moved onto row 1..4 (0: onto no row)

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    // Where the dot matrix lies in the widget: its first dot and the distance between dots.
    struct Layout {
        QPointF origin;
        qreal pitch = 0;
    };
    Layout layout() const;
    std::vector<int> shownRows() const; // the row numbers drawn, top to bottom
    int rowAt(const QPoint& point) const; // 0 outside every shown row

    std::vector<std::string> m_rows;
    std::vector<bool> m_visible;
    int m_hoveredRow = 0;
};

} // namespace marquis::qt

#pragma once

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

    void setRowCount(int rows);                        // 2 or 4 shown rows
    int rowCount() const;
    void setRow(int row, const std::string& text);     // row 1..4, Windows-1252 text
    std::string row(int row) const;                    // what row `row` shows now
    void setRowVisible(int row, bool visible);

    QSize sizeHint() const override;

signals:
    void rowClicked(int row);  // 1..4

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
};

}  // namespace marquis::qt

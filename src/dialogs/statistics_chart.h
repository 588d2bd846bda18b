#pragma once
// The statistics window's chart, drawn with QPainter: the values of the last
// games (seconds or moves) in the order played, joined by a line, the best
// (the lowest) marked with a gilt ring, and the least-squares trend as a
// dashed line. What it last drew is kept, so that a test can compare the
// plotted points rather than pixels; the same numbers are in the window's
// table for screen readers.

#include <QLineF>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QWidget>

#include <optional>
#include <vector>

namespace dialogs {

class StatisticsChart : public QWidget {
public:
    explicit StatisticsChart(QWidget* parent = nullptr);

    // The values, oldest first; `bestLabel` and `trendLabel` name the marks
    // in the legend.
    void setValues(std::vector<double> values, const QString& bestLabel, const QString& trendLabel);
    const std::vector<double>& values() const { return values_; }

    struct Plot {
        QRectF area;                // where the values are drawn
        double low = 0, high = 1;   // the values at the area's bottom and top
        std::vector<QPointF> points;
        int best = -1;              // the index of the lowest value (the first of equals)
        std::optional<QLineF> trend;
    };
    // Where the values go in a chart of this size.
    Plot plot(QSizeF size) const;
    // What the last paint drew.
    const Plot& plotted() const { return plotted_; }

    QSize sizeHint() const override { return {520, 240}; }
    QSize minimumSizeHint() const override { return {320, 160}; }

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    std::vector<double> values_;
    QString bestLabel_, trendLabel_;
    Plot plotted_;
};

// The top of the chart's scale for values up to `highest`: 1, 2, 2.5 or 5
// times a power of ten, at least `highest` (1 for nothing above 0).
double niceCeiling(double highest);

}  // namespace dialogs

#include "dialogs/statistics_chart.h"

#include "game/statistics.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace dialogs {

namespace {

const QColor kPaperLight(0xff, 0xfa, 0xf0);
const QColor kInk(0x3b, 0x24, 0x14);
const QColor kWalnut(0x7a, 0x56, 0x36);
const QColor kGrid(0xd8, 0xc8, 0xa8);
const QColor kGilt(0xe6, 0xaf, 0x28);
const QColor kTrend(0x2e, 0x6b, 0x3a);

constexpr double kLeft = 52, kRight = 16, kTop = 28, kBottom = 26;

QString number(double v)
{
    return QString::number(v, 'g', 6);
}

}  // namespace

double niceCeiling(double highest)
{
    if (highest <= 0)
        return 1;
    const double power = std::pow(10.0, std::floor(std::log10(highest)));
    for (double step : {1.0, 2.0, 2.5, 5.0, 10.0})
        if (step * power >= highest)
            return step * power;
    return 10 * power;
}

StatisticsChart::StatisticsChart(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
}

void StatisticsChart::setValues(std::vector<double> values, const QString& bestLabel, const QString& trendLabel)
{
    values_ = std::move(values);
    bestLabel_ = bestLabel;
    trendLabel_ = trendLabel;
    update();
}

StatisticsChart::Plot StatisticsChart::plot(QSizeF size) const
{
    Plot p;
    p.area = QRectF(kLeft, kTop, std::max(1.0, size.width() - kLeft - kRight),
                    std::max(1.0, size.height() - kTop - kBottom));
    if (values_.empty())
        return p;
    p.high = niceCeiling(*std::max_element(values_.begin(), values_.end()));
    const size_t count = values_.size();
    auto at = [&](double i, double v) {
        const double x = count == 1 ? p.area.center().x() : p.area.left() + p.area.width() * i / double(count - 1);
        return QPointF(x, p.area.bottom() - p.area.height() * (v - p.low) / (p.high - p.low));
    };
    for (size_t i = 0; i < count; ++i)
        p.points.push_back(at(double(i), values_[i]));
    p.best = int(std::min_element(values_.begin(), values_.end()) - values_.begin());
    if (const auto line = game::statistics::trend(values_))
        p.trend = QLineF(at(0, line->first), at(double(count - 1), line->last));
    return p;
}

void StatisticsChart::paintEvent(QPaintEvent*)
{
    plotted_ = plot(size());
    const Plot& p = plotted_;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), kPaperLight);
    painter.setPen(QPen(hasFocus() ? kWalnut : kGrid, hasFocus() ? 2 : 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));

    // The scale: four steps from the bottom to the top.
    painter.setFont(font());
    for (int step = 0; step <= 4; ++step) {
        const double y = p.area.bottom() - p.area.height() * step / 4;
        painter.setPen(QPen(kGrid, 1));
        painter.drawLine(QPointF(p.area.left(), y), QPointF(p.area.right(), y));
        painter.setPen(kInk);
        painter.drawText(QRectF(0, y - 10, kLeft - 6, 20), Qt::AlignRight | Qt::AlignVCenter,
                         number(p.low + (p.high - p.low) * step / 4));
    }
    if (p.points.empty())
        return;
    // The games' numbers under the first and the last.
    painter.drawText(QRectF(p.area.left() - 20, p.area.bottom() + 4, 40, 20), Qt::AlignCenter, QStringLiteral("1"));
    if (p.points.size() > 1)
        painter.drawText(QRectF(p.area.right() - 20, p.area.bottom() + 4, 40, 20), Qt::AlignCenter,
                         QString::number(p.points.size()));

    if (p.trend) {
        painter.setPen(QPen(kTrend, 2, Qt::DashLine));
        painter.drawLine(*p.trend);
    }
    painter.setPen(QPen(kWalnut, 2));
    QPainterPath line;
    for (size_t i = 0; i < p.points.size(); ++i)
        i ? line.lineTo(p.points[i]) : line.moveTo(p.points[i]);
    painter.drawPath(line);
    painter.setBrush(kWalnut);
    for (const QPointF& point : p.points)
        painter.drawEllipse(point, 3, 3);
    painter.setPen(QPen(kGilt, 3));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(p.points[size_t(p.best)], 8, 8);

    // The legend, top right.
    const QFontMetricsF metrics(font());
    const double bestWidth = metrics.horizontalAdvance(bestLabel_);
    const double trendWidth = metrics.horizontalAdvance(trendLabel_);
    double x = p.area.right() - trendWidth - 30 - bestWidth - 36;
    const double y = kTop / 2;
    painter.drawEllipse(QPointF(x + 8, y), 6, 6);
    painter.setPen(kInk);
    painter.drawText(QPointF(x + 20, y + metrics.ascent() / 2 - 1), bestLabel_);
    x += 20 + bestWidth + 16;
    painter.setPen(QPen(kTrend, 2, Qt::DashLine));
    painter.drawLine(QPointF(x, y), QPointF(x + 22, y));
    painter.setPen(kInk);
    painter.drawText(QPointF(x + 28, y + metrics.ascent() / 2 - 1), trendLabel_);
}

}  // namespace dialogs

#include "mainwindow/cloth.h"

#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace mainwindow {

Cloth::Cloth(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::PointingHandCursor);
}

void Cloth::setTexts(const QString& title, const QString& hint)
{
    title_ = title;
    hint_ = hint;
    setAccessibleName(title);
    setAccessibleDescription(hint);
    update();
}

void Cloth::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = rect();

    // Velvet hanging in soft vertical folds: light and shade across.
    QLinearGradient folds(r.topLeft(), r.topRight());
    const int n = 7;
    for (int i = 0; i <= 4 * n; ++i) {
        const double t = double(i) / (4 * n);
        const double light = 0.5 + 0.5 * std::sin(t * n * 2 * M_PI);
        folds.setColorAt(t, QColor::fromHsvF(0.38, 0.75, 0.22 + 0.16 * light));
    }
    p.fillRect(r, folds);
    // Darker towards the top, where the cloth hangs over the frame.
    QLinearGradient top(r.topLeft(), r.bottomLeft());
    top.setColorAt(0, QColor(0, 0, 0, 110));
    top.setColorAt(0.25, QColor(0, 0, 0, 0));
    top.setColorAt(1, QColor(0, 0, 0, 40));
    p.fillRect(r, top);

    // A golden fringe along the bottom edge.
    const double fringe = std::max(6.0, r.height() / 40);
    p.setPen(QPen(QColor(200, 160, 60), 1.5));
    for (double x = 2; x < r.width(); x += 5)
        p.drawLine(QPointF(x, r.bottom() - fringe), QPointF(x + 1, r.bottom()));
    p.setPen(QPen(QColor(220, 180, 80), 3));
    p.drawLine(QPointF(0, r.bottom() - fringe), QPointF(r.right(), r.bottom() - fringe));

    // The words, embroidered in gold.
    const auto [title, hint] = drawnTexts();
    p.setFont(title.font);
    p.setPen(QColor(0, 0, 0, 120));
    p.drawText(title.box.translated(2, 2), title.flags, title.text);
    p.setPen(QColor(235, 200, 100));
    p.drawText(title.box, title.flags, title.text);
    p.setFont(hint.font);
    p.setPen(QColor(240, 225, 180));
    p.drawText(hint.box, hint.flags, hint.text);
}

std::array<Cloth::DrawnText, 2> Cloth::drawnTexts() const
{
    const QRectF r = rect();
    QFont titleFont(QStringLiteral("DejaVu Serif"));
    titleFont.setBold(true);
    titleFont.setPixelSize(std::max(18, int(r.height() / 9)));
    const QRectF titleBox(r.left(), r.top() + r.height() * 0.30, r.width(), r.height() * 0.2);
    QFont hintFont(QStringLiteral("DejaVu Sans"));
    hintFont.setPixelSize(std::max(12, int(r.height() / 30)));
    const QRectF hintBox(r.left() + r.width() * 0.1, titleBox.bottom(), r.width() * 0.8,
                         r.height() * 0.2);
    return {{{title_, titleFont, titleBox, Qt::AlignCenter},
             {hint_, hintFont, hintBox, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap}}};
}

void Cloth::mousePressEvent(QMouseEvent* e)
{
    e->accept();
    if (pressed)
        pressed();
}

}  // namespace mainwindow

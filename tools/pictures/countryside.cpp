#include "countryside.h"

namespace pictures {

void fields(Canvas& c, Rng& rng, double y0, double y1, int rows, int columns)
{
    QPainter& p = c.p;
    const std::vector<QColor> crops = {
        QColor(222, 196, 110), QColor(150, 176, 80), QColor(110, 150, 70), QColor(196, 170, 80),
        QColor(170, 120, 80),  QColor(236, 214, 120), QColor(130, 160, 100), QColor(160, 140, 170),
        QColor(90, 130, 70),   QColor(214, 180, 90)};
    // Rows grow deeper towards the viewer.
    std::vector<double> ys;
    double total = 0;
    for (int j = 0; j <= rows; ++j)
        total += std::pow(1.45, j);
    double acc = 0;
    ys.push_back(y0);
    for (int j = 0; j <= rows; ++j) {
        acc += std::pow(1.45, j);
        ys.push_back(y0 + (y1 - y0) * acc / total);
    }
    const double cx = c.w / 2.0;
    std::vector<std::vector<QPointF>> pts(ys.size());
    for (size_t j = 0; j < ys.size(); ++j) {
        const double spread = 0.6 + 1.6 * (ys[j] - y0) / (y1 - y0);
        for (int i = -2; i <= columns + 2; ++i) {
            const double fx = (double(i) / columns - 0.5) * c.w * spread + cx;
            const double jitter = (j == 0 || j == ys.size() - 1) ? 0 : rng.range(-0.15, 0.15) * c.w / columns * spread;
            const double jy = (j == 0 || j == ys.size() - 1) ? 0 : rng.range(-0.2, 0.2) * (ys[j] - ys[j - 1]);
            pts[j].push_back(QPointF(fx + jitter, ys[j] + jy));
        }
    }
    p.save();
    p.setPen(Qt::NoPen);
    for (size_t j = 0; j + 1 < pts.size(); ++j)
        for (size_t i = 0; i + 1 < pts[j].size(); ++i) {
            QPolygonF quad;
            quad << pts[j][i] << pts[j][i + 1] << pts[j + 1][i + 1] << pts[j + 1][i];
            const QColor crop = rng.pick(crops);
            const double depth = (ys[j] - y0) / (y1 - y0);
            p.setBrush(crop);
            p.drawPolygon(quad);
            // Furrows or rows of the crop, converging into the distance.
            p.save();
            QPainterPath clip;
            clip.addPolygon(quad);
            p.setClipPath(clip);
            const int kind = rng.below(3);
            p.setPen(QPen(shade(crop, kind == 0 ? 0.78 : 1.18), 0.4 + depth * 1.0));
            const QPointF a = pts[j][i], b = pts[j][i + 1], d = pts[j + 1][i], e = pts[j + 1][i + 1];
            const int lines = 6 + int(depth * 16);
            for (int k = 0; k <= lines; ++k) {
                const double t = double(k) / lines;
                if (kind == 2)
                    p.drawLine(a + (d - a) * t, b + (e - b) * t);
                else
                    p.drawLine(a + (b - a) * t, d + (e - d) * t);
            }
            p.restore();
            p.setPen(Qt::NoPen);
            // Haze over the far fields.
            p.setBrush(QColor(200, 210, 220, int(110 * (1 - depth) * (1 - depth))));
            p.drawPolygon(quad);
        }
    p.restore();
    // Patches of crop, wear and shadow of clouds.
    grain(c, QRect(0, int(y0), c.w, int(y1 - y0) + 1), 0.16, 7, uint32_t(rng.next()));
    c.perPixel(QRect(0, int(y0), c.w, int(y1 - y0) + 1), [&](double x, double y, QRgb& px) {
        if (y < y0)
            return;
        const double s = smooth(0.55, 0.7, fbm(x / 60.0, y / 25.0, 3, 3));
        px = mix(QColor(px), shade(QColor(px), 0.78), s * 0.6).rgb();
    });
    p.save();
    p.setPen(Qt::NoPen);
    // Hedges with round trees.
    for (size_t j = 1; j + 1 < pts.size(); ++j) {
        const double depth = (ys[j] - y0) / (y1 - y0);
        p.setPen(QPen(QColor(60, 90, 50), 0.8 + depth * 2.2, Qt::SolidLine, Qt::RoundCap));
        for (size_t i = 0; i + 1 < pts[j].size(); ++i)
            p.drawLine(pts[j][i], pts[j][i + 1]);
    }
    for (size_t j = 0; j + 1 < pts.size(); ++j)
        for (size_t i = 0; i < pts[j].size(); ++i) {
            if (rng.chance(0.35))
                continue;
            const double depth = (ys[j] - y0) / (y1 - y0);
            p.setPen(QPen(QColor(60, 90, 50), 0.8 + depth * 2.2, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(pts[j][i], pts[j + 1][i]);
        }
    p.setPen(Qt::NoPen);
    for (size_t j = 1; j + 1 < pts.size(); ++j) {
        const double depth = (ys[j] - y0) / (y1 - y0);
        const int trees = 4 + int(depth * 10);
        for (int k = 0; k < trees; ++k) {
            const size_t i = size_t(rng.below(int(pts[j].size()) - 1));
            const double t = rng.uniform();
            const QPointF at = pts[j][i] + (pts[j][i + 1] - pts[j][i]) * t;
            const double r = 1.2 + depth * 5 * rng.range(0.7, 1.2);
            p.setBrush(QColor(40, 60, 40, 120));
            p.drawEllipse(at + QPointF(r * 0.6, r * 0.3), r, r * 0.5);
            QRadialGradient g(at - QPointF(r * 0.3, r * 0.9), r * 1.3);
            g.setColorAt(0, QColor(120, 160, 80));
            g.setColorAt(1, QColor(40, 80, 40));
            p.setBrush(g);
            p.drawEllipse(at - QPointF(0, r * 0.6), r, r);
        }
    }
    p.restore();
}

}  // namespace pictures

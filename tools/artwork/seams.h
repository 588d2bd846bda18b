#pragma once
// How visible the seam of a repeated tile is: the colour step across the wrap
// compared with the steps between neighbouring rows and columns inside it.

#include <QImage>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace artwork {

struct SeamSteps {
    double wrap;     // mean step from the last row (column) to the first
    double typical;  // the 75th percentile of the inner steps
    double largest;  // the largest inner step
};

// Vertical = false compares the last column with the first, true the last row
// with the first.
inline SeamSteps seamSteps(const QImage& source, bool vertical)
{
    const QImage img = source.convertToFormat(QImage::Format_RGB32);
    const int n = vertical ? img.height() : img.width();
    const int m = vertical ? img.width() : img.height();
    auto pixel = [&](int line, int k) {
        return vertical ? img.pixel(k, line) : img.pixel(line, k);
    };
    auto step = [&](int a, int b) {
        double sum = 0;
        for (int k = 0; k < m; ++k) {
            const QRgb p = pixel(a, k), q = pixel(b, k);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q))
                   + std::abs(qBlue(p) - qBlue(q));
        }
        return sum / (3.0 * m);
    };
    std::vector<double> inner;
    for (int i = 0; i + 1 < n; ++i)
        inner.push_back(step(i, i + 1));
    std::sort(inner.begin(), inner.end());
    SeamSteps s;
    s.wrap = step(n - 1, 0);
    s.typical = inner.empty() ? 0 : inner[size_t((inner.size() - 1) * 3 / 4)];
    s.largest = inner.empty() ? 0 : inner.back();
    return s;
}

}  // namespace artwork

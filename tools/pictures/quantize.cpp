#include "quantize.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <map>

namespace pictures {

namespace {

// Green matters most to the eye, blue least.
constexpr double WR = 2.0, WG = 4.0, WB = 3.0;

struct Entry {
    double r, g, b;   // mean colour of the pixels in this histogram bin
    double n;
};

double dist(double r1, double g1, double b1, double r2, double g2, double b2)
{
    const double dr = r1 - r2, dg = g1 - g2, db = b1 - b2;
    return WR * dr * dr + WG * dg * dg + WB * db * db;
}

struct Box {
    std::vector<int> items;
    int axis = 0;
    double score = 0;
};

void measure(Box& box, const std::vector<Entry>& e)
{
    double lo[3] = {1e9, 1e9, 1e9}, hi[3] = {-1e9, -1e9, -1e9}, n = 0;
    for (int i : box.items) {
        const double c[3] = {e[i].r, e[i].g, e[i].b};
        for (int k = 0; k < 3; ++k) {
            lo[k] = std::min(lo[k], c[k]);
            hi[k] = std::max(hi[k], c[k]);
        }
        n += e[i].n;
    }
    const double w[3] = {std::sqrt(WR), std::sqrt(WG), std::sqrt(WB)};
    box.axis = 0;
    double best = -1;
    for (int k = 0; k < 3; ++k) {
        const double span = (hi[k] - lo[k]) * w[k];
        if (span > best) {
            best = span;
            box.axis = k;
        }
    }
    box.score = box.items.size() < 2 ? -1 : best * std::sqrt(n);
}

std::vector<std::array<double, 3>> medianCut(const std::vector<Entry>& e, int colours)
{
    std::vector<Box> boxes(1);
    for (int i = 0; i < int(e.size()); ++i)
        boxes[0].items.push_back(i);
    measure(boxes[0], e);
    while (int(boxes.size()) < colours) {
        auto it = std::max_element(boxes.begin(), boxes.end(),
                                   [](const Box& a, const Box& b) { return a.score < b.score; });
        if (it->score < 0)
            break;
        Box box = std::move(*it);
        boxes.erase(it);
        const int axis = box.axis;
        auto key = [&](int i) { return axis == 0 ? e[i].r : (axis == 1 ? e[i].g : e[i].b); };
        std::sort(box.items.begin(), box.items.end(), [&](int a, int b) {
            return key(a) < key(b) || (key(a) == key(b) && a < b);
        });
        double total = 0;
        for (int i : box.items)
            total += e[i].n;
        double run = 0;
        size_t cut = 1;
        for (size_t j = 0; j + 1 < box.items.size(); ++j) {
            run += e[box.items[j]].n;
            cut = j + 1;
            if (run >= total / 2)
                break;
        }
        Box a, b;
        a.items.assign(box.items.begin(), box.items.begin() + long(cut));
        b.items.assign(box.items.begin() + long(cut), box.items.end());
        measure(a, e);
        measure(b, e);
        boxes.push_back(std::move(a));
        boxes.push_back(std::move(b));
    }
    std::vector<std::array<double, 3>> centres;
    for (const Box& box : boxes) {
        double r = 0, g = 0, b = 0, n = 0;
        for (int i : box.items) {
            r += e[i].r * e[i].n;
            g += e[i].g * e[i].n;
            b += e[i].b * e[i].n;
            n += e[i].n;
        }
        centres.push_back({r / n, g / n, b / n});
    }
    return centres;
}

int nearest(const std::vector<std::array<double, 3>>& pal, double r, double g, double b)
{
    int best = 0;
    double bestD = std::numeric_limits<double>::max();
    for (int i = 0; i < int(pal.size()); ++i) {
        const double d = dist(r, g, b, pal[i][0], pal[i][1], pal[i][2]);
        if (d < bestD) {
            bestD = d;
            best = i;
        }
    }
    return best;
}

}  // namespace

Indexed quantize(const QImage& source, int colours, double dither)
{
    const QImage img = source.convertToFormat(QImage::Format_RGB32);
    const int w = img.width(), h = img.height();

    // Histogram of 6-bit bins holding the exact mean colour of each bin.
    std::map<int, Entry> bins;
    for (int y = 0; y < h; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            const int r = qRed(line[x]), g = qGreen(line[x]), b = qBlue(line[x]);
            Entry& en = bins[(r >> 2) << 12 | (g >> 2) << 6 | (b >> 2)];
            en.r += r;
            en.g += g;
            en.b += b;
            en.n += 1;
        }
    }
    std::vector<Entry> e;
    for (auto& [k, en] : bins)
        e.push_back({en.r / en.n, en.g / en.n, en.b / en.n, en.n});

    auto pal = medianCut(e, colours);
    // Lloyd's k-means on the bins.
    for (int iter = 0; iter < 12; ++iter) {
        std::vector<std::array<double, 4>> acc(pal.size(), {0, 0, 0, 0});
        for (const Entry& en : e) {
            auto& a = acc[size_t(nearest(pal, en.r, en.g, en.b))];
            a[0] += en.r * en.n;
            a[1] += en.g * en.n;
            a[2] += en.b * en.n;
            a[3] += en.n;
        }
        for (size_t i = 0; i < pal.size(); ++i)
            if (acc[i][3] > 0)
                pal[i] = {acc[i][0] / acc[i][3], acc[i][1] / acc[i][3], acc[i][2] / acc[i][3]};
    }
    for (auto& c : pal)
        for (double& v : c)
            v = std::clamp(std::round(v), 0.0, 255.0);

    Indexed out;
    out.w = w;
    out.h = h;
    for (const auto& c : pal)
        out.palette.push_back(qRgb(int(c[0]), int(c[1]), int(c[2])));
    out.index.resize(size_t(w) * h);

    // Floyd-Steinberg, serpentine.
    std::vector<std::array<double, 3>> cur(size_t(w) + 2), next(size_t(w) + 2);
    for (int y = 0; y < h; ++y) {
        std::fill(next.begin(), next.end(), std::array<double, 3>{0, 0, 0});
        const auto* line = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        const bool ltr = (y % 2) == 0;
        for (int k = 0; k < w; ++k) {
            const int x = ltr ? k : w - 1 - k;
            const int dir = ltr ? 1 : -1;
            const double r = std::clamp(qRed(line[x]) + cur[size_t(x) + 1][0], 0.0, 255.0);
            const double g = std::clamp(qGreen(line[x]) + cur[size_t(x) + 1][1], 0.0, 255.0);
            const double b = std::clamp(qBlue(line[x]) + cur[size_t(x) + 1][2], 0.0, 255.0);
            const int i = nearest(pal, r, g, b);
            out.index[size_t(y) * w + x] = uint8_t(i);
            const double err[3] = {(r - pal[size_t(i)][0]) * dither, (g - pal[size_t(i)][1]) * dither,
                                   (b - pal[size_t(i)][2]) * dither};
            for (int c = 0; c < 3; ++c) {
                cur[size_t(x + dir) + 1][c] += err[c] * 7 / 16;
                next[size_t(x - dir) + 1][c] += err[c] * 3 / 16;
                next[size_t(x) + 1][c] += err[c] * 5 / 16;
                next[size_t(x + dir) + 1][c] += err[c] * 1 / 16;
            }
        }
        std::swap(cur, next);
    }
    return out;
}

namespace {
void put16(QByteArray& a, int v)
{
    a.append(char(v & 0xFF));
    a.append(char((v >> 8) & 0xFF));
}
void put32(QByteArray& a, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        a.append(char((v >> (8 * i)) & 0xFF));
}
}  // namespace

QByteArray toBmp(const Indexed& pic)
{
    const int bits = pic.palette.size() <= 16 ? 4 : 8;
    const int stride = ((pic.w * bits + 31) / 32) * 4;
    const int colours = int(pic.palette.size());
    const uint32_t offset = 14 + 40 + 4 * uint32_t(colours);
    const uint32_t imageSize = uint32_t(stride) * uint32_t(pic.h);
    QByteArray a;
    a.append("BM");
    put32(a, offset + imageSize);
    put32(a, 0);
    put32(a, offset);
    put32(a, 40);
    put32(a, uint32_t(pic.w));
    put32(a, uint32_t(pic.h));   // bottom-up rows
    put16(a, 1);
    put16(a, bits);
    put32(a, 0);                 // no compression
    put32(a, imageSize);
    put32(a, 2835);              // 72 dots per inch
    put32(a, 2835);
    put32(a, uint32_t(colours));
    put32(a, 0);
    for (QRgb c : pic.palette) {
        a.append(char(qBlue(c)));
        a.append(char(qGreen(c)));
        a.append(char(qRed(c)));
        a.append(char(0));
    }
    for (int y = pic.h - 1; y >= 0; --y) {
        QByteArray row(stride, '\0');
        for (int x = 0; x < pic.w; ++x) {
            const uint8_t i = pic.index[size_t(y) * pic.w + x];
            if (bits == 8)
                row[x] = char(i);
            else
                row[x / 2] = char(uint8_t(row[x / 2]) | (x % 2 ? i : i << 4));
        }
        a.append(row);
    }
    return a;
}

QImage toImage(const Indexed& pic)
{
    QImage img(pic.w, pic.h, QImage::Format_RGB32);
    for (int y = 0; y < pic.h; ++y)
        for (int x = 0; x < pic.w; ++x)
            img.setPixel(x, y, pic.palette[pic.index[size_t(y) * pic.w + x]]);
    return img;
}

}  // namespace pictures

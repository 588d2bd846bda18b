#include "paint_kit.h"

#include <cstring>
#include <map>

namespace artwork {

namespace {

struct Entry {
    int r, g, b;
    long count;
};

// Weighted distance, a little kinder to green like the eye is.
inline long distance(int r1, int g1, int b1, int r2, int g2, int b2)
{
    const long dr = r1 - r2, dg = g1 - g2, db = b1 - b2;
    return 3 * dr * dr + 4 * dg * dg + 2 * db * db;
}

}  // namespace

QImage quantize(const QImage& source, int colours)
{
    const QImage src = source.convertToFormat(QImage::Format_RGB32);
    std::map<QRgb, long> histogram;
    for (int y = 0; y < src.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(src.constScanLine(y));
        for (int x = 0; x < src.width(); ++x)
            ++histogram[line[x] | 0xff000000u];
    }
    std::vector<Entry> entries;
    entries.reserve(histogram.size());
    for (const auto& [rgb, n] : histogram)
        entries.push_back({qRed(rgb), qGreen(rgb), qBlue(rgb), n});

    std::vector<QRgb> palette;
    if (int(entries.size()) <= colours) {
        for (const Entry& e : entries)
            palette.push_back(qRgb(e.r, e.g, e.b));
    } else {
        // Median cut: split the box whose widest channel, weighted by its
        // pixel count, is largest.
        struct Box {
            size_t begin, end;
        };
        std::vector<Box> boxes{{0, entries.size()}};
        auto spread = [&](const Box& b, int& channel) {
            int lo[3] = {255, 255, 255}, hi[3] = {0, 0, 0};
            long n = 0;
            for (size_t i = b.begin; i < b.end; ++i) {
                const int c[3] = {entries[i].r, entries[i].g, entries[i].b};
                for (int k = 0; k < 3; ++k) {
                    lo[k] = std::min(lo[k], c[k]);
                    hi[k] = std::max(hi[k], c[k]);
                }
                n += entries[i].count;
            }
            const int range[3] = {(hi[0] - lo[0]) * 3, (hi[1] - lo[1]) * 4, (hi[2] - lo[2]) * 2};
            channel = int(std::max_element(range, range + 3) - range);
            return double(range[channel]) * std::sqrt(double(n));
        };
        while (int(boxes.size()) < colours) {
            int best = -1, bestChannel = 0;
            double bestScore = 0;
            for (size_t i = 0; i < boxes.size(); ++i) {
                if (boxes[i].end - boxes[i].begin < 2)
                    continue;
                int ch = 0;
                const double s = spread(boxes[i], ch);
                if (s > bestScore) {
                    bestScore = s;
                    best = int(i);
                    bestChannel = ch;
                }
            }
            if (best < 0)
                break;
            Box b = boxes[best];
            auto key = [&](const Entry& e) {
                return bestChannel == 0 ? e.r : bestChannel == 1 ? e.g : e.b;
            };
            std::stable_sort(entries.begin() + long(b.begin), entries.begin() + long(b.end),
                             [&](const Entry& a, const Entry& c) { return key(a) < key(c); });
            long total = 0;
            for (size_t i = b.begin; i < b.end; ++i)
                total += entries[i].count;
            long acc = 0;
            size_t cut = b.begin + 1;
            for (size_t i = b.begin; i < b.end - 1; ++i) {
                acc += entries[i].count;
                if (acc * 2 >= total) {
                    cut = i + 1;
                    break;
                }
                cut = i + 1;
            }
            boxes[best] = {b.begin, cut};
            boxes.push_back({cut, b.end});
        }
        std::vector<double> pr, pg, pb;
        for (const Box& b : boxes) {
            double r = 0, g = 0, bl = 0, n = 0;
            for (size_t i = b.begin; i < b.end; ++i) {
                r += double(entries[i].r) * entries[i].count;
                g += double(entries[i].g) * entries[i].count;
                bl += double(entries[i].b) * entries[i].count;
                n += entries[i].count;
            }
            pr.push_back(r / n);
            pg.push_back(g / n);
            pb.push_back(bl / n);
        }
        // k-means rounds.
        for (int round = 0; round < 8; ++round) {
            std::vector<double> sr(pr.size()), sg(pr.size()), sb(pr.size()), sn(pr.size());
            for (const Entry& e : entries) {
                size_t best = 0;
                long bestD = -1;
                for (size_t k = 0; k < pr.size(); ++k) {
                    const long d = distance(e.r, e.g, e.b, int(std::lround(pr[k])),
                                            int(std::lround(pg[k])), int(std::lround(pb[k])));
                    if (bestD < 0 || d < bestD) {
                        bestD = d;
                        best = k;
                    }
                }
                sr[best] += double(e.r) * e.count;
                sg[best] += double(e.g) * e.count;
                sb[best] += double(e.b) * e.count;
                sn[best] += e.count;
            }
            for (size_t k = 0; k < pr.size(); ++k)
                if (sn[k] > 0) {
                    pr[k] = sr[k] / sn[k];
                    pg[k] = sg[k] / sn[k];
                    pb[k] = sb[k] / sn[k];
                }
        }
        for (size_t k = 0; k < pr.size(); ++k)
            palette.push_back(qRgb(int(std::lround(pr[k])), int(std::lround(pg[k])),
                                   int(std::lround(pb[k]))));
        std::sort(palette.begin(), palette.end());
        palette.erase(std::unique(palette.begin(), palette.end()), palette.end());
    }

    QImage out(src.size(), QImage::Format_Indexed8);
    // The bitmap writer copies whole rows, padding included: clear it so the
    // file's bytes never depend on what the memory held before.
    for (int y = 0; y < out.height(); ++y)
        std::memset(out.scanLine(y), 0, size_t(out.bytesPerLine()));
    out.setColorCount(int(palette.size()));
    for (int i = 0; i < int(palette.size()); ++i)
        out.setColor(i, palette[size_t(i)]);
    std::map<QRgb, int> nearest;
    for (int y = 0; y < src.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(src.constScanLine(y));
        uchar* o = out.scanLine(y);
        for (int x = 0; x < src.width(); ++x) {
            const QRgb px = line[x] | 0xff000000u;
            auto it = nearest.find(px);
            if (it == nearest.end()) {
                int best = 0;
                long bestD = -1;
                for (int k = 0; k < int(palette.size()); ++k) {
                    const QRgb c = palette[size_t(k)];
                    const long d = distance(qRed(px), qGreen(px), qBlue(px), qRed(c), qGreen(c), qBlue(c));
                    if (bestD < 0 || d < bestD) {
                        bestD = d;
                        best = k;
                    }
                }
                it = nearest.emplace(px, best).first;
            }
            o[x] = uchar(it->second);
        }
    }
    return out;
}

}  // namespace artwork

// 213: a patchwork quilt. 214: a Mandelbrot spiral in embossed enamel
// colours. 215: a stained-glass rose window.

#include "paint.h"
#include "scenes.h"

#include <complex>

namespace pictures {

namespace {

// --- Quilt -----------------------------------------------------------------

struct Fabric {
    QColor base, accent;
    int print;   // 0 plain weave, 1 dots, 2 stripes, 3 gingham, 4 sprigs, 5 pinstripe
};

QColor fabricAt(const Fabric& f, double x, double y, uint32_t seed)
{
    QColor col = f.base;
    switch (f.print) {
    case 1: {
        const double gx = std::fmod(x + (int(std::floor(y / 6)) % 2) * 3, 6.0) - 3, gy = std::fmod(y, 6.0) - 3;
        if (gx * gx + gy * gy < 1.6)
            col = f.accent;
        break;
    }
    case 2:
        if (std::fmod(x + y + 400, 7.0) < 2.4)
            col = f.accent;
        break;
    case 3: {
        const bool a = std::fmod(x + 400, 8.0) < 4, b = std::fmod(y + 400, 8.0) < 4;
        col = a && b ? f.accent : (a || b ? mix(f.base, f.accent, 0.5) : f.base);
        break;
    }
    case 4: {
        // Small flowers on a ground, staggered.
        const double cx = std::floor(x / 9) * 9 + 4.5 + (int(std::floor(y / 9)) % 2) * 2;
        const double cy = std::floor(y / 9) * 9 + 4.5;
        const double dx = x - cx, dy = y - cy, r = std::hypot(dx, dy);
        const double a = std::atan2(dy, dx);
        if (r < 1.0)
            col = QColor(250, 220, 100);
        else if (r < 2.4 + 0.9 * std::cos(5 * a))
            col = f.accent;
        else if (std::abs(dx - 3) < 1.2 && std::abs(dy - 2.5) < 0.6)
            col = QColor(110, 140, 80);
        break;
    }
    case 5:
        if (std::fmod(x + 400, 5.0) < 0.9)
            col = f.accent;
        break;
    default:
        break;
    }
    // The weave and a little fading.
    const double weave = (hash2(int(x * 2), int(y * 2), seed) - 0.5) * 0.1 +
                         (std::fmod(x * 2, 2.0) < 1 ? 0.02 : -0.02);
    return shade(col, 1 + weave + (fbm(x / 25, y / 25, 2, seed + 1) - 0.5) * 0.12);
}

}  // namespace

QImage patchworkQuilt(int w, int h)
{
    Canvas c(w, h);
    Rng rng(213);
    const std::vector<Fabric> fabrics = {
        {QColor(190, 60, 50), QColor(250, 230, 200), 1},   {QColor(236, 214, 170), QColor(170, 70, 60), 4},
        {QColor(60, 100, 130), QColor(220, 210, 180), 2},  {QColor(230, 170, 70), QColor(180, 110, 40), 3},
        {QColor(110, 140, 80), QColor(236, 226, 190), 1},  {QColor(150, 70, 90), QColor(240, 200, 200), 4},
        {QColor(240, 230, 206), QColor(90, 120, 150), 5},  {QColor(200, 120, 70), QColor(250, 220, 170), 2},
        {QColor(70, 120, 110), QColor(240, 200, 120), 4},  {QColor(120, 60, 50), QColor(230, 170, 90), 1},
        {QColor(220, 150, 150), QColor(140, 60, 60), 3},   {QColor(90, 80, 130), QColor(236, 220, 170), 5},
        {QColor(180, 170, 90), QColor(110, 90, 40), 0},    {QColor(250, 236, 200), QColor(200, 110, 80), 1},
    };
    const double block = 58, sash = 7;
    const int blocks = int(std::ceil(w / (block + sash))) + 1;
    // Each block: a pattern and four fabrics.
    struct Block { int kind; int f[4]; };
    std::vector<Block> grid(size_t(blocks * blocks));
    for (Block& b : grid) {
        b.kind = rng.below(6);
        for (int& f : b.f)
            f = rng.below(int(fabrics.size()));
        while (b.f[1] == b.f[0])
            b.f[1] = rng.below(int(fabrics.size()));
    }
    const Fabric sashing{QColor(246, 236, 214), QColor(200, 80, 70), 5};
    const Fabric cornerstone{QColor(170, 50, 50), QColor(240, 220, 190), 0};
    const double offset = 18;   // the quilt continues beyond the picture
    // Patch number and fabric at a point.
    auto patch = [&](double x, double y, int& fabricOut, bool& special) -> int {
        special = false;
        const double gx = x + offset, gy = y + offset;
        const int bx = int(std::floor(gx / (block + sash))), by = int(std::floor(gy / (block + sash)));
        const double lx = gx - bx * (block + sash), ly = gy - by * (block + sash);
        if (lx >= block || ly >= block) {
            special = true;
            fabricOut = (lx >= block && ly >= block) ? -2 : -1;
            return fabricOut == -2 ? 100000 + bx * 100 + by : 200000 + (lx >= block ? bx * 100 + by : 5000 + bx * 100 + by);
        }
        const Block& b = grid[size_t(((by % blocks) + blocks) % blocks * blocks + ((bx % blocks) + blocks) % blocks)];
        const double u = lx / block, v = ly / block;
        int part = 0;
        switch (b.kind) {
        case 0: {   // nine-patch
            const int i = std::min(2, int(u * 3)), j = std::min(2, int(v * 3));
            part = (i + j) % 2 == 0 ? 0 : 1;
            part = part * 10 + i * 3 + j;
            fabricOut = b.f[(i + j) % 2];
            break;
        }
        case 1: {   // half-square triangles, pinwheel
            const int i = u < 0.5, j = v < 0.5;
            const double fu = std::fmod(u * 2, 1.0), fv = std::fmod(v * 2, 1.0);
            const bool upper = ((i ^ j) ? fu + fv < 1 : fu > fv);
            fabricOut = b.f[upper ? 0 : 1];
            part = (i * 2 + j) * 2 + upper;
            break;
        }
        case 2: {   // log cabin: rings around a centre square
            const double d = std::max(std::abs(u - 0.5), std::abs(v - 0.5));
            const int ring = std::min(3, int(d * 8));
            const int sideIdx = (u - 0.5 > std::abs(v - 0.5)) ? 0 : (v - 0.5 > std::abs(u - 0.5)) ? 1 : (0.5 - u > std::abs(v - 0.5)) ? 2 : 3;
            fabricOut = ring == 0 ? b.f[3] : b.f[(sideIdx < 2) ? (ring % 2) : (ring % 2) + 2];
            part = ring * 4 + sideIdx;
            break;
        }
        case 3: {   // eight-pointed star on a ground
            const double du = u - 0.5, dv = v - 0.5;
            const double r = std::hypot(du, dv), a = std::atan2(dv, du);
            const double star = 0.22 + 0.2 * std::pow(std::abs(std::cos(4 * a)), 3);
            const bool in = r < star;
            fabricOut = in ? b.f[(int(std::floor((a + Pi) / (Pi / 4))) % 2)] : b.f[2];
            part = in ? int(std::floor((a + Pi) / (Pi / 4))) : 9;
            break;
        }
        case 4: {   // flying geese in three rows
            const int row = std::min(2, int(v * 3));
            const double fv = v * 3 - row;
            const bool goose = std::abs(u - 0.5) < 0.5 * (1 - fv);
            fabricOut = goose ? b.f[row % 2] : b.f[2];
            part = row * 2 + goose;
            break;
        }
        default: {  // four-patch with a square in a square
            const double du = std::abs(u - 0.5), dv = std::abs(v - 0.5);
            if (du + dv < 0.32) {
                fabricOut = b.f[0];
                part = 0;
            } else if (du < 0.36 && dv < 0.36) {
                fabricOut = b.f[1];
                part = 1 + (u > 0.5) + 2 * (v > 0.5);
            } else {
                fabricOut = b.f[2 + ((u > 0.5) ^ (v > 0.5))];
                part = 10;
            }
            break;
        }
        }
        return (bx * 100 + by) * 100 + part;
    };
    const int W = c.img.width(), H = c.img.height();
    std::vector<int> ids(size_t(W) * H);
    c.perPixel([&](double x, double y, QRgb& px) {
        int f = 0;
        bool special = false;
        const int id = patch(x, y, f, special);
        ids[size_t(int(y * Canvas::Scale)) * W + int(x * Canvas::Scale)] = id;
        const Fabric& fab = f == -1 ? sashing : (f == -2 ? cornerstone : fabrics[size_t(f)]);
        QColor col = fabricAt(fab, x, y, uint32_t(f + 10));
        // Quilting: puffy diagonal channels.
        const double q = std::sin((x + y) * Pi / 11.0);
        col = shade(col, 1 + 0.07 * q);
        px = col.rgb();
    });
    // Seams sink into the wadding; stitches run beside them.
    const QImage flat = c.img.copy();
    for (int y = 0; y < H; ++y) {
        auto* line = reinterpret_cast<QRgb*>(c.img.scanLine(y));
        for (int x = 0; x < W; ++x) {
            const int id = ids[size_t(y) * W + x];
            double dmin = 99;
            for (int r = 1; r <= 7; ++r) {
                const int xs[4] = {x - r, x + r, x, x};
                const int ys[4] = {y, y, y - r, y + r};
                for (int k = 0; k < 4; ++k) {
                    if (xs[k] < 0 || ys[k] < 0 || xs[k] >= W || ys[k] >= H)
                        continue;
                    if (ids[size_t(ys[k]) * W + xs[k]] != id)
                        dmin = std::min(dmin, double(r));
                }
                if (dmin < 99)
                    break;
            }
            QColor col(flat.pixel(x, y));
            if (dmin < 99) {
                col = shade(col, 0.62 + 0.38 * smooth(0, 7, dmin));
                // Running stitch five half-pixels inside.
                if (std::abs(dmin - 5) < 0.8 && int((x + y) / 5) % 2 == 0)
                    col = mix(col, QColor(250, 244, 226), 0.75);
            }
            line[x] = col.rgb();
        }
    }
    return c.finish();
}

// --- Fractal ---------------------------------------------------------------

QImage fractal(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    const std::vector<QColor> palette = {
        QColor(252, 240, 206), QColor(240, 190, 90), QColor(206, 110, 50), QColor(140, 40, 50),
        QColor(70, 30, 60),    QColor(40, 90, 110),  QColor(90, 160, 150), QColor(200, 220, 170)};
    // A spiral of seahorses near the valley between the main body and its
    // largest bulb.
    const std::complex<double> centre(-0.74679, 0.11512);
    const double span = 0.002;
    const int maxIter = 1400;
    const double lightAngle = 0.8;
    const std::complex<double> light(std::cos(lightAngle), std::sin(lightAngle));
    const int ss = 3;
    const double stripes = 5, bandScale = 3, stripeColour = 4, stripeShade = 1.2;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            double r = 0, g = 0, b = 0;
            for (int sy = 0; sy < ss; ++sy)
                for (int sx = 0; sx < ss; ++sx) {
                    const double fx = (x + (sx + 0.5) / ss) / w - 0.5;
                    const double fy = (y + (sy + 0.5) / ss) / h - 0.5;
                    const std::complex<double> c0 = centre + std::complex<double>(fx * span, -fy * span * h / w);
                    std::complex<double> z = 0, dz = 0;
                    // Stripe average: the orbit's angles leave flowing
                    // stripes in the smooth outer parts.
                    double sum = 0, last = 0;
                    int counted = 0;
                    int i = 0;
                    for (; i < maxIter && std::norm(z) < 1e20; ++i) {
                        dz = 2.0 * z * dz + 1.0;
                        z = z * z + c0;
                        if (i > 2) {
                            last = 0.5 * std::sin(stripes * std::arg(z)) + 0.5;
                            sum += last;
                            ++counted;
                        }
                    }
                    QColor col;
                    if (i == maxIter) {
                        col = QColor(30, 20, 40);
                    } else {
                        const double logz = std::log(std::abs(z));
                        const double frac = 1 + std::log2(std::log(1e10) / logz);
                        const double nu = i + 1 - std::log(logz / std::log(2.0)) / std::log(2.0);
                        const double avg = sum / std::max(1, counted);
                        const double prev = counted > 1 ? (sum - last) / (counted - 1) : avg;
                        const double stripe = clamp01(frac * avg + (1 - frac) * prev);
                        // Relief: the normal of the potential, lit from the upper left.
                        std::complex<double> n = z / dz;
                        n /= std::abs(n);
                        double t = (n.real() * light.real() + n.imag() * light.imag() + 1.5) / 2.5;
                        t = clamp01(t);
                        const double pos = std::fmod(std::log(nu) * bandScale + stripe * stripeColour + 40.0,
                                                     double(palette.size()));
                        const int k = int(pos);
                        const QColor base = mix(palette[size_t(k)], palette[(size_t(k) + 1) % palette.size()], pos - k);
                        col = shade(base, (0.45 + 0.75 * t) * (1 - stripeShade / 2 + stripeShade * stripe));
                    }
                    r += col.redF();
                    g += col.greenF();
                    b += col.blueF();
                }
            const double n = ss * ss;
            img.setPixel(x, y, qRgb(int(r / n * 255), int(g / n * 255), int(b / n * 255)));
        }
    return img;
}

// --- Stained glass ---------------------------------------------------------

QImage stainedGlass(int w, int h)
{
    Canvas c(w, h);
    Rng rng(215);
    const double cx = w / 2.0, cy = h / 2.0, R = w * 0.44;
    const std::vector<QColor> jewels = {
        QColor(180, 30, 40),  QColor(220, 140, 30), QColor(30, 70, 150), QColor(40, 120, 70),
        QColor(120, 40, 120), QColor(240, 200, 80), QColor(40, 130, 160), QColor(200, 80, 60)};
    std::vector<int> pieceColour(4096);
    for (int& k : pieceColour)
        k = rng.below(int(jewels.size()));
    // Which piece of glass lies at a point: rings and sectors of a rose, the
    // corners filled with leaves and a border of small panes.
    auto piece = [&](double x, double y, QColor& col) -> int {
        const double border = w * 0.045;
        if (x < border || y < border || x > w - border || y > h - border) {
            const double along = (x < border || x > w - border) ? y : x;
            const int k = int(along / (w * 0.09));
            const bool side = (x < border || x > w - border);
            col = k % 2 ? QColor(236, 210, 120) : QColor(60, 90, 160);
            return 3000 + k * 4 + (side ? (x < border) : 2 + (y < border));
        }
        const double dx = x - cx, dy = y - cy;
        const double r = std::hypot(dx, dy) / R;
        double a = std::atan2(dy, dx) + Pi;
        if (r < 0.16) {
            col = QColor(250, 210, 90);
            return 1;
        }
        if (r < 0.42) {
            // Twelve petals, pointed.
            const int s = int(a / (2 * Pi / 12));
            const double fa = a / (2 * Pi / 12) - s;
            const double petal = 0.16 + 0.26 * std::sin(fa * Pi);
            if (r < petal) {
                col = jewels[size_t(s % 2 ? 0 : 7)];
                return 10 + s;
            }
            col = QColor(250, 236, 180);
            return 30 + s;
        }
        if (r < 0.52) {
            const int s = int(a / (2 * Pi / 24));
            col = s % 2 ? QColor(40, 120, 70) : QColor(90, 170, 90);
            return 60 + s;
        }
        if (r < 0.80) {
            // A ring of roundels.
            const int s = int(a / (2 * Pi / 16));
            const double ma = (s + 0.5) * 2 * Pi / 16 - Pi;
            const double rx = cx + std::cos(ma) * R * 0.66, ry = cy + std::sin(ma) * R * 0.66;
            const double d = std::hypot(x - rx, y - ry) / R;
            if (d < 0.085) {
                col = QColor(250, 220, 120);
                return 100 + s;
            }
            if (d < 0.13) {
                col = jewels[size_t(pieceColour[size_t(s)] % 2 ? 2 : 4)];
                return 120 + s;
            }
            col = jewels[size_t(s % 2 ? 6 : 2)];
            return 140 + s * 2 + (r > 0.66);
        }
        if (r < 0.86) {
            const int s = int(a / (2 * Pi / 32));
            col = s % 2 ? QColor(200, 60, 50) : QColor(236, 180, 60);
            return 200 + s;
        }
        if (r < 1.0) {
            const int s = int(a / (2 * Pi / 48));
            col = jewels[size_t(pieceColour[size_t(s + 300)])];
            return 300 + s;
        }
        // Spandrels: a fan in each corner on diamond quarries of pale glass.
        const int q = (dx > 0) + 2 * (dy > 0);
        const double kx = dx > 0 ? w - border : border, ky = dy > 0 ? h - border : border;
        const double fr = std::hypot(x - kx, y - ky) / (w * 0.5);
        if (fr < 0.34) {
            const double fa = std::atan2(std::abs(y - ky), std::abs(x - kx));
            if (fr < 0.12) {
                col = QColor(40, 120, 70);
                return 600 + q;
            }
            const int s = int(fa / (Pi / 2 / 6));
            col = fr < 0.28 ? (s % 2 ? QColor(236, 170, 60) : QColor(200, 70, 80))
                            : QColor(120, 40, 120);
            return 610 + q * 20 + s + (fr < 0.28 ? 0 : 10);
        }
        const double du = (x + y) / (w * 0.085), dv = (x - y) / (w * 0.085);
        const int pane = int(std::floor(du)) * 64 + int(std::floor(dv)) + 2000;
        const double tint = hash2(int(std::floor(du)), int(std::floor(dv)), 5);
        col = tint < 0.33 ? QColor(240, 226, 180) : (tint < 0.66 ? QColor(214, 226, 190) : QColor(236, 206, 170));
        return 800 + q * 5000 + pane;
    };
    const int W = c.img.width(), H = c.img.height();
    std::vector<int> ids(size_t(W) * H);
    std::vector<QRgb> base(size_t(W) * H);
    c.perPixel([&](double x, double y, QRgb&) {
        QColor col;
        const int id = piece(x, y, col);
        const size_t k = size_t(int(y * Canvas::Scale)) * W + int(x * Canvas::Scale);
        ids[k] = id;
        base[k] = col.rgb();
    });
    for (int y = 0; y < H; ++y) {
        auto* line = reinterpret_cast<QRgb*>(c.img.scanLine(y));
        for (int x = 0; x < W; ++x) {
            const size_t k = size_t(y) * W + x;
            const int id = ids[k];
            bool lead = false;
            for (int d = -3; d <= 3 && !lead; ++d)
                for (int e = -3; e <= 3 && !lead; ++e) {
                    if (d * d + e * e > 9)
                        continue;
                    const int xx = std::clamp(x + d, 0, W - 1), yy = std::clamp(y + e, 0, H - 1);
                    lead = ids[size_t(yy) * W + xx] != id;
                }
            const double fx = (x + 0.5) / Canvas::Scale, fy = (y + 0.5) / Canvas::Scale;
            if (lead) {
                line[x] = qRgb(38, 34, 40);
                continue;
            }
            // Sun behind the upper left; each pane mottled and streaked.
            const double sun = 1.2 - 0.55 * std::hypot(fx - w * 0.25, fy - h * 0.2) / w;
            const double mottle = fbm(fx / 9.0, fy / 9.0, 4, uint32_t(id) * 13u) - 0.5;
            const double streak = fbm(fx / 30.0 + id, fy / 3.0, 3, 77) - 0.5;
            QColor col = shade(QColor(base[k]), sun + mottle * 0.5 + streak * 0.25);
            line[x] = col.rgb();
        }
    }
    return c.finish();
}

}  // namespace pictures

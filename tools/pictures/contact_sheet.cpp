// Renders a contact sheet of the puzzle pictures: the sixteen side by side
// with number, size and depth, and below them the 8 x 8 cut of chosen
// pictures, its cells pulled apart and shuffled as on a board.
//   picture_sheet <bitmap folder> <sheet.png> [number to cut ...]
//   picture_sheet --actual <bitmap folder> <out folder>   (each at 1:1 as PNG)

#include <QDir>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numeric>
#include <vector>

namespace {

int bitDepth(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray head = f.read(30);
    return head.size() < 30 ? 0 : uchar(head[28]) | uchar(head[29]) << 8;
}

void cut(QPainter& p, const QImage& img, int x0, int y0, int side, bool shuffled)
{
    const int n = 8, gap = 3;
    const int cell = (side - gap * (n - 1)) / n;
    std::vector<int> order(n * n);
    std::iota(order.begin(), order.end(), 0);
    if (shuffled) {
        unsigned s = 12345;
        for (int i = n * n - 1; i > 0; --i) {
            s = s * 1103515245u + 12345u;
            std::swap(order[size_t(i)], order[(s >> 8) % unsigned(i + 1)]);
        }
    }
    for (int k = 0; k < n * n; ++k) {
        const int i = order[size_t(k)];
        // Cells as the game cuts them: equal parts, the rest dropped.
        const int cw = img.width() / n, ch = img.height() / n;
        const QImage piece = img.copy((i % n) * cw, (i / n) * ch, cw, ch);
        p.drawImage(QRect(x0 + (k % n) * (cell + gap), y0 + (k / n) * (cell + gap), cell, cell),
                    piece);
    }
}

// The checks of the tests, for looking at the numbers while drawing: the
// smallest spread of a cell and the smallest difference of two cells.
void stats(const QString& dir)
{
    for (int n = 201; n <= 216; ++n) {
        const QImage img = QImage(QString("%1/%2.bmp").arg(dir).arg(n)).convertToFormat(QImage::Format_RGB32);
        if (img.isNull())
            continue;
        const int cw = img.width() / 8, ch = img.height() / 8;
        std::vector<std::vector<double>> blocks;
        double minSpread = 1e9;
        int minCell = -1;
        for (int i = 0; i < 64; ++i) {
            const int x0 = (i % 8) * cw, y0 = (i / 8) * ch;
            double s = 0, s2 = 0;
            std::vector<double> b(48, 0.0);
            for (int y = 0; y < ch; ++y)
                for (int x = 0; x < cw; ++x) {
                    const QRgb px = img.pixel(x0 + x, y0 + y);
                    const double l = 0.299 * qRed(px) + 0.587 * qGreen(px) + 0.114 * qBlue(px);
                    s += l;
                    s2 += l * l;
                    const int k = (y * 4 / ch) * 4 + x * 4 / cw;
                    b[size_t(k * 3)] += qRed(px);
                    b[size_t(k * 3 + 1)] += qGreen(px);
                    b[size_t(k * 3 + 2)] += qBlue(px);
                }
            const double nPix = double(cw) * ch;
            const double sd = std::sqrt(std::max(0.0, s2 / nPix - (s / nPix) * (s / nPix)));
            if (sd < minSpread) {
                minSpread = sd;
                minCell = i;
            }
            for (double& v : b)
                v /= nPix / 16;
            blocks.push_back(b);
        }
        double minDiff = 1e9;
        int pa = -1, pb = -1;
        for (int a = 0; a < 64; ++a)
            for (int b = a + 1; b < 64; ++b) {
                double d = 0;
                for (size_t k = 0; k < 48; ++k)
                    d += std::abs(blocks[size_t(a)][k] - blocks[size_t(b)][k]);
                d /= 48;
                if (d < minDiff) {
                    minDiff = d;
                    pa = a;
                    pb = b;
                }
            }
        std::printf("%d: least spread %.1f (cell %d), least difference %.1f (cells %d, %d)\n", n,
                    minSpread, minCell, minDiff, pa, pb);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.size() == 2 && args[0] == "--stats") {
        stats(args[1]);
        return 0;
    }
    if (args.size() == 3 && args[0] == "--actual") {
        QDir().mkpath(args[2]);
        for (int n = 201; n <= 216; ++n) {
            QImage img(QString("%1/%2.bmp").arg(args[1]).arg(n));
            if (!img.isNull())
                img.save(QString("%1/%2.png").arg(args[2]).arg(n));
        }
        return 0;
    }
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: picture_sheet <bitmap folder> <sheet.png> [number ...]\n");
        return 2;
    }
    const QString dir = args.takeFirst(), out = args.takeFirst();
    const int thumb = 230, pad = 14, label = 18, cols = 4;
    const int cuts = int(args.size());
    const int cutSide = 2 * thumb + pad;
    const int width = cols * thumb + (cols + 1) * pad;
    const int height = 4 * (thumb + label + pad) + pad + cuts * (cutSide + pad);
    QImage sheet(width, height, QImage::Format_RGB32);
    sheet.fill(QColor(58, 46, 38));
    QPainter p(&sheet);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    QFont font("DejaVu Sans");
    font.setPixelSize(12);
    p.setFont(font);
    for (int i = 0; i < 16; ++i) {
        const int n = 201 + i;
        const QString path = QString("%1/%2.bmp").arg(dir).arg(n);
        const QImage img(path);
        const int x = pad + (i % cols) * (thumb + pad);
        const int y = pad + (i / cols) * (thumb + label + pad);
        if (!img.isNull())
            p.drawImage(QRect(x, y, thumb, thumb), img);
        p.setPen(QColor(240, 226, 200));
        p.drawText(QRect(x, y + thumb, thumb, label), Qt::AlignCenter,
                   img.isNull() ? QString("%1: missing").arg(n)
                                : QString("%1  %2 x %3  %4-bit")
                                      .arg(n).arg(img.width()).arg(img.height())
                                      .arg(bitDepth(path)));
    }
    int y = pad + 4 * (thumb + label + pad);
    for (const QString& a : args) {
        const QImage img(QString("%1/%2.bmp").arg(dir).arg(a));
        if (img.isNull())
            continue;
        cut(p, img, pad, y, cutSide, false);
        cut(p, img, pad * 2 + cutSide, y, cutSide, true);
        y += cutSide + pad;
    }
    p.end();
    return sheet.save(out) ? 0 : 1;
}

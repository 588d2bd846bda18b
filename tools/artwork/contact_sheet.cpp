// Renders one PNG that shows every picture of the game together: mock-ups of
// the main window (wallpaper, frame, board, furniture and toolbar placed as the
// layout places them), the picture window, every wallpaper tile as a 3 x 3
// repeat, every piece of window artwork, and the puzzle pictures when present.
//
// Usage: tavoro_contact_sheet <resources folder> <out.png> [wallpaper number]
#include "mainwindow/frame_art.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QSvgRenderer>

#include <cfenv>
#include <cmath>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

QString root;

QString artPath(const QString& name) { return root + "/art/" + name; }

QImage bitmap(int number) { return QImage(QStringLiteral("%1/BITMAP/%2.bmp").arg(root).arg(number)); }

void missing(QPainter& p, const QRectF& r, const QString& what)
{
    p.save();
    p.setPen(QPen(Qt::red, 1, Qt::DashLine));
    p.setBrush(QColor(255, 0, 0, 30));
    p.drawRect(r);
    p.setFont(QFont("DejaVu Sans", 7));
    p.drawText(r, Qt::AlignCenter | Qt::TextWordWrap, "missing\n" + what);
    p.restore();
}

// Draws an art file (SVG or bitmap) stretched into the rectangle.
void art(QPainter& p, const QString& name, const QRectF& r)
{
    const QString file = artPath(name);
    if (!QFileInfo::exists(file))
        return missing(p, r, name);
    if (name.endsWith(".svg")) {
        QSvgRenderer svg(file);
        if (!svg.isValid())
            return missing(p, r, name);
        svg.render(&p, r);
    } else {
        const QImage img(file);
        if (img.isNull())
            return missing(p, r, name);
        p.drawImage(r, img);
    }
}

QSizeF artSize(const QString& name)
{
    if (!QFileInfo::exists(artPath(name)))
        return QSizeF(40, 40);
    if (name.endsWith(".svg")) {
        QSvgRenderer svg(artPath(name));
        return svg.isValid() ? QSizeF(svg.defaultSize()) : QSizeF(40, 40);
    }
    const QImage img(artPath(name));
    return img.isNull() ? QSizeF(40, 40) : QSizeF(img.size());
}

void tileFill(QPainter& p, const QImage& tile, const QRectF& r)
{
    if (tile.isNull())
        return missing(p, r, "tile");
    p.save();
    p.setClipRect(r);
    for (double y = r.top(); y < r.bottom(); y += tile.height())
        for (double x = r.left(); x < r.right(); x += tile.width())
            p.drawImage(QPointF(x, y), tile);
    p.restore();
}

// Nearest whole number, halves to the even neighbour.
int nearest(double x)
{
    std::fesetround(FE_TONEAREST);
    return int(std::nearbyint(x));
}

// A plain raised push button, as the platform draws one.
void button(QPainter& p, const QRectF& r)
{
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor("#e8e3da"));
    p.drawRect(r);
    p.setPen(QColor("#ffffff"));
    p.drawLine(r.topLeft(), r.topRight() - QPointF(1, 0));
    p.drawLine(r.topLeft(), r.bottomLeft() - QPointF(0, 1));
    p.setPen(QColor("#7b766e"));
    p.drawLine(r.bottomLeft() - QPointF(0, 1), r.bottomRight() - QPointF(1, 1));
    p.drawLine(r.topRight() - QPointF(1, 0), r.bottomRight() - QPointF(1, 1));
    p.restore();
}

void label(QPainter& p, const QRectF& r, const QString& text, const QFont& font, const QColor& fg,
           const QColor& bg, Qt::Alignment align = Qt::AlignLeft | Qt::AlignTop)
{
    p.save();
    if (bg.alpha() > 0)
        p.fillRect(r, bg);
    p.setFont(font);
    p.setPen(fg);
    p.drawText(r, align, text);
    p.restore();
}

QFont pixelFont(const QString& family, int px, bool bold)
{
    QFont f(family);
    f.setPixelSize(px);
    f.setBold(bold);
    return f;
}

// The main window at client size W x H with an N x N board, laid out as the
// game lays it out.
QImage mainWindow(int W, int H, int N, int wallpaper)
{
    QImage img(W, H, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::black);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    tileFill(p, bitmap(wallpaper), QRectF(0, 0, W, H));

    const int boardSide = nearest(0.7 * H);
    const int boardLeft = nearest((W - boardSide) / 1.8);
    const int cell = nearest(double(boardSide) / N);
    const double t0 = N + 0.07 * boardSide;
    const double frameLeft = (boardLeft - 32) - N / 5.0;
    const double frameTop = t0 - 35 - N / 5.0;
    const double frameSide = (boardSide + 70) + N / 5.0;
    {
        // The frame as the game draws it: its opening is the board.
        const QRectF frame(frameLeft, frameTop, frameSide, frameSide);
        const QRectF board(boardLeft + N, t0, N * cell, N * cell);
        p.drawImage(frame.topLeft(),
                    mainwindow::renderFrame(frame.size().toSize(),
                                            board.translated(-frame.topLeft()).adjusted(1, 1, -1, -1),
                                            1.0, root + "/art"));
    }

    QImage picture = bitmap(201);
    if (picture.isNull()) {
        picture = QImage(360, 360, QImage::Format_RGB32);
        QPainter pp(&picture);
        QLinearGradient g(0, 0, 360, 360);
        g.setColorAt(0, QColor("#7fa7c9"));
        g.setColorAt(1, QColor("#e0b070"));
        pp.fillRect(picture.rect(), g);
        pp.setPen(QPen(QColor(255, 255, 255, 120), 3));
        for (int i = 0; i < 360; i += 30)
            pp.drawEllipse(QPoint(180, 180), i / 2, i / 2);
    }
    const QImage empty(artPath("leer.bmp"));
    for (int k = 0; k < N * N; ++k) {
        const int r = k / N, c = k % N;
        const QRectF cellRect(boardLeft + N + c * cell, t0 + r * cell, cell, cell);
        if (k == N * N - 1) {
            if (empty.isNull())
                missing(p, cellRect, "leer.bmp");
            else
                p.drawImage(cellRect, empty);
            continue;
        }
        const QRectF src(picture.width() * c / double(N), picture.height() * r / double(N),
                         picture.width() / double(N), picture.height() / double(N));
        p.drawImage(cellRect, picture, src);
    }

    // Toolbar strip and buttons.
    const double bw = 550 / 15.0;
    const double stripLeft = W - 1.15 * bw;
    QLinearGradient strip(stripLeft, 0, W, 0);
    strip.setColorAt(0, QColor("#5a3d26"));
    strip.setColorAt(0.5, QColor("#7a5636"));
    strip.setColorAt(1, QColor("#5a3d26"));
    p.fillRect(QRectF(stripLeft, 0, 1.15 * bw, H + 6), strip);
    const char* icons[] = {"start", "end", "preview", "picture", "wallpaper",
                           "slide", "swap", "options", "champions", "help"};
    for (int i = 0; i < 10; ++i) {
        const double top = i < 3 ? bw * i + 3 : bw * (i + 1) + 3 - 20;
        const QRectF r(stripLeft + 4, top, bw, bw);
        button(p, r);
        const double is = 28;
        art(p, QStringLiteral("toolbar/%1.svg").arg(icons[i]),
            QRectF(r.center().x() - is / 2, r.center().y() - is / 2, is, is));
    }
    const char* flags[] = {"de", "gb", "se", "it", "es", "fr"};
    for (int i = 0; i < 6; ++i) {
        const double top = i < 5 ? 25.0 * (i + 10 + 2) + 3 + 100 : 25.0 * 17 + 103;
        art(p, QStringLiteral("flags/%1.svg").arg(flags[i]), QRectF(stripLeft + 4, top, 38, 25));
    }

    // Chest with the clock and the time display.
    double chestTop = H - 120;
    if (frameTop + frameSide > chestTop)
        chestTop = frameTop + 1.05 * frameSide;
    art(p, "furniture/kommode.svg", QRectF(0, chestTop, 315, 120));
    const double clockTop = chestTop - 69 + 15;
    art(p, "furniture/uhr.svg", QRectF(50, clockTop, 108, 69));
    label(p, QRectF(50 + (108 - 65) / 2.0, clockTop + 25 - 5, 65, 25), "123",
          pixelFont("Liberation Mono", 26, true), QColor("#00ff00"), Qt::black);

    // Cupboard, cactus and teddy.
    const double cupLeft = W - 96 - 1.15 * bw;
    const double cupTop = H - 313;
    art(p, "furniture/schrank.svg", QRectF(cupLeft, cupTop, 96, 313));
    art(p, "furniture/kaktus.svg", QRectF(cupLeft + 10, cupTop - 178 + 18, 94, 178));
    art(p, "furniture/teddy.svg", QRectF(cupLeft - 0.75 * 162, H - 0.7 * 171, 162, 171));

    // Preview with its outline.
    const double previewLeft = int(frameLeft - 150) / 2;
    const double outlineLeft = int(frameLeft - 162) / 2;
    p.drawImage(QRectF(previewLeft, 50, 150, 150), picture);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(outlineLeft + 0.5, 44.5, 161, 161));

    // Calendar with the move counter and the name plate.
    art(p, "furniture/kalender.svg", QRectF(64, 240, 105, 140));
    label(p, QRectF(75, 264, 85, 20), "Moves", pixelFont("Liberation Serif", 16, true),
          QColor("#ff0000"), Qt::transparent, Qt::AlignHCenter | Qt::AlignTop);
    label(p, QRectF(72, 296, 89, 41), "42", pixelFont("Liberation Serif", 35, true), Qt::black,
          Qt::white, Qt::AlignHCenter | Qt::AlignTop);
    label(p, QRectF(80, 352, 73, 15), "Tavoro", pixelFont("Liberation Sans", 11, false), Qt::white,
          Qt::black, Qt::AlignHCenter | Qt::AlignTop);
    return img;
}

// The picture window as its artwork suggests it: the album page with the tab
// bar, the preview in its photo corners and the paging buttons.
QImage pictureWindow()
{
    const QSizeF s = artSize("picwindow/album.svg");
    QImage img(s.toSize(), QImage::Format_ARGB32_Premultiplied);
    img.fill(QColor("#d8d0c0"));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    art(p, "picwindow/album.svg", QRectF(QPointF(0, 0), s));
    const QImage picture = bitmap(205);
    const QRectF preview(40, 76, 200, 200);
    if (picture.isNull())
        missing(p, preview, "BITMAP 205");
    else
        p.drawImage(preview, picture);
    const QSizeF tab = artSize("picwindow/tab0.svg");
    art(p, "picwindow/tab0.svg", QRectF(QPointF(280, 40), tab));
    const QSizeF arrow = artSize("picwindow/prev.svg");
    const QRectF prev(310, 140, arrow.width() + 8, arrow.height() + 8);
    const QRectF next(390, 140, arrow.width() + 8, arrow.height() + 8);
    button(p, prev);
    button(p, next);
    art(p, "picwindow/prev.svg", prev.adjusted(4, 4, -4, -4));
    art(p, "picwindow/next.svg", next.adjusted(4, 4, -4, -4));
    label(p, QRectF(40, 26, 200, 40), "Select a picture!", pixelFont("DejaVu Sans", 18, true),
          QColor("#5a3d26"), Qt::transparent, Qt::AlignCenter);
    const QRectF ok(380, 268, 80, 26);
    button(p, ok);
    label(p, ok, "OK", pixelFont("DejaVu Sans", 12, false), Qt::black, Qt::transparent,
          Qt::AlignCenter);
    return img;
}

// A simple flowing layout for the sheet.
struct Flow {
    QPainter& p;
    double width;
    double x = 20, y = 20, rowHeight = 0;

    void heading(const QString& text)
    {
        newline();
        y += 10;
        p.setPen(QColor("#3b2616"));
        p.setFont(pixelFont("DejaVu Serif", 22, true));
        p.drawText(QPointF(20, y + 22), text);
        y += 34;
    }
    void newline()
    {
        if (rowHeight > 0) {
            y += rowHeight + 14;
            x = 20;
            rowHeight = 0;
        }
    }
    // Places an item of the given size with a caption below it.
    void place(const QSizeF& size, const QString& caption, const std::function<void(const QRectF&)>& draw)
    {
        const double w = std::max(size.width(), 60.0);
        if (x + w > width - 20)
            newline();
        const QRectF r(x, y, size.width(), size.height());
        draw(r);
        p.setPen(QColor("#3b2616"));
        p.setFont(pixelFont("DejaVu Sans", 11, false));
        p.drawText(QRectF(x, y + size.height() + 2, std::max(w, 120.0), 30),
                   Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, caption);
        x += std::max(w, 110.0) + 18;
        rowHeight = std::max(rowHeight, size.height() + 30);
    }
};

int bmpBits(int number)
{
    QFile f(QStringLiteral("%1/BITMAP/%2.bmp").arg(root).arg(number));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray h = f.read(30);
    return h.size() < 30 ? 0 : uchar(h[28]);
}

void checker(QPainter& p, const QRectF& r)
{
    p.save();
    p.setClipRect(r);
    for (int y = 0; y * 8 < r.height(); ++y)
        for (int x = 0; x * 8 < r.width(); ++x)
            p.fillRect(QRectF(r.left() + x * 8, r.top() + y * 8, 8, 8),
                       ((x + y) % 2) ? QColor("#d9d4cc") : QColor("#ece8e1"));
    p.restore();
}

}  // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <resources folder> <out.png> [wallpaper]\n", argv[0]);
        return 2;
    }
    root = QString::fromLocal8Bit(argv[1]);
    const QString out = QString::fromLocal8Bit(argv[2]);
    const int wallpaper = argc > 3 ? std::atoi(argv[3]) : 101;

    const int sheetW = 1900;
    QImage sheet(sheetW, 6000, QImage::Format_ARGB32_Premultiplied);
    sheet.fill(QColor("#f6f1e7"));
    QPainter p(&sheet);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    Flow flow{p, double(sheetW)};

    flow.heading("Main window, 800 x 600, N = 5, and the designed 684 x 470");
    const QImage big = mainWindow(800, 600, 5, wallpaper);
    flow.place(big.size(), QStringLiteral("wallpaper %1").arg(wallpaper),
               [&](const QRectF& r) { p.drawImage(r.topLeft(), big); });
    const QImage small = mainWindow(684, 470, 5, wallpaper == 108 ? 115 : 108);
    flow.place(small.size(), QStringLiteral("wallpaper %1").arg(wallpaper == 108 ? 115 : 108),
               [&](const QRectF& r) { p.drawImage(r.topLeft(), small); });
    flow.newline();
    for (int wp : {103, 105, 111, 114}) {
        const QImage m = mainWindow(800, 600, 4, wp).scaled(400, 300, Qt::IgnoreAspectRatio,
                                                               Qt::SmoothTransformation);
        flow.place(m.size(), QStringLiteral("wallpaper %1, N = 4 (half size)").arg(wp),
                   [&](const QRectF& r) { p.drawImage(r.topLeft(), m); });
    }

    flow.heading("Wallpaper tiles, each repeated 3 x 3");
    for (int n = 101; n <= 115; ++n) {
        const QImage t = bitmap(n);
        const QSize s = t.isNull() ? QSize(60, 60) : QSize(3 * t.width(), 3 * t.height());
        const QSize shown = s.width() < 150 ? QSize(std::max(150, s.width()), std::max(s.height(), 90)) : s;
        flow.place(shown,
                   QStringLiteral("%1: %2 x %3, %4 bit").arg(n).arg(t.width()).arg(t.height()).arg(bmpBits(n)),
                   [&](const QRectF& r) { tileFill(p, t, r); });
    }

    flow.heading("Toolbar icons on 36.7 px buttons, and at 64 px");
    for (const char* name : {"start", "end", "preview", "picture", "wallpaper", "slide", "swap",
                             "options", "champions", "help"}) {
        const QString file = QStringLiteral("toolbar/%1.svg").arg(name);
        flow.place(QSizeF(110, 64), QString(name), [&](const QRectF& r) {
            const QRectF b(r.left(), r.top() + 14, 550 / 15.0, 550 / 15.0);
            button(p, b);
            art(p, file, QRectF(b.center().x() - 14, b.center().y() - 14, 28, 28));
            art(p, file, QRectF(r.left() + 44, r.top(), 64, 64));
        });
    }
    flow.heading("Flags 38 x 25, and doubled");
    for (const char* name : {"de", "gb", "se", "it", "es", "fr"}) {
        const QString file = QStringLiteral("flags/%1.svg").arg(name);
        flow.place(QSizeF(130, 50), QString(name), [&](const QRectF& r) {
            art(p, file, QRectF(r.left(), r.top() + 12, 38, 25));
            art(p, file, QRectF(r.left() + 48, r.top(), 76, 50));
        });
    }

    flow.heading("Furniture at its own size (frame also at 300)");
    for (const char* name : {"rahmen", "kommode", "uhr", "schrank", "kaktus", "teddy", "kalender"}) {
        const QString file = QStringLiteral("furniture/%1.svg").arg(name);
        const QSizeF s = artSize(file);
        flow.place(s, QStringLiteral("%1 %2 x %3").arg(name).arg(s.width()).arg(s.height()),
                   [&](const QRectF& r) {
                       checker(p, r);
                       art(p, file, r);
                   });
    }
    const QSizeF leer = artSize("leer.bmp");
    flow.place(QSizeF(200, 110), QStringLiteral("leer.bmp %1 x %2, and at 110").arg(leer.width()).arg(leer.height()),
               [&](const QRectF& r) {
                   art(p, "leer.bmp", QRectF(r.topLeft(), leer));
                   art(p, "leer.bmp", QRectF(r.left() + 70, r.top(), 110, 110));
               });

    flow.heading("Picture window, about window and the application icon");
    const QImage pw = pictureWindow();
    flow.place(pw.size(), "picture window mock-up", [&](const QRectF& r) { p.drawImage(r.topLeft(), pw); });
    for (const char* name : {"picwindow/tab0.svg", "picwindow/tab1.svg", "picwindow/prev.svg",
                             "picwindow/next.svg", "about/image1.svg", "about/image2.svg",
                             "flags/fr.svg", "icon/tavoro.svg", "icon/tavoro.png"}) {
        const QSizeF s = artSize(name);
        flow.place(s, QStringLiteral("%1 %2 x %3").arg(name).arg(s.width()).arg(s.height()),
                   [&](const QRectF& r) {
                       checker(p, r);
                       art(p, name, r);
                   });
    }
    for (int px : {16, 32, 48}) {
        flow.place(QSizeF(px, px), QStringLiteral("icon %1").arg(px),
                   [&](const QRectF& r) { art(p, "icon/tavoro.svg", r); });
    }

    bool anyPicture = false;
    for (int n = 201; n <= 216; ++n)
        anyPicture = anyPicture || QFileInfo::exists(QStringLiteral("%1/BITMAP/%2.bmp").arg(root).arg(n));
    if (anyPicture) {
        flow.heading("Puzzle pictures (shown at 200 x 200)");
        for (int n = 201; n <= 216; ++n) {
            const QImage t = bitmap(n);
            flow.place(QSizeF(200, 200),
                       QStringLiteral("%1: %2 x %3, %4 bit").arg(n).arg(t.width()).arg(t.height()).arg(bmpBits(n)),
                       [&](const QRectF& r) {
                           if (t.isNull())
                               missing(p, r, QString::number(n));
                           else
                               p.drawImage(r, t);
                       });
        }
    }
    flow.newline();
    p.end();
    const QImage cropped = sheet.copy(0, 0, sheetW, int(flow.y) + 10);
    if (!cropped.save(out, "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(out));
        return 1;
    }
    std::printf("%s: %d x %d\n", qPrintable(out), cropped.width(), cropped.height());
    return 0;
}

#include "errors/ErrPtnr.h"
#include "mainwindow/frmTavoro.h"
#include "platform/appinfo.h"
#include "services/resources.h"
#include "services/shared.h"

#include <QApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

namespace {

// Until the built-in pictures are there: a colourful picture whose every
// part looks different (hue from left to right, light from top to bottom,
// rings and stripes across), so that the pieces can be told apart.
QImage placeholderPicture()
{
    const int side = 480;
    QImage img(side, side, QImage::Format_RGB32);
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            const int hue = x * 330 / side;
            const int value = 255 - y * 150 / side;
            img.setPixelColor(x, y, QColor::fromHsv(hue, 200, value));
        }
    }
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(255, 255, 255, 90), 6));
    for (int i = -side; i < side; i += 40)
        p.drawLine(i, 0, i + side, side);
    for (int r = 40; r < side; r += 50) {
        p.setPen(QPen(QColor::fromHsv((r * 7) % 360, 255, 120), 8));
        p.drawEllipse(QPoint(side / 2, side / 2), r, r);
    }
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(84);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 0, side, side), Qt::AlignCenter, QStringLiteral("TAVORO"));
    return img;
}

QImage puzzlePicture()
{
    const int number = g.Picture + 100;
    if (!resources::path(QStringLiteral("BITMAP"), number).isEmpty())
        return resources::loadBitmap(number);
    return placeholderPicture();
}

}  // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(appinfo::title());
    QApplication::setApplicationVersion(appinfo::versionText());
    errors::installErrorDialog();

    // The shared settings keep their defaults: 5 x 5, slide mode, sound on,
    // built-in picture 101.
    frmTavoro window;
    window.PicClip1.setPicture(puzzlePicture());
    window.Form_Load();
    // The stored size takes effect as the size command does: Size, then a new
    // game, which on this first call of the run only notes it.
    window.NewGame();

    // The first showing lays the window out for this size.
    window.resize(800, 600);
    window.show();
    return app.exec();
}

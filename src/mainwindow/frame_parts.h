#pragma once
// What the frame's two drawings share (frame_art.cpp from the artwork,
// frame_raster.cpp from rasters of its pieces made at build time): where the
// pieces of a side lie in the side artwork, and each side's thickness,
// length and light.

#include <QColor>
#include <QImage>
#include <QRect>
#include <QRectF>
#include <QSize>
#include <QString>
#include <QTransform>

#include <algorithm>
#include <array>
#include <cmath>

class QPainter;

namespace mainwindow::frameparts {

// The side artwork in its own units: 300 long, 31 thick, mitred at both ends.
constexpr double kThick = 31.0;
// Every piece begins and ends on the beads' pitch of 5.6, so that the beads
// run on evenly from piece to piece; the bead lengths lie clear of the mitres
// and of the shell's ornaments.
constexpr double kEnd = 51.5;            // the left end with its mitre
constexpr double kEndRightFrom = 264.3;  // the right end with its mitre
constexpr double kEndRight = 35.7;
constexpr double kTile = 44.8;           // eight beads from kEnd, repeated as often as needed
constexpr double kMiddleFrom = 96.3;     // the shell with its leaf sprays
constexpr double kMiddle = 106.4;
constexpr double kCorner = 60.0;         // the corner block, square
constexpr double kShade = 22.0;          // depth of the light and shade on each side
constexpr double kOverlap = 0.75;        // how far a piece reaches beyond its own edges, in units
inline const QColor kGround{0x5e, 0x41, 0x17};  // the darkest gold of the artwork

// Where the pieces of one side lie along it, drawn as the top one: `length`
// long, `thick` thick, its ends mitred towards the neighbours' thicknesses
// `before` and `after` (in any one unit of length).
struct SideLayout {
    double endLeft, endRight, middle, middleLeft;
    double gap;   // between each end and the shell; none on a side too short for its ornaments
    int tiles;    // bead lengths in each gap
    double tile;  // the length of each

    SideLayout(double length, double thick, double before, double after)
        : endLeft(kEnd * before / kThick), endRight(kEndRight * after / kThick),
          middle(kMiddle * thick / kThick), middleLeft(0),
          gap((length - endLeft - endRight - middle) / 2), tiles(1), tile(0)
    {
        middleLeft = endLeft + gap;
        if (gap > 0) {
            tiles = std::max(1, int(std::lround(gap / (kTile * thick / kThick))));
            tile = gap / tiles;
        }
    }
};

// The frame's four sides, clockwise from the top, each drawn as the top one
// in its own coordinates and turned into place.
struct Sides {
    double width = 0, height = 0;
    QRectF opening;
    std::array<double, 4> thick{};   // top, right, bottom, left
    std::array<double, 4> length{};
    std::array<QColor, 4> light;
    std::array<QTransform, 4> turn;

    Sides(QSize size, const QRectF& wantedOpening)
        : width(size.width()), height(size.height()), opening(wantedOpening)
    {
        const double W = width, H = height;
        if (opening.isEmpty())
            opening = QRectF(W * kThick / 300, H * kThick / 300, W * (1 - 2 * kThick / 300),
                             H * (1 - 2 * kThick / 300));
        const QRectF& o = opening;
        thick = {std::max(1.0, o.top()), std::max(1.0, W - o.right()),
                 std::max(1.0, H - o.bottom()), std::max(1.0, o.left())};
        length = {W, H, W, H};
        // The light falls from the top left.
        light = {QColor(255, 246, 216, 33), QColor(30, 20, 6, 26), QColor(30, 20, 6, 46),
                 QColor(255, 246, 216, 15)};
        turn = {QTransform(), QTransform().translate(W, 0).rotate(90),
                QTransform().translate(W, H).rotate(180), QTransform().translate(0, H).rotate(270)};
    }
    double before(int i) const { return thick[(i + 3) % 4]; }
    double after(int i) const { return thick[(i + 1) % 4]; }
    SideLayout layout(int i) const { return SideLayout(length[i], thick[i], before(i), after(i)); }
};

// The light and shade on a side, drawn as the top one.
void paintLight(QPainter& p, double length, double thick, double before, double after, QColor light);

// Where the four bands around the opening lie, in device pixels: the top and
// bottom ones the whole width, each as thick as its side to the next whole
// pixel; the left and right ones between them.
std::array<QRect, 4> bandPlaces(const Sides& sides, qreal devicePixelRatio);

// The frame's bands put together from the rasters of its pieces made at build
// time; false where they do not serve: a raster missing, a side thicker than
// the rasters in device pixels, or too short for its ornaments.
bool composeFrameBands(const Sides& sides, qreal devicePixelRatio, std::array<QImage, 4>& bands);

// The rasters for the build: each piece of a side and the corner drawn from
// the artwork at kRasterScale pixels to the unit, with their resource names.
constexpr int kRasterScale = 3;
struct Raster {
    const char* name;
    QImage image;
};
std::array<Raster, 5> drawRasters(const QString& artRoot);

}  // namespace mainwindow::frameparts

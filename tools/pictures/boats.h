#pragma once
// Boats for the harbour and the lighthouse coast.

#include <QColor>
#include <QPainter>

namespace pictures {

class Rng;

struct BoatLook {
    QColor hull, band, cabin, roof, flag;
    bool sail = false;
    QColor sailColour;
};

// A fishing boat or sailing boat whose waterline is at (x, y), s pixels per
// unit (a boat is about 60 units long); facing right unless mirrored.
void boat(QPainter& p, Rng& rng, double x, double y, double s, const BoatLook& look,
          bool mirrored);
// The boat's broken reflection below its waterline.
void boatReflection(QPainter& p, Rng& rng, double x, double y, double s, const BoatLook& look,
                    bool mirrored, const QColor& water);

}  // namespace pictures

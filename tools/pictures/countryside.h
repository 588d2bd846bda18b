#pragma once
// Patchwork fields seen from above and afar, shared by the balloon sky and
// the country railway.

#include "paint.h"

namespace pictures {

// Fields between y0 (far, thin rows) and y1 (near, deep rows), hedged, with
// trees along the hedges.
void fields(Canvas& c, Rng& rng, double y0, double y1, int rows, int columns);

}  // namespace pictures

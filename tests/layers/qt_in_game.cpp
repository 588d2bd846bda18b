// Built as part of the game layer by the layer test, which expects the build
// to fail: the rules of play know no Qt.
#include <QString>

// Read by the include check, which must find this line: a path that climbs
// out of the folder would reach the main window from any layer.
#include "../../src/mainwindow/frmTavoro.h"

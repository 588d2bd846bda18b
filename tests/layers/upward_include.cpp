// Built as part of the services layer by the layer test, which expects the
// build to fail: services may not see the main window.
#include "mainwindow/frmTavoro.h"

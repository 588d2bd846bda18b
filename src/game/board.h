#pragma once
// The puzzle board: its data and rules, its place on the main window, and the
// picture clip that cuts the puzzle picture into its cells.

#include "game/board_geometry.h"
#include "game/board_model.h"
#include "game/picture_clip.h"

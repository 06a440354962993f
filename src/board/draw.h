// Draw tests: repetition since the last irreversible move, and material that cannot mate.
#pragma once

#include "position.h"

// How often the current position occurred among the current slot and every second slot
// before it, back to the last capture or pawn move; at least 1.
int repetitionCount(const Position& position);

// Bare kings, or a lone minor piece against a bare king.
bool isInsufficientMaterial(const Position& position);

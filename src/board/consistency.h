// Debug check of the incremental fields: everything make and unmake keep up to date is
// recomputed from the piece bitboards and compared.
#pragma once

#include "position.h"

// True when colour sets, occupancy, material key, piece-square sums, phases, king squares
// and rows, the current slot's three keys and the ply pointers all agree with the pieces.
bool positionIsConsistent(const Position& position);

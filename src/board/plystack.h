// Keeping within the ply stack, which game moves and search lines share.
#pragma once

#include "position.h"

// True while a make may still write the next slot: the current slot is below the last one.
// Every make of the search and of perft is guarded by it.
inline bool plyStackHasRoom(const Position& p) { return p.currentPly < &p.plyStack[MAX_PLIES - 1]; }

// Moves the current slot and the slots before it that the repetition test can still reach
// (its reversibleCount of them, at most keep - 1) down to the start of the stack, and points
// currentPly and nextPly at their new places. Called by the game's move player before a game
// move once the stack runs high; older slots are only history nothing reads any more.
void compactPlyStack(Position& p, int keep);

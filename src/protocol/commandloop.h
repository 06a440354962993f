// The xboard command loop: reads the interface's words from standard input, plays the game
// on gamePosition and answers on standard output.
#pragma once

#include <cstdint>

#include "position.h"

// The one game of the program; game moves and search lines share its ply stack.
extern Position gamePosition;

// Longest command word and file name kept; the rest of a longer word is dropped.
constexpr int COMMAND_WORD_LENGTH = 511;
constexpr int FILE_NAME_LENGTH = 255;

// Once the current slot reaches this index, the move player moves the recent slots down to
// the start of the stack before a game move, so every search starts with at least
// MAX_PLIES - PLY_STACK_COMPACT_AT slots free, far more than its deepest line.
constexpr int PLY_STACK_COMPACT_AT = 256;
// Slots kept by that compaction: the current one and the repetition test's reach before it.
constexpr int PLY_STACK_KEPT = 128;

// Empties the history and resets gamePosition; the first thing the program does.
void constructGamePosition();

// Whether "setboard" takes a set-up: one the generators can run on, with the side not to
// move out of check.
bool isPlayablePosition(const Position& position);

// Runs until "quit" or the end of standard input.
void commandLoop();

// The result line when the game is over, else the engine's move for the side to move.
void replyToGo();
// An opponent's move in coordinate text; anything that is not a legal move is ignored.
void handleUserMove(const char* word);
// Makes a legal game move for the side to move and counts it.
void playMove(Position& position, Move move);
void handleProtover();
void handlePerf();
void handleBulk();

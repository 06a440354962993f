// The earlier engine's xboard command loop: words from standard input dispatched to the
// game routines and to the clock and output fields of gamePosition.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

namespace early {

// A command word has at most 515 characters, the interface's first word at most 103;
// anything longer is cut there and the rest of the word skipped.
constexpr size_t COMMAND_WORD_SIZE = 516;
constexpr size_t FIRST_WORD_SIZE = 104;

// Times from the interface are held to about 27 hours, so that no budget sum of the
// think driver can overflow.
constexpr int32_t MAX_CLOCK_MS = 100000000;

// Reads the next word delimited by white space into buffer (size bytes, at least 1),
// cut to size - 1 characters. False at the end of input, with no word read.
bool readWord(FILE* in, char* buffer, size_t size);

// At least four characters, the 1st and 3rd a to h, the 2nd and 4th 1 to 8.
bool isMoveWord(const char* word);

// A word that begins with a decimal integer (an optional sign, then digits): its value,
// held within -MAX_CLOCK_MS..MAX_CLOCK_MS; whatever follows the digits is ignored.
bool parseInteger(const char* word, int32_t& value);

// A word that begins with a number of seconds, whole or with a decimal fraction (2, 0.1,
// .5): its value in milliseconds (fraction digits past the third ignored), held as above.
bool parseSecondsAsMs(const char* word, int32_t& ms);

// Reads and drops the interface's opening word; false at the end of input.
bool discardFirstWord(FILE* in);

// Runs the commands of the stream until "quit" or the end of input.
void runProtocolLoop(FILE* in);
void runProtocolLoop();  // on standard input

}  // namespace early

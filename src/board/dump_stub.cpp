// TEMPORARY stand-in for the position dump until dump.cpp arrives on this branch; weak, so
// the real dumpPosition replaces it at link time. Delete this file once dump.cpp is merged.
#include <cstdio>

#include "fen.h"
#include "position.h"

__attribute__((weak)) void dumpPosition(FILE* stream, const Position& position) {
    writeFen(position, stream);
    std::fputc('\n', stream);
    std::fflush(stream);
}

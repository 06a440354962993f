#include "transposition.h"

#include <cstdio>
#include <cstdlib>

#include "makemove.h"
#include "plystack.h"

TtEntry* ttWhite = nullptr;
TtEntry* ttBlack = nullptr;

namespace {

TtEntry* allocateTable() {
    void* table = std::calloc(TT_ENTRIES, sizeof(TtEntry));
    if (!table) {
        std::fputs("Cannot allocate the transposition tables\n", stderr);
        std::exit(1);
    }
    return static_cast<TtEntry*>(table);
}

}  // namespace

void allocateTranspositionTables() {
    if (!ttWhite) ttWhite = allocateTable();
    if (!ttBlack) ttBlack = allocateTable();
}

void storeVariationInHash(const Move* line, Position& position) {
    int made = 0;
    for (; made < PV_LENGTH && line[made] != 0; ++made) {
        const Move move = line[made];
        if (position.sideToMove == White) ttStoreLineMove<White>(position, move);
        else ttStoreLineMove<Black>(position, move);
        // The last move's entry is written, but there is no slot to play it into.
        if (!plyStackHasRoom(position)) break;
        if (position.sideToMove == White) makeMoveWhite(position, move);
        else makeMoveBlack(position, move);
    }
    // sideToMove now belongs to the side that did not make line[made - 1].
    while (made > 0) {
        const Move move = line[--made];
        if (position.sideToMove == White) unmakeMoveBlack(position, move);
        else unmakeMoveWhite(position, move);
    }
}

#include "transposition.h"

#include <cstdio>
#include <cstdlib>

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

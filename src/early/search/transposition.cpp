#include "transposition.h"

namespace early {

TtEntry ttWhite[TT_ENTRIES];
TtEntry ttBlack[TT_ENTRIES];

const TtEntry* probeHash(uint32_t low, uint32_t high) { return probeTable<Black>(low, high); }

}  // namespace early

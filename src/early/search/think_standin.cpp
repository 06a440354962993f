// TEMPORARY stand-in for the think driver until the search lands; delete with its .h.
#include "think_standin.h"

#include "book.h"
#include "position.h"

namespace early {

uint64_t perfFrequency = 0;

Move think() { return gamePosition.sideToMove == 0 ? probeWhiteBook() : probeBlackBook(); }

}  // namespace early

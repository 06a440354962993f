// TEMPORARY stand-in for the think driver until the search lands; delete with its .cpp.
#pragma once

#include <cstdint>

#include "move.h"

namespace early {

extern uint64_t perfFrequency;

// Returns the book move, or 0 as if no search depth had finished in time.
Move think();

}  // namespace early

// The opening books of the two sides.
#pragma once

#include "move.h"

namespace early {

// The book move of gamePosition for the side named, or 0 when it is not in that book.
Move probeWhiteBook();
Move probeBlackBook();

}  // namespace early

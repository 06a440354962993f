#include "book.h"

namespace early {

// Stand-in until the books are read: every probe misses.
Move probeWhiteBook() { return 0; }
Move probeBlackBook() { return 0; }

}  // namespace early

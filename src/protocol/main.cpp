// brelstan and brelstan64: start-up, then the command loop until "quit" or the end of input.
#include <csignal>
#include <cstdlib>

#include "book.h"
#include "clock.h"
#include "commandloop.h"
#include "platform.h"
#include "tables.h"
#include "transposition.h"

int main(int, char**) {
    constructGamePosition();
    std::atexit(freeOpeningBook);
    allocateTranspositionTables();
    // The interface sends an interrupt before it relays a move; the engine has nothing to
    // interrupt and reads the move as usual.
    std::signal(SIGINT, SIG_IGN);

    clockFrequency = static_cast<uint64_t>(platform::performanceFrequency());
    initTables();
    loadOpeningBook(openingBook);
    commandLoop();
    return 0;
}

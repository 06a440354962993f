// brelstan-early: the earlier engine under the xboard protocol.
#include <csignal>
#include <cstdio>

#include "bitboards.h"
#include "book.h"
#include "clock.h"
#include "commandloop.h"
#include "platform.h"
#include "position.h"

int main() {
    // xboard interrupts the engine before it relays each move; the engine reads no input
    // while it thinks, so the interrupt has nothing to stop and must not end the program.
    std::signal(SIGINT, SIG_IGN);
    early::perfFrequency = static_cast<uint64_t>(platform::performanceFrequency());
    early::initBitboardTables();
    early::constructGamePosition();
    early::loadBooks();
    if (early::discardFirstWord(stdin)) early::runProtocolLoop();
    return 0;
}

// Fuzz harness: the engine's command loop on arbitrary standard input, from a fresh start
// each time (no book, empty tables). The scratch folder holds a small perft suite,
// suite.txt, for the suite commands to read; whatever the input writes there is removed.
#include <algorithm>
#include <cstring>

#include "book.h"
#include "clock.h"
#include "commandloop.h"
#include "consistency.h"
#include "harness.h"
#include "platform.h"
#include "plystack.h"
#include "tables.h"
#include "transposition.h"

namespace {

using fuzz::require;

constexpr char SUITE[] =
    "3\n"
    "start rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 2 400\n"
    "kiwipete r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 1 48\n"
    "ep 3k4/3p4/8/K1P4r/8/8/8/8 b - - 2 92\n";

fuzz::ScratchFolder* scratch;
const Position* freshPosition;  // gamePosition as the program starts

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::silenceStandardOutput();
    // The search looks at the descriptor of standard input for waiting bytes: none there.
    require(std::freopen("/dev/null", "r", stdin) != nullptr, "/dev/null opens");
    scratch = new fuzz::ScratchFolder();
    freshPosition = new Position();
    clockFrequency = static_cast<uint64_t>(platform::performanceFrequency());
    initTables();
    allocateTranspositionTables();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const fuzz::StandardInputFrom input(data, size);
    if (input.empty()) return 0;
    gamePosition = *freshPosition;
    constructGamePosition();
    releaseOpeningBook(openingBook);
    std::memset(ttWhite, 0, TT_ENTRIES * sizeof(TtEntry));
    std::memset(ttBlack, 0, TT_ENTRIES * sizeof(TtEntry));
    scratch->writeFile("suite.txt", reinterpret_cast<const uint8_t*>(SUITE), sizeof SUITE - 1);

    scratch->enter();
    commandLoop();
    scratch->leave();

    require(positionIsConsistent(gamePosition), "the game position stays consistent");
    require(gamePosition.currentPly >= gamePosition.plyStack && plyStackHasRoom(gamePosition),
            "game moves leave the ply stack room");
    return 0;
}

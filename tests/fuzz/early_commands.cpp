// Fuzz harness: the earlier engine's command loop on arbitrary input, as the program runs
// it (the interface's first word dropped, then the loop), from the start position each time
// with no book and empty tables.
#include <cstring>

#include "bitboards.h"
#include "book.h"
#include "clock.h"
#include "commandloop.h"
#include "harness.h"
#include "makemove.h"
#include "platform.h"
#include "position.h"
#include "transposition.h"

namespace {

using fuzz::require;

const early::Position* freshPosition;  // gamePosition as the program starts

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::silenceStandardOutput();
    early::perfFrequency = static_cast<uint64_t>(platform::performanceFrequency());
    early::initBitboardTables();
    freshPosition = new early::Position();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FILE* in = fuzz::openBytes(data, size);
    if (!in) return 0;
    early::gamePosition = *freshPosition;
    early::constructGamePosition();
    early::bookWhiteCount = early::bookBlackCount = 0;
    std::memset(early::ttWhite, 0, sizeof early::ttWhite);
    std::memset(early::ttBlack, 0, sizeof early::ttBlack);

    if (early::discardFirstWord(in)) early::runProtocolLoop(in);
    std::fclose(in);

    const early::Position& p = early::gamePosition;
    require(early::positionConsistent(p), "the game position stays consistent");
    require(p.currentState >= p.stateStack && p.nextState == p.currentState + 1 && early::hasFreeState(p),
            "game moves leave the state stack room");
    return 0;
}

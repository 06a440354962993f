#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "fen.h"
#include "move.h"
#include "position.h"
#include "makemove.h"
#include "test_support.h"
#include "transposition.h"

namespace {

constexpr uint64_t KEY = 0x1234567800ABCDEFULL;
// The same table index as KEY with another check word.
constexpr uint64_t OTHER_KEY = KEY ^ 0xFF00000000000000ULL;

const Move MOVE_A = makeMoveWord(MOVE_NRM_WN, 1, 18);
const Move MOVE_B = makeMoveWord(MOVE_NRM_WN, 6, 21);

class TranspositionTable : public ::testing::Test {
protected:
    void SetUp() override {
        allocateTranspositionTables();
        std::memset(&ttWhite[KEY & TT_MASK], 0, sizeof(TtEntry));
        std::memset(&ttBlack[KEY & TT_MASK], 0, sizeof(TtEntry));
        position.reset(new Position{});
        resetPosition(*position);
        at(KEY, 0, 0);
    }

    // Puts the position at the given key and game move counts.
    void at(uint64_t key, int whiteMoves, int blackMoves) {
        position->currentPly->positionKey = key;
        position->whiteMovesPlayed = whiteMoves;
        position->blackMovesPlayed = blackMoves;
    }

    std::unique_ptr<Position> position;
};

TEST_F(TranspositionTable, AllocationIsZeroFilledAndHappensOnce) {
    TtEntry* const white = ttWhite;
    TtEntry* const black = ttBlack;
    ASSERT_NE(white, nullptr);
    ASSERT_NE(black, nullptr);
    ASSERT_NE(white, black);
    const TtEntry zero{};
    EXPECT_EQ(std::memcmp(&white[TT_ENTRIES - 1], &zero, sizeof zero), 0);
    EXPECT_EQ(std::memcmp(&black[0], &zero, sizeof zero), 0);

    ttStore<White>(*position, 3, 8100, MOVE_A, BOUND_EXACT);
    allocateTranspositionTables();
    EXPECT_EQ(ttWhite, white);
    EXPECT_EQ(ttBlack, black);
    EXPECT_EQ(ttProbeMove<White>(*position), MOVE_A) << "a second call must keep the contents";
}

TEST_F(TranspositionTable, SidesToMoveUseSeparateTables) {
    ensureTables();
    setPositionFromText(*position, "4k3/8/8/8/8/8/8/4K2R w K -");
    const uint64_t whiteToMoveKey = position->currentPly->positionKey;
    std::memset(&ttWhite[whiteToMoveKey & TT_MASK], 0, sizeof(TtEntry));
    std::memset(&ttBlack[whiteToMoveKey & TT_MASK], 0, sizeof(TtEntry));
    ttStore<White>(*position, 4, 8200, MOVE_A, BOUND_EXACT);

    setPositionFromText(*position, "4k3/8/8/8/8/8/8/4K2R b K -");
    ASSERT_EQ(position->currentPly->positionKey, whiteToMoveKey) << "the key has no side-to-move part";
    Move hashMove = -1;
    Score result = -1;
    EXPECT_FALSE(ttProbe<Black>(*position, 8000, 8001, 1, hashMove, result));
    EXPECT_EQ(hashMove, 0);
    EXPECT_EQ(ttProbeMove<Black>(*position), 0);
    EXPECT_EQ(ttProbeMove<White>(*position), MOVE_A);
}

struct ProbeCase {
    const char* what;
    TtBound bound;
    int storedDepth;
    Score storedScore;
    Score alpha;
    int depth;
    bool answers;
    Score result;
};

const ProbeCase PROBE_CASES[] = {
    {"exact at its own depth", BOUND_EXACT, 5, 8123, 8000, 5, true, 8123},
    {"exact from a shallower search", BOUND_EXACT, 5, 8123, 8000, 6, false, 0},
    {"upper bound at alpha or below", BOUND_UPPER, 5, 7990, 8000, 3, true, 8000},
    {"upper bound above alpha", BOUND_UPPER, 5, 7990, 7980, 3, false, 0},
    {"upper bound equal to alpha", BOUND_UPPER, 5, 8000, 8000, 3, true, 8000},
    {"lower bound at beta or above", BOUND_LOWER, 5, 8010, 8004, 5, true, 8005},
    {"lower bound below beta", BOUND_LOWER, 5, 8010, 8020, 5, false, 0},
    {"lower bound too shallow", BOUND_LOWER, 4, 8010, 8004, 5, false, 0},
    {"no bound", BOUND_NONE, 5, 8000, 8000, 1, false, 0},
};

TEST_F(TranspositionTable, ZeroWindowProbeAnswersOnlyWithDepthAndBound) {
    for (const ProbeCase& c : PROBE_CASES) {
        std::memset(&ttWhite[KEY & TT_MASK], 0, sizeof(TtEntry));
        ttStore<White>(*position, c.storedDepth, c.storedScore, MOVE_A, c.bound);
        Move hashMove = 0;
        Score result = 0;
        EXPECT_EQ(ttProbe<White>(*position, c.alpha, c.alpha + 1, c.depth, hashMove, result), c.answers) << c.what;
        EXPECT_EQ(hashMove, MOVE_A) << c.what << ": the move serves whatever the depth and bound";
        if (c.answers) {
            EXPECT_EQ(result, c.result) << c.what;
        }
    }
}

TEST_F(TranspositionTable, ProbeOfAnotherPositionAtTheSameIndexFindsNothing) {
    ttStore<Black>(*position, 20, 8300, MOVE_B, BOUND_EXACT);
    at(OTHER_KEY, 0, 0);
    Move hashMove = -1;
    Score result = 0;
    EXPECT_FALSE(ttProbe<Black>(*position, 8000, 8001, 1, hashMove, result));
    EXPECT_EQ(hashMove, 0);
    EXPECT_EQ(ttProbeMove<Black>(*position), 0);
}

struct ReplaceCase {
    const char* what;
    int movesBefore;  // white and black moves played at the first store, each
    int depthBefore;
    int movesAfter;
    uint64_t keyAfter;
    int depthAfter;
    bool replaced;
};

const ReplaceCase REPLACE_CASES[] = {
    {"shallower store in the same game ply", 10, 9, 10, KEY, 8, false},
    {"equally deep store in the same game ply", 10, 9, 10, KEY, 9, true},
    {"shallower store once the game moved on", 10, 9, 11, KEY, 1, true},
    {"deeper entry of another position stays too", 10, 9, 10, OTHER_KEY, 8, false},
    // From ply 256 on the age byte can no longer equal the move sum.
    {"shallower store at ply 256", 128, 9, 128, KEY, 1, true},
    {"shallower store at ply 254", 127, 9, 127, KEY, 1, false},
};

TEST_F(TranspositionTable, StoreKeepsDeeperEntriesOfTheSameGamePly) {
    for (const ReplaceCase& c : REPLACE_CASES) {
        std::memset(&ttBlack[KEY & TT_MASK], 0, sizeof(TtEntry));
        at(KEY, c.movesBefore, c.movesBefore);
        ttStore<Black>(*position, c.depthBefore, 7800, MOVE_A, BOUND_LOWER);
        at(c.keyAfter, c.movesAfter, c.movesAfter);
        ttStore<Black>(*position, c.depthAfter, 7900, MOVE_B, BOUND_UPPER);

        const TtEntry& e = ttBlack[KEY & TT_MASK];
        const uint64_t keyNow = c.replaced ? c.keyAfter : KEY;
        EXPECT_EQ(e.keyCheck, static_cast<uint32_t>(keyNow >> 32)) << c.what;
        EXPECT_EQ(e.move, c.replaced ? MOVE_B : MOVE_A) << c.what;
        EXPECT_EQ(e.score, c.replaced ? 7900 : 7800) << c.what;
        EXPECT_EQ(e.bound, c.replaced ? BOUND_UPPER : BOUND_LOWER) << c.what;
        EXPECT_EQ(e.depth, c.replaced ? c.depthAfter : c.depthBefore) << c.what;
        EXPECT_EQ(e.age, static_cast<uint8_t>(2 * (c.replaced ? c.movesAfter : c.movesBefore))) << c.what;
    }
}

TEST_F(TranspositionTable, LineMoveEntryGivesTheMoveAndNoScore) {
    at(KEY, 20, 19);
    ttStore<White>(*position, 9, 8500, MOVE_A, BOUND_EXACT);
    ttStoreLineMove<White>(*position, MOVE_B);  // written over a deeper search entry
    const TtEntry& e = ttWhite[KEY & TT_MASK];
    EXPECT_EQ(e.move, MOVE_B);
    EXPECT_EQ(e.score, 0);
    EXPECT_EQ(e.bound, BOUND_NONE);
    EXPECT_EQ(e.depth, 255);
    EXPECT_EQ(e.age, 39);

    Move hashMove = 0;
    Score result = 0;
    EXPECT_FALSE(ttProbe<White>(*position, 0, 1, 1, hashMove, result)) << "never cuts a node off";
    EXPECT_FALSE(ttProbe<White>(*position, 15999, 16000, 60, hashMove, result));
    EXPECT_EQ(hashMove, MOVE_B);

    ttStore<White>(*position, 63, 8100, MOVE_A, BOUND_EXACT);
    EXPECT_EQ(ttProbeMove<White>(*position), MOVE_B) << "no search of the same game ply replaces it";
    at(KEY, 20, 20);
    ttStore<White>(*position, 1, 8100, MOVE_A, BOUND_EXACT);
    EXPECT_EQ(ttProbeMove<White>(*position), MOVE_A) << "once the game moves on it is an ordinary entry";
}

// The keys of the positions a line passes through, before each of its moves.
std::vector<uint64_t> keysAlong(Position& position, const std::vector<Move>& line) {
    std::vector<uint64_t> keys;
    for (const Move m : line) {
        keys.push_back(position.currentPly->positionKey);
        if (position.sideToMove == White) makeMoveWhite(position, m);
        else makeMoveBlack(position, m);
    }
    for (size_t i = line.size(); i-- > 0;) {
        if (position.sideToMove == White) unmakeMoveBlack(position, line[i]);
        else unmakeMoveWhite(position, line[i]);
    }
    return keys;
}

const TtEntry& entryOf(Color side, uint64_t key) { return (side == White ? ttWhite : ttBlack)[key & TT_MASK]; }

TEST(StoreVariation, WritesEachMoveForItsSideAndRestoresThePosition) {
    allocateTranspositionTables();
    auto position = positionFromFen("r3k3/8/8/8/8/8/8/4K2R b K -");
    position->whiteMovesPlayed = 40;
    position->blackMovesPlayed = 41;
    const std::vector<Move> line = {makeMoveWord(MOVE_NRM_BR, sq("a8"), sq("a2")), CASTLE_WHITE_KING_SIDE_MOVE,
                                    makeMoveWord(MOVE_NRM_BK, sq("e8"), sq("d7"))};
    const std::vector<uint64_t> keys = keysAlong(*position, line);
    const std::string fenBefore = fenOf(*position);
    PlyState* const slotBefore = position->currentPly;

    std::vector<Move> words = line;
    words.push_back(0);
    storeVariationInHash(words.data(), *position);

    const Color sides[] = {Black, White, Black};
    for (size_t i = 0; i < line.size(); ++i) {
        const TtEntry& e = entryOf(sides[i], keys[i]);
        EXPECT_EQ(e.keyCheck, static_cast<uint32_t>(keys[i] >> 32)) << i;
        EXPECT_EQ(e.move, line[i]) << i;
        EXPECT_EQ(e.bound, BOUND_NONE) << i;
        EXPECT_EQ(e.depth, 255) << i;
        EXPECT_EQ(e.age, 81) << i;
        EXPECT_EQ(e.score, 0) << i;
    }
    EXPECT_EQ(fenOf(*position), fenBefore);
    EXPECT_EQ(position->currentPly, slotBefore);
    EXPECT_EQ(position->sideToMove, Black);
    EXPECT_EQ(position->searchPly, 0);
}

TEST(StoreVariation, StopsAtTheLastSlotOfThePlyStack) {
    allocateTranspositionTables();
    auto position = positionFromFen("r3k3/8/8/8/8/8/8/4K2R b K -");
    const std::vector<Move> line = {makeMoveWord(MOVE_NRM_BR, sq("a8"), sq("a2")),
                                    makeMoveWord(MOVE_NRM_WR, sq("h1"), sq("h2")),
                                    makeMoveWord(MOVE_NRM_BR, sq("a2"), sq("a3"))};
    const std::vector<uint64_t> keys = keysAlong(*position, line);
    // Two slots left: the first move can be played, the second not.
    position->plyStack[MAX_PLIES - 2] = *position->currentPly;
    position->currentPly = &position->plyStack[MAX_PLIES - 2];
    position->nextPly = &position->plyStack[MAX_PLIES - 1];
    std::memset(&ttBlack[keys[2] & TT_MASK], 0, sizeof(TtEntry));
    const std::string fenBefore = fenOf(*position);

    std::vector<Move> words = line;
    words.push_back(0);
    storeVariationInHash(words.data(), *position);

    EXPECT_EQ(entryOf(Black, keys[0]).move, line[0]);
    EXPECT_EQ(entryOf(White, keys[1]).move, line[1]) << "its entry is written before the stack runs out";
    EXPECT_NE(entryOf(Black, keys[2]).keyCheck, static_cast<uint32_t>(keys[2] >> 32)) << "never reached";
    EXPECT_EQ(position->currentPly, &position->plyStack[MAX_PLIES - 2]);
    EXPECT_EQ(fenOf(*position), fenBefore);
}

}  // namespace

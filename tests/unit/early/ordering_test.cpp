// Ordering keys, the selection step and the history rows.
#include "ordering.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "early_test_support.h"
#include "see.h"

using namespace early;
using early_test::findMove;
using early_test::legalMoves;
using early_test::moveText;
using early_test::positionFromFen;

TEST(EarlyOrdering, KeysOfEachKindOfMove) {
    // e5xd6 en passant, b7xa8 capture-promotions, b7b8 push-promotions into the rook's
    // attack, Nh1xg3 a capture, quiet king and knight moves.
    auto pos = positionFromFen("r3k3/1P6/8/3pP3/8/6p1/8/4K2N w - d6");
    ASSERT_EQ(pos->movesMadeWhite, 0);
    const Move hashMove = findMove(*pos, "e1f1");
    const Move enPassant = findMove(*pos, "e5d6");
    const Move capturePromotion = findMove(*pos, "b7a8q");
    ASSERT_NE(hashMove, 0u);
    historyWhite[0][enPassant & 0xFFF] = 77;
    historyWhite[0][capturePromotion & 0xFFF] = 55;

    std::vector<Move> moves = legalMoves(*pos);
    moves.push_back(0);
    ScoredMoveList list;
    clearScoredMoveList(list);
    scoreMovesWhite(*pos, moves.data(), list, hashMove);
    const size_t n = moves.size() - 1;
    for (size_t i = 0; i < n; ++i) {
        const Move m = moves[i];
        ASSERT_EQ(list[i].move, m);
        int32_t expected = historyWhite[0][m & 0xFFF];
        if (m == hashMove)
            expected = HASH_MOVE_KEY;
        else if (KIND_SEE_ORDERED[moveKind(m)])
            expected = seeWhite(*pos, m) + SEE_KEY_OFFSET;
        EXPECT_EQ(list[i].key, expected) << moveText(m);
    }
    EXPECT_EQ(list[n].move, 0u);
    EXPECT_EQ(list[n].key, INT32_MIN);

    // Hash move, then the exchange-ordered moves by value (free capture first, promotions
    // into the rook's attack after), then history.
    std::vector<std::string> picked;
    for (int i = 0; list[i].move != 0; ++i) picked.push_back(moveText(pickBestMove(list, i)));
    ASSERT_GE(picked.size(), 7u);
    EXPECT_EQ(picked[0], "e1f1");
    EXPECT_EQ(picked[1], "h1g3");
    EXPECT_EQ(picked[2], "b7b8q");  // four promotions at -100, in list order
    EXPECT_EQ(picked[5], "b7b8n");
    EXPECT_EQ(picked[6], "e5d6");
    EXPECT_EQ(picked[7], "b7a8q");
    historyWhite[0][enPassant & 0xFFF] = 0;
    historyWhite[0][capturePromotion & 0xFFF] = 0;
}

TEST(EarlyOrdering, PickTakesTheFirstOfEqualLargestKeysAndSwaps) {
    ScoredMove list[] = {{1, 5}, {2, 9}, {3, 9}, {4, 1}, {0, INT32_MIN}, {9, 100}};
    EXPECT_EQ(pickBestMove(list, 0), 2u);
    EXPECT_EQ(list[1].move, 1u);  // the displaced entry takes the picked one's place
    EXPECT_EQ(pickBestMove(list, 1), 3u);
    EXPECT_EQ(pickBestMove(list, 2), 1u);
    EXPECT_EQ(pickBestMove(list, 3), 4u);  // the entry past the end is never looked at
}

TEST(EarlyOrdering, HistoryStampsHalveTheRowPastTheLimit) {
    auto pos = positionFromFen(START_POSITION_FEN);
    pos->movesMadeWhite = 7;
    const Move a = findMove(*pos, "e2e4"), b = findMove(*pos, "d2d4");
    historyStampWhite[7] = HISTORY_STAMP_LIMIT - 1;
    historyWhite[7][b & 0xFFF] = 1000;
    recordNewBest<White>(*pos, a);
    EXPECT_EQ(historyWhite[7][a & 0xFFF], HISTORY_STAMP_LIMIT);
    EXPECT_EQ(historyWhite[7][b & 0xFFF], 1000);
    recordNewBest<White>(*pos, a);  // the first stamp past the limit halves the whole row
    EXPECT_EQ(historyWhite[7][a & 0xFFF], (HISTORY_STAMP_LIMIT + 1) >> 1);
    EXPECT_EQ(historyWhite[7][b & 0xFFF], 500);
    recordNewBest<White>(*pos, b);  // and every later one again
    EXPECT_EQ(historyWhite[7][b & 0xFFF], (HISTORY_STAMP_LIMIT + 2) >> 1);
    EXPECT_EQ(historyWhite[7][a & 0xFFF], (HISTORY_STAMP_LIMIT + 1) >> 2);
    EXPECT_EQ(historyStampWhite[7], HISTORY_STAMP_LIMIT + 2);
    EXPECT_EQ(historyStampBlack[7], 0);
    historyStampWhite[7] = 0;
    for (int32_t& value : historyWhite[7]) value = 0;
}

TEST(EarlyOrdering, CountersPastTheLastRowStayInsideTheTable) {
    auto pos = positionFromFen("4k3/8/8/8/8/8/8/4K2R b - -");
    const Move m = findMove(*pos, "e8d8");
    for (int32_t made : {512, 513, 1023, 100000}) {
        pos->movesMadeBlack = made;
        EXPECT_EQ(historyRowIndex<Black>(*pos), HISTORY_ROWS - 1) << made;
        EXPECT_EQ(historyRow<Black>(*pos), historyBlack[HISTORY_ROWS - 1]) << made;
        recordNewBest<Black>(*pos, m);
    }
    EXPECT_EQ(historyStampBlack[HISTORY_ROWS - 1], 4);
    EXPECT_EQ(historyStampBlack[HISTORY_ROWS], 0);
    EXPECT_EQ(historyBlack[HISTORY_ROWS - 1][m & 0xFFF], 4);
    historyStampBlack[HISTORY_ROWS - 1] = 0;
    historyBlack[HISTORY_ROWS - 1][m & 0xFFF] = 0;
}

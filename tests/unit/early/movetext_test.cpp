// Packed coordinate move text of the earlier engine.
#include "movetext.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "early_test_support.h"
#include "move.h"

using namespace early;

TEST(EarlyMoveText, PackingTypedWords) {
    EXPECT_EQ(packMoveText("e2e4"), 0x65326534u);
    EXPECT_EQ(packMoveText("e7e8q"), 0x6537653871u);
    EXPECT_EQ(packMoveText("e2e4xyz"), packMoveText("e2e4x"));
    EXPECT_NE(packMoveText("e2e4xyz"), packMoveText("e2e4"));
    EXPECT_EQ(packMoveText("e2e"), 0x653265u);  // short words pack only what they hold
    EXPECT_EQ(packMoveText(""), 0u);
}

TEST(EarlyMoveText, MovesPackAsTheirCoordinates) {
    struct Case {
        Move move;
        const char* text;
    } cases[] = {
        {encodeMove(12, 28, KIND_PAWN_PUSH), "e2e4"},
        {encodeMove(52, 60, KIND_PROMOTION, 0, WHITE_QUEEN), "e7e8q"},
        {encodeMove(52, 60, KIND_PROMOTION, 0, WHITE_KNIGHT), "e7e8n"},
        {encodeMove(51, 60, KIND_CAPTURE_PROMOTION, BLACK_ROOK, WHITE_BISHOP), "d7e8b"},
        {encodeMove(8, 0, KIND_PROMOTION + KIND_BLACK, 0, BLACK_QUEEN), "a2a1q"},
        {encodeMove(9, 0, KIND_CAPTURE_PROMOTION + KIND_BLACK, WHITE_KNIGHT, BLACK_ROOK), "b2a1r"},
        {CASTLE_WHITE_KING_SIDE, "e1g1"},
        {CASTLE_WHITE_QUEEN_SIDE, "e1c1"},
        {CASTLE_BLACK_KING_SIDE, "e8g8"},
        {CASTLE_BLACK_QUEEN_SIDE, "e8c8"},
        {encodeMove(36, 43, KIND_EN_PASSANT), "e5d6"},
        {encodeMove(63, 0, KIND_QUEEN_MOVE + KIND_BLACK), "h8a1"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(moveToPackedText(c.move), packMoveText(c.text)) << c.text;
        EXPECT_EQ(early_test::moveText(c.move), c.text);
    }
}

TEST(EarlyMoveText, PromotionsNeedTheirLowerCaseLetter) {
    const Move promotion = encodeMove(52, 60, KIND_PROMOTION, 0, WHITE_QUEEN);
    EXPECT_NE(moveToPackedText(promotion), packMoveText("e7e8"));
    EXPECT_NE(moveToPackedText(promotion), packMoveText("e7e8Q"));
    for (const char* upper : {"e7e8Q", "e7e8R", "e7e8B", "e7e8N"})
        for (Piece p = WHITE_QUEEN; p <= WHITE_KNIGHT; ++p)
            EXPECT_NE(moveToPackedText(encodeMove(52, 60, KIND_PROMOTION, 0, p)), packMoveText(upper));
}

TEST(EarlyMoveText, PrintWritesTheCharactersOnly) {
    FILE* stream = std::tmpfile();
    ASSERT_NE(stream, nullptr);
    printPackedText(stream, packMoveText("e7e8q"));
    printPackedText(stream, 0);
    printPackedText(stream, 0x0065003200650034ULL);  // zero bytes inside are skipped
    std::rewind(stream);
    char buffer[32] = {};
    const size_t n = std::fread(buffer, 1, sizeof buffer - 1, stream);
    std::fclose(stream);
    EXPECT_EQ(std::string(buffer, n), "e7e8qe2e4");
}

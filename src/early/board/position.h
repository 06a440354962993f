// The earlier engine's one position record: the board as bitboards with incrementally kept
// sums and counts, the stack of per-ply state records, the pin rows of each king, the
// fields the think driver, searches and clock share, and the evaluation tables.
#pragma once

#include <cstdint>

#include "evaltables.h"
#include "move.h"
#include "types.h"

namespace early {

constexpr int STATE_STACK_SIZE = 1024;

constexpr int CASTLE_WHITE_KING = 1;
constexpr int CASTLE_WHITE_QUEEN = 2;
constexpr int CASTLE_BLACK_KING = 4;
constexpr int CASTLE_BLACK_QUEEN = 8;

inline constexpr char START_POSITION_FEN[] = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";

// What a move cannot restore by itself; one record per ply.
struct StateRecord {
    uint64_t key;           // the men alone, see computeHashKey
    Bitboard checkers;      // men of the side that has just moved attacking the king to move
    int32_t halfmoveClock;  // plies since the last capture or pawn move
    int32_t castling;       // 1 White king side, 2 White queen side, 4 Black king side, 8 Black queen side
    int32_t epSquare;       // square passed over by a pawn's double step, else NO_SQUARE
};

struct Position {
    StateRecord* currentState;
    StateRecord* nextState;  // always currentState + 1
    StateRecord stateStack[STATE_STACK_SIZE];
    int32_t kingSquareWhite;
    int32_t kingSquareBlack;
    Bitboard pieceBits[12];
    Bitboard occupiedWhite;
    Bitboard occupiedBlack;
    Bitboard occupied;
    Bitboard emptySquares;
    PackedScore pstSumWhite;
    PackedScore pstSumBlack;
    int32_t searchId;
    const Bitboard* kingBetweenRowWhite;  // betweenMask row of the White king's square
    const Bitboard* kingBetweenRowBlack;
    const int32_t* kingDirectionRowWhite;  // directionIndex row of the White king's square
    const int32_t* kingDirectionRowBlack;
    int32_t movesMadeBlack;
    int32_t movesMadeWhite;
    int32_t menCountWhite;
    int32_t menCountBlack;
    int32_t rootPly;
    int32_t rootSide;
    Move bestMove;
    int32_t bestScore;
    int32_t bestDepth;
    int32_t bestNodes;
    int32_t bestTime;
    int32_t nodes;
    int32_t sideToMove;  // 0 White, 1 Black
    int32_t stopSearch;
    int32_t timeLeft;
    int32_t movesPerControl;
    int32_t increment;
    int32_t searchStart;
    int32_t searchDeadline;
    int32_t postThinking;
    EvalTables evalTables;
};

extern Position gamePosition;

void clearPosition(Position& pos);
void addKing(Position& pos, Square square, Piece code);
const char* parsePiecePlacement(Position& pos, const char* text);
const char* parseCastlingRights(const char* text, Position& pos);
const char* setPositionFromFen(Position& pos, const char* fen);
void constructGamePosition();

// Colour-to-field maps, so that colour twins can be written once.
template <Color Us> constexpr Bitboard& menOf(Position& pos) {
    return Us == White ? pos.occupiedWhite : pos.occupiedBlack;
}
template <Color Us> constexpr Bitboard menOf(const Position& pos) {
    return Us == White ? pos.occupiedWhite : pos.occupiedBlack;
}
template <Color Us> constexpr int32_t& kingSquareOf(Position& pos) {
    return Us == White ? pos.kingSquareWhite : pos.kingSquareBlack;
}
template <Color Us> constexpr int32_t kingSquareOf(const Position& pos) {
    return Us == White ? pos.kingSquareWhite : pos.kingSquareBlack;
}
template <Color Us> constexpr const Bitboard*& kingBetweenRowOf(Position& pos) {
    return Us == White ? pos.kingBetweenRowWhite : pos.kingBetweenRowBlack;
}
template <Color Us> constexpr const Bitboard* kingBetweenRowOf(const Position& pos) {
    return Us == White ? pos.kingBetweenRowWhite : pos.kingBetweenRowBlack;
}
template <Color Us> constexpr const int32_t*& kingDirectionRowOf(Position& pos) {
    return Us == White ? pos.kingDirectionRowWhite : pos.kingDirectionRowBlack;
}
template <Color Us> constexpr const int32_t* kingDirectionRowOf(const Position& pos) {
    return Us == White ? pos.kingDirectionRowWhite : pos.kingDirectionRowBlack;
}
template <Color Us> constexpr PackedScore& pstSumOf(Position& pos) {
    return Us == White ? pos.pstSumWhite : pos.pstSumBlack;
}
template <Color Us> constexpr int32_t& menCountOf(Position& pos) {
    return Us == White ? pos.menCountWhite : pos.menCountBlack;
}
template <Color Us> constexpr int32_t& movesMadeOf(Position& pos) {
    return Us == White ? pos.movesMadeWhite : pos.movesMadeBlack;
}
template <Color Us> constexpr Bitboard piecesOf(const Position& pos, Piece whiteKind) {
    return pos.pieceBits[pieceOf(Us, whiteKind)];
}

// The men of the side that is not to move attacking the king of the side to move, found
// from scratch; 0 when that side has no king.
Bitboard computeCheckers(const Position& pos);

// Recomputes occupancies, counts, sums, key and king fields from the piece sets and
// compares them with the stored ones.
bool positionConsistent(const Position& pos);

}  // namespace early

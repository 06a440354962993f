// The game record: pieces as bitboards with their running sums, and the ply stack.
#pragma once

#include <cstdint>

#include "types.h"

constexpr int MAX_PLIES = 512;
constexpr int HISTORY_SIZE = 4096;
constexpr int PV_LENGTH = 128;
constexpr int HISTORY_LIMIT_DEFAULT = 0xFFFFF;

// Castling-rights bits.
constexpr int CASTLE_WHITE_KING_SIDE = 1, CASTLE_WHITE_QUEEN_SIDE = 2, CASTLE_BLACK_KING_SIDE = 4,
              CASTLE_BLACK_QUEEN_SIDE = 8;

struct PlyState {
    uint64_t pieceKey;
    uint64_t positionKey;  // pieceKey ^ castling key ^ en-passant key; no side-to-move key
    uint64_t pawnKey;
    Bitboard checkers;
    Move lastMove;
    int32_t reversibleCount;
    int32_t castlingRights;
    int32_t enPassantSquare;  // NO_SQUARE when none
    Move bestMove;
    Score bestScore;
    Move killer1;
    Move killer2;
    Move pv[PV_LENGTH];  // ended by 0
};

struct Position {
    int32_t sideToMove;
    int32_t whiteMovesPlayed;
    int32_t blackMovesPlayed;
    int32_t searchPly;
    int32_t nullMovesOnLine;
    Bitboard whitePieces;
    Bitboard blackPieces;
    Bitboard occupiedSquares;
    Bitboard emptySquares;
    MaterialKey materialKey;  // nibble `code` counts the pieces of that code: white in the low half
    PackedScore pstWhite;
    PackedScore pstBlack;
    int32_t phaseWhite;
    int32_t phaseBlack;
    int32_t kingSquareWhite;  // NO_SQUARE while there is none
    int32_t kingSquareBlack;
    Bitboard pieceBitboards[16];
    int32_t pieceCountWhite;  // as placed by set-up; make and unmake leave them
    int32_t pieceCountBlack;
    int64_t searchStart;  // centiseconds; 64 bits, so start + budget never wraps
    int64_t searchDeadline;
    PlyState plyStack[MAX_PLIES];
    uint64_t quiescenceNodes;
    uint64_t pvNodes;
    uint64_t zeroWindowNodes;
    uint64_t quiescenceNodesByPly[MAX_PLIES];
    int32_t stopSearch;
    int32_t postThinking;
    int32_t opponentIsComputer;
    PlyState* currentPly;
    PlyState* nextPly;
    const Bitboard* kingBetweenRowWhite;  // betweenMask[kingSquareWhite]
    const Bitboard* kingBetweenRowBlack;
    const int32_t* kingDirectionRowWhite;  // directionIndex[kingSquareWhite]
    const int32_t* kingDirectionRowBlack;
    Move ponderMove;
    int32_t historyLimit = HISTORY_LIMIT_DEFAULT;
    int32_t history[HISTORY_SIZE];  // by Move & 0xFFF
    int32_t timeLeft;
    int32_t baseTime;
    int32_t movesPerControl;
    int32_t increment;
};

// Empties the position: no pieces, slot 0 current, clock fields at their defaults.
// Keeps sideToMove, the search fields, postThinking and the history.
void resetPosition(Position& position);

// Places a piece on an empty square and updates every running field but the keys.
void putPiece(Position& position, Square square, PieceCode code);

// Colour-to-field accessors for the colour templates.
template <Color C> constexpr PieceCode colored(PieceCode whiteCode) {
    return C == White ? whiteCode : whiteCode + BLACK_OFFSET;
}
template <Color C> inline Bitboard ownPieces(const Position& p) { return C == White ? p.whitePieces : p.blackPieces; }
template <Color C> inline Bitboard pieces(const Position& p, PieceCode whiteCode) {
    return p.pieceBitboards[colored<C>(whiteCode)];
}
template <Color C> inline int32_t kingSquare(const Position& p) {
    return C == White ? p.kingSquareWhite : p.kingSquareBlack;
}

// Index of a slot in the ply stack.
inline int plyIndex(const Position& p, const PlyState* slot) { return static_cast<int>(slot - p.plyStack); }

#include "position.h"

#include "evaltables.h"
#include "tables.h"

void resetPosition(Position& position) {
    position.currentPly = &position.plyStack[0];
    position.nextPly = &position.plyStack[1];
    for (PlyState& ply : position.plyStack) {
        ply = PlyState{};
        ply.enPassantSquare = NO_SQUARE;
    }
    position.pieceCountWhite = position.pieceCountBlack = 0;
    for (Bitboard& b : position.pieceBitboards) b = 0;
    position.kingSquareWhite = position.kingSquareBlack = NO_SQUARE;
    position.materialKey = 0;
    position.whitePieces = position.blackPieces = position.occupiedSquares = 0;
    position.emptySquares = ~Bitboard{0};
    position.pstWhite = position.pstBlack = 0;
    position.phaseWhite = position.phaseBlack = 0;
    position.whiteMovesPlayed = position.blackMovesPlayed = 0;
    position.searchPly = position.nullMovesOnLine = 0;
    position.movesPerControl = 0;
    position.baseTime = 6000;
    position.increment = 0;
    position.opponentIsComputer = 0;
    position.timeLeft = 30000;
}

void putPiece(Position& position, Square square, PieceCode code) {
    if (code == KING) {
        position.kingBetweenRowWhite = betweenMask[square];
        position.kingDirectionRowWhite = directionIndex[square];
        position.kingSquareWhite = square;
    } else if (code == KING + BLACK_OFFSET) {
        position.kingBetweenRowBlack = betweenMask[square];
        position.kingDirectionRowBlack = directionIndex[square];
        position.kingSquareBlack = square;
    }
    position.pieceBitboards[code] |= squareBit[square];
    position.materialKey += MaterialKey{1} << (4 * code);
    if (code < BLACK_OFFSET) {
        position.phaseWhite += phaseWeights[code];
        position.pstWhite += pieceSquareTable[code][square];
        position.whitePieces |= squareBit[square];
        ++position.pieceCountWhite;
    } else {
        position.phaseBlack += phaseWeights[code];
        position.pstBlack += pieceSquareTable[code][square];
        position.blackPieces |= squareBit[square];
        ++position.pieceCountBlack;
    }
    position.occupiedSquares = position.whitePieces | position.blackPieces;
    position.emptySquares = ~position.occupiedSquares;
}

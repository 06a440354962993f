#include "consistency.h"

#include "bitops.h"
#include "evaltables.h"
#include "tables.h"
#include "zobrist.h"

namespace {

bool kingFieldsAgree(Bitboard kings, int32_t square, const Bitboard* betweenRow, const int32_t* directionRow) {
    if (popCount64(kings) != 1) return true;  // a set-up without exactly one king has no king fields to keep
    const Square s = bitScanForward(kings);
    return square == s && betweenRow == betweenMask[s] && directionRow == directionIndex[s];
}

}  // namespace

bool positionIsConsistent(const Position& p) {
    const int slot = plyIndex(p, p.currentPly);
    if (slot < 0 || slot >= MAX_PLIES || p.nextPly != p.currentPly + 1) return false;
    if (p.pieceBitboards[EMPTY] | p.pieceBitboards[BLACK_OFFSET]) return false;

    Bitboard white = 0, black = 0, seen = 0;
    MaterialKey material = 0;
    PackedScore pstWhite = 0, pstBlack = 0;
    int phaseWhite = 0, phaseBlack = 0;
    for (PieceCode code = 1; code < 16; ++code) {
        const Bitboard b = p.pieceBitboards[code];
        if (b & seen) return false;  // two pieces on one square
        seen |= b;
        material += static_cast<MaterialKey>(popCount64(b)) << (4 * code);
        int pst = 0;
        for (Bitboard s = b; s; s &= s - 1) pst += pieceSquareTable[code][bitScanForward(s)];
        const int phase = phaseWeights[code] * popCount64(b);
        if (code < BLACK_OFFSET) {
            white |= b;
            pstWhite += pst;
            phaseWhite += phase;
        } else {
            black |= b;
            pstBlack += pst;
            phaseBlack += phase;
        }
    }
    if (white != p.whitePieces || black != p.blackPieces) return false;
    if ((white | black) != p.occupiedSquares || ~(white | black) != p.emptySquares) return false;
    if (material != p.materialKey || pstWhite != p.pstWhite || pstBlack != p.pstBlack) return false;
    if (phaseWhite != p.phaseWhite || phaseBlack != p.phaseBlack) return false;
    if (!kingFieldsAgree(p.pieceBitboards[KING], p.kingSquareWhite, p.kingBetweenRowWhite, p.kingDirectionRowWhite) ||
        !kingFieldsAgree(p.pieceBitboards[KING + BLACK_OFFSET], p.kingSquareBlack, p.kingBetweenRowBlack,
                         p.kingDirectionRowBlack))
        return false;

    const PlyState& ply = *p.currentPly;
    const uint64_t pieceKey = computePieceKey(p);
    uint64_t positionKey = pieceKey ^ castleKeys[ply.castlingRights & 15];
    if (ply.enPassantSquare != NO_SQUARE) {
        if (ply.enPassantSquare < 0 || ply.enPassantSquare > 63) return false;
        positionKey ^= enPassantKeys[ply.enPassantSquare];
    }
    // A null move clears the en-passant square but keeps its parent's position key, en-passant
    // key included; the parent slot is still the one before.
    bool positionKeyAgrees = ply.positionKey == positionKey;
    if (!positionKeyAgrees && slot > 0) {
        const PlyState& parent = *(p.currentPly - 1);
        positionKeyAgrees = ply.enPassantSquare == NO_SQUARE && parent.pieceKey == pieceKey &&
                            parent.enPassantSquare >= 0 && parent.enPassantSquare < 64 &&
                            ply.positionKey == parent.positionKey &&
                            ply.positionKey == (positionKey ^ enPassantKeys[parent.enPassantSquare]);
    }
    return ply.pieceKey == pieceKey && positionKeyAgrees && ply.pawnKey == computePawnKey(p) &&
           ply.castlingRights >= 0 && ply.castlingRights < 16;
}

#include "dump.h"

#include "bitops.h"
#include "evaluate.h"
#include "fen.h"
#include "move.h"
#include "movegen.h"
#include "tables.h"
#include "zobrist.h"

namespace {

constexpr char SEPARATOR[] = "----------------------------\n";
constexpr char BOARD_LETTERS[] = "XPNDLRQKxpndlrqk";
// Both bishop kinds print as B, in upper case for both colours.
constexpr char PROMOTION_LETTERS[] = "XPNBBRQKXPNBBRQK";
constexpr const char* BITBOARD_LABELS[16] = {"",   "WP", "WN", "WD", "WL", "WR", "WQ", "WK",
                                             "",   "BP", "BN", "BD", "BL", "BR", "BQ", "BK"};

void printKey(FILE* stream, const char* label, uint64_t key) {
    std::fprintf(stream, "%s=%08X%08X", label, static_cast<unsigned>(key >> 32), static_cast<unsigned>(key));
}

void printSquare(FILE* stream, int square) {
    std::fprintf(stream, "%c%c", 'a' + square % 8, '1' + square / 8);
}

void dumpBitboards(FILE* stream, const Position& position, PieceCode firstCode) {
    for (PieceCode code = firstCode; code < firstCode + 7; ++code) std::fprintf(stream, "%-9s", BITBOARD_LABELS[code]);
    std::fprintf(stream, "\n");
    for (int rank = 7; rank >= 0; --rank) {
        for (PieceCode code = firstCode; code < firstCode + 7; ++code) {
            for (int file = 0; file < 8; ++file)
                std::fputc((position.pieceBitboards[code] & squareBit[rank * 8 + file]) ? '*' : '.', stream);
            std::fputc(' ', stream);
        }
        std::fputc('\n', stream);
    }
    std::fflush(stream);
}

}  // namespace

void dumpBitboardsWhite(FILE* stream, const Position& position) { dumpBitboards(stream, position, PAWN); }
void dumpBitboardsBlack(FILE* stream, const Position& position) {
    dumpBitboards(stream, position, PAWN + BLACK_OFFSET);
}

void printBitboardGrid(Bitboard bitboard, FILE* stream) {
    for (int rank = 7; rank >= 0; --rank) {
        for (int file = 0; file < 8; ++file) std::fputc((bitboard & squareBit[rank * 8 + file]) ? '*' : '.', stream);
        std::fputc('\n', stream);
    }
    std::fflush(stream);
}

void printMoveCoordinates(Move move, FILE* stream) {
    const Square from = moveFrom(move), to = moveTo(move);
    std::fprintf(stream, " ");
    std::fprintf(stream, "%c", 'a' + fileOf(from));
    std::fprintf(stream, "%c", '1' + rankOf(from));
    std::fprintf(stream, "%c", 'a' + fileOf(to));
    std::fprintf(stream, "%c", '1' + rankOf(to));
    const MoveKind kind = moveKind(move);
    if (kind == MOVE_CPA_WP || kind == MOVE_ADV_WP || kind == MOVE_CPA_BP || kind == MOVE_ADV_BP)
        std::fprintf(stream, "%c", PROMOTION_LETTERS[movePromotion(move)]);
}

void dumpMoveList(FILE* stream, const Position& position) {
    Move moves[MOVE_LIST_SIZE];
    Move* end = moves;
    // Perft shows this dump when the black king is missing: White's moves are still listed.
    if (moverCanGenerate(position)) {
        // The generators take a position they may change and restore; they work on a copy
        // whose ply pointers lead into the copy's own stack.
        static Position scratch;
        scratch = position;
        scratch.currentPly = scratch.plyStack + plyIndex(position, position.currentPly);
        scratch.nextPly = scratch.plyStack + plyIndex(position, position.nextPly);
        end = position.sideToMove == 0 ? generateMovesWhite(scratch, moves) : generateMovesBlack(scratch, moves);
    }
    std::fprintf(stream, "Moves: %d\n", static_cast<int>(end - moves));
    for (const Move* m = moves; m != end; ++m) {
        printMoveCoordinates(*m, stream);
        std::fprintf(stream, " ");
    }
    std::fprintf(stream, "\n");
}

void printTag(FILE* stream, uint64_t packedText) {
    for (int shift = 56; shift >= 0; shift -= 8) {
        const char c = static_cast<char>((packedText >> shift) & 0xFF);
        if (c != 0) std::fputc(c, stream);
    }
}

int compareInts(const void* a, const void* b) {
    return *static_cast<const int32_t*>(a) - *static_cast<const int32_t*>(b);
}

void dumpPosition(FILE* stream, const Position& position) {
    const PlyState& ply = *position.currentPly;
    const bool sideKnown = position.sideToMove == 0 || position.sideToMove == 1;

    std::fputs(SEPARATOR, stream);
    std::fputs("PLR=", stream);
    if (position.sideToMove == 0) std::fputs("WHITE\n", stream);
    else if (position.sideToMove == 1) std::fputs("BLACK\n", stream);
    std::fprintf(stream, "NMC=%d\n", position.nullMovesOnLine);

    const uint64_t pieceKey = computePieceKey(position);
    printKey(stream, "HSH", ply.pieceKey);
    std::fputc('\t', stream);
    printKey(stream, "GEN", pieceKey);
    std::fputc('\n', stream);

    uint64_t positionKey = 0;
    if (sideKnown) {
        positionKey = pieceKey ^ castleKeys[ply.castlingRights & 15];
        if (ply.enPassantSquare >= 0 && ply.enPassantSquare < 64) positionKey ^= enPassantKeys[ply.enPassantSquare];
    }
    printKey(stream, "KEY", ply.positionKey);
    std::fputc('\t', stream);
    printKey(stream, "GEN", positionKey);
    std::fputc('\n', stream);

    printKey(stream, "PWN", ply.pawnKey);
    std::fputc('\t', stream);
    printKey(stream, "GEN", computePawnKey(position));
    std::fputc('\n', stream);

    printKey(stream, "MAT", position.materialKey);
    std::fputc('\n', stream);
    std::fprintf(stream, "RMC=%03d:%03d\n", position.whiteMovesPlayed, position.blackMovesPlayed);
    std::fprintf(stream, "SMC=%03d\n", position.searchPly);
    std::fprintf(stream, "PCC=%03d:%03d\tPHS=%03d:%03d\n", position.pieceCountWhite, position.pieceCountBlack,
                 position.phaseWhite, position.phaseBlack);
    std::fprintf(stream, "PSW=%05d\tPSB=%05d\n", packedEndgame(position.pstWhite), packedEndgame(position.pstBlack));
    if (sideKnown)
        std::fprintf(stream, "EVL=%05d SMP=%05d\n", evaluateWithMaterialCases(position) + 10, quickEval(position));

    std::fputs("KingW=", stream);
    printSquare(stream, position.kingSquareWhite);
    std::fputs("\nKingB=", stream);
    printSquare(stream, position.kingSquareBlack);
    std::fputc('\n', stream);
    std::fprintf(stream, "Act=%d\n", plyIndex(position, position.currentPly));
    std::fprintf(stream, "Nxt=%d\n", plyIndex(position, position.nextPly));
    std::fputs(SEPARATOR, stream);

    // Drawn from the bitboards, so a square held by two bitboards shows the lower code.
    for (int rank = 7; rank >= 0; --rank) {
        for (int file = 0; file < 8; ++file) {
            const Bitboard bit = squareBit[rank * 8 + file];
            PieceCode code = 0;
            while (code < 16 && (position.pieceBitboards[code] & bit) == 0) ++code;
            std::fprintf(stream, " %c", code < 16 ? BOARD_LETTERS[code] : '.');
        }
        std::fputs("\n\n", stream);
    }
    std::fputs(SEPARATOR, stream);
    writeFen(position, stream);
    std::fputs(SEPARATOR, stream);
    dumpBitboardsWhite(stream, position);
    dumpBitboardsBlack(stream, position);
    std::fputs("\nCHM\n", stream);
    printBitboardGrid(ply.checkers, stream);
    std::fputc('\n', stream);
    dumpMoveList(stream, position);
    std::fflush(stream);
}

#include "evaluate.h"

#include <cstdlib>

#include "bitops.h"
#include "evaltables.h"
#include "magic.h"
#include "tables.h"

PawnHashEntry pawnHashTable[PAWN_HASH_SIZE];

namespace {

constexpr Bitboard FILE_A = 0x0101010101010101ULL;
constexpr Bitboard FILE_H = 0x8080808080808080ULL;
constexpr Bitboard DARK_SQUARES = ~LIGHT_SQUARES;

constexpr PackedScore PAWN_FLANK_BONUS = packScore(8, 8);
constexpr PackedScore BISHOP_PAIR_BONUS = packScore(10, 20);  // added by both bishop terms
constexpr PackedScore ROOK_OPEN_FILE_BONUS = packScore(20, 30);
constexpr PackedScore ROOK_HALF_OPEN_FILE_BONUS = packScore(15, 15);
constexpr PackedScore SEVENTH_RANK_BONUS = packScore(20, 40);

// Material signatures: one nibble per piece code, a lone king is 0x10000000.
constexpr uint32_t LONE_KING = 0x10000000;
constexpr uint32_t KING_PAWN = 0x10000010;
constexpr uint32_t KING_TWO_KNIGHTS = 0x10000200;
constexpr uint32_t KING_KNIGHT = 0x10000100;
constexpr uint32_t KING_DARK_BISHOP = 0x10001000;
constexpr uint32_t KING_LIGHT_BISHOP = 0x10010000;
constexpr uint32_t KING_ROOK = 0x10100000;
constexpr uint32_t KING_QUEEN = 0x11000000;

// Squares the pawns of a colour attack, by whole-board shifts.
template <Color Us> constexpr Bitboard pawnAttackSet(Bitboard pawns) {
    if constexpr (Us == White) return ((pawns << 7) & ~FILE_H) | ((pawns << 9) & ~FILE_A);
    else return ((pawns >> 9) & ~FILE_H) | ((pawns >> 7) & ~FILE_A);
}

int kingDistance(Square a, Square b) {
    const int ranks = std::abs(rankOf(a) - rankOf(b)), files = std::abs(fileOf(a) - fileOf(b));
    return ranks > files ? ranks : files;
}

template <Color Us> PackedScore evalPawns(const Position& position) {
    constexpr Color Them = opposite(Us);
    constexpr int AHEAD = Us == White ? DIRECTION_NORTH : DIRECTION_SOUTH;
    const Bitboard* passedMask = Us == White ? passedPawnMaskWhite : passedPawnMaskBlack;
    const Bitboard own = pieces<Us>(position, PAWN);
    const Bitboard enemy = pieces<Them>(position, PAWN);
    PackedScore v = 0;
    for (Bitboard b = own; b; b &= b - 1) {
        const Square s = bitScanForward(b);
        v += pieceSquareTable[colored<Us>(PAWN)][s];
        if (own & flankNeighbours[s]) v += PAWN_FLANK_BONUS;
        if ((own & adjacentFileMask[s]) == 0) v -= isolatedPawnPenalty[Us][s];
        // The rear pawn of a doubled pair is never counted as passed.
        if (own & rays[s][AHEAD]) v -= doubledPawnPenalty[Us][s];
        else if ((enemy & passedMask[s]) == 0) v += passedPawnBonus[Us][s];
    }
    return v;
}

// Outpost value of s counted once when no enemy pawn can ever attack s, twice when an own
// pawn also defends it, three times when moreover the enemy has no minor piece that could
// reach s (no knight, no bishop of the square's colour).
template <Color Us> PackedScore outpostBonus(const Position& position, Square s, PackedScore value) {
    constexpr Color Them = opposite(Us);
    const Bitboard* attackSpan = Us == White ? attackSpanWhite : attackSpanBlack;
    // Our pawns defend s from the squares an enemy pawn on s would attack.
    const Bitboard* defenderSquares = Us == White ? pawnAttacksBlack : pawnAttacksWhite;
    if (attackSpan[s] & pieces<Them>(position, PAWN)) return 0;
    if ((defenderSquares[s] & pieces<Us>(position, PAWN)) == 0) return value;
    const Bitboard sameColourBishops = (squareBit[s] & DARK_SQUARES) ? pieces<Them>(position, DARK_BISHOP)
                                                                     : pieces<Them>(position, LIGHT_BISHOP);
    if (pieces<Them>(position, KNIGHT) == 0 && sameColourBishops == 0) return value + value + value;
    return value + value;
}

template <PieceCode Kind> Bitboard pieceAttacks(const Position& position, Square s) {
    if constexpr (Kind == KNIGHT) return knightAttacks[s];
    else if constexpr (Kind == DARK_BISHOP || Kind == LIGHT_BISHOP) return bishopAttacks(s, position.occupiedSquares);
    else if constexpr (Kind == ROOK) return rookAttacks(s, position.occupiedSquares);
    else return queenAttacksOnBoard(position, s);
}

// The attack set of one kind, and the colour's running union after that kind.
template <PieceCode Kind> Bitboard& kindSet(EvalAttacks& a, Color c) {
    if constexpr (Kind == KNIGHT) return a.knights[c];
    else if constexpr (Kind == DARK_BISHOP) return a.darkBishops[c];
    else if constexpr (Kind == LIGHT_BISHOP) return a.lightBishops[c];
    else if constexpr (Kind == ROOK) return a.rooks[c];
    else return a.queens[c];
}
template <PieceCode Kind> Bitboard& unionAfter(EvalAttacks& a, Color c) {
    if constexpr (Kind == KNIGHT) return a.afterKnights[c];
    else if constexpr (Kind == DARK_BISHOP) return a.afterDarkBishops[c];
    else if constexpr (Kind == LIGHT_BISHOP) return a.afterLightBishops[c];
    else if constexpr (Kind == ROOK) return a.afterRooks[c];
    else return a.afterQueens[c];
}
template <PieceCode Kind> Bitboard unionBefore(const EvalAttacks& a, Color c) {
    if constexpr (Kind == KNIGHT) return a.afterPawns[c];
    else if constexpr (Kind == DARK_BISHOP) return a.afterKnights[c];
    else if constexpr (Kind == LIGHT_BISHOP) return a.afterDarkBishops[c];
    else if constexpr (Kind == ROOK) return a.afterLightBishops[c];
    else return a.afterRooks[c];
}

// Squares of the enemy's attacks that a piece of this kind does not count as mobility:
// minor pieces avoid pawns, rooks also the minor pieces, queens also the rooks.
template <PieceCode Kind> Bitboard enemyGuards(const EvalAttacks& a, Color them) {
    if constexpr (Kind == ROOK) return a.afterLightBishops[them];
    else if constexpr (Kind == QUEEN) return a.afterRooks[them];
    else return a.pawns[them];
}

template <PieceCode Kind> const PackedScore* tropismTable() {
    if constexpr (Kind == KNIGHT) return knightTropism;
    else if constexpr (Kind == DARK_BISHOP || Kind == LIGHT_BISHOP) return bishopTropism;
    else if constexpr (Kind == ROOK) return rookTropism;
    else return queenTropism;
}

template <PieceCode Kind> const PackedScore* mobilityTable() {
    if constexpr (Kind == KNIGHT) return knightMobility;
    else if constexpr (Kind == DARK_BISHOP || Kind == LIGHT_BISHOP) return bishopMobility;
    else if constexpr (Kind == ROOK) return rookMobility;
    else return queenMobility;
}

template <PieceCode Kind> constexpr int kingZoneWeight() {
    if constexpr (Kind == ROOK) return 20;
    else if constexpr (Kind == QUEEN) return 25;
    else return 15;
}

template <Color Us, PieceCode Kind> PackedScore evalPieces(const Position& position, EvalAttacks& attacks) {
    constexpr Color Them = opposite(Us);
    constexpr bool MINOR = Kind == KNIGHT || Kind == DARK_BISHOP || Kind == LIGHT_BISHOP;
    constexpr int SEVENTH_RANK = Us == White ? 6 : 1;
    constexpr int EIGHTH_RANK = Us == White ? 7 : 0;
    constexpr PackedScore ZONE_WEIGHT = packScore(kingZoneWeight<Kind>(), kingZoneWeight<Kind>());
    const PackedScore* tropism = tropismTable<Kind>();
    const PackedScore* mobility = mobilityTable<Kind>();
    const PackedScore* squareValues = pieceSquareTable[colored<Us>(Kind)];

    PackedScore v = 0;
    if constexpr (Kind == DARK_BISHOP || Kind == LIGHT_BISHOP)
        if (pieces<Us>(position, DARK_BISHOP) && pieces<Us>(position, LIGHT_BISHOP)) v += BISHOP_PAIR_BONUS;

    // The king-relative terms need the enemy king; a set-up without one simply skips them.
    const Square k = kingSquare<Them>(position);
    const bool kingOnBoard = k >= 0 && k < 64;
    const Bitboard zone = kingOnBoard ? (Us == White ? kingZoneBlack : kingZoneWhite)[k] : 0;
    const Bitboard area = ~ownPieces<Us>(position) & ~enemyGuards<Kind>(attacks, Them);
    const Bitboard ownPawns = pieces<Us>(position, PAWN), enemyPawns = pieces<Them>(position, PAWN);

    Bitboard kindAttacks = 0;
    for (Bitboard b = pieces<Us>(position, Kind); b; b &= b - 1) {
        const Square s = bitScanForward(b);
        v += squareValues[s];
        if constexpr (Kind == KNIGHT) v += outpostBonus<Us>(position, s, knightOutpost[Us][s]);
        else if constexpr (MINOR) v += outpostBonus<Us>(position, s, bishopOutpost[Us][s]);
        if constexpr (Kind == ROOK) {
            if ((enemyPawns & fileMask[s]) == 0)
                v += (ownPawns & fileMask[s]) ? ROOK_HALF_OPEN_FILE_BONUS : ROOK_OPEN_FILE_BONUS;
        }
        if constexpr (Kind == ROOK || Kind == QUEEN) {
            if (kingOnBoard && rankOf(s) == SEVENTH_RANK && rankOf(k) == EIGHTH_RANK) v += SEVENTH_RANK_BONUS;
        }
        if (kingOnBoard) v += tropism[kingDistance(s, k)];
        const Bitboard att = pieceAttacks<Kind>(position, s);
        kindAttacks |= att;
        v += ZONE_WEIGHT * popCount64(att & zone);
        v += mobility[popCount64(att & area)];
    }
    kindSet<Kind>(attacks, Us) = kindAttacks;
    unionAfter<Kind>(attacks, Us) = unionBefore<Kind>(attacks, Us) | kindAttacks;
    return v;
}

// Rows of the material verdicts that scale the advantage instead of fixing the score.
struct FactorCase {
    uint32_t white, black;
    double factor;
};
// A minor piece cannot win against a lone pawn, so the advantage turns and halves; two
// knights cannot force mate; a rook against a minor piece is mostly drawn.
constexpr FactorCase FACTOR_CASES[] = {
    {KING_DARK_BISHOP, KING_PAWN, -0.5},  {KING_PAWN, KING_DARK_BISHOP, -0.5},
    {KING_PAWN, KING_LIGHT_BISHOP, -0.5}, {KING_LIGHT_BISHOP, KING_PAWN, -0.5},
    {KING_TWO_KNIGHTS, LONE_KING, 0.01},  {LONE_KING, KING_TWO_KNIGHTS, 0.01},
    {KING_ROOK, KING_KNIGHT, 0.2},        {KING_KNIGHT, KING_ROOK, 0.2},
    {KING_ROOK, KING_LIGHT_BISHOP, 0.2},  {KING_LIGHT_BISHOP, KING_ROOK, 0.2},
    {KING_ROOK, KING_DARK_BISHOP, 0.2},   {KING_DARK_BISHOP, KING_ROOK, 0.2},
};

}  // namespace

PackedScore evalPawnsWhite(const Position& position) { return evalPawns<White>(position); }
PackedScore evalPawnsBlack(const Position& position) { return evalPawns<Black>(position); }

PackedScore evalKnightsWhite(const Position& p, EvalAttacks& a) { return evalPieces<White, KNIGHT>(p, a); }
PackedScore evalKnightsBlack(const Position& p, EvalAttacks& a) { return evalPieces<Black, KNIGHT>(p, a); }
PackedScore evalDarkBishopsWhite(const Position& p, EvalAttacks& a) { return evalPieces<White, DARK_BISHOP>(p, a); }
PackedScore evalDarkBishopsBlack(const Position& p, EvalAttacks& a) { return evalPieces<Black, DARK_BISHOP>(p, a); }
PackedScore evalLightBishopsWhite(const Position& p, EvalAttacks& a) { return evalPieces<White, LIGHT_BISHOP>(p, a); }
PackedScore evalLightBishopsBlack(const Position& p, EvalAttacks& a) { return evalPieces<Black, LIGHT_BISHOP>(p, a); }
PackedScore evalRooksWhite(const Position& p, EvalAttacks& a) { return evalPieces<White, ROOK>(p, a); }
PackedScore evalRooksBlack(const Position& p, EvalAttacks& a) { return evalPieces<Black, ROOK>(p, a); }
PackedScore evalQueensWhite(const Position& p, EvalAttacks& a) { return evalPieces<White, QUEEN>(p, a); }
PackedScore evalQueensBlack(const Position& p, EvalAttacks& a) { return evalPieces<Black, QUEEN>(p, a); }

void fillPawnAttacks(const Position& position, EvalAttacks& attacks) {
    attacks.pawns[White] = pawnAttackSet<White>(pieces<White>(position, PAWN));
    attacks.pawns[Black] = pawnAttackSet<Black>(pieces<Black>(position, PAWN));
    attacks.afterPawns[White] = attacks.pawns[White];
    attacks.afterPawns[Black] = attacks.pawns[Black];
}

Score evaluate(const Position& position) {
    EvalAttacks attacks;
    fillPawnAttacks(position, attacks);

    const uint64_t pawnKey = position.currentPly->pawnKey;
    PawnHashEntry& entry = pawnHashTable[pawnKey & PAWN_HASH_MASK];
    const uint32_t tag = static_cast<uint32_t>(pawnKey >> 32);
    if (entry.tag != tag) {
        entry.tag = tag;
        entry.whiteScore = evalPawnsWhite(position);
        entry.blackScore = evalPawnsBlack(position);
    }
    PackedScore w = entry.whiteScore;
    PackedScore b = entry.blackScore;

    // Each term reads the other colour's unions as they stand, so the order is fixed.
    w += evalKnightsWhite(position, attacks);
    b += evalKnightsBlack(position, attacks);
    w += evalDarkBishopsWhite(position, attacks);
    b += evalDarkBishopsBlack(position, attacks);
    w += evalLightBishopsWhite(position, attacks);
    b += evalLightBishopsBlack(position, attacks);
    w += evalRooksWhite(position, attacks);
    b += evalRooksBlack(position, attacks);
    w += evalQueensWhite(position, attacks);
    b += evalQueensBlack(position, attacks);

    if (position.kingSquareWhite >= 0 && position.kingSquareWhite < 64)
        w += pieceSquareTable[KING][position.kingSquareWhite];
    if (position.kingSquareBlack >= 0 && position.kingSquareBlack < 64)
        b += pieceSquareTable[KING + BLACK_OFFSET][position.kingSquareBlack];

    return taper(w, position.phaseWhite) - taper(b, position.phaseBlack) + 8000;
}

Score applyMaterialCases(MaterialKey materialKey, Score e) {
    const uint32_t white = static_cast<uint32_t>(materialKey);
    const uint32_t black = static_cast<uint32_t>(materialKey >> 32);
    if (white == LONE_KING && black == LONE_KING) return 8000;
    if (white == KING_QUEEN && black == LONE_KING) return e + 5000;
    if (white == LONE_KING && (black == KING_QUEEN || black == KING_ROOK)) return e - 5000;
    if (white == KING_ROOK && black == LONE_KING) return e + 5000;
    // A lone bishop cannot mate.
    if ((white == KING_LIGHT_BISHOP || white == KING_DARK_BISHOP) && black == LONE_KING) return 8000;
    if (white == LONE_KING && (black == KING_LIGHT_BISHOP || black == KING_DARK_BISHOP)) return 8000;
    for (const FactorCase& c : FACTOR_CASES) {
        if (c.white == white && c.black == black) {
            // Each step is stored as a double: the 32-bit build's x87 unit would otherwise
            // keep extra bits (500 x 0.2 a hair above 100) and truncate to another score
            // than the 64-bit build.
            volatile double scaled = (e - 8000) * c.factor;
            volatile double shifted = scaled + 8000.0;
            return static_cast<Score>(shifted);
        }
    }
    return e;
}

Score evaluateWithMaterialCases(const Position& position) {
    return applyMaterialCases(position.materialKey, evaluate(position));
}

Score quickEval(const Position& position) {
    return taper(position.pstWhite, position.phaseWhite) - taper(position.pstBlack, position.phaseBlack) + 8000;
}

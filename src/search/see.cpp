#include "see.h"

#include "attacks.h"
#include "magic.h"
#include "tables.h"

namespace {

// Lifting the piece on `lifted` may open a line from a slider behind it to the target; such
// a slider joins the attackers (the caller filters them by occupancy afterwards).
inline Bitboard addXRays(const Position& position, Bitboard attackers, Bitboard occupied, Square target,
                         Bitboard lifted) {
    const Bitboard* p = position.pieceBitboards;
    const Bitboard queens = p[QUEEN] | p[QUEEN + BLACK_OFFSET];
    if (bishopEmptyAttacks[target] & lifted) {
        const Bitboard bishops =
            p[DARK_BISHOP] | p[LIGHT_BISHOP] | p[DARK_BISHOP + BLACK_OFFSET] | p[LIGHT_BISHOP + BLACK_OFFSET];
        attackers |= bishopAttacks(target, occupied) & (bishops | queens);
    }
    if (rookEmptyAttacks[target] & lifted) {
        attackers |= rookAttacks(target, occupied) & (p[ROOK] | p[ROOK + BLACK_OFFSET] | queens);
    }
    return attackers;
}

}  // namespace

// The swap sequence searched with bounds: `gain` is the running material balance for the
// capturing side, `lower` what it is sure of so far and `upper` what the opponent can hold
// it to. Either side stops capturing as soon as going on would not help it.
template <Color Us> Score staticExchangeEval(const Position& position, Move move) {
    constexpr Color Them = opposite(Us);
    const Square from = moveFrom(move), target = moveTo(move);
    const Bitboard ours = ownPieces<Us>(position), theirs = ownPieces<Them>(position);

    // The mover is lifted first, so a slider behind it on the capture line counts at once.
    Bitboard occupied = position.occupiedSquares ^ squareBit[from];
    Bitboard attackers = allAttackersTo(position, occupied, target) & occupied;
    PieceCode onTarget = kindMoverPiece[moveKind(move)];

    Score gain = SEE_EVEN + seeValue[moveVictim(move)];
    Score upper = gain, lower = 0;
    while (attackers & theirs) {
        const LeastValuableAttacker reply = leastValuableAttacker<Them>(position, attackers);
        Bitboard lifted = reply.subset & (0 - reply.subset);
        occupied ^= lifted;
        attackers = addXRays(position, attackers, occupied, target, lifted);
        gain -= seeValue[onTarget];
        if (gain >= upper) return upper;  // the opponent would rather not recapture
        attackers &= occupied;
        if (gain > lower) lower = gain;

        if (!(attackers & ours)) return lower;
        const LeastValuableAttacker recapture = leastValuableAttacker<Us>(position, attackers);
        lifted = recapture.subset & (0 - recapture.subset);
        occupied ^= lifted;
        attackers = addXRays(position, attackers, occupied, target, lifted);
        gain += seeValue[reply.code];
        if (lower >= gain) return lower;  // we would rather not recapture
        attackers &= occupied;
        if (gain < upper) upper = gain;
        onTarget = recapture.code;
    }
    return upper;
}

template Score staticExchangeEval<White>(const Position&, Move);
template Score staticExchangeEval<Black>(const Position&, Move);

Score staticExchangeEvalWhite(const Position& position, Move move) { return staticExchangeEval<White>(position, move); }
Score staticExchangeEvalBlack(const Position& position, Move move) { return staticExchangeEval<Black>(position, move); }

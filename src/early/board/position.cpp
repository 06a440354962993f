#include "position.h"

#include <climits>
#include <cstring>

#include "attacks.h"
#include "bitboards.h"
#include "bitops.h"
#include "zobrist.h"

namespace early {

Position gamePosition;

namespace {

constexpr char PIECE_LETTERS[] = "KQRBNPkqrbnp";

// A byte ends a FEN field when, read as a signed 8-bit number, it is not above the space:
// spaces, control characters, the end of the text and bytes of 128 and above.
bool endsField(char c) { return static_cast<signed char>(c) <= ' '; }

// Steps over one separator, but never past the end of the text.
const char* skipSeparator(const char* p) { return *p != '\0' ? p + 1 : p; }

const char* skipField(const char* p) {
    while (!endsField(*p)) ++p;
    return p;
}

// Reads a decimal number as "%d" would (leading white space, an optional sign, digits),
// saturating instead of overflowing; without digits the value is 0 and nothing is read.
const char* readNumber(const char* p, int32_t& value) {
    const char* q = p;
    while (*q == ' ' || (*q >= '\t' && *q <= '\r')) ++q;
    const bool negative = *q == '-';
    if (*q == '-' || *q == '+') ++q;
    if (*q < '0' || *q > '9') {
        value = 0;
        return p;
    }
    int64_t magnitude = 0;
    for (; *q >= '0' && *q <= '9'; ++q)
        if (magnitude <= INT_MAX) magnitude = magnitude * 10 + (*q - '0');
    if (magnitude > INT_MAX) magnitude = INT_MAX;
    value = static_cast<int32_t>(negative ? -magnitude : magnitude);
    return q;
}

// Places one man by the placement rules. A square off the board or already taken keeps
// the record's invariants by placing nothing.
void placeMan(Position& pos, Piece p, int64_t square) {
    if (square < 0 || square > 63 || p < 0 || p >= PIECE_CODES) return;
    const Square s = static_cast<Square>(square);
    const Bitboard bit = squareBit(s);
    if (pos.occupied & bit) return;
    if (p == WHITE_KING) {
        pos.kingSquareWhite = s;
        pos.kingBetweenRowWhite = betweenMask[s];
        pos.kingDirectionRowWhite = directionIndex[s];
    } else if (p == BLACK_KING) {
        pos.kingSquareBlack = s;
        pos.kingBetweenRowBlack = betweenMask[s];
        pos.kingDirectionRowBlack = directionIndex[s];
    }
    pos.pieceBits[p] |= bit;
    if (p < BLACK_PIECE_OFFSET) {
        pos.pstSumWhite += pos.evalTables.pst[p][s];
        pos.occupiedWhite |= bit;
        ++pos.menCountWhite;
    } else {
        pos.pstSumBlack += pos.evalTables.pst[p][s];
        pos.occupiedBlack |= bit;
        ++pos.menCountBlack;
    }
    pos.occupied = pos.occupiedWhite | pos.occupiedBlack;
    pos.emptySquares = ~pos.occupied;
}

// The en-passant square named by a FEN field, or NO_SQUARE. Only a square that a pawn of
// the side to move could take on is kept: empty, on the sixth rank (White to move) or the
// third (Black to move), with the enemy pawn that passed it standing beyond it. Any other
// text would make the generators and make reach off the board or take a pawn that is not
// there.
int32_t readEnPassantSquare(const Position& pos, const char* field) {
    const char file = field[0];
    if (file < 'a' || file > 'h') return NO_SQUARE;
    const char rank = field[1];
    if (rank < '1' || rank > '8') return NO_SQUARE;
    const Square s = (file - 'a') + 8 * (rank - '1');
    const bool whiteToMove = pos.sideToMove == 0;
    const Square passedPawn = whiteToMove ? s - 8 : s + 8;
    if (whiteToMove ? rank != '6' : rank != '3') return NO_SQUARE;
    if (pos.occupied & squareBit(s)) return NO_SQUARE;
    const Piece enemyPawn = whiteToMove ? BLACK_PAWN : WHITE_PAWN;
    if ((pos.pieceBits[enemyPawn] & squareBit(passedPawn)) == 0) return NO_SQUARE;
    return s;
}

}  // namespace

void clearPosition(Position& pos) {
    pos.kingSquareWhite = NO_SQUARE;
    pos.kingSquareBlack = NO_SQUARE;
    pos.searchId = 0;
    pos.currentState = &pos.stateStack[0];
    pos.nextState = &pos.stateStack[1];
    std::memset(pos.stateStack, 0, sizeof pos.stateStack);
    pos.menCountWhite = pos.menCountBlack = 0;
    for (Bitboard& men : pos.pieceBits) men = 0;
    pos.occupiedWhite = pos.occupiedBlack = pos.occupied = 0;
    pos.pstSumWhite = pos.pstSumBlack = 0;
    pos.emptySquares = ALL_SQUARES;
    StateRecord& first = pos.stateStack[0];
    first.castling = 0;
    first.epSquare = NO_SQUARE;
    first.key = 0;
    first.halfmoveClock = 0;
    pos.movesMadeWhite = pos.movesMadeBlack = 0;
    pos.timeLeft = 60000;
    pos.movesPerControl = 0;
    pos.increment = 0;
    pos.postThinking = 1;
    initPieceSquareTables(pos.evalTables);
    initMobilityTables(pos.evalTables);
    initIsolatedPawnTable(pos.evalTables);
    initPassedPawnTable(pos.evalTables);
    initDoubledPawnTable(pos.evalTables);
    pos.evalTables.bishopPair = BISHOP_PAIR_BONUS;
    pos.evalTables.rookHalfOpenFile = ROOK_HALF_OPEN_FILE_BONUS;
    pos.evalTables.rookOpenFile = ROOK_OPEN_FILE_BONUS;
    pos.evalTables.rookOnSeventh = ROOK_ON_SEVENTH_BONUS;
    pos.evalTables.queenOnSeventh = QUEEN_ON_SEVENTH_BONUS;
}

void addKing(Position& pos, Square square, Piece code) {
    if (code == WHITE_KING || code == BLACK_KING) placeMan(pos, code, square);
}

const char* parsePiecePlacement(Position& pos, const char* text) {
    // 64 bits: no text that fits in memory can carry the square out of range.
    int64_t square = 56;
    const char* p = text;
    for (; !endsField(*p); ++p) {
        const char c = *p;
        if (c == '/') {
            square -= 16;
        } else if (c >= '1' && c <= '8') {
            square += c - '0';
        } else if (const char* letter = std::strchr(PIECE_LETTERS, c); letter != nullptr) {
            placeMan(pos, static_cast<Piece>(letter - PIECE_LETTERS), square);
            ++square;
        }
    }
    return p;
}

const char* parseCastlingRights(const char* text, Position& pos) {
    int32_t& castling = pos.currentState->castling;
    castling = 0;
    if (*text == '-') return text + 1;
    const char* p = text;
    for (; !endsField(*p); ++p) {
        if (*p == 'K')
            castling |= CASTLE_WHITE_KING;
        else if (*p == 'Q')
            castling |= CASTLE_WHITE_QUEEN;
        else if (*p == 'k')
            castling |= CASTLE_BLACK_KING;
        else if (*p == 'q')
            castling |= CASTLE_BLACK_QUEEN;
    }
    return p;
}

const char* setPositionFromFen(Position& pos, const char* fen) {
    clearPosition(pos);
    const char* p = parsePiecePlacement(pos, fen);
    p = skipSeparator(p);
    if (*p == 'w')
        pos.sideToMove = 0;
    else if (*p == 'b')
        pos.sideToMove = 1;
    p = skipSeparator(skipSeparator(p));
    p = skipSeparator(parseCastlingRights(p, pos));
    StateRecord& state = *pos.currentState;
    state.epSquare = *p == '-' ? NO_SQUARE : readEnPassantSquare(pos, p);
    p = skipSeparator(skipField(p));
    p = skipField(readNumber(p, state.halfmoveClock));
    int32_t fullMoveNumber = 0;
    p = readNumber(skipSeparator(p), fullMoveNumber);
    state.key = computeHashKey(pos);
    state.checkers = computeCheckers(pos);
    return p;
}

void constructGamePosition() {
    setPositionFromFen(gamePosition, START_POSITION_FEN);
    gamePosition.currentState->key = computeHashKey(gamePosition);
}

Bitboard computeCheckers(const Position& pos) {
    if (pos.sideToMove == 0) {
        if (pos.kingSquareWhite < 0 || pos.kingSquareWhite > 63) return 0;
        return attackersOf<Black>(pos, pos.kingSquareWhite, pos.occupied);
    }
    if (pos.sideToMove == 1) {
        if (pos.kingSquareBlack < 0 || pos.kingSquareBlack > 63) return 0;
        return attackersOf<White>(pos, pos.kingSquareBlack, pos.occupied);
    }
    return 0;
}

bool positionConsistent(const Position& pos) {
    Bitboard white = 0, black = 0;
    PackedScore pstWhite = 0, pstBlack = 0;
    for (Piece p = 0; p < PIECE_CODES; ++p) {
        if ((white | black) & pos.pieceBits[p]) return false;
        (p < BLACK_PIECE_OFFSET ? white : black) |= pos.pieceBits[p];
        for (Bitboard men = pos.pieceBits[p]; men != 0;) {
            const Square s = popLowest(men);
            (p < BLACK_PIECE_OFFSET ? pstWhite : pstBlack) += pos.evalTables.pst[p][s];
        }
    }
    if (white != pos.occupiedWhite || black != pos.occupiedBlack) return false;
    if ((white | black) != pos.occupied || ~pos.occupied != pos.emptySquares) return false;
    if (popCount(white) != pos.menCountWhite || popCount(black) != pos.menCountBlack) return false;
    if (pstWhite != pos.pstSumWhite || pstBlack != pos.pstSumBlack) return false;
    if (pos.currentState < pos.stateStack || pos.currentState >= pos.stateStack + STATE_STACK_SIZE) return false;
    if (pos.nextState != pos.currentState + 1) return false;
    if (pos.currentState->key != computeHashKey(pos)) return false;
    const Bitboard whiteKing = pos.pieceBits[WHITE_KING], blackKing = pos.pieceBits[BLACK_KING];
    if (popCount(whiteKing) == 1) {
        const Square k = lowestSquare(whiteKing);
        if (pos.kingSquareWhite != k || pos.kingBetweenRowWhite != betweenMask[k] ||
            pos.kingDirectionRowWhite != directionIndex[k])
            return false;
    }
    if (popCount(blackKing) == 1) {
        const Square k = lowestSquare(blackKing);
        if (pos.kingSquareBlack != k || pos.kingBetweenRowBlack != betweenMask[k] ||
            pos.kingDirectionRowBlack != directionIndex[k])
            return false;
    }
    return true;
}

}  // namespace early

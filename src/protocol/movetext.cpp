#include "movetext.h"

#include "dump.h"
#include "makemove.h"
#include "movegen.h"
#include "plystack.h"
#include "tables.h"

namespace {

// By promotion PieceCode: either colour and either bishop kind print alike.
constexpr char COORDINATE_PROMOTION_LETTERS[] = "xpnbbrqkxpnbbrqk";
// By PieceCode, upper case for both colours.
constexpr char SAN_PIECE_LETTERS[] = "XPNBBRQKXPNBBRQK";

constexpr char fileLetter(Square s) { return static_cast<char>('a' + fileOf(s)); }
constexpr char rankDigit(Square s) { return static_cast<char>('1' + rankOf(s)); }

constexpr uint64_t appendSquare(uint64_t packed, Square s) {
    return appendPackedChar(appendPackedChar(packed, fileLetter(s)), rankDigit(s));
}

constexpr bool carriesPromotionLetter(MoveKind kind) {
    return kind == MOVE_CPA_WP || kind == MOVE_ADV_WP || kind == MOVE_CPA_BP || kind == MOVE_ADV_BP;
}

// The moving piece of a White kind 4-9 or 12-17 (knight up to king, captures then quiet moves).
constexpr PieceCode pieceOfWhiteKind(MoveKind whiteKind) {
    return whiteKind <= MOVE_CPT_WK ? whiteKind - MOVE_CPT_WN + KNIGHT : whiteKind - MOVE_NRM_WN + KNIGHT;
}

// Only pieces of the same kind reaching the same square compete: the kind already tells
// captures from quiet moves and dark-squared from light-squared bishops.
uint64_t appendDisambiguation(uint64_t packed, Move move, const Move* candidates) {
    const MoveKind kind = moveKind(move);
    const Square from = moveFrom(move), to = moveTo(move);
    int rivals = 0, sameFile = 0, sameRank = 0;
    for (const Move* m = candidates; *m; ++m) {
        if (moveKind(*m) != kind || moveTo(*m) != to) continue;
        ++rivals;
        if (fileOf(moveFrom(*m)) == fileOf(from)) ++sameFile;
        if (rankOf(moveFrom(*m)) == rankOf(from)) ++sameRank;
    }
    if (rivals < 2) return packed;
    if (sameFile == 1) return appendPackedChar(packed, fileLetter(from));
    if (sameRank == 1) return appendPackedChar(packed, rankDigit(from));
    return appendPackedChar(appendPackedChar(packed, fileLetter(from)), rankDigit(from));
}

// The text of the move's kind without a check mark; 0 for a kind of the other colour.
template <Color Us> uint64_t sanBody(Move move, const Move* candidates) {
    const MoveKind whiteKind = moveKind(move) - (Us == White ? 0 : BLACK_KIND_OFFSET);
    const Square from = moveFrom(move), to = moveTo(move);
    const char promotion = SAN_PIECE_LETTERS[movePromotion(move)];
    uint64_t text = 0;
    switch (whiteKind) {
        case MOVE_CPA_WP:
            text = appendSquare(appendPackedChar(appendPackedChar(0, fileLetter(from)), 'x'), to);
            return appendPackedChar(appendPackedChar(text, '='), promotion);
        case MOVE_ADV_WP:
            return appendPackedChar(appendPackedChar(appendSquare(0, to), '='), promotion);
        case MOVE_EPS_WP:
        case MOVE_CPT_WP:
            return appendSquare(appendPackedChar(appendPackedChar(0, fileLetter(from)), 'x'), to);
        case MOVE_JMP_WP:
        case MOVE_NRM_WP:
            return appendSquare(0, to);
        case MOVE_CSK_WK:
            return (uint64_t{'O'} << 16) | (uint64_t{'-'} << 8) | 'O';
        case MOVE_CSQ_WK:
            return (uint64_t{'O'} << 32) | (uint64_t{'-'} << 24) | (uint64_t{'O'} << 16) | (uint64_t{'-'} << 8) | 'O';
        default:
            break;
    }
    if (whiteKind < MOVE_CPT_WN || whiteKind > MOVE_NRM_WK) return 0;
    text = appendDisambiguation(appendPackedChar(0, SAN_PIECE_LETTERS[pieceOfWhiteKind(whiteKind)]), move, candidates);
    if (whiteKind <= MOVE_CPT_WK) text = appendPackedChar(text, 'x');
    return appendSquare(text, to);
}

// The algebraic text and whether the move is legal here (only a legal move is made, to
// look for check and mate).
template <Color Us> uint64_t formatSan(Position& position, Move move, bool& legal) {
    constexpr Color Them = opposite(Us);
    legal = false;
    if (!generatorsCanRun(position)) return 0;
    Move candidates[MOVE_LIST_SIZE];
    const Move* end = generateMoves<Us>(position, candidates);
    for (const Move* m = candidates; m != end && !legal; ++m) legal = *m == move;
    uint64_t text = sanBody<Us>(move, candidates);
    if (!legal || !plyStackHasRoom(position)) return text;
    makeMove<Us>(position, move);
    if (position.currentPly->checkers) {
        Move replies[MOVE_LIST_SIZE];
        const bool mated = generateMoves<Them>(position, replies) == replies;
        text = appendPackedChar(text, mated ? '#' : '+');
    }
    unmakeMove<Us>(position, move);
    return text;
}

}  // namespace

uint64_t moveToCoordinateText(Move move) {
    const uint64_t text = appendSquare(appendSquare(0, moveFrom(move)), moveTo(move));
    if (!carriesPromotionLetter(moveKind(move))) return text;
    return appendPackedChar(text, COORDINATE_PROMOTION_LETTERS[movePromotion(move)]);
}

uint64_t packCoordinateWord(const char* word) {
    uint64_t packed = 0;
    for (int i = 0; i < 5 && word[i] != '\0'; ++i) packed = appendPackedChar(packed, word[i]);
    return packed;
}

void printPackedText(FILE* stream, uint64_t packed) {
    for (; packed != 0; packed <<= 8) {
        const int top = static_cast<int>(packed >> 56);
        if (top == 0) continue;
        std::fprintf(stream, "%c", top);
        std::fflush(stream);
    }
}

Move findMoveByText(const Move* list, uint64_t packed) {
    for (const Move* m = list; *m; ++m)
        if (moveToCoordinateText(*m) == packed) return *m;
    return 0;
}

uint64_t formatSanWhite(Position& position, Move move) {
    bool legal;
    return formatSan<White>(position, move, legal);
}

uint64_t formatSanBlack(Position& position, Move move) {
    bool legal;
    return formatSan<Black>(position, move, legal);
}

void printVariation(Position& position, const Move* line, FILE* stream) {
    int number = (position.whiteMovesPlayed + position.blackMovesPlayed) / 2 + 1;
    // The line is copied first: it may sit in a ply slot that the moves moves here overwrite.
    Move moves[PV_LENGTH];
    int length = 0;
    while (length < PV_LENGTH && line[length] != 0) {
        moves[length] = line[length];
        ++length;
    }
    int madeCount = 0;
    for (; madeCount < length; ++madeCount) {
        const Move move = moves[madeCount];
        const bool whiteMoves = position.sideToMove == White;
        if (!whiteMoves && position.sideToMove != Black) break;
        if (!plyStackHasRoom(position)) break;
        bool legal;
        const uint64_t text = whiteMoves ? formatSan<White>(position, move, legal) : formatSan<Black>(position, move, legal);
        if (!legal) break;
        if (whiteMoves) std::fprintf(stream, "%d. ", number);
        else if (madeCount == 0) std::fprintf(stream, "%d. ... ", number);
        printTag(stream, text);
        std::fprintf(stream, " ");
        if (whiteMoves) {
            makeMoveWhite(position, move);
        } else {
            makeMoveBlack(position, move);
            ++number;
        }
    }
    // Colours alternate along the line, so the side to move tells who moves the last move.
    while (madeCount > 0) {
        const Move move = moves[--madeCount];
        if (position.sideToMove == Black) unmakeMoveWhite(position, move);
        else unmakeMoveBlack(position, move);
    }
}

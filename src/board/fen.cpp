#include "fen.h"

#include <cctype>

#include "attacks.h"
#include "tables.h"
#include "zobrist.h"

const char START_POSITION_FEN[] = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -";

namespace {

constexpr char PIECE_LETTERS[] = "XPNBBRQKxpnbbrqk";

bool isSpace(int c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

// Word readers in the manner of "%s": leading white space skipped, the word ends at white
// space or the end. Only the first `length` characters are kept; the rest of an over-long
// word is dropped, so it can never spill into the next field.
const char* readWord(const char* text, char* word, int length) {
    while (*text && isSpace(*text)) ++text;
    int n = 0;
    for (; *text && !isSpace(*text); ++text)
        if (n < length) word[n++] = *text;
    word[n] = '\0';
    return text;
}

void readWord(FILE* stream, char* word, int length) {
    int c = std::getc(stream);
    while (c != EOF && isSpace(c)) c = std::getc(stream);
    int n = 0;
    for (; c != EOF && !isSpace(c); c = std::getc(stream))
        if (n < length) word[n++] = static_cast<char>(c);
    if (c != EOF) std::ungetc(c, stream);  // the separator stays for the caller's next read
    word[n] = '\0';
}

bool endsField(char c) { return static_cast<unsigned char>(c) < '!'; }

PieceCode pieceCodeOfLetter(char letter, Square square) {
    const bool light = (LIGHT_SQUARES & squareBit[square]) != 0;
    switch (letter) {
        case 'P': return PAWN;
        case 'N': return KNIGHT;
        case 'B': return light ? LIGHT_BISHOP : DARK_BISHOP;
        case 'R': return ROOK;
        case 'Q': return QUEEN;
        case 'K': return KING;
        case 'p': return PAWN + BLACK_OFFSET;
        case 'n': return KNIGHT + BLACK_OFFSET;
        case 'b': return (light ? LIGHT_BISHOP : DARK_BISHOP) + BLACK_OFFSET;
        case 'r': return ROOK + BLACK_OFFSET;
        case 'q': return QUEEN + BLACK_OFFSET;
        case 'k': return KING + BLACK_OFFSET;
        default: return EMPTY;
    }
}

bool isPieceLetter(char c) {
    switch (c) {
        case 'P': case 'N': case 'B': case 'R': case 'Q': case 'K':
        case 'p': case 'n': case 'b': case 'r': case 'q': case 'k': return true;
        default: return false;
    }
}

// A square counter that a hostile text drives off the board stays bounded, far enough
// out that it never comes back by accident within a sane field.
constexpr int SQUARE_COUNTER_LIMIT = 1 << 20;

int boundedSquare(int square) {
    if (square > SQUARE_COUNTER_LIMIT) return SQUARE_COUNTER_LIMIT;
    if (square < -SQUARE_COUNTER_LIMIT) return -SQUARE_COUNTER_LIMIT;
    return square;
}

// Castling rights whose king or rook is not on its home square, and an en-passant square
// that no enemy pawn has just stepped past, cannot come from a game. They are dropped, so
// that keys and written text show the position as it stands and no move is ever built
// for a piece that is not there.
void dropUnreachableRights(Position& position) {
    PlyState& ply = *position.currentPly;
    const auto holds = [&](PieceCode code, Square square) {
        return (position.pieceBitboards[code] & squareBit[square]) != 0;
    };
    const auto empty = [&](Square square) { return (position.occupiedSquares & squareBit[square]) == 0; };
    int rights = ply.castlingRights;
    if (!holds(KING, 4)) rights &= ~(CASTLE_WHITE_KING_SIDE | CASTLE_WHITE_QUEEN_SIDE);
    if (!holds(ROOK, 7)) rights &= ~CASTLE_WHITE_KING_SIDE;
    if (!holds(ROOK, 0)) rights &= ~CASTLE_WHITE_QUEEN_SIDE;
    if (!holds(KING + BLACK_OFFSET, 60)) rights &= ~(CASTLE_BLACK_KING_SIDE | CASTLE_BLACK_QUEEN_SIDE);
    if (!holds(ROOK + BLACK_OFFSET, 63)) rights &= ~CASTLE_BLACK_KING_SIDE;
    if (!holds(ROOK + BLACK_OFFSET, 56)) rights &= ~CASTLE_BLACK_QUEEN_SIDE;
    ply.castlingRights = rights;

    const Square e = ply.enPassantSquare;
    if (e == NO_SQUARE) return;
    bool passed = false;
    if (position.sideToMove == 0)  // a black pawn went from e + 8 to e - 8
        passed = rankOf(e) == 5 && holds(PAWN + BLACK_OFFSET, e - 8) && empty(e) && empty(e + 8);
    else if (position.sideToMove == 1)  // a white pawn went from e - 8 to e + 8
        passed = rankOf(e) == 2 && holds(PAWN, e + 8) && empty(e) && empty(e - 8);
    if (!passed) ply.enPassantSquare = NO_SQUARE;
}

void setUp(Position& position, const char* placement, const char* side, const char* castling,
           const char* enPassant) {
    resetPosition(position);
    parseFenBoard(position, placement);
    if (side[0] == 'w') position.sideToMove = 0;
    else if (side[0] == 'b') position.sideToMove = 1;
    parseFenCastling(castling, position);
    PlyState& ply = *position.currentPly;
    if (enPassant[0] != '-' && enPassant[0] != '\0') {
        const int file = enPassant[0] - 'a', rank = enPassant[1] - '1';
        if (file >= 0 && file < 8 && rank >= 0 && rank < 8) ply.enPassantSquare = file + 8 * rank;
    }
    dropUnreachableRights(position);
    ply.checkers = 0;
    if (position.sideToMove == 0 && position.kingSquareWhite < 64)
        ply.checkers = attackersBlack(position, position.kingSquareWhite);
    else if (position.sideToMove == 1 && position.kingSquareBlack < 64)
        ply.checkers = attackersWhite(position, position.kingSquareBlack);
    computeStateKeys(position);
    ply.pawnKey = computePawnKey(position);
}

}  // namespace

const char* parseFenBoard(Position& position, const char* text) {
    int square = 56;
    for (; !endsField(*text); ++text) {
        const char c = *text;
        if (c == '/') {
            square = boundedSquare(square - 16);
        } else if (c >= '1' && c <= '8') {
            square = boundedSquare(square + (c - '0'));
        } else if (isPieceLetter(c)) {
            // Off the board, or on a square a malformed field already filled: skipped.
            if (square >= 0 && square < 64 && (position.occupiedSquares & squareBit[square]) == 0)
                putPiece(position, square, pieceCodeOfLetter(c, square));
            square = boundedSquare(square + 1);
        }
    }
    return text;
}

void parseFenCastling(const char* text, Position& position) {
    int rights = 0;
    for (; !endsField(*text); ++text) {
        switch (*text) {
            case 'K': rights |= CASTLE_WHITE_KING_SIDE; break;
            case 'Q': rights |= CASTLE_WHITE_QUEEN_SIDE; break;
            case 'k': rights |= CASTLE_BLACK_KING_SIDE; break;
            case 'q': rights |= CASTLE_BLACK_QUEEN_SIDE; break;
            default: break;
        }
    }
    position.currentPly->castlingRights = rights;
}

char* writeFenBoard(const Position& position, char* buffer) {
    char* out = buffer;
    for (int rank = 7; rank >= 0; --rank) {
        int run = 0;
        for (int file = 0; file < 8; ++file) {
            const Bitboard bit = squareBit[rank * 8 + file];
            if ((position.occupiedSquares & bit) == 0) {
                ++run;
                continue;
            }
            if (run) *out++ = static_cast<char>('0' + run);
            run = 0;
            PieceCode code = 0;
            while (code < 16 && (position.pieceBitboards[code] & bit) == 0) ++code;
            *out++ = code < 16 ? PIECE_LETTERS[code] : '?';
        }
        if (run) *out++ = static_cast<char>('0' + run);
        if (rank > 0) *out++ = '/';
    }
    *out = '\0';
    return out;
}

void writeFen(const Position& position, FILE* stream) {
    char board[FEN_BOARD_TEXT_SIZE];
    writeFenBoard(position, board);
    const PlyState& ply = *position.currentPly;
    char castling[5];
    char* c = castling;
    if (ply.castlingRights & CASTLE_WHITE_KING_SIDE) *c++ = 'K';
    if (ply.castlingRights & CASTLE_WHITE_QUEEN_SIDE) *c++ = 'Q';
    if (ply.castlingRights & CASTLE_BLACK_KING_SIDE) *c++ = 'k';
    if (ply.castlingRights & CASTLE_BLACK_QUEEN_SIDE) *c++ = 'q';
    if (c == castling) *c++ = '-';
    *c = '\0';
    char enPassant[3] = "-";
    if (ply.enPassantSquare >= 0 && ply.enPassantSquare < 64) {
        enPassant[0] = static_cast<char>('a' + fileOf(ply.enPassantSquare));
        enPassant[1] = static_cast<char>('1' + rankOf(ply.enPassantSquare));
        enPassant[2] = '\0';
    }
    std::fprintf(stream, "%s %s %s %s", board, position.sideToMove == 1 ? "b" : "w", castling, enPassant);
}

void setPositionFromText(Position& position, const char* text) {
    char placement[FEN_PLACEMENT_LENGTH + 1], side[FEN_SIDE_LENGTH + 1], castling[FEN_CASTLING_LENGTH + 1],
        enPassant[FEN_EN_PASSANT_LENGTH + 1];
    text = readWord(text, placement, FEN_PLACEMENT_LENGTH);
    text = readWord(text, side, FEN_SIDE_LENGTH);
    text = readWord(text, castling, FEN_CASTLING_LENGTH);
    readWord(text, enPassant, FEN_EN_PASSANT_LENGTH);
    setUp(position, placement, side, castling, enPassant);
}

void readFenFromFile(Position& position, FILE* stream) {
    char placement[FEN_PLACEMENT_LENGTH + 1], side[FEN_SIDE_LENGTH + 1], castling[FEN_CASTLING_LENGTH + 1],
        enPassant[FEN_EN_PASSANT_LENGTH + 1];
    readWord(stream, placement, FEN_PLACEMENT_LENGTH);
    readWord(stream, side, FEN_SIDE_LENGTH);
    readWord(stream, castling, FEN_CASTLING_LENGTH);
    readWord(stream, enPassant, FEN_EN_PASSANT_LENGTH);
    setUp(position, placement, side, castling, enPassant);
}

void setStartPosition(Position& position) { setPositionFromText(position, START_POSITION_FEN); }

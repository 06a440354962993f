#include "commandloop.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdio>
#include <cstring>
#include <iterator>

#include "attacks.h"
#include "book.h"
#include "clock.h"
#include "draw.h"
#include "fen.h"
#include "makemove.h"
#include "movegen.h"
#include "movetext.h"
#include "perft.h"
#include "plystack.h"
#include "search.h"
#include "speedtest.h"
#include "think.h"

Position gamePosition;

namespace {

// A second position for "setboard": a text is set up here first, so that a refused one
// leaves the game as it was. Too large for the stack.
Position setupScratch;

bool isBlank(int c) { return c != EOF && std::isspace(c); }

// Reads one word like "%s": leading white space skipped, the word ends at white space or
// at the end of input. At most `length` characters are kept; the rest of a longer word is
// read and dropped, so it never becomes a word of its own. False at the end of input.
bool readWord(char* word, int length) {
    int c = std::getchar();
    while (isBlank(c)) c = std::getchar();
    if (c == EOF) return false;
    int n = 0;
    for (; c != EOF && !std::isspace(c); c = std::getchar())
        if (n < length) word[n++] = static_cast<char>(c);
    if (c != EOF) std::ungetc(c, stdin);
    word[n] = '\0';
    return true;
}

// Reads a decimal integer like "%lld": white space skipped, an optional sign, then digits;
// the first other character stays unread. A value beyond the 64-bit range saturates.
// False, with value untouched, when no digit comes; the character that showed it stays
// unread (after a lone sign, only the sign is lost).
bool readInteger(long long& value) {
    int c = std::getchar();
    while (isBlank(c)) c = std::getchar();
    bool negative = false;
    if (c == '+' || c == '-') {
        negative = c == '-';
        c = std::getchar();
    }
    if (c == EOF || !std::isdigit(c)) {
        if (c != EOF) std::ungetc(c, stdin);
        return false;
    }
    long long n = 0;
    for (; c != EOF && std::isdigit(c); c = std::getchar())
        n = n > (LLONG_MAX - 9) / 10 ? LLONG_MAX : n * 10 + (c - '0');
    if (c != EOF) std::ungetc(c, stdin);
    value = negative ? -n : n;
    return true;
}

int32_t clampToInt32(long long value) {
    return static_cast<int32_t>(std::clamp<long long>(value, INT32_MIN, INT32_MAX));
}

bool readInt32(int32_t& value) {
    long long n = 0;
    if (!readInteger(n)) return false;
    value = clampToInt32(n);
    return true;
}

// A control period's base time, "minutes" or "minutes:seconds", in centiseconds.
bool readBaseTime(int32_t& centiseconds) {
    long long minutes = 0, seconds = 0;
    if (!readInteger(minutes)) return false;
    const int c = std::getchar();
    if (c == ':') {
        if (!readInteger(seconds)) return false;
    } else if (c != EOF) {
        std::ungetc(c, stdin);
    }
    // Each part is bounded first, so the products stay far inside 64 bits.
    minutes = std::clamp<long long>(minutes, INT32_MIN, INT32_MAX);
    seconds = std::clamp<long long>(seconds, INT32_MIN, INT32_MAX);
    centiseconds = clampToInt32(minutes * 6000 + seconds * 100);
    return true;
}

bool hasMoveShape(const char* word) {
    return word[0] >= 'a' && word[0] <= 'h' && word[1] >= '1' && word[1] <= '8' && word[2] >= 'a' &&
           word[2] <= 'h' && word[3] >= '1' && word[3] <= '8';
}

Move* generateLegalMoves(Position& position, Move* list) {
    if (position.sideToMove == 0) return generateMovesWhite(position, list);
    if (position.sideToMove == 1) return generateMovesBlack(position, list);
    *list = 0;
    return list;
}

// Prints the game's result when it is over; true then.
bool announceResult(const Position& position, bool hasLegalMove) {
    const PlyState& ply = *position.currentPly;
    if (!hasLegalMove) {
        if (ply.checkers) std::printf(position.sideToMove == 0 ? "0-1 {Black mates}\n" : "1-0 {White mates}\n");
        else std::printf("1/2-1/2 {Stalemate}\n");
        return true;
    }
    if (ply.reversibleCount >= 100) {
        std::printf("1/2-1/2 {50 moves rule}\n");
        return true;
    }
    if (repetitionCount(position) >= 3) {
        std::printf("1/2-1/2 {Draw by repetition}\n");
        return true;
    }
    if (isInsufficientMaterial(position)) {
        std::printf("1/2-1/2 {Insufficient material}\n");
        return true;
    }
    return false;
}

void handleSetboard() {
    char placement[FEN_PLACEMENT_LENGTH + 1], side[FEN_SIDE_LENGTH + 1], castling[FEN_CASTLING_LENGTH + 1],
        enPassant[FEN_EN_PASSANT_LENGTH + 1];
    placement[0] = side[0] = castling[0] = enPassant[0] = '\0';  // fields missing at the end of input
    readWord(placement, FEN_PLACEMENT_LENGTH) && readWord(side, FEN_SIDE_LENGTH) &&
        readWord(castling, FEN_CASTLING_LENGTH) && readWord(enPassant, FEN_EN_PASSANT_LENGTH);
    // The halfmove clock and the move number are read and dropped; a missing one is left
    // for the loop.
    long long dropped = 0;
    readInteger(dropped) && readInteger(dropped);

    char text[sizeof placement + sizeof side + sizeof castling + sizeof enPassant + 4];
    std::snprintf(text, sizeof text, "%s %s %s %s", placement, side, castling, enPassant);
    // A side word other than w or b keeps the side to move, as in the game position.
    setupScratch.sideToMove = gamePosition.sideToMove;
    setPositionFromText(setupScratch, text);
    if (!isPlayablePosition(setupScratch)) {
        std::printf("tellusererror Illegal position\n");
        std::fflush(stdout);
        return;
    }
    setPositionFromText(gamePosition, text);
}

// "rt"/"wt" of the suite commands: text mode is the only mode here.
FILE* openSuiteFile(const char* name, const char* mode) {
    FILE* file = std::fopen(name, mode);
    if (!file) {
        std::printf("Error opening file: %s\n", name);
        std::fflush(stdout);
    }
    return file;
}

void handleTestSuite(int mode) {
    char name[FILE_NAME_LENGTH + 1];
    if (!readWord(name, FILE_NAME_LENGTH)) return;
    FILE* input = openSuiteFile(name, "r");
    if (!input) return;
    runPerftSuite(stdout, input, mode);
    std::fclose(input);
}

void handleFilePerf() {
    char inName[FILE_NAME_LENGTH + 1], outName[FILE_NAME_LENGTH + 1];
    if (!readWord(inName, FILE_NAME_LENGTH) || !readWord(outName, FILE_NAME_LENGTH)) return;
    FILE* input = openSuiteFile(inName, "r");
    if (!input) return;
    FILE* output = openSuiteFile(outName, "w");
    if (output) {
        runPerftSuite(output, input, 0);
        std::fclose(output);
    }
    std::fclose(input);
}

void handleFileBulk() {
    char inName[FILE_NAME_LENGTH + 1], outName[FILE_NAME_LENGTH + 1];
    if (!readWord(inName, FILE_NAME_LENGTH) || !readWord(outName, FILE_NAME_LENGTH)) return;
    FILE* input = openSuiteFile(inName, "r");
    if (!input) return;
    runPerftSuite(stdout, input, 1);
    std::fclose(input);
}

void handleLevel() {
    int32_t moves = 0, base = 0, increment = 0;
    // The control changes only when all three numbers are there.
    if (!readInt32(moves) || !readBaseTime(base) || !readInt32(increment)) return;
    gamePosition.movesPerControl = moves;
    gamePosition.baseTime = base;
    gamePosition.increment = clampToInt32(static_cast<long long>(increment) * 100);
}

void handleTime() {
    int32_t centiseconds = 0;
    if (readInt32(centiseconds)) gamePosition.timeLeft = centiseconds;
}

// Replies are flushed like every other reply: an interface on a pipe would otherwise see
// them only when some later output fills or flushes the buffer.
void runSpeedTest(void (*bench)(int64_t, FILE*)) {
    long long count = 0;
    if (!readInteger(count)) return;
    bench(count, stdout);
    std::fflush(stdout);
}

void handleTimedCount(bool bulk) {
    int32_t depth = 0;
    if (!readInt32(depth)) return;
    Position& p = gamePosition;
    const int32_t start = nowCentiseconds();
    uint64_t count = 0;
    if (p.sideToMove == 0) count = bulk ? perftBulkWhite(p, depth) : perftWhite(p, depth);
    else if (p.sideToMove == 1) count = bulk ? perftBulkBlack(p, depth) : perftBlack(p, depth);
    const int32_t elapsed = nowCentiseconds() - start;
    printTimedCount(stdout, count, elapsed);
    std::fflush(stdout);
}

}  // namespace

// The generators need one king a side and reachable material; a side not to move standing
// in check means its king could be taken, which no game reaches.
bool isPlayablePosition(const Position& position) {
    if (!generatorsCanRun(position)) return false;
    if (position.sideToMove == 0) return attackersWhite(position, position.kingSquareBlack) == 0;
    if (position.sideToMove == 1) return attackersBlack(position, position.kingSquareWhite) == 0;
    return false;
}

void constructGamePosition() {
    std::fill(std::begin(gamePosition.history), std::end(gamePosition.history), 0);
    gamePosition.historyLimit = HISTORY_LIMIT_DEFAULT;
    resetPosition(gamePosition);
    std::fill(std::begin(setupScratch.history), std::end(setupScratch.history), 0);
    resetPosition(setupScratch);
}

void playMove(Position& position, Move move) {
    if (plyIndex(position, position.currentPly) >= PLY_STACK_COMPACT_AT) compactPlyStack(position, PLY_STACK_KEPT);
    if (position.sideToMove == 0) {
        makeMoveWhite(position, move);
        ++position.whiteMovesPlayed;
    } else {
        makeMoveBlack(position, move);
        ++position.blackMovesPlayed;
    }
    position.searchPly = 0;
}

void replyToGo() {
    Position& p = gamePosition;
    Move list[MOVE_LIST_SIZE];
    const Move* end = generateLegalMoves(p, list);
    const int legalMoves = static_cast<int>(end - list);
    if (!announceResult(p, legalMoves > 0)) {
        p.currentPly->bestScore = SCORE_DRAW;
        Move move = legalMoves == 1 ? list[0] : think(p);
        const int index = p.sideToMove == 0 ? indexOfMoveWhite(move, p) : indexOfMoveBlack(move, p);
        if (index == -1) move = list[0];
        if (move == 0) return;
        playMove(p, move);
        std::printf("move ");
        printPackedText(stdout, moveToCoordinateText(move));
        std::printf("\n");
    }
    std::fflush(stdout);
}

void handleUserMove(const char* word) {
    Position& p = gamePosition;
    Move list[MOVE_LIST_SIZE];
    generateLegalMoves(p, list);
    const Move move = findMoveByText(list, packCoordinateWord(word));
    if (move == 0) return;
    playMove(p, move);
    // Against a computer the engine waits for "go" after White's first move of a game.
    if (p.blackMovesPlayed == 0 && p.opponentIsComputer == 1) return;
    replyToGo();
}

void handleProtover() {
    char word[COMMAND_WORD_LENGTH + 1];
    long long version = 0;
    readInteger(version);
    std::printf("feature setboard=1\n");
    std::fflush(stdout);
    readWord(word, COMMAND_WORD_LENGTH);
    std::printf("feature done=1\n");
    std::fflush(stdout);
    readWord(word, COMMAND_WORD_LENGTH);
}

void handlePerf() { handleTimedCount(false); }
void handleBulk() { handleTimedCount(true); }

void commandLoop() {
    setStartPosition(gamePosition);
    static char word[COMMAND_WORD_LENGTH + 1];
    while (readWord(word, COMMAND_WORD_LENGTH)) {
        const auto is = [&](const char* command) { return std::strcmp(word, command) == 0; };
        if (hasMoveShape(word)) handleUserMove(word);
        if (is("go")) replyToGo();
        if (is("level")) handleLevel();
        if (is("new")) setStartPosition(gamePosition);
        if (is("post")) gamePosition.postThinking = 1;
        if (is("nopost")) gamePosition.postThinking = 0;
        if (is("computer")) gamePosition.opponentIsComputer = 1;
        if (is("protover")) handleProtover();
        if (is("time")) handleTime();
        if (is("perf")) handlePerf();
        if (is("bulk")) handleBulk();
        if (is("testperf")) handleTestSuite(0);
        if (is("fileperf")) handleFilePerf();
        if (is("setboard")) handleSetboard();
        if (is("testbulk")) handleTestSuite(1);
        if (is("filebulk")) handleFileBulk();
        if (is("testlsb")) runSpeedTest(benchBitScanForward);
        if (is("testmsb")) runSpeedTest(benchBitScanReverse);
        if (is("testpop")) runSpeedTest(benchPopCount);
        if (is("testgenb")) runSpeedTest(benchBishopAttacks);
        if (is("testgenr")) runSpeedTest(benchRookAttacks);
        if (is("testgenq")) runSpeedTest(benchQueenAttacks);
        if (is("quit")) break;
    }
}

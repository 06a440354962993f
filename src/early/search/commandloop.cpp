#include "commandloop.h"

#include <algorithm>
#include <cstring>

#include "game.h"
#include "position.h"

namespace early {

namespace {

bool isSpace(int c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The word stream of the loop, with room to hand back one word that a command read as
// its argument but that was no number: it is then read again as the next command.
struct CommandInput {
    FILE* stream;
    bool hasPending;
    char pending[COMMAND_WORD_SIZE];
};

bool nextWord(CommandInput& input, char* word) {
    if (input.hasPending) {
        input.hasPending = false;
        std::memcpy(word, input.pending, COMMAND_WORD_SIZE);
        return true;
    }
    return readWord(input.stream, word, COMMAND_WORD_SIZE);
}

void handBack(CommandInput& input, const char* word) {
    std::memcpy(input.pending, word, COMMAND_WORD_SIZE);
    input.hasPending = true;
}

// The next word when it is a number for parse, else false; a word that is no number
// stays in the input for the loop.
template <typename Parse> bool readNumber(CommandInput& input, Parse parse, int32_t& value) {
    char word[COMMAND_WORD_SIZE];
    if (!nextWord(input, word)) return false;
    if (parse(word, value)) return true;
    handBack(input, word);
    return false;
}

// "level MOVES BASE INCREMENT": the base time (minutes, or minutes:seconds) plays no part
// in the budget. A field that cannot be read keeps the value it had, and the fields after
// it are not looked for.
void readLevel(CommandInput& input) {
    int32_t moves = 0, base = 0, increment = 0;
    if (!readNumber(input, parseInteger, moves)) return;
    gamePosition.movesPerControl = std::max(moves, 0);
    if (!readNumber(input, parseInteger, base)) return;
    if (!readNumber(input, parseSecondsAsMs, increment)) return;
    gamePosition.increment = increment;
}

// "time CENTISECONDS": the engine's own clock.
void readTime(CommandInput& input) {
    int32_t centiseconds = 0;
    if (!readNumber(input, parseInteger, centiseconds)) return;
    gamePosition.timeLeft = std::clamp(centiseconds, -MAX_CLOCK_MS / 10, MAX_CLOCK_MS / 10) * 10;
}

}  // namespace

bool readWord(FILE* in, char* buffer, size_t size) {
    int c;
    do c = std::fgetc(in);
    while (c != EOF && isSpace(c));
    size_t length = 0;
    if (c == EOF) {
        buffer[0] = '\0';
        return false;
    }
    for (; c != EOF && !isSpace(c); c = std::fgetc(in))
        if (length + 1 < size) buffer[length++] = static_cast<char>(c);
    buffer[length] = '\0';
    return true;
}

bool isMoveWord(const char* word) {
    return std::strlen(word) >= 4 && word[0] >= 'a' && word[0] <= 'h' && word[1] >= '1' && word[1] <= '8' &&
           word[2] >= 'a' && word[2] <= 'h' && word[3] >= '1' && word[3] <= '8';
}

bool parseInteger(const char* word, int32_t& value) {
    const char* p = word;
    const bool negative = *p == '-';
    if (*p == '-' || *p == '+') ++p;
    if (!isDigit(*p)) return false;
    int64_t v = 0;
    for (; isDigit(*p); ++p) v = std::min<int64_t>(v * 10 + (*p - '0'), MAX_CLOCK_MS);
    value = static_cast<int32_t>(negative ? -v : v);
    return true;
}

bool parseSecondsAsMs(const char* word, int32_t& ms) {
    const char* p = word;
    const bool negative = *p == '-';
    if (*p == '-' || *p == '+') ++p;
    if (!isDigit(*p) && !(*p == '.' && isDigit(p[1]))) return false;
    int64_t v = 0;
    for (; isDigit(*p); ++p) v = std::min<int64_t>(v * 10 + (*p - '0'), MAX_CLOCK_MS);
    v *= 1000;
    if (*p == '.') {
        ++p;
        for (int64_t scale = 100; scale > 0 && isDigit(*p); scale /= 10, ++p) v += (*p - '0') * scale;
    }
    v = std::min<int64_t>(v, MAX_CLOCK_MS);
    ms = static_cast<int32_t>(negative ? -v : v);
    return true;
}

bool discardFirstWord(FILE* in) {
    char word[FIRST_WORD_SIZE];
    return readWord(in, word, sizeof word);
}

void runProtocolLoop(FILE* in) {
    CommandInput input{in, false, {}};
    char word[COMMAND_WORD_SIZE];
    while (nextWord(input, word)) {
        if (isMoveWord(word)) applyUserMove(word);
        if (std::strcmp(word, "go") == 0) playEngineMove();
        if (std::strcmp(word, "level") == 0) readLevel(input);
        if (std::strcmp(word, "new") == 0) constructGamePosition();
        if (std::strcmp(word, "post") == 0) gamePosition.postThinking = 1;
        if (std::strcmp(word, "nopost") == 0) gamePosition.postThinking = 0;
        if (std::strcmp(word, "protover") == 0) {
            std::fputs("feature done=1\n", stdout);
            std::fflush(stdout);
        }
        if (std::strcmp(word, "time") == 0) readTime(input);
        if (std::strcmp(word, "quit") == 0) break;
    }
}

void runProtocolLoop() { runProtocolLoop(stdin); }

}  // namespace early

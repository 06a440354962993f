#include "book.h"

#include <algorithm>
#include <bit>
#include <cstdio>

#include "movegen.h"
#include "position.h"
#include "zobrist.h"

namespace early {

BookEntry bookWhite[BOOK_CAPACITY];
BookEntry bookBlack[BOOK_CAPACITY];
int32_t bookWhiteCount = 0;
int32_t bookBlackCount = 0;

namespace {

static_assert(sizeof(BookEntry) == 8, "book files hold 8-byte entries");
// The files are read straight into the arrays: low word first is the machine's own order.
static_assert(std::endian::native == std::endian::little);

constexpr uint64_t KEY_BITS = ~uint64_t{0xFF};

int32_t findEntry(const BookEntry* book, int32_t count, uint32_t keyLow, uint32_t keyHigh) {
    const uint64_t target = (uint64_t{keyHigh} << 32 | keyLow) & KEY_BITS;
    int32_t lo = 0, hi = count - 1;
    while (lo <= hi) {
        const int32_t mid = lo + (hi - lo) / 2;
        const uint64_t entry = book[mid] & KEY_BITS;
        if (entry == target) return mid;
        if (entry < target)
            lo = mid + 1;
        else
            hi = mid - 1;
    }
    return -1;
}

Move probeBook(const BookEntry* book, int32_t count, const char* errorLine) {
    const uint64_t key = probeKey(gamePosition);
    const int32_t found = findEntry(book, count, static_cast<uint32_t>(key), static_cast<uint32_t>(key >> 32));
    if (found < 0) return 0;
    Move list[513];
    Move* end = generateLegalMoves(list);
    const int32_t n = static_cast<int32_t>(end - list);
    std::sort(list, end, [](Move a, Move b) { return compareMoveCodes(a, b) < 0; });
    const int32_t index = static_cast<int32_t>(book[found] & 0xFF);
    if (index < n) return list[index];
    std::fputs(errorLine, stdout);
    std::fflush(stdout);
    return 0;
}

}  // namespace

int32_t loadBook(const char* fileName, BookEntry* book) {
    FILE* file = std::fopen(fileName, "rb");
    if (file == nullptr) return 0;
    const size_t read = std::fread(book, sizeof(BookEntry), BOOK_CAPACITY, file);
    std::fclose(file);
    return static_cast<int32_t>(read);
}

void loadBooks() {
    bookWhiteCount = loadBook(BOOK_WHITE_FILE, bookWhite);
    bookBlackCount = loadBook(BOOK_BLACK_FILE, bookBlack);
}

int32_t findWhiteBookEntry(uint32_t keyLow, uint32_t keyHigh) {
    return findEntry(bookWhite, bookWhiteCount, keyLow, keyHigh);
}

int32_t findBlackBookEntry(uint32_t keyLow, uint32_t keyHigh) {
    return findEntry(bookBlack, bookBlackCount, keyLow, keyHigh);
}

int32_t compareMoveCodes(Move first, Move second) { return static_cast<int32_t>(first) - static_cast<int32_t>(second); }

Move probeWhiteBook() { return probeBook(bookWhite, bookWhiteCount, "0 0 0 ERROR FROM TABLEW\n"); }

Move probeBlackBook() { return probeBook(bookBlack, bookBlackCount, "0 0 0 ERROR FROM TABLEB\n"); }

}  // namespace early

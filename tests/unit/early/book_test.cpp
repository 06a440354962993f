// The earlier engine's opening books: loading files of any content and probing by key.
#include "book.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <string>
#include <vector>

#include "early_test_support.h"
#include "movegen.h"
#include "zobrist.h"

using namespace early;

namespace {

// The legal moves of gamePosition in ascending order of move code.
std::vector<Move> sortedGameMoves() {
    MoveList list;
    Move* end = generateLegalMoves(list);
    std::vector<Move> moves(list, end);
    std::sort(moves.begin(), moves.end());
    return moves;
}

// The entry that makes the book play text in gamePosition.
BookEntry entryFor(const std::string& text) {
    const std::vector<Move> moves = sortedGameMoves();
    for (size_t i = 0; i < moves.size(); ++i)
        if (early_test::moveText(moves[i]) == text) return (probeKey(gamePosition) & ~BookEntry{0xFF}) | i;
    ADD_FAILURE() << "no legal move " << text;
    return 0;
}

BookEntry entryWithIndex(uint64_t index) { return (probeKey(gamePosition) & ~BookEntry{0xFF}) | index; }

void install(const std::vector<BookEntry>& book, BookEntry* array, int32_t& count) {
    std::copy(book.begin(), book.end(), array);
    count = static_cast<int32_t>(book.size());
}

// A sorted book of size entries in which the game position's entry (for move text)
// stands at index at: the others have keys just below and just above its key.
std::vector<BookEntry> bookAround(const std::string& text, size_t size, size_t at) {
    const BookEntry mine = entryFor(text);
    std::vector<BookEntry> book;
    for (size_t i = 0; i < size; ++i) {
        const uint64_t step = i < at ? uint64_t{at - i} << 8 : uint64_t{i - at} << 8;
        book.push_back(i < at ? mine - step : mine + step);
    }
    return book;
}

std::string probeOutput(Move (*probe)(), Move& move) {
    testing::internal::CaptureStdout();
    move = probe();
    return testing::internal::GetCapturedStdout();
}

class EarlyBook : public ::testing::Test {
  protected:
    void SetUp() override { constructGamePosition(); }
    void TearDown() override {
        bookWhiteCount = bookBlackCount = 0;
        constructGamePosition();
    }
};

}  // namespace

TEST_F(EarlyBook, LoadCountsWholeEntriesUpToTheCapacity) {
    const std::string path = testing::TempDir() + "early_book_load.bin";
    struct Case {
        size_t bytes;
        int32_t count;
    };
    const Case cases[] = {{0, 0},
                          {7, 0},
                          {8, 1},
                          {20, 2},
                          {8 * 1000 + 3, 1000},
                          {8 * size_t{BOOK_CAPACITY}, BOOK_CAPACITY},
                          {8 * size_t{BOOK_CAPACITY} + 8 * 5 + 1, BOOK_CAPACITY}};
    for (const Case& c : cases) {
        std::vector<unsigned char> bytes(c.bytes);
        for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<unsigned char>(i * 37 + 11);
        FILE* file = std::fopen(path.c_str(), "wb");
        ASSERT_NE(file, nullptr);
        if (!bytes.empty()) {
            ASSERT_EQ(std::fwrite(bytes.data(), 1, bytes.size(), file), bytes.size());
        }
        std::fclose(file);
        ASSERT_EQ(loadBook(path.c_str(), bookWhite), c.count) << c.bytes << " bytes";
        if (c.count > 0) {
            // Entries are the little-endian 8-byte groups of the file, the low word first.
            BookEntry last = 0;
            for (int b = 7; b >= 0; --b) last = last << 8 | bytes[8 * size_t(c.count - 1) + size_t(b)];
            EXPECT_EQ(bookWhite[c.count - 1], last);
        }
    }
    std::remove(path.c_str());
    EXPECT_EQ(loadBook(path.c_str(), bookWhite), 0);                // missing
    EXPECT_EQ(loadBook(testing::TempDir().c_str(), bookWhite), 0);  // a folder
}

TEST_F(EarlyBook, EmptyBooksMissSilently) {
    Move move = 1;
    EXPECT_EQ(probeOutput(probeWhiteBook, move), "");
    EXPECT_EQ(move, 0u);
    EXPECT_EQ(findWhiteBookEntry(0, 0), -1);
    EXPECT_EQ(findBlackBookEntry(0, 0), -1);
}

TEST_F(EarlyBook, IndexZeroIsTheSmallestMoveCode) {
    const std::vector<Move> moves = sortedGameMoves();
    install({entryWithIndex(0)}, bookWhite, bookWhiteCount);
    EXPECT_EQ(probeWhiteBook(), moves.front());
    install({entryWithIndex(moves.size() - 1)}, bookWhite, bookWhiteCount);
    EXPECT_EQ(probeWhiteBook(), moves.back());
}

// The probe must find its entry wherever it stands in books of every size, and miss
// when the position is absent.
TEST_F(EarlyBook, BisectionFindsTheEntryAnywhere) {
    const uint64_t key = probeKey(gamePosition);
    for (size_t size : {size_t{1}, size_t{2}, size_t{3}, size_t{10}, size_t{1001}, size_t{BOOK_CAPACITY}}) {
        for (size_t at : {size_t{0}, (size - 1) / 2, size - 1}) {
            std::vector<BookEntry> book = bookAround("g1f3", size, at);
            install(book, bookWhite, bookWhiteCount);
            EXPECT_EQ(findWhiteBookEntry(static_cast<uint32_t>(key), static_cast<uint32_t>(key >> 32)),
                      static_cast<int32_t>(at));
            EXPECT_EQ(early_test::moveText(probeWhiteBook()), "g1f3") << "size " << size << " at " << at;
            book.erase(book.begin() + static_cast<std::ptrdiff_t>(at));
            install(book, bookWhite, bookWhiteCount);
            EXPECT_EQ(probeWhiteBook(), 0u) << "size " << size << " without the entry";
        }
    }
}

TEST_F(EarlyBook, LowKeyByteIsNotCompared) {
    const uint64_t key = probeKey(gamePosition);
    install({entryFor("e2e4")}, bookWhite, bookWhiteCount);
    for (uint32_t low : {0u, 0x5Au, 0xFFu})
        EXPECT_EQ(findWhiteBookEntry((static_cast<uint32_t>(key) & ~0xFFu) | low, static_cast<uint32_t>(key >> 32)), 0);
    EXPECT_EQ(findWhiteBookEntry(static_cast<uint32_t>(key) ^ 0x100u, static_cast<uint32_t>(key >> 32)), -1);
    EXPECT_EQ(findWhiteBookEntry(static_cast<uint32_t>(key), static_cast<uint32_t>(key >> 32) ^ 1u), -1);
}

TEST_F(EarlyBook, IndexBeyondTheLegalMovesPrintsTheErrorLine) {
    struct Case {
        const char* fen;
        Move (*probe)();
        BookEntry* array;
        int32_t* count;
        const char* line;
    };
    const Case cases[] = {
        {START_POSITION_FEN, probeWhiteBook, bookWhite, &bookWhiteCount, "0 0 0 ERROR FROM TABLEW\n"},
        {"rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1", probeBlackBook, bookBlack, &bookBlackCount,
         "0 0 0 ERROR FROM TABLEB\n"},
    };
    for (const Case& c : cases) {
        early_test::setFen(gamePosition, c.fen);
        const size_t n = sortedGameMoves().size();
        Move move = 1;
        install({entryWithIndex(n - 1)}, c.array, *c.count);
        EXPECT_EQ(probeOutput(c.probe, move), "");
        EXPECT_NE(move, 0u);
        for (uint64_t index : {uint64_t{n}, uint64_t{255}}) {
            install({entryWithIndex(index)}, c.array, *c.count);
            EXPECT_EQ(probeOutput(c.probe, move), c.line);
            EXPECT_EQ(move, 0u);
        }
    }
}

TEST_F(EarlyBook, EachSideAsksOnlyItsOwnBook) {
    early_test::setFen(gamePosition, "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1");
    const BookEntry entry = entryFor("e7e5");
    install({entry}, bookWhite, bookWhiteCount);
    EXPECT_EQ(probeBlackBook(), 0u);
    install({entry}, bookBlack, bookBlackCount);
    EXPECT_EQ(early_test::moveText(probeBlackBook()), "e7e5");
}

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "book.h"
#include "bookwriter.h"
#include "makemove.h"
#include "movegen.h"
#include "movetext.h"
#include "test_support.h"

namespace {

constexpr const char AFTER_E4[] = "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3";
constexpr const char AFTER_E4_NO_EP[] = "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq -";

Move legalMove(Position& p, const char* word) {
    Move list[MOVE_LIST_SIZE];
    if (p.sideToMove == White) generateMovesWhite(p, list);
    else generateMovesBlack(p, list);
    return findMoveByText(list, packCoordinateWord(word));
}

BookEntry entryFor(const char* fen, const char* word) {
    auto p = newPosition();
    BookEntry entry = 0;
    Color side = White;
    std::string error;
    EXPECT_TRUE(bookEntryFor(*p, fen, word, entry, side, error)) << fen << " " << word << ": " << error;
    return entry;
}

Move probe(const OpeningBook& book, const char* fen) {
    auto p = positionFromFen(fen);
    const std::string before = fenOf(*p);
    const Move m = p->sideToMove == White ? probeBookWhite(book, *p) : probeBookBlack(book, *p);
    EXPECT_EQ(fenOf(*p), before);
    return m;
}

std::string coordinates(Move m) {
    std::string s;
    for (uint64_t t = moveToCoordinateText(m); t; t >>= 8) s.insert(s.begin(), static_cast<char>(t & 0xFF));
    return m ? s : "none";
}

OpeningBook bookOf(std::vector<BookEntry>& white, std::vector<BookEntry>& black) {
    sortBookEntries(white);
    sortBookEntries(black);
    return OpeningBook{white.size(), black.size(), white.empty() ? nullptr : white.data(),
                       black.empty() ? nullptr : black.data()};
}

// A fresh folder per test; tests run in parallel processes.
struct TempFolder {
    std::string path;
    TempFolder() {
        char name[] = "/tmp/brelstan-book-XXXXXX";
        path = mkdtemp(name) ? name : "";
    }
    ~TempFolder() {
        std::error_code ignored;
        if (!path.empty()) std::filesystem::remove_all(path, ignored);
    }
    std::string file(const char* name) const { return path + "/" + name; }
};

std::vector<unsigned char> littleEndian(std::initializer_list<uint64_t> words, size_t extraBytes = 0) {
    std::vector<unsigned char> bytes;
    for (const uint64_t w : words) appendLittleEndian64(bytes, w);
    bytes.insert(bytes.end(), extraBytes, 0xAB);
    return bytes;
}

}  // namespace

TEST(Book, IndexOfMoveCountsInTheSortedLegalList) {
    auto p = positionFromFen(START_POSITION_FEN);
    // The double steps have the lowest kind; among them a2 is the lowest square.
    EXPECT_EQ(indexOfMoveWhite(legalMove(*p, "a2a4"), *p), 0);
    EXPECT_EQ(indexOfMoveWhite(legalMove(*p, "h2h4"), *p), 7);
    EXPECT_EQ(indexOfMoveWhite(legalMove(*p, "a2a3"), *p), 8);
    EXPECT_EQ(indexOfMoveWhite(legalMove(*p, "g1h3"), *p), 19);
    EXPECT_EQ(indexOfMoveWhite(makeMoveWord(MOVE_NRM_WP, sq("e2"), sq("e5")), *p), -1);
    EXPECT_EQ(indexOfMoveWhite(0, *p), -1);
    auto b = positionFromFen(AFTER_E4);
    EXPECT_EQ(indexOfMoveBlack(legalMove(*b, "a7a5"), *b), 0);
    EXPECT_EQ(indexOfMoveBlack(legalMove(*b, "g8h6"), *b), 19);
    EXPECT_EQ(indexOfMoveBlack(legalMove(*p, "e2e4"), *b), -1);  // a White word is no Black move
}

TEST(Book, ProbeAnswersOnlyForItsKeysWithTheMoveAtTheirIndex) {
    const BookEntry startE4 = entryFor(START_POSITION_FEN, "e2e4");
    const uint64_t startKey = startE4 & ~BOOK_INDEX_MASK;
    struct Case {
        const char* name;
        std::vector<BookEntry> white, black;
        const char* fen;
        const char* expected;  // coordinate text, or "none"
    };
    const std::vector<Case> cases = {
        {"one entry", {startE4}, {}, START_POSITION_FEN, "e2e4"},
        {"one entry, other position", {startE4}, {}, "rnbqkbnr/pppppppp/8/8/8/5N2/PPPPPPPP/RNBQKB1R w KQkq -", "none"},
        {"index 0 is the smallest word", {startKey | 0}, {}, START_POSITION_FEN, "a2a4"},
        {"index 19 is the last of 20", {startKey | 19}, {}, START_POSITION_FEN, "g1h3"},
        {"index 20 is past the list", {startKey | 20}, {}, START_POSITION_FEN, "none"},
        {"index 255 is past the list", {startKey | 255}, {}, START_POSITION_FEN, "none"},
        // The key has no side to move: the same placement with Black to move asks BookB only.
        {"white entry, black to move", {startE4}, {}, "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR b KQkq -", "none"},
        {"black book", {startE4}, {entryFor(AFTER_E4, "c7c5")}, AFTER_E4, "c7c5"},
        {"black book, white to move", {}, {entryFor(AFTER_E4, "c7c5")},
         "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR w KQkq e3", "none"},
        // The en-passant square is part of the key.
        {"en passant set, asked without", {}, {entryFor(AFTER_E4, "c7c5")}, AFTER_E4_NO_EP, "none"},
        {"en passant both ways", {}, {entryFor(AFTER_E4, "c7c5"), entryFor(AFTER_E4_NO_EP, "e7e5")}, AFTER_E4_NO_EP,
         "e7e5"},
        {"empty books", {}, {}, START_POSITION_FEN, "none"},
    };
    for (Case c : cases) {
        SCOPED_TRACE(c.name);
        const OpeningBook book = bookOf(c.white, c.black);
        EXPECT_EQ(coordinates(probe(book, c.fen)), c.expected);
    }
    EXPECT_NE(entryFor(AFTER_E4, "c7c5") & ~BOOK_INDEX_MASK, entryFor(AFTER_E4_NO_EP, "c7c5") & ~BOOK_INDEX_MASK);
    // A count of 0 is an empty book whatever the array holds.
    BookEntry stored = startE4;
    const OpeningBook zero{0, 0, &stored, &stored};
    EXPECT_EQ(probe(zero, START_POSITION_FEN), 0);
}

// Every position after one move of each side's first moves, each with its own book move:
// the bisection must find every key of a book of many entries, and miss the others.
TEST(Book, ProbeFindsEveryEntryOfALargerBook) {
    auto p = positionFromFen(START_POSITION_FEN);
    Move first[MOVE_LIST_SIZE];
    const Move* firstEnd = generateMovesWhite(*p, first);
    std::vector<BookEntry> white, black;
    std::vector<std::pair<std::string, Move>> expected;
    int n = 0;
    for (const Move* m = first; m != firstEnd; ++m) {
        makeMoveWhite(*p, *m);
        Move replies[MOVE_LIST_SIZE];
        const Move* repliesEnd = generateMovesBlack(*p, replies);
        for (const Move* r = replies; r != repliesEnd; ++r) {
            makeMoveBlack(*p, *r);
            if (n % 3 != 2) {  // every third position stays out of the book
                Move list[MOVE_LIST_SIZE];
                const int legal = static_cast<int>(generateMovesWhite(*p, list) - list);
                const Move chosen = list[n % legal];
                white.push_back(bookKey(*p) | static_cast<BookEntry>(indexOfMoveWhite(chosen, *p)));
                expected.emplace_back(fenOf(*p), chosen);
            } else {
                expected.emplace_back(fenOf(*p), 0);
            }
            ++n;
            unmakeMoveBlack(*p, *r);
        }
        unmakeMoveWhite(*p, *m);
    }
    ASSERT_EQ(n, 400);
    const OpeningBook book = bookOf(white, black);
    ASSERT_GT(book.countWhite, 250u);
    for (const auto& [fen, move] : expected) EXPECT_EQ(coordinates(probe(book, fen.c_str())), coordinates(move)) << fen;
}

TEST(Book, WriterRefusesWhatItCannotIndexAndKeepsTheFirstEntryPerKey) {
    auto p = newPosition();
    BookEntry entry = 0;
    Color side = White;
    std::string error;
    EXPECT_FALSE(bookEntryFor(*p, START_POSITION_FEN, "e2e5", entry, side, error));
    EXPECT_FALSE(bookEntryFor(*p, START_POSITION_FEN, "e7e5", entry, side, error));
    EXPECT_FALSE(bookEntryFor(*p, "8/8/8/8/8/8/8/8 w - -", "e2e4", entry, side, error));
    EXPECT_FALSE(bookEntryFor(*p, "4k3/8/8/8/8/8/8/4K3 x - -", "e1e2", entry, side, error));
    ASSERT_TRUE(bookEntryFor(*p, AFTER_E4, "e7e5", entry, side, error));
    EXPECT_EQ(side, Black);

    std::vector<BookEntry> entries = {entryFor(AFTER_E4, "e7e5"), entryFor(START_POSITION_FEN, "d2d4"),
                                      entryFor(AFTER_E4, "c7c5"), entryFor(START_POSITION_FEN, "e2e4")};
    EXPECT_EQ(sortBookEntries(entries), 2);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_LT(entries[0] & ~BOOK_INDEX_MASK, entries[1] & ~BOOK_INDEX_MASK);
    EXPECT_TRUE(entries[0] == entryFor(AFTER_E4, "e7e5") || entries[1] == entryFor(AFTER_E4, "e7e5"));
    EXPECT_TRUE(entries[0] == entryFor(START_POSITION_FEN, "d2d4") || entries[1] == entryFor(START_POSITION_FEN, "d2d4"));

    const std::vector<unsigned char> bytes = bookFileBytes({0x0102030405060708ULL});
    const std::vector<unsigned char> expected = {1, 0, 0, 0, 0, 0, 0, 0, 8, 7, 6, 5, 4, 3, 2, 1};
    EXPECT_EQ(bytes, expected);
}

TEST(Book, LoaderTakesOnlyWhatTheFileHolds) {
    TempFolder folder;
    ASSERT_FALSE(folder.path.empty());
    const uint64_t a = 0x0102030405060708ULL, b = 0x1112131415161718ULL, c = 0x2122232425262728ULL;
    struct Case {
        const char* name;
        std::vector<unsigned char> bytes;  // nothing written for "missing"
        bool replaced;
        std::vector<uint64_t> entries;
    };
    const std::vector<Case> cases = {
        {"missing", {}, false, {}},
        {"empty file", {}, false, {}},
        {"part of a count", {3, 0, 0, 0, 0}, false, {}},
        {"count 0", littleEndian({0}), true, {}},
        {"count 0 with entries after it", littleEndian({0, a, b}), true, {}},
        {"three entries", littleEndian({3, a, b, c}), true, {a, b, c}},
        {"fewer entries than the count", littleEndian({5, a, b}, 4), true, {a, b}},
        {"count with no entries", littleEndian({7}), true, {}},
        {"count below the entries present", littleEndian({1, a, b}), true, {a}},
        {"huge count", littleEndian({~uint64_t{0}, a}), true, {a}},
        {"count of 2^61", littleEndian({uint64_t{1} << 61, a, b}, 7), true, {a, b}},
    };
    for (const Case& t : cases) {
        SCOPED_TRACE(t.name);
        const std::string path = folder.file(t.name);
        if (std::string(t.name) != "missing") {
            ASSERT_TRUE(writeBytesToFile(path, t.bytes));
        }
        // A book already held is kept unless the file replaces it.
        uint64_t count = 1;
        BookEntry* entries = static_cast<BookEntry*>(std::malloc(sizeof(BookEntry)));
        entries[0] = 42;
        EXPECT_EQ(loadBookFile(path.c_str(), count, entries), t.replaced);
        if (!t.replaced) {
            ASSERT_EQ(count, 1u);
            ASSERT_NE(entries, nullptr);
            EXPECT_EQ(entries[0], 42u);
        } else {
            ASSERT_EQ(count, t.entries.size());
            EXPECT_EQ(entries == nullptr, t.entries.empty());
            for (size_t i = 0; i < t.entries.size(); ++i) EXPECT_EQ(entries[i], t.entries[i]);
        }
        std::free(entries);
    }
}

TEST(Book, BooksWrittenToTheWorkingFolderAreLoadedAndProbedThenFreed) {
    TempFolder folder;
    ASSERT_FALSE(folder.path.empty());
    std::vector<BookEntry> white = {entryFor(START_POSITION_FEN, "d2d4"),
                                    entryFor("rnbqkbnr/pppp1ppp/8/4p3/4P3/8/PPPP1PPP/RNBQKBNR w KQkq e6", "g1f3")};
    std::vector<BookEntry> black = {entryFor(AFTER_E4, "c7c5")};
    sortBookEntries(white);
    sortBookEntries(black);
    ASSERT_TRUE(writeBytesToFile(folder.file(BOOK_FILE_WHITE), bookFileBytes(white)));

    char previous[4096];
    ASSERT_NE(getcwd(previous, sizeof previous), nullptr);
    ASSERT_EQ(chdir(folder.path.c_str()), 0);
    OpeningBook book{};
    loadOpeningBook(book);  // BookB.bin is missing: skipped
    EXPECT_EQ(book.countWhite, 2u);
    EXPECT_EQ(book.countBlack, 0u);
    EXPECT_EQ(book.entriesBlack, nullptr);
    EXPECT_EQ(coordinates(probe(book, START_POSITION_FEN)), "d2d4");
    EXPECT_EQ(coordinates(probe(book, "rnbqkbnr/pppp1ppp/8/4p3/4P3/8/PPPP1PPP/RNBQKBNR w KQkq e6")), "g1f3");
    EXPECT_EQ(probe(book, AFTER_E4), 0);

    // A black book appearing later loads beside the white one, which stays.
    ASSERT_TRUE(writeBytesToFile(folder.file(BOOK_FILE_BLACK), bookFileBytes(black)));
    ASSERT_TRUE(writeBytesToFile(folder.file(BOOK_FILE_WHITE), {}));
    loadOpeningBook(book);
    EXPECT_EQ(book.countWhite, 2u);
    EXPECT_EQ(book.countBlack, 1u);
    EXPECT_EQ(coordinates(probe(book, AFTER_E4)), "c7c5");
    EXPECT_EQ(coordinates(probe(book, START_POSITION_FEN)), "d2d4");
    ASSERT_EQ(chdir(previous), 0);

    releaseOpeningBook(book);
    EXPECT_EQ(book.countWhite, 0u);
    EXPECT_EQ(book.countBlack, 0u);
    EXPECT_EQ(book.entriesWhite, nullptr);
    EXPECT_EQ(book.entriesBlack, nullptr);
    releaseOpeningBook(book);  // a second release finds nothing to free
    EXPECT_EQ(probe(book, START_POSITION_FEN), 0);
}

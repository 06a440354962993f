// Finds the earlier engine's magic multipliers for its fixed index widths (12 bits for
// rooks, 9 for bishops on every square) and prints them as C++ array rows. The random
// sequence has a fixed seed, so every run prints the same numbers; the committed tables
// in src/early/board/magics.h are its output.
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

using Bitboard = uint64_t;

constexpr int ROOK_DIRECTIONS[4][2] = {{0, -1}, {1, 0}, {0, 1}, {-1, 0}};
constexpr int BISHOP_DIRECTIONS[4][2] = {{1, -1}, {1, 1}, {-1, 1}, {-1, -1}};

bool onBoard(int rank, int file) { return rank >= 0 && rank < 8 && file >= 0 && file < 8; }

Bitboard relevantMask(int square, const int (*dirs)[2]) {
    Bitboard mask = 0;
    for (int d = 0; d < 4; ++d) {
        int r = square / 8 + dirs[d][0], f = square % 8 + dirs[d][1];
        // The last square of each ray never matters: nothing lies beyond it.
        while (onBoard(r + dirs[d][0], f + dirs[d][1])) {
            mask |= Bitboard{1} << (r * 8 + f);
            r += dirs[d][0];
            f += dirs[d][1];
        }
    }
    return mask;
}

Bitboard slidingAttacks(int square, Bitboard blockers, const int (*dirs)[2]) {
    Bitboard attacks = 0;
    for (int d = 0; d < 4; ++d) {
        int r = square / 8 + dirs[d][0], f = square % 8 + dirs[d][1];
        while (onBoard(r, f)) {
            const Bitboard bit = Bitboard{1} << (r * 8 + f);
            attacks |= bit;
            if (blockers & bit) break;
            r += dirs[d][0];
            f += dirs[d][1];
        }
    }
    return attacks;
}

uint64_t rngState = 0x2545F4914F6CDD1DULL;

uint64_t nextRandom() {
    // xorshift64*
    rngState ^= rngState >> 12;
    rngState ^= rngState << 25;
    rngState ^= rngState >> 27;
    return rngState * 0x2545F4914F6CDD1DULL;
}

uint64_t sparseRandom() { return nextRandom() & nextRandom() & nextRandom(); }

uint64_t findMagic(int square, const int (*dirs)[2], int shift) {
    const Bitboard mask = relevantMask(square, dirs);
    const int bits = __builtin_popcountll(mask);
    const int count = 1 << bits;
    std::vector<Bitboard> subsets(count), attacks(count);
    Bitboard subset = 0;
    for (int i = 0; i < count; ++i) {
        subsets[i] = subset;
        attacks[i] = slidingAttacks(square, subset, dirs);
        subset = (subset - mask) & mask;  // next subset of the mask (carry-rippler)
    }
    const int size = 1 << (64 - shift);
    std::vector<Bitboard> used(size);
    std::vector<int> stamp(size, -1);
    for (int attempt = 0;; ++attempt) {
        const uint64_t magic = sparseRandom();
        if (__builtin_popcountll((mask * magic) & 0xFF00000000000000ULL) < 6) continue;
        bool ok = true;
        for (int i = 0; i < count && ok; ++i) {
            const int index = static_cast<int>((subsets[i] * magic) >> shift);
            if (stamp[index] != attempt) {
                stamp[index] = attempt;
                used[index] = attacks[i];
            } else if (used[index] != attacks[i]) {
                ok = false;
            }
        }
        if (ok) return magic;
    }
}

void printTable(const char* name, const int (*dirs)[2], int shift) {
    std::printf("inline constexpr Bitboard %s[64] = {\n", name);
    for (int sq = 0; sq < 64; ++sq) {
        std::printf("%s0x%016llXULL,%s", sq % 4 == 0 ? "    " : " ",
                    static_cast<unsigned long long>(findMagic(sq, dirs, shift)), sq % 4 == 3 ? "\n" : "");
    }
    std::printf("};\n");
}

}  // namespace

int main() {
    printTable("ROOK_MAGIC", ROOK_DIRECTIONS, 52);
    printTable("BISHOP_MAGIC", BISHOP_DIRECTIONS, 55);
    return 0;
}

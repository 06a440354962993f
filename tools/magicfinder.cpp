// Finds one magic multiplier per square for the rook and bishop attack tables with the
// engine's fixed shifts, deterministically (fixed seed), and prints them as C++ tables.
// A multiplier is valid when no two occupancy subsets of the square's mask with
// different attack sets share a slot. The four corner values the engine has always used
// are kept when valid.
#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

using u64 = uint64_t;

constexpr int rankStep[8] = {0, 1, 1, 1, 0, -1, -1, -1};
constexpr int fileStep[8] = {-1, -1, 0, 1, 1, 1, 0, -1};

u64 walk(int square, int direction, u64 occupied, bool dropEdge) {
    u64 result = 0;
    int r = square / 8, f = square % 8;
    for (;;) {
        r += rankStep[direction];
        f += fileStep[direction];
        if (r < 0 || r > 7 || f < 0 || f > 7) break;
        if (dropEdge) {
            const int nr = r + rankStep[direction], nf = f + fileStep[direction];
            if (nr < 0 || nr > 7 || nf < 0 || nf > 7) break;
        }
        result |= u64{1} << (r * 8 + f);
        if (occupied & (u64{1} << (r * 8 + f))) break;
    }
    return result;
}

u64 lineMask(int square, bool rook) {
    u64 mask = 0;
    for (int d = rook ? 0 : 1; d < 8; d += 2) mask |= walk(square, d, 0, true);
    return mask;
}

u64 lineAttacks(int square, bool rook, u64 occupied) {
    u64 result = 0;
    for (int d = rook ? 0 : 1; d < 8; d += 2) result |= walk(square, d, occupied, false);
    return result;
}

u64 subset(u64 mask, u64 index) {
    u64 result = 0;
    for (int k = 0; mask; ++k, mask &= mask - 1)
        if (index >> k & 1) result |= mask & (~mask + 1);
    return result;
}

u64 rngState = 0x9E3779B97F4A7C15ULL;
u64 nextRandom() {  // xorshift64*
    rngState ^= rngState >> 12;
    rngState ^= rngState << 25;
    rngState ^= rngState >> 27;
    return rngState * 2685821657736338717ULL;
}

bool isValid(u64 magic, int shift, const std::vector<u64>& occupancies, const std::vector<u64>& attacks) {
    std::vector<u64> slots(size_t{1} << (64 - shift), 0);
    std::vector<bool> used(slots.size(), false);
    for (size_t i = 0; i < occupancies.size(); ++i) {
        const u64 index = (occupancies[i] * magic) >> shift;
        if (used[index] && slots[index] != attacks[i]) return false;
        used[index] = true;
        slots[index] = attacks[i];
    }
    return true;
}

u64 findMagic(int square, bool rook, u64 preferred) {
    const u64 mask = lineMask(square, rook);
    const int bits = __builtin_popcountll(mask);
    const int shift = 64 - bits;
    std::vector<u64> occupancies, attacks;
    for (u64 i = 0; i < (u64{1} << bits); ++i) {
        occupancies.push_back(subset(mask, i));
        attacks.push_back(lineAttacks(square, rook, occupancies.back()));
    }
    if (preferred) {
        if (isValid(preferred, shift, occupancies, attacks)) return preferred;
        std::fprintf(stderr, "square %d: the preferred multiplier is not valid, searching\n", square);
    }
    for (;;) {
        const u64 magic = nextRandom() & nextRandom() & nextRandom();
        if (__builtin_popcountll((mask * magic) & 0xFF00000000000000ULL) < 6) continue;
        if (isValid(magic, shift, occupancies, attacks)) return magic;
    }
}

void printTable(const char* name, bool rook) {
    std::printf("const uint64_t %s[64] = {\n", name);
    for (int s = 0; s < 64; ++s) {
        u64 preferred = 0;
        if (rook && s == 0) preferred = 0x4080004000201080ULL;
        if (rook && s == 63) preferred = 0x080021002400448AULL;
        if (!rook && s == 0) preferred = 0x01A9014D02040100ULL;
        if (!rook && s == 63) preferred = 0x002002B000410040ULL;
        const u64 magic = findMagic(s, rook, preferred);
        std::printf("%s0x%016" PRIX64 "ULL,%s", s % 4 == 0 ? "    " : " ", magic, s % 4 == 3 ? "\n" : "");
    }
    std::printf("};\n");
}

}  // namespace

int main() {
    printTable("rookMagicNumbers", true);
    printTable("bishopMagicNumbers", false);
    return 0;
}

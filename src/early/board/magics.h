// Sliding attacks by magic multiplication. Every square has a full row (4096 rook entries,
// 512 bishop entries) indexed by the top 12 or 9 bits of the masked occupancy times the
// square's multiplier, so the lookup needs no per-square offset or shift.
#pragma once

#include <cstdint>

#include "types.h"

namespace early {

constexpr int ROOK_MAGIC_SHIFT = 52;
constexpr int BISHOP_MAGIC_SHIFT = 55;
constexpr int ROOK_MAGIC_ROW = 1 << (64 - ROOK_MAGIC_SHIFT);
constexpr int BISHOP_MAGIC_ROW = 1 << (64 - BISHOP_MAGIC_SHIFT);

// The squares whose occupancy can change a slider's attacks: its rays without the last
// square at the board's edge, since nothing lies beyond that square.
constexpr Bitboard relevantOccupancy(Square s, bool diagonal) {
    Bitboard mask = 0;
    for (int d = 0; d < 4; ++d) {
        const int rankStep = diagonal ? (d < 2 ? 1 : -1) : (d == 0 ? 1 : d == 1 ? -1 : 0);
        const int fileStep = diagonal ? (d % 2 == 0 ? 1 : -1) : (d == 2 ? 1 : d == 3 ? -1 : 0);
        int rank = s / 8 + rankStep, file = s % 8 + fileStep;
        while (rank + rankStep >= 0 && rank + rankStep < 8 && file + fileStep >= 0 && file + fileStep < 8) {
            mask |= squareBit(rank * 8 + file);
            rank += rankStep;
            file += fileStep;
        }
    }
    return mask;
}

struct OccupancyMasks {
    Bitboard rook[64];
    Bitboard bishop[64];
};

constexpr OccupancyMasks makeOccupancyMasks() {
    OccupancyMasks m{};
    for (Square s = 0; s < 64; ++s) {
        m.rook[s] = relevantOccupancy(s, false);
        m.bishop[s] = relevantOccupancy(s, true);
    }
    return m;
}

inline constexpr OccupancyMasks OCCUPANCY_MASKS = makeOccupancyMasks();
inline constexpr const Bitboard (&ROOK_MASK)[64] = OCCUPANCY_MASKS.rook;
inline constexpr const Bitboard (&BISHOP_MASK)[64] = OCCUPANCY_MASKS.bishop;

static_assert(ROOK_MASK[0] == 0x101010101017EULL);
static_assert(BISHOP_MASK[0] == 0x40201008040200ULL);

// Output of tools/earlymagicfinder.cpp: every pair of occupancies of one square that
// share an index has the same attack set.
// clang-format off
inline constexpr Bitboard ROOK_MAGIC[64] = {
    0x008000908064C000ULL, 0x0140080022400011ULL, 0x0620042010402840ULL, 0x142010004400A210ULL,
    0x0200060004210108ULL, 0x4011000080420001ULL, 0x4220010240240080ULL, 0x8300020080A2C300ULL,
    0x8000600010002002ULL, 0x00290E0010084001ULL, 0x1080420110200060ULL, 0x4003100004A01200ULL,
    0x1118110100080080ULL, 0x1008101015800880ULL, 0x0088080B4008E001ULL, 0x2000082109008444ULL,
    0x0004404200100040ULL, 0x0088120102000880ULL, 0x3020012009100004ULL, 0x3800220010080200ULL,
    0x4002200800A00100ULL, 0x8008060042000110ULL, 0x000A008000800100ULL, 0x0E00020000210084ULL,
    0x0022400012800012ULL, 0x00040800B0801000ULL, 0x0070000B00402000ULL, 0x008003A010001108ULL,
    0x0041040080800206ULL, 0x2206101040011012ULL, 0x8200420080004100ULL, 0x0200088100004C22ULL,
    0x008020900008422AULL, 0x0880200028400014ULL, 0x0206020240108100ULL, 0x0020201080580224ULL,
    0x04090400084900C0ULL, 0xA0800416A2001508ULL, 0x00000410508B0011ULL, 0x0084008241003C82ULL,
    0xC020820010200800ULL, 0x4000100802004800ULL, 0x0082400400311081ULL, 0x2001040048000A00ULL,
    0x40000204080020A4ULL, 0x0100011800802200ULL, 0x0000008640808408ULL, 0x208090C10001A008ULL,
    0x0110A24000800528ULL, 0x0000200160688248ULL, 0x0000802E04274880ULL, 0x00004200C0402A08ULL,
    0x1021000400481004ULL, 0x0004000284060100ULL, 0xA118201200408804ULL, 0x0000002449020080ULL,
    0x0002C12203041382ULL, 0x00021081082100C1ULL, 0x0040204010800A02ULL, 0x0000084200042002ULL,
    0x0000012A0002040AULL, 0xC10202100200810AULL, 0xB450088041021004ULL, 0x8040082900804402ULL,
};
inline constexpr Bitboard BISHOP_MAGIC[64] = {
    0x0080B00444208224ULL, 0x4002040401818800ULL, 0x08980C8018020000ULL, 0x0004208061400800ULL,
    0x8480805801CC0120ULL, 0x000040B001000000ULL, 0x0000454010100251ULL, 0x0000202010002110ULL,
    0x0000C0014A002020ULL, 0x120120401100142CULL, 0x004B0C0118214012ULL, 0x00004800EA020009ULL,
    0x10440044C6000021ULL, 0xC000026018480010ULL, 0x0040C02012002904ULL, 0x0000080900080606ULL,
    0x0494001044004250ULL, 0x8002001110120810ULL, 0x80C0228120088080ULL, 0x800800004A001001ULL,
    0x0106000089262042ULL, 0x4841050182600100ULL, 0x30201020C4B92002ULL, 0x1050110108068200ULL,
    0x0000308024100083ULL, 0x0808010406404100ULL, 0x4142010202021284ULL, 0x0428080020202060ULL,
    0x0011010020104004ULL, 0x1004000840504042ULL, 0x000010A004002400ULL, 0x000004A00068A802ULL,
    0x008100C828100C00ULL, 0x00010060080A0418ULL, 0x2100262102008020ULL, 0x0022004040040101ULL,
    0x02600302410C0040ULL, 0x1948880022A0112BULL, 0x2129044100101018ULL, 0x0400081584AA10A3ULL,
    0x20288C44201849C1ULL, 0x008400C802000240ULL, 0x2000100440A08409ULL, 0x0300000301000440ULL,
    0x0000044404000140ULL, 0x20C0100014400821ULL, 0x0081001021400884ULL, 0x010040E12200000CULL,
    0x00A004203E500D00ULL, 0x0001000449480000ULL, 0x6100200888880000ULL, 0x2000001080504000ULL,
    0x2800140550040000ULL, 0x0004A080A1022010ULL, 0x9A88408500440300ULL, 0x0002421801041004ULL,
    0x0028092212010800ULL, 0x1800A84444004404ULL, 0x012200008200A080ULL, 0xC1010801042400AAULL,
    0x80144060020A0210ULL, 0x0000020840870204ULL, 0x0C40410200214202ULL, 0x8A81444140820241ULL,
};
// clang-format on

extern Bitboard rookMagicAttacks[64][ROOK_MAGIC_ROW];
extern Bitboard bishopMagicAttacks[64][BISHOP_MAGIC_ROW];

inline uint32_t rookMagicIndex(Square s, Bitboard occupancy) {
    return static_cast<uint32_t>(((occupancy & ROOK_MASK[s]) * ROOK_MAGIC[s]) >> ROOK_MAGIC_SHIFT);
}

inline uint32_t bishopMagicIndex(Square s, Bitboard occupancy) {
    return static_cast<uint32_t>(((occupancy & BISHOP_MASK[s]) * BISHOP_MAGIC[s]) >> BISHOP_MAGIC_SHIFT);
}

inline Bitboard rookAttacks(Square s, Bitboard occupancy) { return rookMagicAttacks[s][rookMagicIndex(s, occupancy)]; }

inline Bitboard bishopAttacks(Square s, Bitboard occupancy) {
    return bishopMagicAttacks[s][bishopMagicIndex(s, occupancy)];
}

inline Bitboard queenAttacks(Square s, Bitboard occupancy) {
    return rookAttacks(s, occupancy) | bishopAttacks(s, occupancy);
}

}  // namespace early

#include "plystack.h"

#include <algorithm>
#include <cstring>

void compactPlyStack(Position& p, int keep) {
    const int current = plyIndex(p, p.currentPly);
    const int reachable = std::max(0, p.currentPly->reversibleCount);
    const int back = std::min({reachable, std::max(keep, 1) - 1, current});
    const int first = current - back;
    if (first > 0) std::memmove(&p.plyStack[0], &p.plyStack[first], sizeof(PlyState) * (back + 1));
    p.currentPly = &p.plyStack[back];
    p.nextPly = p.currentPly + 1;
}

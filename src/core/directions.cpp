#include "core/directions.h"

namespace tomelin {

namespace {

struct Entry {
    int dx;
    int dy;
    std::uint8_t kind;
};

template <std::size_t N>
Directions makeTable(const Entry (&entries)[N]) {
    Directions d;
    for (std::size_t i = 0; i < N; ++i) {
        d.dx[i] = entries[i].dx;
        d.dy[i] = entries[i].dy;
        d.kind[i] = entries[i].kind;
    }
    d.lastDir = static_cast<int>(N) - 1;
    return d;
}

constexpr std::uint8_t C = Directions::kCopyKind;
constexpr std::uint8_t J = Directions::kJumpKind;

}  // namespace

const Directions& Directions::star() {
    // The eight surrounding cells, then the ring at distance two clockwise from the top left.
    static const Entry entries[] = {
        {-1, -1, C}, {0, -1, C}, {1, -1, C},  {1, 0, C},   {1, 1, C},  {0, 1, C},
        {-1, 1, C},  {-1, 0, C}, {-2, -2, J}, {-1, -2, J}, {0, -2, J}, {1, -2, J},
        {2, -2, J},  {2, -1, J}, {2, 0, J},   {2, 1, J},   {2, 2, J},  {1, 2, J},
        {0, 2, J},   {-1, 2, J}, {-2, 2, J},  {-2, 1, J},  {-2, 0, J}, {-2, -1, J},
    };
    static const Directions table = makeTable(entries);
    return table;
}

const Directions& Directions::cross() {
    // Edge neighbours (copies), then diagonals and straight two-steps (jumps).
    static const Entry entries[] = {
        {0, -1, C}, {1, 0, C},  {0, 1, C},  {-1, 0, C}, {-1, -1, J}, {1, -1, J},
        {1, 1, J},  {-1, 1, J}, {0, -2, J}, {2, 0, J},  {0, 2, J},   {-2, 0, J},
    };
    static const Directions table = makeTable(entries);
    return table;
}

}  // namespace tomelin

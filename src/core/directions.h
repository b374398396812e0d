#pragma once
// Direction tables of the two movement logics: which offsets are copies and which jumps.

#include <array>
#include <cstdint>
#include <string_view>

namespace tomelin {

enum class Logic {
    Star,   // "Hvězda", stored as 1
    Cross,  // "Kříž", stored as 2
};

// `DirDx`, `DirDy`, `DirKind`, `LastDir`. Copy directions (kind 2) come first and make up
// exactly the first third of the entries in use: they are the neighbours of a cell.
struct Directions {
    static constexpr std::uint8_t kJumpKind = 1;
    static constexpr std::uint8_t kCopyKind = 2;

    std::array<int, 26> dx{};
    std::array<int, 26> dy{};
    std::array<std::uint8_t, 26> kind{};
    int lastDir = 0;  // 11 for the cross logic, 23 for the star logic

    int count() const { return lastDir + 1; }
    // Number of neighbour (copy) directions: (LastDir + 1) / 3.
    int neighbourCount() const { return (lastDir + 1) / 3; }

    static const Directions& star();
    static const Directions& cross();
    static const Directions& of(Logic logic) { return logic == Logic::Star ? star() : cross(); }
};

// Value stored in game records and the kept game: 1 star, 2 cross.
inline int logicNumber(Logic logic) {
    return logic == Logic::Star ? 1 : 2;
}

}  // namespace tomelin

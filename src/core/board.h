#pragma once
// Board model: the cell grids of a running game and the three text forms of a board.

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tomelin {

// Cell codes, one byte per cell. The token code of player p is always 10 * p.
inline constexpr std::uint8_t kNoCell = 0;
inline constexpr std::uint8_t kFreeCell = 1;
inline constexpr std::uint8_t kToken1 = 10;
inline constexpr std::uint8_t kToken2 = 20;
inline constexpr std::uint8_t tokenOf(int player) {
    return static_cast<std::uint8_t>(10 * player);
}

inline constexpr int kMinSide = 2;
inline constexpr int kMaxSide = 16;

// `Board`: cell codes indexed by column and row, each from -3 to 18 (22 x 22).
// The margins let the move rules look two cells beyond the playing area without
// a range check: such a look always finds kNoCell.
class Board {
public:
    static constexpr int kLow = -3;
    static constexpr int kHigh = 18;
    static constexpr int kSpan = kHigh - kLow + 1;

    std::uint8_t at(int x, int y) const { return m_cells[index(x, y)]; }
    void set(int x, int y, std::uint8_t v) { m_cells[index(x, y)] = v; }
    // Cells outside the grid (even beyond the margins) read as no cell.
    std::uint8_t safeAt(int x, int y) const { return inGrid(x, y) ? at(x, y) : kNoCell; }
    static bool inGrid(int x, int y) { return x >= kLow && x <= kHigh && y >= kLow && y <= kHigh; }

    // `BoardSide`: n, the playing area is columns and rows 0 .. n - 1.
    int side() const { return m_side; }
    void setSide(int n) { m_side = n; }

    // `ClearBoard`: every cell, margins included, becomes kNoCell.
    void clear() { m_cells.fill(kNoCell); }

    struct Counts {
        int free = 0;
        int tokens1 = 0;
        int tokens2 = 0;
    };
    Counts count() const;

    bool operator==(const Board&) const = default;

private:
    static constexpr int kCellCount = kSpan * kSpan;
    static int index(int x, int y) { return (y - kLow) * kSpan + (x - kLow); }
    std::array<std::uint8_t, kCellCount> m_cells{};
    int m_side = 0;
};

// `Marks`: target marks while a token is selected, column and row each -2 .. 17.
// 0 none, 1 reachable by a jump, 2 reachable by a copy, 3 the selected token.
class Marks {
public:
    static constexpr int kLow = -2;
    static constexpr int kHigh = 17;
    static constexpr int kSpan = kHigh - kLow + 1;
    static constexpr std::uint8_t kNone = 0;
    static constexpr std::uint8_t kJump = 1;
    static constexpr std::uint8_t kCopy = 2;
    static constexpr std::uint8_t kSelected = 3;

    std::uint8_t at(int x, int y) const { return inGrid(x, y) ? m_cells[index(x, y)] : kNone; }
    void set(int x, int y, std::uint8_t v) {
        if (inGrid(x, y))
            m_cells[index(x, y)] = v;
    }
    void clear() { m_cells.fill(kNone); }
    static bool inGrid(int x, int y) { return x >= kLow && x <= kHigh && y >= kLow && y <= kHigh; }

private:
    static int index(int x, int y) { return (y - kLow) * kSpan + (x - kLow); }
    std::array<std::uint8_t, kSpan * kSpan> m_cells{};
};

// Why a board string or descriptor was refused.
enum class BoardError {
    BadLength,      // not n * n characters with 2 <= n <= 16
    BadCharacter,   // a character other than "0X+-"
    BadStartDigit,  // descriptor's last character is not "1" or "2"
};

// A board string is n * n characters of "0X+-", row by row from the top, 2 <= n <= 16.
// Returns nothing for a valid board string, or the reason it is not one.
std::optional<BoardError> checkBoardString(std::string_view s);
// Side of a valid board string (the square root of its length).
int boardStringSide(std::string_view s);

// A board string: clears and fills `board` and sets its side, the rounded square root of the
// length (halves to even); characters other than "0X+-" and cells past the end give no
// cell. A side outside 2..16 is refused (BadLength) and leaves `board` as it was.
std::optional<BoardError> LoadBoardString(Board& board, std::string_view boardString);

// `LoadBoardDescriptor`: board string followed by the starting-player digit (the form a kept
// game stores).
// Clears and fills `board`, sets its side; returns the starting digit (1 or 2).
// The side is the rounded square root of (length - 1); characters other than "0X+-" give
// no cell. A descriptor whose side would fall outside 2..16, or whose last character is
// not "1" or "2", is refused and leaves `board` untouched.
struct DescriptorResult {
    int startDigit = 0;
    std::optional<BoardError> error;
    bool ok() const { return !error.has_value(); }
};
DescriptorResult LoadBoardDescriptor(Board& board, std::string_view descriptor);

// Board string of the playing area (row by row from the top).
std::string boardString(const Board& board);

// `MakeSnapshot`: one character 65 + code per cell, column by column from the left.
std::string MakeSnapshot(const Board& board);

// `RestoreSnapshot`: writes the snapshot back; calls `changed` for every cell whose code
// changed. A snapshot of the wrong length is ignored (returns false).
bool RestoreSnapshot(Board& board, std::string_view snapshot,
                     const std::function<void(int x, int y)>& changed);

// The five boards that are part of the program, in list order.
struct BuiltinBoard {
    std::string name;
    std::string boardString;
};
const std::vector<BuiltinBoard>& builtinBoards();
const BuiltinBoard* findBuiltinBoard(std::string_view name);

}  // namespace tomelin

#include "core/board.h"

#include "core/texts.h"

#include <cmath>

#include "core/rounding.h"

namespace tomelin {

namespace {

// Board-string character -> cell code; nullopt for any other character.
std::optional<std::uint8_t> codeOfChar(char c) {
    switch (c) {
        case '0':
            return kNoCell;
        case 'X':
            return kFreeCell;
        case '+':
            return kToken1;
        case '-':
            return kToken2;
        default:
            return std::nullopt;
    }
}

char charOfCode(std::uint8_t code) {
    switch (code) {
        case kFreeCell:
            return 'X';
        case kToken1:
            return '+';
        case kToken2:
            return '-';
        default:
            return '0';
    }
}

}  // namespace

Board::Counts Board::count() const {
    Counts c;
    for (int x = 0; x < m_side; ++x) {
        for (int y = 0; y < m_side; ++y) {
            switch (at(x, y)) {
                case kFreeCell:
                    ++c.free;
                    break;
                case kToken1:
                    ++c.tokens1;
                    break;
                case kToken2:
                    ++c.tokens2;
                    break;
                default:
                    break;
            }
        }
    }
    return c;
}

std::optional<BoardError> checkBoardString(std::string_view s) {
    const int n = boardStringSide(s);
    if (n < kMinSide || n > kMaxSide || static_cast<std::size_t>(n * n) != s.size()) {
        return BoardError::BadLength;
    }
    for (char c : s) {
        if (!codeOfChar(c)) {
            return BoardError::BadCharacter;
        }
    }
    return std::nullopt;
}

int boardStringSide(std::string_view s) {
    int n = static_cast<int>(std::lround(std::sqrt(static_cast<double>(s.size()))));
    // Guard against floating-point error for large lengths.
    while (n > 0 && static_cast<std::size_t>(n) * static_cast<std::size_t>(n) > s.size())
        --n;
    while (static_cast<std::size_t>(n + 1) * static_cast<std::size_t>(n + 1) <= s.size())
        ++n;
    return n;
}

std::optional<BoardError> LoadBoardString(Board& board, std::string_view boardString) {
    if (boardString.empty())
        return BoardError::BadLength;
    // n is the square root of the length rounded to the nearest integer, halves to even.
    const double n = roundHalfEven(std::sqrt(static_cast<double>(boardString.size())));
    // The grids hold sides up to 16: anything larger would write beyond them.
    if (n < kMinSide || n > kMaxSide)
        return BoardError::BadLength;
    const int side = static_cast<int>(n);
    board.clear();
    board.setSide(side);
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            const std::size_t pos = static_cast<std::size_t>(y * side + x);
            // Positions past the end read as empty and leave the cell without a field.
            if (pos >= boardString.size())
                continue;
            if (auto code = codeOfChar(boardString[pos]))
                board.set(x, y, *code);
        }
    }
    return std::nullopt;
}

DescriptorResult LoadBoardDescriptor(Board& board, std::string_view descriptor) {
    DescriptorResult result;
    if (descriptor.size() < 2) {
        result.error = BoardError::BadLength;
        return result;
    }
    const std::string_view boardPart = descriptor.substr(0, descriptor.size() - 1);
    // The side is checked before the digit, as a board string alone would be.
    const double n = roundHalfEven(std::sqrt(static_cast<double>(boardPart.size())));
    if (n < kMinSide || n > kMaxSide) {
        result.error = BoardError::BadLength;
        return result;
    }
    const char digit = descriptor.back();
    if (digit != '1' && digit != '2') {
        result.error = BoardError::BadStartDigit;
        return result;
    }
    LoadBoardString(board, boardPart);
    result.startDigit = digit - '0';
    return result;
}

std::string boardString(const Board& board) {
    const int n = board.side();
    std::string s;
    s.reserve(static_cast<std::size_t>(n * n));
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x)
            s.push_back(charOfCode(board.at(x, y)));
    }
    return s;
}

std::string MakeSnapshot(const Board& board) {
    const int n = board.side();
    std::string s;
    s.reserve(static_cast<std::size_t>(n * n));
    for (int x = 0; x < n; ++x) {
        for (int y = 0; y < n; ++y)
            s.push_back(static_cast<char>(65 + board.at(x, y)));
    }
    return s;
}

bool RestoreSnapshot(Board& board, std::string_view snapshot,
                     const std::function<void(int x, int y)>& changed) {
    const int n = board.side();
    if (snapshot.size() != static_cast<std::size_t>(n * n))
        return false;
    for (char c : snapshot) {
        const int v = c - 65;
        if (v != kNoCell && v != kFreeCell && v != kToken1 && v != kToken2)
            return false;
    }
    for (int x = 0; x < n; ++x) {
        for (int y = 0; y < n; ++y) {
            const auto v =
                static_cast<std::uint8_t>(snapshot[static_cast<std::size_t>(x * n + y)] - 65);
            if (v != board.at(x, y)) {
                board.set(x, y, v);
                if (changed)
                    changed(x, y);
            }
        }
    }
    return true;
}

namespace {

std::string rows(std::initializer_list<std::string_view> lines) {
    std::string s;
    for (auto line : lines)
        s.append(line);
    return s;
}

std::vector<BuiltinBoard> makeBuiltinBoards() {
    const std::string_view bitvaA = "XX+X+XXXXX-X-XX";
    const std::string_view bitvaB = "X+X+XXXXXXX-X-X";
    const std::string_view bitvaC = "+X+XXXXXXXXX-X-";
    const std::string_view bitvaD = "X+X0XXXXXXX0X-X";
    const std::string_view bitvaE = "X0X+X+XXX-X-X0X";
    const std::string_view free11 = "XXXXXXXXXXX";
    return {
        {TOMELIN_TR_NOOP("Boards", "Originál"), rows({"+XXXXXXXXX-", free11, free11, free11, free11, free11, free11, free11,
                           free11, free11, "-XXXXXXXXX+"})},
        {TOMELIN_TR_NOOP("Boards", "Dáma"), rows({"+X+X+X+X", "X+X+X+X+", "+X+X+X+X", "XXXXXXXX", "XXXXXXXX", "X-X-X-X-",
                       "-X-X-X-X", "X-X-X-X-"})},
        {TOMELIN_TR_NOOP("Boards", "Čelem vzad"),
         rows({"-XXXXXX", "XXXXXXX", "XX0---0", "X0+0-0X", "0+++0XX", "XXXXXXX", "XXXXXX+"})},
        {TOMELIN_TR_NOOP("Boards", "Bitva"), rows({bitvaA, bitvaB, bitvaC, bitvaD, bitvaC, bitvaB, bitvaA, bitvaE, bitvaA,
                        bitvaB, bitvaC, bitvaD, bitvaC, bitvaB, bitvaA})},
        {TOMELIN_TR_NOOP("Boards", "Špionáž"), rows({"+---0XX0", "--XXXXXX", "-X-XX0XX", "-XX0XXX0", "0XXX0XX+", "XX0XX+X+",
                          "XXXXXX++", "0XX0+++-"})},
    };
}

}  // namespace

const std::vector<BuiltinBoard>& builtinBoards() {
    static const std::vector<BuiltinBoard> boards = makeBuiltinBoards();
    return boards;
}

const BuiltinBoard* findBuiltinBoard(std::string_view name) {
    for (const auto& b : builtinBoards()) {
        if (b.name == name)
            return &b;
    }
    return nullptr;
}

}  // namespace tomelin

#pragma once
// Games as PGN text, the way the standard game's tools exchange them: tag pairs, then the
// moves numbered by full move, then the result. Pure text; no I/O.
//
// Sides follow the standard game's convention: "Black" is x, player One, who moves first;
// "White" is o, player Two. A result "1-0" is a win of Black, "0-1" of White.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tomelin {

struct PgnGame {
    // Tag pairs in the order they are written (the seven-tag roster first, by convention).
    std::vector<std::pair<std::string, std::string>> tags;
    // Moves in the protocol's notation (f2, g1e3, 0000), from the start position on.
    std::vector<std::string> moves;
    // Whether the first move is Black's (player One's); otherwise the text starts "1...".
    bool blackMovesFirst = true;
    // A comment written after the moves, before the result (empty: none).
    std::string comment;
    std::string result = "*";
};

// "1-0", "0-1" or "1/2-1/2" for a winner 1 (Black), 2 (White) or 0.
std::string pgnResult(int winner);

// A tag value as PGN writes it: backslash and quote escaped, control characters as spaces.
std::string pgnTagValue(std::string_view text);

// One game, ending in an empty line; lines of movetext are kept under 80 characters.
std::string writePgn(const PgnGame& game);

}  // namespace tomelin

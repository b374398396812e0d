#pragma once
// Options the game commands share: which board, which movement logic, which player.

#include <optional>
#include <string>
#include <string_view>

#include "cli/options.h"
#include "core/board.h"
#include "core/directions.h"
#include "core/position.h"

namespace tomelin::cli {

struct PositionArgs {
    std::optional<std::string> boardString;  // --board-string (checked)
    Logic logic = Logic::Star;               // --logic star|cross
    std::optional<int> player;               // --player 1|2
    // --fen: board, player to move and counters at once, under the standard rules.
    std::optional<Position> fen;

    // The position the options name (after missingPosition found nothing missing).
    Position start() const;
};

// Adds --board-string, --logic, --fen and (when `withPlayer`) --player to `parser`.
void addPositionOptions(OptionParser& parser, PositionArgs& args, bool withPlayer = true);

// The sentence to refuse `command` with when neither a FEN nor a board string and a player
// were given, or a FEN together with either; nothing otherwise.
std::optional<std::string> missingPosition(const PositionArgs& args, std::string_view command);

// Why `s` is no board string, as a sentence; nothing when it is one.
std::optional<std::string> boardStringProblem(std::string_view s);

std::optional<Logic> parseLogic(std::string_view text);

// A built-in board by its name; the name may also be written without diacritics and in
// any letter case ("spionaz", "CELEM VZAD").
const BuiltinBoard* findBoardByName(std::string_view name);

}  // namespace tomelin::cli

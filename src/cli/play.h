#pragma once
// Computer-against-computer matches over the real turn sequence, and the hook through which
// other parts of the tool act on every finished game.
//
// Extension hook (used for `play --record`): an extra option of `play` is a PlayOption in
// the list that playExtensionOptions() returns (play_extensions.cpp). Its `apply` runs when
// the option is given and may push a FinishedGameHook into `hooks.onFinished`; `play` calls
// every hook once per game that ended, in order, before printing its result line (so the line
// announces a game the hooks have dealt with). A hook
// that fails should print one line on the error stream it is given and return false; `play`
// then stops and exits with status 1.

#include <array>
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "core/directions.h"

namespace tomelin::cli {

// The player kind a --p1/--p2 LEVEL names (beginner, pro, genius, master), if any.
std::optional<int> parseLevel(const std::string& text);

// A game that ended (the board is full), as a record needs it.
struct FinishedGame {
    int gameIndex = 1;        // 1-based within this run of `play`
    std::string boardName;    // built-in name, or "" for --board-string
    std::string boardString;  // the starting position
    Logic logic = Logic::Star;
    std::array<std::string, 2> names;  // one of kComputerNames
    int tokens1 = 0;
    int tokens2 = 0;
    int winner = 0;          // 0 draw, 1 or 2
    int moves = 0;           // moves made
    double moveCounter = 0;  // the game's `MoveCounter` at the end
    std::uint32_t seed = 0;  // the run's random seed
};

using FinishedGameHook = std::function<bool(const FinishedGame&, std::ostream& err)>;

struct PlayHooks {
    std::vector<FinishedGameHook> onFinished;
};

struct PlayOption {
    std::string name;  // "--record"
    int valueCount = 0;
    std::function<std::optional<std::string>(const std::vector<std::string>& values,
                                             PlayHooks& hooks)>
        apply;
};

// The extra options `play` accepts besides its own.
std::vector<PlayOption> playExtensionOptions();

}  // namespace tomelin::cli

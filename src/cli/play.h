#pragma once
// Computer-against-computer matches over the real turn sequence, and what `play --record`
// does with every finished game.
//
// A new option of `play` is one more field of PlaySettings and one more parser.add in
// addPlayOptions (play_command.cpp); what it does to a finished game goes where
// playCommand handles FinishedGame, before the result line is printed (so that line only
// announces a game that is dealt with).

#include <array>
#include <cstdint>
#include <iosfwd>
#include <memory>
#include <string>

#include "core/directions.h"
#include "records/game_record.h"

namespace tomelin {
class Store;
}

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

// `play --record`: stores the game the way game end in the game window does. The store is
// opened at the first game and kept in `store`. A game that cannot be kept prints one line
// on `err` and gives false; `play` then stops with status 1.
bool recordPlayedGame(std::unique_ptr<Store>& store, const FinishedGame& game, std::ostream& err);

// Prints what the store has to say once (a damaged file moved aside), if anything.
void reportNotice(Store& store, std::ostream& err);

// What game end knows of a game `play` finished, as the record takes it.
GameEnd finishedGameEnd(const FinishedGame& game);
// The line for a finished game the store refused, with the store's reason when it gave one.
void reportRecordFailure(const FinishedGame& game, const RecordWrite& write, std::ostream& err);

}  // namespace tomelin::cli

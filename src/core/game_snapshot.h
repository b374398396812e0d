#pragma once
// A running game as a value, so that it can be kept and resumed later: taken from a Game
// right after a turn change (when the game is between moves) and played on in another Game,
// even in another run of the program, exactly where it stopped.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/game.h"

namespace tomelin {

// A player's token style as the game window holds it (`HR1`, `HR2`). The core only carries
// it through.
struct SnapshotToken {
    Rgb colour = 0;
    int shape = 1;
    Rgb secondColour = 0;
    bool operator==(const SnapshotToken&) const = default;
};

// Everything a resumed game needs. The game state is the one a turn change has just left:
// `moveList.back()` is the position on the board and `playerToMove` is to move.
struct GameSnapshot {
    GameSetup setup;             // board, starting player, logic, names, kinds, time limits
    std::string boardName;       // the title's board name, for the window and the records
    std::array<SnapshotToken, 2> tokens{};
    // `List1`: entry k is the snapshot string after k moves; the last one is the position.
    std::vector<std::string> moveList;
    Player playerToMove = Player::One;  // stored as 1/2 (records/unfinished_game)
    std::array<int, 2> timeLeft{kTimeUnlimited, kTimeUnlimited};  // `TimeLeft`(1), (2)
    // The last-move markers (`Shape1`, `Shape2`); none while parked.
    std::optional<CellPos> lastSource;
    std::optional<CellPos> lastTarget;

    bool operator==(const GameSnapshot&) const = default;

    int movesMade() const { return moveList.empty() ? 0 : static_cast<int>(moveList.size()) - 1; }
    // `MoveCounter` after the turn change: (m + 1) / 2.
    double moveCounter() const { return (movesMade() + 1) / 2.0; }
};

// Why a snapshot cannot be resumed.
enum class SnapshotError {
    BadBoard,     // the board string is no playable board
    BadPlayers,   // a name and its player's kind do not agree
    BadMoveList,  // an entry is no position of this board, or no legal move leads to the next
    BadTurn,      // the player to move is not the one the move count gives
    BadClock,     // a time left no clock of this game could show
    BadMarkers,   // a last-move marker off the board, or source and target no move apart
    Finished,     // the position is the end of the game (nothing to resume)
};

// A few words on the error, in English (for logs and the tool).
const char* snapshotErrorText(SnapshotError error);

// The game as it stands. Meant for the moment right after a turn change (the game window's
// turnChanged): between a move and its turn change the move list does not yet hold the
// position. Board name and tokens are the window's and are left empty here.
GameSnapshot captureSnapshot(const Game& game);

// Checks everything resumeGame relies on: nothing in a damaged snapshot reaches the game.
std::optional<SnapshotError> checkSnapshot(const GameSnapshot& snapshot);

// Makes `game` the game of the snapshot: board, move list (take-back works as before), move
// counter, clocks, last-move markers, players and logic, all reported to the observer as a
// game start reports them; then the turn change runs 200 ms later as after a take-back, so
// that the player to move gets the turn, the clock of that player runs on from the stored
// time and a computer to move starts thinking. A snapshot that checkSnapshot refuses leaves
// the game untouched and returns the reason.
std::optional<SnapshotError> resumeGame(Game& game, const GameSnapshot& snapshot);

}  // namespace tomelin

#pragma once
// The unfinished game kept in the store ("RozehranáHra"): written after every turn change of
// a running game, so that a game interrupted by a crash, a logout or "Opravdu skončit" can
// be resumed at the next start; cleared when the game ends or is given up.

#include "core/texts.h"
#include <string>

#include "core/game_snapshot.h"
#include "platform/store/store.h"

namespace tomelin {

inline constexpr const char* kUnfinishedGameKey = "Software\\Brantl\\Tomelin\\RozehranáHra";

// Value names of the kept game.
inline constexpr const char* kUgDescriptor = "Pole";         // board string + starting digit
inline constexpr const char* kUgBoardName = "NázevPole";     // the title's board name
inline constexpr const char* kUgPlayer1 = "Hráč1";           // names (identities)
inline constexpr const char* kUgPlayer2 = "Hráč2";
inline constexpr const char* kUgKind1 = "Hráč1Druh";         // `PlayerKind` 0..3
inline constexpr const char* kUgKind2 = "Hráč2Druh";
inline constexpr const char* kUgLogic = "LogikaPohybu";      // 1 star, 2 cross
inline constexpr const char* kUgTimes = "Časy";              // 10 * t1 + t2, list positions
inline constexpr const char* kUgToken1 = "Hráč1Figurka";     // "colour shape second colour"
inline constexpr const char* kUgToken2 = "Hráč2Figurka";
inline constexpr const char* kUgMoveList = "SeznamTahů";     // snapshots 0..m, space-separated
inline constexpr const char* kUgMoves = "PočetTahů";         // m, the moves made
inline constexpr const char* kUgToMove = "NaTahu";           // 1 or 2
inline constexpr const char* kUgTime1 = "Hráč1ZbýváČasu";    // `TimeLeft`, seconds or a code
inline constexpr const char* kUgTime2 = "Hráč2ZbýváČasu";
inline constexpr const char* kUgLastMove = "PosledníTah";    // "sx sy tx ty", or empty

// The one line the setup window shows when a kept game could not be read back.
inline constexpr const char* kUnfinishedGameDropped = TOMELIN_TR_NOOP(
    "Startup", "Rozehranou hru se nepodařilo načíst, a proto byla zahozena.");

// What writing or clearing the kept game did.
struct KeepResult {
    int status = kStatusOk;  // kStatusReadOnly, kStatusFailed, ... when refused
    std::string reason;      // why, in Czech, when the store gave one (read-only, full disk)
    bool ok() const { return status == kStatusOk; }
};

// Replaces the kept game by this one, every value in one transaction: a crash at any moment
// leaves either the previous turn's game or this one, never a mixture. A read-only store
// refuses with its reason.
KeepResult writeUnfinishedGame(Store& store, const GameSnapshot& snapshot);

// Forgets the kept game (a finished game, a draw, "Novou hru", "Restartovat hru", START).
// A store without one is no error.
KeepResult clearUnfinishedGame(Store& store);

// What the store holds.
struct UnfinishedGameRead {
    enum class Outcome {
        None,     // no game is kept
        Ready,    // `snapshot` can be resumed
        Damaged,  // something is kept but cannot be resumed; `problem` says what
    };
    Outcome outcome = Outcome::None;
    GameSnapshot snapshot;
    std::string problem;  // English, for logs and the tool
};

// Reads the kept game and checks it as resumeGame would (checkSnapshot).
UnfinishedGameRead readUnfinishedGame(Store& store);

// The one line the setup window shows when another program plays the kept game.
inline constexpr const char* kUnfinishedGameInPlay =
    TOMELIN_TR_NOOP("Startup", "Rozehranou hru právě hraje jiné okno Tomelinu.");

// Taking the kept game to play it on: the store's claim first, then the game, so that of
// several programs resuming at once exactly one gets it. The claim stays held by the store
// while the game goes on; clearing the kept game (or the game's end) gives it up.
struct UnfinishedGameTake {
    enum class Outcome {
        Taken,     // `read.snapshot` is this program's to play
        None,      // nothing is kept
        Damaged,   // something is kept but cannot be resumed (`read.problem`)
        InPlay,    // another program plays it
    };
    Outcome outcome = Outcome::None;
    UnfinishedGameRead read;
};
UnfinishedGameTake takeUnfinishedGame(Store& store);
// Whether the kept game is played by another program now (not to be offered).
bool unfinishedGameInPlay(Store& store);

// The kept game for a person: "Originál, 3. tah" (the full move the game window shows).
std::string unfinishedGameSummary(const GameSnapshot& snapshot);

}  // namespace tomelin

#pragma once
// The kinds of player a game can seat, and the one place that makes a player of a kind:
// adding a kind is one class (core/game_players.h or a file of its own) and one row in
// `kPlayerKindTable` (core/player_kinds.cpp).

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "core/game_player.h"
#include "core/ports.h"
#include "core/search_runner.h"
#include "core/texts.h"

namespace tomelin {

// Stored in records and the kept game as its number (0..4).
enum class PlayerKind : std::uint8_t {
    Person = 0,
    Beginner = 1,      // "PC Začátečník"
    Professional = 2,  // "PC Profesionál"
    Genius = 3,        // "PC Génius"
    Master = 4,        // "PC Velmistr", the searching computer
};

// The computer names; a player whose name is exactly one of these is the computer.
inline constexpr const char* kComputerNames[4] = {
    TOMELIN_TR_NOOP("Players", "PC Začátečník"), TOMELIN_TR_NOOP("Players", "PC Profesionál"),
    TOMELIN_TR_NOOP("Players", "PC Génius"), TOMELIN_TR_NOOP("Players", "PC Velmistr")};
// `PlayerKind` number of "PC Velmistr".
inline constexpr int kMasterKind = 4;

constexpr int kindNumber(PlayerKind kind) {
    return static_cast<int>(kind);
}
// 1..4 the computer strengths; anything else a person.
constexpr PlayerKind playerKindOf(int number) {
    return number >= 1 && number <= kMasterKind ? static_cast<PlayerKind>(number)
                                                : PlayerKind::Person;
}
// `PlayerKind` number from a name: 0 a person; 1..4 the computer at the four strengths.
int playerKindFromName(const std::string& name);

// What a player may need from the game that seats it.
struct PlayerServices {
    RandomSource* random = nullptr;
    // Where "PC Velmistr" searches (the game's runner, which may be replaced between moves).
    std::function<SearchRunner&()> runner;
    // The side the player is seated for.
    Player side = Player::One;
};

// The player of a kind.
std::unique_ptr<GamePlayer> makePlayer(PlayerKind kind, const PlayerServices& services);

// Makes the players of both sides from their kinds at every game start and resume
// (`Game::setPlayerMaker`); `makePlayer` is the default one.
using PlayerMaker =
    std::function<std::unique_ptr<GamePlayer>(PlayerKind kind, const PlayerServices& services)>;

}  // namespace tomelin

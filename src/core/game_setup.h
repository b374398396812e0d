#pragma once
// What a game is started with, in the core's own types: the board, who moves first, the
// movement logic and, per player, a name, a kind and a time limit. The forms these values
// take outside (the logic's "1"/"2" and 1/2, the time list's positions 0..4, the starting
// digit glued to a stored board string) are converted where they are read and written: in
// the setup window's widgets and in the store (records/), never here.

#include <array>
#include <chrono>
#include <string>

#include "core/directions.h"
#include "core/player_kinds.h"
#include "core/position.h"

namespace tomelin {

// Special values of a clock (`TimeLeft`): what it holds besides the seconds left.
inline constexpr int kTimeUnlimited = -1;
inline constexpr int kTimeRanOut = -2;
inline constexpr int kTimeUnlimitedTicked = -3;
inline constexpr int kTimeOpponentRanOut = -4;

// A player's time for the whole game: a duration, or none.
class TimeLimit {
public:
    constexpr TimeLimit() = default;
    static constexpr TimeLimit none() { return {}; }
    // A duration of at least one second; anything shorter is no limit.
    static constexpr TimeLimit of(std::chrono::seconds duration) {
        TimeLimit t;
        t.m_seconds = duration.count() > 0 ? static_cast<int>(duration.count()) : 0;
        return t;
    }
    constexpr bool limited() const { return m_seconds > 0; }
    constexpr std::chrono::seconds duration() const { return std::chrono::seconds(m_seconds); }
    // What the player's clock starts from: the seconds, or kTimeUnlimited.
    constexpr int clockStart() const { return limited() ? m_seconds : kTimeUnlimited; }
    bool operator==(const TimeLimit&) const = default;

private:
    int m_seconds = 0;
};

struct PlayerSetup {
    std::string name;  // as shown; a computer's is its strength's name (kComputerNames)
    PlayerKind kind = PlayerKind::Person;
    TimeLimit timeLimit;
    bool operator==(const PlayerSetup&) const = default;
};

// The computer of a kind other than Person, by its name and without a time limit.
inline PlayerSetup computerPlayer(PlayerKind kind) {
    return {kComputerNames[kindNumber(kind) - 1], kind, TimeLimit::none()};
}

// A player of the kind its name gives: the computer of that strength for a computer's name,
// a person for any other name.
inline PlayerSetup playerNamed(std::string name, TimeLimit limit = {}) {
    const PlayerKind kind = playerKindOf(playerKindFromName(name));
    return {std::move(name), kind, limit};
}

// What the setup window hands to the game at START (and what restart replays).
struct GameSetup {
    std::string board;               // the board string, row by row (`Label4` less its digit)
    Player starting = Player::One;   // moves first
    Logic logic = Logic::Star;       // `Label8`
    std::array<PlayerSetup, 2> players;  // `Label5`, `Label6`, `Option19(i)`, `Combo1(i)`
    bool operator==(const GameSetup&) const = default;

    const PlayerSetup& player(Player p) const { return players[number(p) == 1 ? 0 : 1]; }
    std::array<std::string, 2> names() const { return {players[0].name, players[1].name}; }
};

}  // namespace tomelin

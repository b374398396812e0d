#pragma once
// The players the game seats: a person, the rule-based computer and "PC Velmistr".

#include <cstdint>

#include "core/computer.h"
#include "core/game_player.h"
#include "core/ports.h"
#include "core/search_runner.h"

namespace tomelin {

// A person: the board's clicks (through the game) make the moves.
class PersonPlayer final : public GamePlayer {
public:
    bool movesByClicks() const override { return true; }
    void requestMove(const MoveRequest&, MoveReply) override {}
};

// The rule-based computer (`PcIQ`): scores every candidate at strength 0..3 (0 is the
// stand-in for a person whose time ran out, 1..3 the three strengths), shows the scan on
// the thinking indicator and draws one of the best candidates; answers at once.
class RuleBasedPlayer final : public GamePlayer {
public:
    RuleBasedPlayer(int strength, RandomSource& random);
    void requestMove(const MoveRequest& request, MoveReply reply) override;

private:
    int m_strength;
    RandomSource& m_random;
    ComputerSearch m_search;
};

// "PC Velmistr": asks the game's search runner for the move, within the time per move its
// clock allows; answers when the runner reports.
class MasterPlayer final : public GamePlayer {
public:
    explicit MasterPlayer(std::function<SearchRunner&()> runner);
    ~MasterPlayer() override;
    void requestMove(const MoveRequest& request, MoveReply reply) override;
    void cancelMove() override;

private:
    std::function<SearchRunner&()> m_runner;
    MoveReply m_reply;
    bool m_searching = false;
    std::uint64_t m_ticket = 0;
};

}  // namespace tomelin

// The players the game seats (core/game_players.h) and the table of kinds that makes them.

#include "core/game_players.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/master_search.h"
#include "core/player_kinds.h"

namespace tomelin {

namespace {

// "PC Velmistr"'s bar counts completed depths on this scale.
constexpr int kProgressDepths = 10;

struct PlayerKindEntry {
    PlayerKind kind;
    std::unique_ptr<GamePlayer> (*make)(const PlayerServices& services);
};

// Every kind of player and how to make it: the one place a new kind is registered.
const PlayerKindEntry kPlayerKindTable[] = {
    {PlayerKind::Person, [](const PlayerServices&) -> std::unique_ptr<GamePlayer> {
         return std::make_unique<PersonPlayer>();
     }},
    {PlayerKind::Beginner, [](const PlayerServices& s) -> std::unique_ptr<GamePlayer> {
         return std::make_unique<RuleBasedPlayer>(1, *s.random);
     }},
    {PlayerKind::Professional, [](const PlayerServices& s) -> std::unique_ptr<GamePlayer> {
         return std::make_unique<RuleBasedPlayer>(2, *s.random);
     }},
    {PlayerKind::Genius, [](const PlayerServices& s) -> std::unique_ptr<GamePlayer> {
         return std::make_unique<RuleBasedPlayer>(3, *s.random);
     }},
    {PlayerKind::Master, [](const PlayerServices& s) -> std::unique_ptr<GamePlayer> {
         return std::make_unique<MasterPlayer>(s.runner);
     }},
};

}  // namespace

int playerKindFromName(const std::string& name) {
    for (int k = 0; k < kMasterKind; ++k) {
        if (name == kComputerNames[k])
            return k + 1;
    }
    return 0;
}

std::unique_ptr<GamePlayer> makePlayer(PlayerKind kind, const PlayerServices& services) {
    for (const PlayerKindEntry& entry : kPlayerKindTable) {
        if (entry.kind == kind)
            return entry.make(services);
    }
    return std::make_unique<PersonPlayer>();
}

RuleBasedPlayer::RuleBasedPlayer(int strength, RandomSource& random)
    : m_strength(strength < 0 || strength > 3 ? 2 : strength), m_random(random) {}

void RuleBasedPlayer::requestMove(const MoveRequest& request, MoveReply reply) {
    m_random.seedFromTime();
    const ComputerSearch::Result found =
        m_search.run(request.position, request.logic, m_strength, request.lastMove);

    // Progress as the scan goes column by column: the bar's scale is n^2 - n - 1, so it is
    // full before the last cells are scanned; the percentage runs up to 100 n^2 / (n^2 - 1).
    const int n = request.position.side();
    const int cells = n * n;
    const int scale = cells - n - 1;
    for (int i = 0; i < cells; ++i) {
        reply.thinkingStep(i, scale);
        const double progress = (i + 1) * 100.0 / (cells - 1);
        reply.scannedPercent(static_cast<int>(std::floor(progress)));
    }

    const std::vector<int>& best = *found.best;
    if (best.empty()) {
        reply.fail("no legal move");
        return;
    }
    double u = m_random.next();
    // A faulty source (NaN, below 0, 1 or more) must never pick outside the list.
    if (!(u >= 0.0))
        u = 0.0;
    if (u > 1.0)
        u = 1.0;
    const auto r = static_cast<std::size_t>(std::floor(u * static_cast<double>(best.size())));
    reply.play(
        (*found.candidates)[static_cast<std::size_t>(best[std::min(r, best.size() - 1)])].move);
}

MasterPlayer::MasterPlayer(std::function<SearchRunner&()> runner) : m_runner(std::move(runner)) {}

MasterPlayer::~MasterPlayer() {
    // Stop a search still running; its answer must never reach a player that is gone.
    if (m_searching) {
        m_searching = false;
        ++m_ticket;
        m_runner().cancel();
    }
}

void MasterPlayer::requestMove(const MoveRequest& request, MoveReply reply) {
    cancelMove();
    m_reply = reply;
    m_searching = true;
    SearchRequest search;
    search.position = request.position;
    search.logic = request.logic;
    search.timeMs = request.secondsLeft > 0
                        ? masterMoveTimeMs(request.secondsLeft, request.moveTimeMs)
                        : request.moveTimeMs;
    search.ticket = ++m_ticket;
    m_runner().begin(
        search,
        [this](std::uint64_t t, const SearchReport& report) {
            if (t != m_ticket || !m_searching)
                return;
            m_searching = false;
            const MoveReply reply = m_reply;
            m_reply = {};
            if (report.move)
                reply.play(*report.move);
            else
                reply.fail("the search found no move");
        },
        [this](std::uint64_t t, int depth) {
            if (t != m_ticket || !m_searching)
                return;
            m_reply.thinkingStep(std::min(depth, kProgressDepths) - 1, kProgressDepths);
            m_reply.depthDone(depth);
        });
}

void MasterPlayer::cancelMove() {
    if (!m_searching)
        return;
    m_searching = false;
    m_reply = {};
    ++m_ticket;
    m_runner().cancel();
}

}  // namespace tomelin

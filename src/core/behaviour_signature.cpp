#include "core/behaviour_signature.h"

#include <string>
#include <vector>

#include "core/game.h"
#include "core/manual_timer_host.h"
#include "core/person_input.h"
#include "core/random.h"

namespace tomelin {

namespace {

class Fnv {
public:
    void add(std::uint64_t v) {
        for (int i = 0; i < 8; ++i) {
            m_hash ^= (v >> (8 * i)) & 0xFF;
            m_hash *= 1099511628211ULL;
        }
    }
    void add(const std::string& s) {
        add(s.size());
        for (unsigned char c : s) {
            m_hash ^= c;
            m_hash *= 1099511628211ULL;
        }
    }
    std::uint64_t value() const { return m_hash; }

private:
    std::uint64_t m_hash = 14695981039346656037ULL;
};

// Folds every move and fill of one game into the hash.
class Transcript : public GameObserver {
public:
    explicit Transcript(Fnv& fnv) : m_fnv(fnv) {}
    void moveMade(Player mover, CellPos source, CellPos target) override {
        ++moves;
        m_fnv.add(static_cast<std::uint64_t>(number(mover) * 1000000 + source.x * 10000 +
                                             source.y * 1000 + target.x * 100 + target.y));
    }
    void freeCellsFilled(Player stuckPlayer, int cells) override {
        m_fnv.add(static_cast<std::uint64_t>(9000000 + number(stuckPlayer) * 1000 + cells));
    }
    long long moves = 0;

private:
    Fnv& m_fnv;
};

struct SignatureGame {
    std::string boardString;
    Logic logic;
    int kind1;  // 0 a person who runs out of time after two moves, 1..3 the computer
    int kind2;
    std::uint32_t seed;
};

constexpr int kMoveCap = 3000;

// Makes the first move in scan order for the person to move (columns from the left, each
// from the top; targets in direction order): the computer's first candidate.
bool personMoves(Game& game, ComputerSearch& search) {
    const auto found = search.run(game.position(), game.logic(), 2, std::nullopt);
    if (found.candidates->empty())
        return false;
    const Move move = found.candidates->front().move;
    game.clickCell(move.from.x, move.from.y);
    game.clickCell(move.to.x, move.to.y);
    return true;
}

void play(const SignatureGame& g, Fnv& fnv, BehaviourSignature& sig) {
    ManualTimerHost timers;
    MtRandomSource random(g.seed);
    Game game(timers, random);
    Transcript transcript(fnv);
    game.setObserver(&transcript);
    timers.setHandler([&game](GameTimer t) { game.onTimer(t); });
    GameSetup setup;
    setup.board = g.boardString;
    const int kinds[2] = {g.kind1, g.kind2};
    for (std::size_t i = 0; i < 2; ++i) {
        PlayerSetup& player = setup.players[i];
        player.kind = playerKindOf(kinds[i]);
        player.name = kinds[i] == 0 ? "Osoba" : kComputerNames[kinds[i] - 1];
        // A person has ten minutes.
        player.timeLimit = kinds[i] == 0 ? TimeLimit::of(std::chrono::minutes(10)) : TimeLimit{};
    }
    setup.logic = g.logic;
    if (game.start(setup))
        return;
    timers.fire(GameTimer::Start);
    timers.fire(GameTimer::TurnChange);
    if (g.kind1 == 0) {
        // The person makes the first move and the computer answers; then the person's clock
        // runs out and the person takes back both moves: from then on the computer plays for
        // the person at its weakest.
        while (!game.gameOver() && game.movesMade() < 2) {
            if (game.playerToMove() == Player::One && personMayClick(game)) {
                ComputerSearch search;
                if (!personMoves(game, search))
                    break;
            }
            if (!timers.fireNext({GameTimer::Clock}))
                break;
        }
        if (!game.gameOver() && game.playerToMove() == Player::One) {
            while (game.clock().timeLeft(Player::One) != kTimeRanOut &&
                   timers.fire(GameTimer::Clock)) {
            }
            game.takeBack(2);
            if (game.clock().timeLeft(Player::One) == kTimeRanOut)
                ++sig.weakestPlay;
        }
    }
    while (!game.gameOver() && transcript.moves < kMoveCap) {
        if (!timers.fireNext({GameTimer::Clock}))
            break;
    }
    fnv.add(boardString(game.position().toBoard()));
    fnv.add(static_cast<std::uint64_t>(game.movesMade()));
    ++sig.games;
    sig.moves += transcript.moves;
}

}  // namespace

BehaviourSignature behaviourSignature() {
    std::vector<std::string> boards;
    for (const BuiltinBoard& b : builtinBoards())
        boards.push_back(b.boardString);
    // Holes in the middle and a player 2 walled in by holes after a few moves.
    boards.push_back(
        "+XXX0X"
        "XX0XXX"
        "X0XX0X"
        "XXX0XX"
        "X0XXX-"
        "XXXX0-");
    boards.push_back(
        "+XXX0-"
        "XXXX00"
        "XXXXXX"
        "XXXXXX"
        "XXXXXX"
        "XXXXXX");
    const int pairs[][2] = {{1, 2}, {2, 3}, {3, 1}, {3, 3}, {0, 3}, {0, 1}};
    BehaviourSignature sig;
    Fnv fnv;
    std::uint32_t seed = 1;
    for (const std::string& board : boards) {
        for (Logic logic : {Logic::Star, Logic::Cross}) {
            for (const auto& pair : pairs)
                play({board, logic, pair[0], pair[1], seed++}, fnv, sig);
        }
    }
    sig.hash = fnv.value();
    return sig;
}

}  // namespace tomelin

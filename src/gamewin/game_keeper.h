#pragma once
// What the game window writes to the store: after every turn change the running game is
// kept (so that the next start can offer "Pokračovat ve hře"), an ended or given-up game is
// removed again, and a finished game is recorded.

#include "core/texts.h"
#include <functional>
#include <string>

#include "core/game.h"
#include "drawing/board_painter.h"
#include "records/game_record.h"
#include "records/unfinished_game.h"

namespace tomelin {

class Store;

// The sentences the players are told, each followed by the store's reason.
inline const std::string kGameNotKept = TOMELIN_TR_NOOP("GameKeeper", "Rozehranou hru nelze uložit: ");
inline const std::string kResultNotSaved = TOMELIN_TR_NOOP("GameKeeper", "Výsledek hry nelze uložit: ");

class GameKeeper {
public:
    // Told once per game when the store refuses to keep it, and at every game end whose
    // record the store refuses: the whole sentence, in Czech.
    using RefusalHandler = std::function<void(const std::string& reason)>;
    explicit GameKeeper(RefusalHandler refused) : m_refused(std::move(refused)) {}

    // Where games go; none keeps and records nothing.
    void setStore(Store* store) { m_store = store; }
    Store* store() const { return m_store; }

    // A new game begins: the kept one is removed and a refusal will be told again.
    void newGame();
    // A kept game goes on: a refusal will be told again.
    void resumed() { m_refusalTold = false; }
    // The running game with its board name and tokens; nothing once the game is over (its
    // last turn change still reports a turn).
    void keep(const Game& game, const std::string& boardName, const BoardLook& look);
    void drop();
    // The finished game with counts `tokens1` and `tokens2`, as one record, written together
    // with the removal of the kept game.
    void record(const Game& game, const std::string& boardName, const GameSetup& setup,
                const BoardLook& look, int tokens1, int tokens2);

private:
    void note(const KeepResult& result);
    // What the store has to say once (a damaged file moved aside), to the players.
    void tellNotice();

    RefusalHandler m_refused;
    Store* m_store = nullptr;
    bool m_refusalTold = false;
};

}  // namespace tomelin

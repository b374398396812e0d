#include "gamewin/game_keeper.h"

namespace tomelin {

void GameKeeper::newGame() {
    drop();
    m_refusalTold = false;
}

void GameKeeper::keep(const Game& game, const std::string& boardName, const BoardLook& look) {
    if (!m_store || game.gameOver())
        return;
    GameSnapshot s = captureSnapshot(game);
    s.boardName = boardName;
    for (std::size_t i = 0; i < 2; ++i) {
        const PlayerStyle& style = look.styles[i + 1];
        s.tokens[i] = SnapshotToken{style.colour, style.shape, style.secondColour};
    }
    note(writeUnfinishedGame(*m_store, s));
}

void GameKeeper::drop() {
    if (m_store)
        note(clearUnfinishedGame(*m_store));
}

void GameKeeper::record(const Game& game, const std::string& boardName, const GameSetup& setup,
                        const BoardLook& look, int tokens1, int tokens2) {
    if (!m_store)
        return;
    const RecordWrite write = recordAndForgetKeptGame(
        *m_store,
        GameEnd{.board = boardName,
                .names = setup.names(),
                .logic = setup.logic,
                .timeLimits = {setup.players[0].timeLimit, setup.players[1].timeLimit},
                .counts = {tokens1, tokens2},
                .tokens = {TokenStyle{look.styles[1].colour, look.styles[1].shape},
                           TokenStyle{look.styles[2].colour, look.styles[2].shape}},
                .moveCounter = game.moveCounter()});
    tellNotice();
    // Said every time: each lost result is news to the players.
    if (write.outcome == RecordWrite::Outcome::Failed && m_refused)
        m_refused(trText("GameKeeper", kResultNotSaved.c_str()) +
                  (write.reason.empty() ? trText("GameKeeper", "chyba souboru") : write.reason));
}

void GameKeeper::tellNotice() {
    const std::string notice = m_store ? m_store->takeNotice() : std::string();
    if (!notice.empty() && m_refused)
        m_refused(notice);
}

void GameKeeper::note(const KeepResult& result) {
    tellNotice();
    if (result.ok() || m_refusalTold)
        return;
    m_refusalTold = true;
    if (m_refused)
        m_refused(trText("GameKeeper", kGameNotKept.c_str()) +
                  (result.reason.empty() ? trText("GameKeeper", "chyba souboru") : result.reason));
}

}  // namespace tomelin

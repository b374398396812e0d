// The game window keeps its running game in the store, and resumes a kept one.

#include "gamewin/board_view.h"
#include "gamewin/game_window.h"

namespace tomelin {

void GameWindow::keepGame() {
    // The turn change that follows a game's end still reports a turn: nothing to keep then.
    if (!m_store || m_game->gameOver())
        return;
    GameSnapshot s = captureSnapshot(*m_game);
    s.boardName = m_boardName.toStdString();
    for (std::size_t i = 0; i < 2; ++i) {
        const PlayerStyle& style = m_look.styles[i + 1];
        s.tokens[i] = SnapshotToken{style.colour, style.shape, style.secondColour};
    }
    noteKeep(writeUnfinishedGame(*m_store, s));
}

void GameWindow::dropKeptGame() {
    if (m_store)
        noteKeep(clearUnfinishedGame(*m_store));
}

void GameWindow::noteKeep(const KeepResult& result) {
    m_lastKeep = result;
    if (result.ok() || m_keepRefusalTold)
        return;
    m_keepRefusalTold = true;
    emit keepRefused(QString::fromStdString(result.reason));
}

bool GameWindow::resumeGame(const GameSnapshot& snapshot) {
    if (checkSnapshot(snapshot))
        return false;
    m_result->hide();
    setBoardName(QString::fromStdString(snapshot.boardName));
    for (int p = 1; p <= 2; ++p) {
        const SnapshotToken& t = snapshot.tokens[static_cast<std::size_t>(p - 1)];
        setPlayerStyle(p, PlayerStyle{t.colour, t.shape, t.secondColour});
        // The setup window's pictures belong to its own tokens: draw the kept ones instead.
        m_cursors[static_cast<std::size_t>(p - 1)].reset();
    }
    setGameSetup(snapshot.setup);
    m_keepRefusalTold = false;
    if (tomelin::resumeGame(*m_game, snapshot))
        return false;
    m_sizeCorner->setEnabled(true);
    setWindowState(windowState() & ~Qt::WindowMinimized);
    m_minimiseAsked = false;
    m_shownAt.start();
    show();
    raise();
    activateWindow();
    m_board->setFocus();
    return true;
}

}  // namespace tomelin

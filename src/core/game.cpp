// Game start, turn change, restart and new game: the sequence of turns of one game.

#include "core/game.h"

#include <cmath>

namespace tomelin {

int moveNumberOf(double moveCounter) {
    return static_cast<int>(std::floor(moveCounter)) + 1;
}

bool hasLegalMove(const Position& position, Logic logic, Player player) {
    Position p = position;
    p.setToMove(player);
    return p.canMove(logic);
}

Game::Game(TimerHost& timers, RandomSource& random) : m_timers(timers), m_random(random) {}

void Game::setObserver(GameObserver* observer) {
    m_obs = observer ? observer : &m_nullObserver;
}

void Game::setListener(GameListener* listener) {
    m_listener = listener ? listener : &m_nullListener;
}

std::optional<BoardError> Game::start(const GameSetup& setup) {
    Board probe;
    if (const auto error = LoadBoardString(probe, setup.board))
        return error;
    cancelPendingComputerMove();
    m_timers.stop(GameTimer::TurnChange);
    m_timers.stop(GameTimer::Clock);
    m_setup = setup;
    m_resultShown = false;
    setBoardEnabled(true);
    m_timers.start(GameTimer::Start, kStartInterval);
    return std::nullopt;
}

void Game::onTimer(GameTimer timer) {
    switch (timer) {
        case GameTimer::Start:
            onStartTimer();
            break;
        case GameTimer::TurnChange:
            onTurnChangeTimer();
            break;
        case GameTimer::ComputerClicks:
            onComputerClickTimer();
            break;
        case GameTimer::Clock:
            onClockTimer();
            break;
    }
}

void Game::onStartTimer() {
    m_random.seedFromTime();
    m_moveNumber = 0;
    m_obs->moveNumberChanged(m_moveNumber);
    m_clock.start(m_setup, *m_obs);
    m_moveCounter = 0;
    m_gameOver = false;

    Board board;
    if (LoadBoardString(board, m_setup.board)) {
        // start() refused such a board; a setup changed behind its back starts nothing.
        m_timers.stop(GameTimer::Start);
        return;
    }
    m_lastMove.reset();
    m_redoUpTo = 0;
    // The turn change that follows hands the move to the starting player.
    m_pos = Position::fromBoard(board, opponent(m_setup.starting)).value_or(Position{});
    setPlayerToMove(opponent(m_setup.starting));
    seatPlayers();

    // `Prekr`: no selection, markers parked, the whole board drawn, the score shown.
    cancelSelection();
    m_lastSource.reset();
    m_lastTarget.reset();
    m_obs->selectionMarkerChanged(nullptr);
    m_obs->lastMoveChanged(nullptr, nullptr);
    m_obs->rayParked();
    m_obs->boardReset();
    recountAndEndIfFull();
    m_obs->progressCleared();

    m_logic = m_setup.logic;
    tellPositionReset();
    m_timers.start(GameTimer::TurnChange, kTurnChangeInterval);
    m_timers.stop(GameTimer::Start);
}

void Game::onTurnChangeTimer() {
    m_timers.stop(GameTimer::Clock);
    m_moveNumber = moveNumberOf(m_moveCounter);
    m_obs->moveNumberChanged(m_moveNumber);
    m_moveCounter += 0.5;
    setTakeBackUnavailable(m_moveCounter <= 1 || m_resultShown);

    const auto entry = static_cast<std::size_t>(2 * m_moveCounter - 1);
    if (m_moveList.size() <= entry)
        m_moveList.resize(entry + 1);
    m_moveList[entry] = MakeSnapshot(m_pos.toBoard());

    setPlayerToMove(opponent(m_playerToMove));
    const Player p = m_playerToMove;
    m_obs->turnChanged(p);

    if (!hasLegalMove(m_pos, m_logic, p)) {
        fillFreeCells(p);
    } else {
        setBoardEnabled(true);
        GamePlayer& seated = *m_players[index(p)];
        const int timeLeft = m_clock.timeLeft(p);
        if (!seated.movesByClicks())
            m_obs->thinkingChanged(true);
        if (seated.movesByClicks() && timeLeft == kTimeRanOut)
            standInMoves(p, 0);  // the person's time ran out: the weakest play moves for them
        else if (seated.movesByClicks() && timeLeft == kTimeOpponentRanOut)
            standInMoves(p, 2);
        else
            askForMove(p, seated, false);
    }
    m_timers.start(GameTimer::Clock, m_clock.interval());
    m_timers.stop(GameTimer::TurnChange);
}

void Game::fillFreeCells(Player stuckPlayer) {
    const Player receiver = opponent(stuckPlayer);
    const Position before = m_pos;
    const int filled = m_pos.fillFree(receiver);
    // The window sees the cells change one by one, column by column, with the progress bar.
    const int n = m_pos.side();
    const int scale = (n - 1) * n;
    for (int x = 0; x < n; ++x) {
        for (int y = 0; y < n; ++y) {
            if (before.at(x, y) == kFreeCell)
                m_obs->cellChanged(x, y);
            m_obs->progressStep(x * n + y, scale, receiver);
        }
    }
    m_obs->progressCleared();
    tellPositionReset();
    // After the game has ended on a full board the turn change still runs and finds no
    // move; there is nothing to hand over then.
    if (filled > 0)
        m_obs->freeCellsFilled(stuckPlayer, filled);
    recountAndEndIfFull();
}

void Game::restart() {
    cancelPendingComputerMove();
    releaseSearchTables();
    cancelSelection();
    // Neither the old game's clock nor a turn change still pending from it may run on the
    // cleared board while the new game starts.
    m_timers.stop(GameTimer::Clock);
    m_timers.stop(GameTimer::TurnChange);
    m_resultShown = false;
    setBoardEnabled(true);
    m_timers.start(GameTimer::Start, kStartInterval);
    clearBoard();
    m_obs->boardReset();
}

void Game::leave() {
    cancelPendingComputerMove();
    releaseSearchTables();
    cancelSelection();
    // The game is left: nothing of it may run on while the setup window is shown.
    m_timers.stop(GameTimer::Start);
    m_timers.stop(GameTimer::TurnChange);
    m_timers.stop(GameTimer::Clock);
    m_resultShown = false;
    setBoardEnabled(true);
    clearBoard();
    m_obs->boardReset();
}

void Game::fullRedrawDone() {
    clickCell(-1, -1);
    clearLastMove();
    recountAndEndIfFull();
}

void Game::clearLastMove() {
    m_lastSource.reset();
    m_lastTarget.reset();
    m_obs->lastMoveChanged(nullptr, nullptr);
}

bool Game::movesByClicks(Player player) const {
    const GamePlayer* seated = m_players[index(player)].get();
    return seated ? seated->movesByClicks() : m_setup.player(player).kind == PlayerKind::Person;
}

bool Game::turnPending() const {
    return m_timers.isActive(GameTimer::TurnChange) || m_timers.isActive(GameTimer::Start);
}

bool Game::computerMovePending() const {
    return m_pcMove.has_value();
}

int Game::movesMade() const {
    const int m = static_cast<int>(2 * m_moveCounter) - 1;
    return m > 0 ? m : 0;
}

void Game::cancelPendingComputerMove() {
    cancelMoveRequest();
    m_listener->positionWithdrawn();
    m_timers.stop(GameTimer::ComputerClicks);
    m_pcMove.reset();
    m_pcFirstClickGiven = false;
}

void Game::setPlayerToMove(Player player) {
    m_playerToMove = player;
    m_pos.setToMove(player);
}

void Game::restoreEntry(const std::string& entry) {
    Board board = m_pos.toBoard();
    std::vector<CellPos> changed;
    RestoreSnapshot(board, entry, [&changed](int x, int y) { changed.push_back({x, y}); });
    m_pos = Position::fromBoard(board, m_playerToMove).value_or(Position{});
    // Reported once the position holds them: the window draws each cell from position().
    for (const CellPos cell : changed)
        m_obs->cellChanged(cell.x, cell.y);
}

void Game::clearBoard() {
    Board board = m_pos.toBoard();
    board.clear();
    m_pos = Position::fromBoard(board, m_playerToMove).value_or(Position{});
}

void Game::cancelSelection() {
    m_selection.cancel(*m_obs);
}

void Game::setTakeBackUnavailable(bool unavailable) {
    if (unavailable == m_takeBackUnavailable)
        return;
    m_takeBackUnavailable = unavailable;
    m_obs->takeBackUnavailableChanged(unavailable);
}

void Game::setBoardEnabled(bool enabled) {
    if (enabled == m_boardEnabled)
        return;
    m_boardEnabled = enabled;
    m_obs->boardEnabledChanged(enabled);
}

std::optional<LastMove> Game::lastMoveOnRecord() const {
    if (!m_lastSource || !m_lastTarget)
        return std::nullopt;
    return LastMove{*m_lastSource, *m_lastTarget};
}

void Game::onClockTimer() {
    // No game running, the game over, or the window minimized (the way to pause).
    if (!m_boardEnabled || m_minimized)
        return;
    const Player p = m_playerToMove;
    if (m_clock.tick(p, *m_obs))
        clockRanOut(p);
    m_clock.flash(p, *m_obs, m_timers);
}

void Game::clockRanOut(Player player) {
    // A person whose time runs out in the middle of their own turn could no longer click,
    // and nobody else would move: the computer takes this turn over at once, at the weakest
    // strength, as the turn change does for such a person.
    const GamePlayer* seated = m_players[index(player)].get();
    const bool waitingForPerson =
        seated && seated->movesByClicks() && !m_gameOver && !computerMovePending() &&
        !turnPending();
    if (!waitingForPerson || !hasLegalMove(m_pos, m_logic, player))
        return;
    cancelSelection();
    standInMoves(player, 0);
}

}  // namespace tomelin

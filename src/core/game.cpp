// Game start, turn change, restart and new game: the sequence of turns of one game.

#include "core/game.h"

#include <cmath>

namespace tomelin {

int moveNumberOf(double moveCounter) {
    return static_cast<int>(std::floor(moveCounter)) + 1;
}

Game::Game(TimerHost& timers, RandomSource& random) : m_timers(timers), m_random(random) {}

void Game::setObserver(GameObserver* observer) {
    m_obs = observer ? observer : &m_nullObserver;
}

std::optional<BoardError> Game::start(const GameSetup& setup) {
    Board probe;
    const DescriptorResult loaded = LoadBoardDescriptor(probe, setup.descriptor);
    if (!loaded.ok())
        return loaded.error;
    cancelPendingComputerMove();
    m_timers.stop(GameTimer::TimCHng);
    m_timers.stop(GameTimer::TimerT);
    m_setup = setup;
    m_resultShown = false;
    setBoardEnabled(true);
    m_timers.start(GameTimer::Timer1, kTimer1Interval);
    return std::nullopt;
}

void Game::onTimer(GameTimer timer) {
    switch (timer) {
        case GameTimer::Timer1:
            Timer1_Timer();
            break;
        case GameTimer::TimCHng:
            TimCHng_Timer();
            break;
        case GameTimer::TimPC:
            TimPC_Timer();
            break;
        case GameTimer::TimerT:
            TimerT_Timer();
            break;
    }
}

void Game::Timer1_Timer() {
    m_random.seedFromTime();
    m_moveNumber = 0;
    m_obs->moveNumberChanged(m_moveNumber);
    for (int p = 1; p <= 2; ++p) {
        const auto i = static_cast<std::size_t>(p - 1);
        m_timeLeft[static_cast<std::size_t>(p)] = timeLimitSeconds(m_setup.timeListPos[i]);
        const bool shown = m_setup.person[i] && m_setup.timeListPos[i] != 0 &&
                           m_timeLeft[static_cast<std::size_t>(p)] > 0;
        m_obs->clockTextChanged(p, shown ? CoCas(m_timeLeft[static_cast<std::size_t>(p)]) : "");
        m_clockColour[static_cast<std::size_t>(p)] = kWhite;
        m_obs->clockColourChanged(p, kWhite);
    }
    m_clockInterval = kClockInterval;
    m_moveCounter = 0;
    m_gameOver = false;

    const DescriptorResult loaded = LoadBoardDescriptor(m_board, m_setup.descriptor);
    if (!loaded.ok()) {
        // start() refused such a descriptor; a setup changed behind its back starts nothing.
        m_timers.stop(GameTimer::Timer1);
        return;
    }
    m_lastMove.reset();
    m_redoUpTo = 0;
    syncPosition();
    setPlayerToMove(3 - loaded.startDigit);
    m_playerKind = {0, playerKindFromName(m_setup.names[0]), playerKindFromName(m_setup.names[1])};
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

    m_logic = logicFromLabel(m_setup.logicLabel);
    m_dirs = &Directions::of(m_logic);
    tellPositionReset();
    m_timers.start(GameTimer::TimCHng, kTurnChangeInterval);
    m_timers.stop(GameTimer::Timer1);
}

void Game::TimCHng_Timer() {
    m_timers.stop(GameTimer::TimerT);
    m_moveNumber = moveNumberOf(m_moveCounter);
    m_obs->moveNumberChanged(m_moveNumber);
    m_moveCounter += 0.5;
    setTakeBackUnavailable(m_moveCounter <= 1 || m_resultShown);

    const auto entry = static_cast<std::size_t>(2 * m_moveCounter - 1);
    if (m_moveList.size() <= entry)
        m_moveList.resize(entry + 1);
    m_moveList[entry] = MakeSnapshot(m_board);

    setPlayerToMove(3 - m_playerToMove);
    const int p = m_playerToMove;
    m_obs->turnChanged(p);

    if (!hasLegalMove(p)) {
        fillFreeCells(p);
    } else {
        setBoardEnabled(true);
        GamePlayer& seated = *m_players[static_cast<std::size_t>(p)];
        const int timeLeft = m_timeLeft[static_cast<std::size_t>(p)];
        if (!seated.movesByClicks())
            m_obs->thinkingChanged(true);
        if (seated.movesByClicks() && timeLeft == kTimeRanOut)
            standInMoves(p, 0);  // the person's time ran out: the weakest play moves for them
        else if (seated.movesByClicks() && timeLeft == kTimeOpponentRanOut)
            standInMoves(p, 2);
        else
            askForMove(p, seated, false);
    }
    m_timers.start(GameTimer::TimerT, m_clockInterval);
    m_timers.stop(GameTimer::TimCHng);
}

void Game::fillFreeCells(int stuckPlayer) {
    const int receiver = 3 - stuckPlayer;
    const Board before = m_board;
    const int filled = m_pos.fillFree(playerOf(receiver));
    syncBoard();
    // The window sees the cells change one by one, column by column, with the progress bar.
    const int n = m_board.side();
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

bool Game::hasLegalMove(int player) const {
    Position p = m_pos;
    p.setToMove(playerOf(player));
    return p.canMove(m_logic);
}

void Game::NG_Click() {
    cancelPendingComputerMove();
    releaseSearchTables();
    cancelSelection();
    // Neither the old game's clock nor a turn change still pending from it may run on the
    // cleared board while the new game starts.
    m_timers.stop(GameTimer::TimerT);
    m_timers.stop(GameTimer::TimCHng);
    m_resultShown = false;
    setBoardEnabled(true);
    m_timers.start(GameTimer::Timer1, kTimer1Interval);
    m_board.clear();
    syncPosition();
    m_obs->boardReset();
}

void Game::UNG_Click() {
    std::string& d = m_setup.descriptor;
    if (!d.empty())
        d.pop_back();
    while (!d.empty() && (d.back() == '1' || d.back() == '2'))
        d.pop_back();
    cancelPendingComputerMove();
    releaseSearchTables();
    cancelSelection();
    // The game is left: nothing of it may run on while the setup window is shown.
    m_timers.stop(GameTimer::Timer1);
    m_timers.stop(GameTimer::TimCHng);
    m_timers.stop(GameTimer::TimerT);
    m_resultShown = false;
    setBoardEnabled(true);
    m_board.clear();
    syncPosition();
    m_obs->boardReset();
}

void Game::fullRedrawDone() {
    PLKlik(-1, -1);
    m_lastSource.reset();
    m_lastTarget.reset();
    m_obs->lastMoveChanged(nullptr, nullptr);
    recountAndEndIfFull();
}

bool Game::personMayClick() const {
    const auto p = static_cast<std::size_t>(m_playerToMove);
    const bool byClicks = m_players[p] ? m_players[p]->movesByClicks() : m_playerKind[p] == 0;
    return m_boardEnabled && !m_gameOver && byClicks && m_timeLeft[p] != kTimeRanOut;
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
    clearHint();
    m_timers.stop(GameTimer::TimPC);
    m_pcMove.reset();
    m_pcFirstClickGiven = false;
}

void Game::setPlayerToMove(int player) {
    m_playerToMove = player;
    m_opponent = 3 - player;
    m_pos.setToMove(playerOf(player));
}

void Game::syncBoard() {
    m_board = m_pos.toBoard();
}

void Game::syncPosition() {
    m_pos = Position::fromBoard(m_board, playerOf(m_playerToMove)).value_or(Position{});
}

void Game::cancelSelection() {
    const bool hadSelection = m_selectionState == 1;
    m_marks.clear();
    m_selectionState = 0;
    if (hadSelection) {
        m_obs->ringsChanged(m_selX, m_selY);
        m_obs->selectionMarkerChanged(nullptr);
    }
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

}  // namespace tomelin

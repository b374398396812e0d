#include "gamewin/game_window.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QPainter>
#include <QScreen>
#include <algorithm>
#include <cmath>

#include "core/fen.h"
#include "core/random.h"
#include "gamewin/board_view.h"
#include "gamewin/engine_seats.h"
#include "gamewin/minimise_guard.h"
#include "gamewin/qt_timer_host.h"
#include "gamewin/result_panel.h"
#include "gamewin/score_strip.h"
#include "gamewin/status_strip.h"
#include "gamewin/thinking_indicator.h"
#include "gamewin/thread_search_runner.h"
#include "gamewin/window_chrome.h"
#include "gamewin/window_decoration.h"
#include "platform/store/token_detail.h"

namespace tomelin {

GameWindow::GameWindow(QWidget* parent, TimerHost* timers, RandomSource* random)
    : QWidget(parent), m_keeper([this](const std::string& reason) {
          emit keepRefused(QString::fromStdString(reason));
      }) {
    setObjectName(QStringLiteral("Tomel"));
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setWindowTitle(QStringLiteral("Tomelin"));
    if (!random) {
        m_ownRandom = std::make_unique<MtRandomSource>();
        random = m_ownRandom.get();
    }
    m_random = random;
    if (!timers) {
        // While the thinking indicator is paced, the turn change that runs the search is
        // still due; its timer must not start the turn change again inside itself.
        m_ownTimers = std::make_unique<QtTimerHost>([this](GameTimer t) {
            if (!m_view->pacing())
                m_game->onTimer(t);
        });
        timers = m_ownTimers.get();
    }
    m_game = std::make_unique<Game>(*timers, *random);
    buildParts();
    m_minimise =
        new MinimiseGuard(*this, [this](bool minimised) { m_game->setMinimized(minimised); });
    m_view = std::make_unique<GameView>(*m_game,
                                        GameWindowParts{*m_chrome, *m_status, *m_boardBox, *m_board,
                                                        *m_score, *m_result, *m_thinking},
                                        *m_random);
    if (m_ownTimers)
        m_view->setThinkingTime(kThinkingTimeMs);
    m_seats = new EngineSeats(this);
    m_game->setPlayerMaker([this](PlayerKind kind, const PlayerServices& services) {
        return m_seats->makeSeat(kind, services);
    });
    wireParts();
    m_game->setObserver(m_view.get());
    m_searchRunner = std::make_unique<ThreadSearchRunner>();
    m_game->setSearchRunner(m_searchRunner.get());
    m_hint = std::make_unique<HintSearch>(*m_game, *m_searchRunner);
    m_hint->setObserver(m_view.get());
    connect(m_board, &BoardView::hintKey, m_board, [this] { m_hint->request(); });
    setWindowHeight(startHeight(screenHeight()));
}

GameWindow::~GameWindow() {
    m_seats->endAll();
    // The game must not report into half-destroyed widgets.
    m_game->setObserver(nullptr);
    m_hint.reset();
    m_game->setSearchRunner(nullptr);
    m_searchRunner.reset();
}

void GameWindow::buildParts() {
    m_chrome = new WindowChrome(*this);
    m_status = new StatusStrip(this);
    m_boardBox = new QWidget(this);
    m_board = new BoardView(m_boardBox);
    m_board->setObjectName(QStringLiteral("PL"));
    m_score = new ScoreStrip(this);
    m_result = new ResultPanel(m_boardBox);
    m_thinking = new ThinkingIndicator(m_boardBox);
    m_thinking->hide();
    m_chrome->raiseOverParts();
    m_chrome->followInTabOrder(m_board);
    m_board->setAccessibleName(QCoreApplication::translate("GameWindow", "Hrací pole"));
    m_board->setAccessibleDescription(QCoreApplication::translate(
        "GameWindow",
        "Šipky posouvají kurzor, mezerník nebo Insert vybírá políčko, Z vrací tah, "
        "Y ho vrací zpět, N ukáže radu."));
}

void GameWindow::wireParts() {
    connect(m_board, &BoardView::musicKey, this, &GameWindow::musicToggleRequested);
    m_view->onTurn = [this] { m_keeper.keep(*m_game, m_boardName.toStdString(), m_view->look()); };
    m_view->isExternal = [this](Player player) { return m_seats->seated(player); };
    connect(m_seats, &EngineSeats::failed, this, [this](const QString& message) {
        // Left as kept at the last turn change: "Pokračovat ve hře" offers it again.
        m_game->leave();
        m_setup = m_game->setup();
        m_result->hide();
        hide();
        emit engineFailed(message);
        emit newGameRequested();
    });
    m_view->onEnd = [this](int tokens1, int tokens2, int /*winner: follows from the counts*/) {
        m_seats->endAll();
        m_keeper.record(*m_game, m_boardName.toStdString(), m_setup, m_view->look(), tokens1,
                        tokens2);
    };

    WindowChrome* c = m_chrome;
    connect(c, &WindowChrome::closeClicked, this, [this] { close(); });
    connect(c, &WindowChrome::musicClicked, this, &GameWindow::musicToggleRequested);
    connect(c, &WindowChrome::minimiseClicked, m_minimise, &MinimiseGuard::minimise);
    connect(c, &WindowChrome::takeBackClicked, this, &GameWindow::takeBack);
    connect(c, &WindowChrome::aboutClicked, this, &GameWindow::aboutRequested);
    connect(c, &WindowChrome::restartChosen, this, &GameWindow::restartGame);
    connect(c, &WindowChrome::newGameChosen, this, &GameWindow::newGame);
    connect(c, &WindowChrome::quitChosen, this, &GameWindow::quitRequested);
    connect(c, &WindowChrome::heightStepChosen, this, &GameWindow::stepHeight);

    // The board takes every mouse button as a click; the strips around it offer the menu.
    auto* copyFen = new QAction(tr("Kopírovat pozici jako FEN"), this);
    copyFen->setObjectName(QStringLiteral("copyFen"));
    copyFen->setShortcut(QKeySequence::Copy);
    copyFen->setShortcutContext(Qt::WindowShortcut);
    connect(copyFen, &QAction::triggered, this, &GameWindow::copyPositionFen);
    addAction(copyFen);
    for (QWidget* strip : {static_cast<QWidget*>(m_status), static_cast<QWidget*>(m_score)}) {
        strip->addAction(copyFen);
        strip->setContextMenuPolicy(Qt::ActionsContextMenu);
    }
}

void GameWindow::copyPositionFen() {
    const Position& position = m_game->position();
    if (position.side() < 2 || m_game->setup().board.empty())
        return;
    QGuiApplication::clipboard()->setText(QString::fromStdString(writeFen(position)));
}

int GameWindow::screenHeight() const {
    const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    return s ? s->geometry().height() : 768;
}

// ---- setup ------------------------------------------------------------------------------

void GameWindow::setStore(Store* store) {
    m_keeper.setStore(store);
    if (store)
        m_view->look().detail = loadTokenDetail(*store).level;
}

void GameWindow::setBoardName(const QString& name) {
    m_boardName = name;
    m_chrome->setBoardName(name);
}

void GameWindow::setGameSetup(const GameSetup& setup) {
    m_setup = setup;
    m_view->setNames(setup.names());
}

void GameWindow::setPlayerStyle(int player, const PlayerStyle& style) {
    if (player != 1 && player != 2)
        return;
    m_view->look().styles[static_cast<std::size_t>(player)] = style;
}

const PlayerStyle& GameWindow::playerStyle(int player) const {
    return m_view->look().styles[static_cast<std::size_t>(player == 2 ? 2 : 1)];
}

void GameWindow::setPlayerCursor(int player, const QCursor& cursor) {
    m_view->setPlayerCursor(player, cursor);
}

void GameWindow::setThinkingTime(int ms) {
    m_view->setThinkingTime(ms);
}

void GameWindow::redrawBoard() {
    m_view->redrawBoard();
}

void GameWindow::setEnginePrograms(const std::array<QString, 2>& programs) {
    m_seats->setPrograms(programs);
}

bool GameWindow::startGame() {
    m_result->hide();
    if (m_game->start(m_setup))
        return false;
    // The game lays its board a moment later; the window's first frame shows it already.
    m_view->showStartingBoard(m_setup);
    // A new game replaces the kept one: its first turn change keeps it instead.
    m_keeper.newGame();
    showForGame();
    return true;
}

bool GameWindow::resumeGame(const GameSnapshot& snapshot) {
    if (checkSnapshot(snapshot))
        return false;
    m_result->hide();
    setBoardName(QString::fromStdString(snapshot.boardName));
    for (int p = 1; p <= 2; ++p) {
        const SnapshotToken& t = snapshot.tokens[static_cast<std::size_t>(p - 1)];
        setPlayerStyle(p, PlayerStyle{t.colour, t.shape, t.secondColour});
    }
    // The setup window's pictures belong to its own tokens: draw the kept ones instead.
    m_view->forgetPlayerCursors();
    // A kept game is resumed by the players it names: an engine's seat by a person.
    m_seats->endAll();
    m_seats->setPrograms({});
    setGameSetup(snapshot.setup);
    m_keeper.resumed();
    if (tomelin::resumeGame(*m_game, snapshot))
        return false;
    showForGame();
    return true;
}

void GameWindow::showForGame() {
    m_chrome->setSizeCornerEnabled(true);
    m_minimise->showForGame();
    // The keys steer the board's cursor without a click on the board first.
    m_board->setFocus();
}

// ---- size -------------------------------------------------------------------------------

void GameWindow::setWindowHeight(int height) {
    // Below this the board would have no room at all; the height steps never go there.
    m_layout = layoutForHeight(std::max(height, kMinimumHeight));
    applyLayout();
    m_view->redrawAll();
    m_chrome->setHeightSteps(canShrink(), canGrow());
}

void GameWindow::stepHeight(bool grow) {
    const int step = heightStep(screenHeight());
    setWindowHeight(windowHeight() + (grow ? step : -step));
}

bool GameWindow::canGrow() const {
    return mayGrow(windowHeight(), screenHeight());
}

bool GameWindow::canShrink() const {
    return mayShrink(windowHeight(), screenHeight());
}

void GameWindow::applyLayout() {
    const WindowLayout& l = m_layout;
    setFixedSize(l.window);
    m_decoration = paintDecoration(l, *m_random,
                                   std::max(1, static_cast<int>(std::lround(devicePixelRatioF()))));
    m_chrome->applyLayout(l);
    m_status->setGeometry(l.statusStrip);
    m_boardBox->setGeometry(l.board);
    m_board->setGeometry(0, 0, l.board.width(), l.board.height());
    m_score->setGeometry(l.scoreBar);
    m_score->fitLabels();
    m_result->setGeometry(l.resultPanel);
    m_view->relayout(l);
    move(Vycentrovat(screen() ? screen()->geometry() : QRect(0, 0, 1024, 768), l.window));
    update();
}

// ---- actions ----------------------------------------------------------------------------

void GameWindow::restartGame() {
    m_game->restart();
    m_keeper.drop();
    m_result->hide();
    m_chrome->setSizeCornerEnabled(true);
}

void GameWindow::newGame() {
    m_seats->endAll();
    m_game->leave();
    m_keeper.drop();
    m_setup = m_game->setup();
    m_result->hide();
    hide();
    emit newGameRequested();
}

void GameWindow::takeBack() {
    m_view->takeBack();
}

// ---- window events ----------------------------------------------------------------------

void GameWindow::closeEvent(QCloseEvent* event) {
    // The game window never closes: the request only offers to end the program.
    event->ignore();
    m_chrome->offerQuit();
}

void GameWindow::paintEvent(QPaintEvent* /*event*/) {
    QPainter p(this);
    p.drawImage(0, 0, m_decoration);
}

}  // namespace tomelin

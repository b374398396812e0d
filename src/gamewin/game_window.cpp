#include "gamewin/game_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <algorithm>

#include "core/random.h"
#include "gamewin/board_view.h"
#include "gamewin/game_texts.h"
#include "gamewin/qt_timer_host.h"
#include "gamewin/thread_search_runner.h"
#include "gamewin/title_bar.h"
#include "gamewin/tool_button.h"
#include "gamewin/toolbar_pictures.h"
#include "gamewin/window_decoration.h"
#include "platform/draw/image_surface.h"
#include "platform/store/token_detail.h"

namespace tomelin {

namespace texts {
const QString kTitle = QStringLiteral("Tomelin");
const QString kTitlePrefix = QStringLiteral("Tomelin - ");
const std::array<QString, 8> kToolTips{QStringLiteral("Zavřít"),
                                       QStringLiteral("Hudba"),
                                       QStringLiteral("Pauza-Minimalizovat"),
                                       QStringLiteral("Restart hry"),
                                       QStringLiteral("Nová hra"),
                                       QString(),
                                       QStringLiteral("O programu"),
                                       QStringLiteral("Nelze vrátit zpět ")};
const QString kSure = QStringLiteral("Opravdu?");
const QString kRestart = QStringLiteral("Restartovat hru");
const QString kNewGame = QStringLiteral("Novou hru");
const QString kSureQuit = QStringLiteral("Opravdu skončit?");
const QString kQuit = QStringLiteral("Opravdu skončit");
const QString kShrink = QStringLiteral("Zmenšit okno");
const QString kGrow = QStringLiteral("Zvětšit okno");
}  // namespace texts

namespace {

QLabel* makeLabel(QWidget* parent, Qt::Alignment align, int pointSize, bool bold) {
    auto* label = new QLabel(parent);
    label->setAlignment(align | Qt::AlignVCenter);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    QFont f = label->font();
    f.setPointSize(pointSize);
    f.setBold(bold);
    label->setFont(f);
    return label;
}

void setTextColour(QLabel& label, Rgb colour) {
    QPalette pal = label.palette();
    pal.setColor(QPalette::WindowText, toQColor(colour));
    label.setPalette(pal);
}

QFrame* makePanel(QWidget* parent, const QString& name) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(name);
    panel->setStyleSheet(
        QStringLiteral("QFrame#%1 { background: rgb(28, 32, 40); "
                       "border: 2px solid rgb(120, 128, 146); border-radius: 6px; }")
            .arg(name));
    return panel;
}

}  // namespace

GameWindow::GameWindow(QWidget* parent, TimerHost* timers, RandomSource* random) : QWidget(parent) {
    setObjectName(QStringLiteral("Tomel"));
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setWindowTitle(texts::kTitle);
    if (!random) {
        m_ownRandom = std::make_unique<MtRandomSource>();
        random = m_ownRandom.get();
    }
    m_random = random;
    if (!timers) {
        // While the thinking indicator is paced, the turn change that runs the search is
        // still due; its timer must not start the turn change again inside itself.
        m_ownTimers = std::make_unique<QtTimerHost>([this](GameTimer t) {
            if (!m_pacing)
                m_game->onTimer(t);
        });
        timers = m_ownTimers.get();
        m_thinkingTime = kThinkingTimeMs;
    }
    m_game = std::make_unique<Game>(*timers, *random);
    m_look.styles = {PlayerStyle{}, kDefaultStyle1, kDefaultStyle2};
    buildParts();
    buildMenus();
    m_painter = std::make_unique<BoardPainter>(m_board->surface(), *m_random);
    m_game->setObserver(this);
    m_searchRunner = std::make_unique<ThreadSearchRunner>();
    m_game->setSearchRunner(m_searchRunner.get());
    m_game->setSearchObserver(this);
    setWindowHeight(startHeight(screenHeight()));
}

GameWindow::~GameWindow() {
    // The game must not report into half-destroyed widgets.
    m_game->setObserver(nullptr);
    m_game->setSearchObserver(nullptr);
    m_game->setSearchRunner(nullptr);
    m_searchRunner.reset();
}

void GameWindow::buildParts() {
    m_title = new TitleBar(this, true);
    m_inactiveTitle = new TitleBar(this, false);
    m_inactiveTitle->hide();
    for (int i = 0; i < kToolbarPictureCount; ++i) {
        m_toolImages[static_cast<std::size_t>(i)] = toolbarPicture(i);
        auto* b = new ToolButton(m_title, m_toolImages[static_cast<std::size_t>(i)],
                                 texts::kToolTips[static_cast<std::size_t>(i)]);
        b->setObjectName(QStringLiteral("Picture13_%1").arg(i));
        m_tools[static_cast<std::size_t>(i)] = b;
    }
    connect(m_tools[0], &ToolButton::clicked, this, [this] { close(); });
    connect(m_tools[1], &ToolButton::clicked, this, &GameWindow::musicToggleRequested);
    connect(m_tools[2], &ToolButton::clicked, this, [this] {
        m_minimiseAsked = true;
        showMinimized();
    });
    connect(m_tools[3], &ToolButton::clicked, this,
            [this] { popUp(m_externalMenus[0] ? *m_externalMenus[0] : *m_restartMenu); });
    connect(m_tools[4], &ToolButton::clicked, this,
            [this] { popUp(m_externalMenus[1] ? *m_externalMenus[1] : *m_newGameMenu); });
    connect(m_tools[5], &ToolButton::clicked, this, &GameWindow::takeBack);
    connect(m_tools[6], &ToolButton::clicked, this, &GameWindow::aboutRequested);
    // The overlay (7) lies over the take-back button and swallows its clicks.

    m_status = new PictureBox(this, rgb(16, 18, 24));
    for (int p = 0; p < 2; ++p) {
        m_names[static_cast<std::size_t>(p)] =
            makeLabel(m_status, p == 0 ? Qt::AlignLeft : Qt::AlignRight, 10, false);
        // It shows the whole name as a tooltip when the name is cut.
        m_names[static_cast<std::size_t>(p)]->setAttribute(Qt::WA_TransparentForMouseEvents, false);
        m_clocks[static_cast<std::size_t>(p)] =
            makeLabel(m_status, p == 0 ? Qt::AlignLeft : Qt::AlignRight, 9, false);
        setTextColour(*m_names[static_cast<std::size_t>(p)], kWhite);
        setTextColour(*m_clocks[static_cast<std::size_t>(p)], kWhite);
    }

    m_boardBox = new QWidget(this);
    m_board = new BoardView(m_boardBox);
    m_board->setObjectName(QStringLiteral("PL"));
    m_board->setPersonToMove([this] { return m_game->playerKind(m_game->playerToMove()) == 0; });
    connect(m_board, &PictureBox::pressed, this, [this](QPointF pos, Qt::MouseButton) {
        if (const auto cell = cellAt(pos.x(), pos.y(), m_painter->cellW(), m_painter->cellH()))
            m_game->PL_MouseDown(*cell);
    });
    connect(m_board, &BoardView::musicKey, this, &GameWindow::musicToggleRequested);
    connect(m_board, &BoardView::takeBackKey, this, &GameWindow::takeBack);
    connect(m_board, &BoardView::hintKey, this, [this] { m_game->requestHint(); });
    connect(m_board, &BoardView::redoKey, this, [this] { m_game->redo(); });

    m_score = new PictureBox(this, rgb(255, 255, 255));
    m_counts[0] = makeLabel(m_score, Qt::AlignLeft, 9, true);
    m_counts[1] = makeLabel(m_score, Qt::AlignRight, 9, true);
    m_difference = makeLabel(m_score, Qt::AlignCenter, 9, true);
    // " n. TAH" lies in the lower panel with the counts, beside the difference.
    m_moveLabel = makeLabel(m_score, Qt::AlignCenter, 8, true);
    setTextColour(*m_moveLabel, rgb(230, 232, 240));

    m_result = makePanel(m_boardBox, QStringLiteral("result"));
    m_winner = new PictureBox(m_result, rgb(0, 0, 0));
    m_winner->setGeometry(12, 16, 200, 150);
    m_resultName = makeLabel(m_result, Qt::AlignCenter, 14, true);
    m_resultName->setWordWrap(true);
    m_resultName->setGeometry(8, 176, 209, 96);
    setTextColour(*m_resultName, kWhite);
    m_result->hide();

    m_thinking = makePanel(m_boardBox, QStringLiteral("thinking"));
    m_thinkingToken = new PictureBox(m_thinking, rgb(28, 32, 40));
    m_thinkingToken->setGeometry(10, 8, 64, 48);
    m_thinkingToken->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_percent = makeLabel(m_thinking, Qt::AlignCenter, 20, true);
    m_percent->setGeometry(80, 8, 148, 48);
    setTextColour(*m_percent, kWhite);
    m_progress = new PictureBox(m_thinking, rgb(10, 12, 16));
    m_progress->setGeometry(10, 62, 218, 12);
    m_thinking->hide();

    m_sizeCorner = new ClickArea(this);
    m_sizeCorner->setObjectName(QStringLiteral("Image10"));
    connect(static_cast<ClickArea*>(m_sizeCorner), &ClickArea::clicked, this,
            [this] { popUp(m_externalMenus[3] ? *m_externalMenus[3] : *m_sizeMenu); });
    m_tools[7]->raise();
    m_tools[7]->show();
}

void GameWindow::buildMenus() {
    const auto single = [this](const QString& title, const QString& item, auto slot) {
        auto* menu = new QMenu(title, this);
        connect(menu->addAction(item), &QAction::triggered, this, slot);
        return menu;
    };
    m_restartMenu = single(texts::kSure, texts::kRestart, [this] { restartGame(); });
    m_newGameMenu = single(texts::kSure, texts::kNewGame, [this] { newGame(); });
    m_quitMenu = single(texts::kSureQuit, texts::kQuit, [this] { emit quitRequested(); });
    m_sizeMenu = new QMenu(QStringLiteral("Hght"), this);
    m_shrinkAction = m_sizeMenu->addAction(texts::kShrink);
    m_growAction = m_sizeMenu->addAction(texts::kGrow);
    connect(m_shrinkAction, &QAction::triggered, this, [this] { stepHeight(false); });
    connect(m_growAction, &QAction::triggered, this, [this] { stepHeight(true); });
}

void GameWindow::useMenus(QMenu* restart, QMenu* newGame, QMenu* quit, QMenu* size) {
    m_externalMenus = {restart, newGame, quit, size};
}

void GameWindow::popUp(QMenu& menu) {
    menu.popup(QCursor::pos());
}

int GameWindow::screenHeight() const {
    const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    return s ? s->geometry().height() : 768;
}

// ---- setup ------------------------------------------------------------------------------

void GameWindow::setStore(Store* store) {
    m_store = store;
    if (store)
        m_look.detail = loadTokenDetail(*store).level;
}

void GameWindow::setBoardName(const QString& name) {
    m_boardName = name;
    m_title->setText(name.isEmpty() ? texts::kTitle : texts::kTitlePrefix + name);
}

void GameWindow::setGameSetup(const GameSetup& setup) {
    m_setup = setup;
    showNames();
}

void GameWindow::setPlayerStyle(int player, const PlayerStyle& style) {
    if (player != 1 && player != 2)
        return;
    m_look.styles[static_cast<std::size_t>(player)] = style;
}

const PlayerStyle& GameWindow::playerStyle(int player) const {
    return m_look.styles[static_cast<std::size_t>(player == 2 ? 2 : 1)];
}

bool GameWindow::startGame() {
    m_result->hide();
    if (m_game->start(m_setup))
        return false;
    // A new game replaces the kept one: its first turn change keeps it instead.
    dropKeptGame();
    m_keepRefusalTold = false;
    m_sizeCorner->setEnabled(true);
    // A window minimised by "Pauza-Minimalizovat" keeps that state while hidden; shown as
    // it is, every later game would start minimised, with nothing on the screen.
    setWindowState(windowState() & ~Qt::WindowMinimized);
    m_minimiseAsked = false;
    m_shownAt.start();
    show();
    raise();
    activateWindow();
    // The keys steer the board's cursor without a click on the board first.
    m_board->setFocus();
    return true;
}

// ---- size -------------------------------------------------------------------------------

void GameWindow::setWindowHeight(int height) {
    // Below this the board would have no room at all; the height steps never go there.
    m_layout = Rozmery(std::max(height, kMinimumHeight));
    applyLayout();
    if (m_game->board().side() > 0) {
        // A person's open selection is cancelled as by a full redraw; the computer's
        // pending move keeps its selection, which is drawn again below.
        if (m_game->selectionState() == 1 && m_game->personMayClick())
            m_game->PLKlik(-1, -1);
        Prekr();
        if (m_game->selectionState() == 1) {
            const CellPos s = m_game->selected();
            ringsChanged(s.x, s.y);
        }
        drawScore(m_lastScore[0], m_lastScore[1]);
    }
    m_shrinkAction->setEnabled(canShrink());
    m_growAction->setEnabled(canGrow());
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
    m_decoration = paintDecoration(l, *m_random);
    m_title->setGeometry(l.titleBar);
    m_inactiveTitle->setGeometry(l.titleBar);
    m_title->paintStrip();
    m_inactiveTitle->paintStrip();
    for (std::size_t i = 0; i < 7; ++i)
        m_tools[i]->move(l.toolButtons[i].topLeft());
    m_tools[7]->move(l.toolButtons[5].topLeft());
    m_status->setGeometry(l.statusStrip);
    m_boardBox->setGeometry(l.board);
    m_board->setGeometry(0, 0, l.board.width(), l.board.height());
    m_score->setGeometry(l.scoreBar);
    for (QLabel* c : m_counts)
        c->setGeometry(0, 0, l.scoreBar.width(), l.scoreBar.height());
    m_difference->resize(m_difference->width(), l.scoreBar.height());
    placeMoveLabel();
    m_result->setGeometry(l.resultPanel);
    m_thinking->setGeometry(
        QRect(QPoint(thinkingLeft(m_turn, l.board.width()), l.thinking.top()), l.thinking.size()));
    m_sizeCorner->setGeometry(l.sizeCorner);
    move(Vycentrovat(screen() ? screen()->geometry() : QRect(0, 0, 1024, 768), l.window));
    update();
}

// ---- actions ----------------------------------------------------------------------------

void GameWindow::restartGame() {
    m_game->NG_Click();
    dropKeptGame();
    m_result->hide();
    m_sizeCorner->setEnabled(true);
}

void GameWindow::newGame() {
    m_game->UNG_Click();
    dropKeptGame();
    m_setup = m_game->setup();
    m_result->hide();
    hide();
    emit newGameRequested();
}

void GameWindow::setCaptionInactive(bool inactive) {
    m_inactiveTitle->setVisible(inactive);
    if (inactive)
        m_inactiveTitle->raise();
}

bool GameWindow::captionInactive() const {
    return m_inactiveTitle->isVisibleTo(this);
}

void GameWindow::takeBack() {
    m_game->TZ_Click(2);
}

QImage& GameWindow::toolbarImage(int index) {
    return m_toolImages[static_cast<std::size_t>(std::clamp(index, 0, kToolbarPictureCount - 1))];
}

void GameWindow::refreshToolbar() {
    for (std::size_t i = 0; i < m_tools.size(); ++i)
        m_tools[i]->setPicture(m_toolImages[i]);
}

// ---- window events ----------------------------------------------------------------------

void GameWindow::closeEvent(QCloseEvent* event) {
    // The game window never closes: the request only offers to end the program.
    event->ignore();
    popUp(m_externalMenus[2] ? *m_externalMenus[2] : *m_quitMenu);
}

void GameWindow::paintEvent(QPaintEvent* /*event*/) {
    QPainter p(this);
    p.drawImage(0, 0, m_decoration);
}

void GameWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::WindowStateChange && isMinimized() && !m_minimiseAsked &&
        m_shownAt.isValid() && m_shownAt.elapsed() < kStartSettleMs) {
        // On X, a window once minimised and then restored by the window manager keeps asking
        // to be mapped minimised (Qt leaves its initial-state hint), so the window manager
        // minimises every later START at once. Nobody asked for that: show it normally.
        QTimer::singleShot(0, this, [this] {
            setWindowState(windowState() & ~Qt::WindowMinimized);
            show();
            raise();
            activateWindow();
        });
    }
    if (event->type() == QEvent::WindowStateChange)
        m_game->setMinimized(isMinimized());
    QWidget::changeEvent(event);
}

}  // namespace tomelin

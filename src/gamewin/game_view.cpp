#include "gamewin/game_view.h"

#include <QApplication>
#include <QBitmap>
#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include "core/fen.h"
#include "core/person_input.h"
#include "gamewin/board_view.h"
#include "gamewin/game_texts.h"
#include "gamewin/result_panel.h"
#include "gamewin/score_strip.h"
#include "gamewin/status_strip.h"
#include "gamewin/thinking_indicator.h"
#include "gamewin/window_chrome.h"
#include "platform/draw/image_surface.h"

namespace tomelin {

GameView::GameView(Game& game, const GameWindowParts& parts, RandomSource& random)
    : m_game(game), m_parts(parts), m_random(random), m_painter(parts.board.surface(), random) {
    m_look.styles = {PlayerStyle{}, kDefaultStyle1, kDefaultStyle2};
    // What a person does on the board goes to the game.
    BoardView& board = m_parts.board;
    board.setPersonToMove([this] {
        const Player p = m_game.playerToMove();
        return m_game.setup().player(p).kind == PlayerKind::Person &&
               !(isExternal && isExternal(p));
    });
    QObject::connect(&board, &PictureBox::pressed, &board, [this](QPointF pos, Qt::MouseButton) {
        if (isExternal && isExternal(m_game.playerToMove()))
            return;
        if (const auto cell = cellUnder(pos))
            pressCell(m_game, *cell);
    });
    board.setCellText([this](CellPos cell) { return cellText(cell); });
    QObject::connect(&board, &BoardView::takeBackKey, &board, [this] { takeBack(); });
    QObject::connect(&board, &BoardView::redoKey, &board, [this] { redo(); });
    m_masterTimer = new QTimer(&board);
    m_masterTimer->setInterval(kMasterTickMs);
    QObject::connect(m_masterTimer, &QTimer::timeout, &board, [this] { masterTick(); });
}

void GameView::masterTick() {
    const int budget = std::max(1, m_game.masterMoveTimeMs());
    const double used = std::min(0.99, static_cast<double>(m_searchClock.elapsed()) / budget);
    const Rgb colour = m_look.styles[static_cast<std::size_t>(number(m_turn))].secondColour;
    m_parts.thinking.showFraction(used, colour);
    m_parts.thinking.setPercent(QString::fromStdString(percentText(static_cast<int>(used * 100))));
}

void GameView::stopMasterTicks() {
    m_masterThinking = false;
    m_masterTimer->stop();
}

QString GameView::cellText(CellPos cell) const {
    const Position& position = m_game.position();
    const QString square =
        QString::fromStdString(squareName(position.side(), Cell{cell.x, cell.y}));
    switch (position.at(cell.x, cell.y)) {
        case kToken1:
        case kToken2: {
            const int player = position.at(cell.x, cell.y) == kToken1 ? 1 : 2;
            const std::string& name = m_names[static_cast<std::size_t>(player - 1)];
            if (name.empty()) {
                //: What a screen reader says of a board cell holding a token: the square, the player.
                return QCoreApplication::translate("GameWindow", "%1, hráč %2")
                    .arg(square)
                    .arg(player);
            }
            //: What a screen reader says of a board cell holding a token: the square, the
            //: player, the player's name.
            return QCoreApplication::translate("GameWindow", "%1, hráč %2 (%3)")
                .arg(square)
                .arg(player)
                .arg(QString::fromStdString(name));
        }
        case kFreeCell:
            //: What a screen reader says of an empty board cell.
            return QCoreApplication::translate("GameWindow", "%1, volné").arg(square);
        default:
            //: What a screen reader says of a board cell that is not played on (a hole).
            return QCoreApplication::translate("GameWindow", "%1, mimo hru").arg(square);
    }
}

void GameView::setNames(const std::array<std::string, 2>& names) {
    m_names = names;
    m_parts.status.setNames(names);
}

std::optional<CellPos> GameView::cellUnder(QPointF position) const {
    return cellAt(position.x(), position.y(), m_painter.cellW(), m_painter.cellH());
}

void GameView::redrawBoard() {
    m_look.kinds = {0, kindNumber(m_game.setup().players[0].kind),
                    kindNumber(m_game.setup().players[1].kind)};
    const Board board = m_game.position().toBoard();
    // 2: clear the pictures (the status strip clears its own below).
    m_parts.board.clearPicture();
    m_parts.score.clearPicture();
    // 3-6: the cell size from the picture, the ray widths from the cell width.
    m_painter.setGeometry(m_parts.board.width(), m_parts.board.height(), board.side());
    m_parts.board.setCellSize(m_painter.cellW(), m_painter.cellH());
    m_parts.board.setSide(board.side());
    m_parts.board.setRayWidths(rayWidths(m_painter.cellW()));
    // 7-9: names, tokens and clocks in the status strip.
    m_parts.status.redraw(m_look, m_random);
    // 11: every cell.
    m_painter.drawAll(board, m_look);
    m_parts.board.surface().refresh();
}

void GameView::showStartingBoard(const GameSetup& setup) {
    Board board;
    if (LoadBoardString(board, setup.board))
        return;
    BoardView& view = m_parts.board;
    view.setSelection(std::nullopt);
    view.setHint(std::nullopt, std::nullopt);
    view.setLastMove(std::nullopt, std::nullopt);
    view.clearRays();
    view.hideKeyCursor();
    m_parts.thinking.hide();
    m_parts.result.hide();
    m_look.kinds = {0, kindNumber(setup.players[0].kind), kindNumber(setup.players[1].kind)};
    view.clearPicture();
    m_parts.score.clearPicture();
    m_painter.setGeometry(view.width(), view.height(), board.side());
    view.setCellSize(m_painter.cellW(), m_painter.cellH());
    view.setRayWidths(rayWidths(m_painter.cellW()));
    m_parts.status.setMover(0, kWhite);
    for (int p = 1; p <= 2; ++p) {
        const auto i = static_cast<std::size_t>(p - 1);
        const PlayerSetup& player = setup.players[i];
        const bool clock = player.kind == PlayerKind::Person && player.timeLimit.limited();
        m_parts.status.setClockText(
            p,
            clock ? QString::fromStdString(clockText(player.timeLimit.clockStart())) : QString());
        m_parts.status.setClockColour(p, kWhite);
    }
    m_parts.status.redraw(m_look, m_random);
    m_painter.drawAll(board, m_look);
    view.surface().refresh();
    const Board::Counts counts = board.count();
    m_lastScore = {counts.tokens1, counts.tokens2};
    m_parts.score.showDifference();
    drawScore();
    m_parts.score.setMoveNumber(0);
}

void GameView::takeBack() {
    m_game.takeBack(2);  // the game parks the last-move markers itself
}

void GameView::redo() {
    m_game.redo();
}

void GameView::relayout(const WindowLayout& l) {
    m_thinkingTop = l.thinking.top();
    m_parts.thinking.setGeometry(
        QRect(QPoint(thinkingLeft(number(m_turn), l.board.width()), l.thinking.top()),
              l.thinking.size()));
}

void GameView::redrawAll() {
    if (m_game.position().side() <= 0)
        return;
    // A person's open selection is cancelled as by a full redraw; the computer's pending
    // move keeps its selection, which is drawn again below.
    dropPersonSelection(m_game);
    redrawBoard();
    if (m_game.selection().state() == 1) {
        const CellPos s = m_game.selection().selected();
        ringsChanged(s.x, s.y);
    }
    drawScore();
}

// ---- GameObserver -----------------------------------------------------------------------

void GameView::cellChanged(int x, int y) {
    m_painter.drawCell(m_game.position().toBoard(), m_look, x, y);
    m_parts.board.cellContentChanged(CellPos{x, y});
}

void GameView::ringsChanged(int x, int y) {
    const PlayerStyle& mover =
        m_look.styles[static_cast<std::size_t>(number(m_game.playerToMove()))];
    m_painter.drawRings(m_game.position().toBoard(), m_game.selection().marks(),
                        Directions::of(m_game.logic()), mover, x, y);
}

void GameView::boardReset() {
    stopMasterTicks();
    m_parts.thinking.hide();
    // A new board: the key cursor of the last one is not carried over.
    m_parts.board.hideKeyCursor();
    redrawBoard();
    m_parts.score.showDifference();
    m_parts.result.setVisible(m_game.resultShown());
    m_parts.chrome.setSizeCornerEnabled(!m_game.gameOver());
    m_parts.board.setEnabled(m_game.boardEnabled());
}

void GameView::selectionMarkerChanged(const CellPos* cell) {
    m_parts.board.setSelection(cell ? std::optional<CellPos>(*cell) : std::nullopt);
}

void GameView::hintChanged(const Move* move) {
    if (move)
        m_parts.board.setHint(move->from, move->to);
    else
        m_parts.board.setHint(std::nullopt, std::nullopt);
}

void GameView::lastMoveChanged(const CellPos* source, const CellPos* target) {
    m_parts.board.setLastMove(source ? std::optional<CellPos>(*source) : std::nullopt,
                              target ? std::optional<CellPos>(*target) : std::nullopt);
}

void GameView::captureRay(CellPos from, CellPos to) {
    m_parts.board.setRay(from, to);
}

void GameView::rayParked() {
    m_parts.board.parkRay();
}

void GameView::scoreChanged(int tokens1, int tokens2, int /*freeCells*/) {
    m_lastScore = {tokens1, tokens2};
    drawScore();
}

void GameView::drawScore() {
    m_parts.score.showScore(m_lastScore[0], m_lastScore[1], m_look.styles[1].colour,
                            m_look.styles[2].colour, m_painter.boardPicW());
}

void GameView::gameEnded(int tokens1, int tokens2, int winner) {
    if (onEnd)
        onEnd(tokens1, tokens2, winner);
    if (winner == 1 || winner == 2) {
        const auto w = static_cast<std::size_t>(winner);
        m_parts.result.showResult(&m_look.styles[w],
                                  kindNumber(m_game.setup().player(playerOf(winner)).kind),
                                  QString::fromStdString(m_names[w - 1]), m_look.detail, m_random);
    } else {
        m_parts.result.showResult(nullptr, 0, QString(), m_look.detail, m_random);
    }
    m_parts.chrome.setSizeCornerEnabled(false);
    // The game is over: nobody is to move any more.
    m_parts.status.setMover(0, kWhite);
}

void GameView::moveNumberChanged(int number) {
    m_parts.score.setMoveNumber(number);
}

void GameView::turnChanged(Player player) {
    m_turn = player;
    stopMasterTicks();
    m_parts.thinking.hide();
    const auto p = static_cast<std::size_t>(number(player));
    const PlayerStyle& s = m_look.styles[p];
    m_parts.board.setCursor(playerCursor(player));
    m_parts.status.setMover(number(player), s.secondColour);
    m_parts.board.setRayColours({s.colour, s.secondColour, kWhite});
    m_parts.thinking.move(thinkingLeft(number(player), m_parts.boardBox.width()), m_thinkingTop);
    m_parts.thinking.showToken(s, m_look.kinds[p], m_look.detail, m_random);
    if (onTurn)
        onTurn();
}

void GameView::setPlayerCursor(int player, const QCursor& cursor) {
    if (player != 1 && player != 2)
        return;
    m_cursors[static_cast<std::size_t>(player - 1)] = cursor;
    if (player == number(m_turn))
        m_parts.board.setCursor(cursor);
}

void GameView::forgetPlayerCursors() {
    m_cursors = {};
}

QCursor GameView::playerCursor(Player player) {
    if (const auto& given = m_cursors[static_cast<std::size_t>(number(player) - 1)])
        return *given;
    const PlayerStyle& s = m_look.styles[static_cast<std::size_t>(number(player))];
    // The player's token drawn alone, its black background left transparent.
    ImageSurface picture(32, 32, rgb(0, 0, 0));
    drawToken(picture, {0.25, 0.5, 16}, {.shape = s.shape, .colour = s.colour}, m_random);
    QPixmap pixmap = QPixmap::fromImage(picture.image());
    pixmap.setMask(pixmap.createMaskFromColor(Qt::black));
    return QCursor(pixmap, 16, 16);
}

void GameView::takeBackUnavailableChanged(bool unavailable) {
    m_parts.chrome.setTakeBackUnavailable(unavailable);
}

void GameView::thinkingChanged(bool visible) {
    // Hidden as soon as the search ends: the computer's two clicks follow on a board the
    // indicator no longer covers.
    m_parts.thinking.setVisible(visible);
    stopMasterTicks();
    if (visible) {
        m_parts.thinking.raise();
        m_searchClock.start();
        if (m_game.setup().player(m_turn).kind == PlayerKind::Master ||
            (isExternal && isExternal(m_turn))) {
            m_masterThinking = true;
            masterTick();
            m_masterTimer->start();
        }
    }
}

void GameView::paceSearch(int step, int scaleWidth) {
    if (m_thinkingTime <= 0 || !m_parts.thinking.isVisible() ||
        m_parts.board.window()->isMinimized() || step <= 0 || !m_searchClock.isValid())
        return;
    const qint64 due =
        static_cast<qint64>(std::min(step, scaleWidth)) * m_thinkingTime / scaleWidth;
    const qint64 wait = due - m_searchClock.elapsed();
    if (wait <= 0)
        return;
    // The window paints meanwhile, as the search lets the event loop run after each cell;
    // input waits until the search is over, and the game's own timers are not due (the
    // turn change that runs the search is, and is dropped).
    // A pop-up menu open (the quit or new-game question) ends the pacing at once: its keys
    // and clicks must not wait for the computer.
    if (QApplication::activePopupWidget() != nullptr)
        return;
    m_pacing = true;
    QEventLoop loop;
    QTimer::singleShot(static_cast<int>(wait), &loop, &QEventLoop::quit);
    QTimer popupWatch;
    QObject::connect(&popupWatch, &QTimer::timeout, &loop, [&loop] {
        if (QApplication::activePopupWidget() != nullptr)
            loop.quit();
    });
    popupWatch.start(10);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    m_pacing = false;
}

void GameView::moveMade(Player /*player*/, CellPos /*source*/, CellPos /*target*/) {
    stopMasterTicks();
    m_parts.thinking.hide();
}

void GameView::boardEnabledChanged(bool enabled) {
    m_parts.board.setEnabled(enabled);
}

void GameView::progressStep(int step, int scaleWidth, Player colourPlayer) {
    // PC Velmistr's depths come at uneven times; its bar shows the time used instead.
    if (scaleWidth <= 0 || m_masterThinking)
        return;
    paceSearch(step, scaleWidth);
    m_parts.thinking.progressStep(
        step, scaleWidth,
        m_look.styles[static_cast<std::size_t>(number(colourPlayer))].secondColour);
}

void GameView::progressCleared() {
    m_parts.thinking.clearProgress();
}

void GameView::searchProgressChanged(int percent) {
    m_parts.thinking.setPercent(QString::fromStdString(percentText(percent)));
    m_parts.board.window()->setWindowTitle(QString::fromStdString(searchCaption(percent)));
}

void GameView::clockTextChanged(Player player, const std::string& text) {
    m_parts.status.setClockText(number(player), QString::fromStdString(text));
}

void GameView::clockColourChanged(Player player, Rgb colour) {
    m_parts.status.setClockColour(number(player), colour);
}

}  // namespace tomelin

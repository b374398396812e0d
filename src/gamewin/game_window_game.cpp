// The game window's side of the running game: everything the game reports, drawn.

#include <QBitmap>
#include <QEventLoop>
#include <QPainter>
#include <QTimer>

#include "gamewin/board_view.h"
#include "gamewin/game_texts.h"
#include "gamewin/score_bar.h"
#include "gamewin/game_window.h"
#include "gamewin/tool_button.h"
#include "platform/draw/image_surface.h"

namespace tomelin {

namespace {

double lumaOf(QRgb c) {
    return 0.299 * qRed(c) + 0.587 * qGreen(c) + 0.114 * qBlue(c);
}

}  // namespace

Rgb readableOver(const QImage& picture, const QRect& area) {
    // The text must stand out from the lightest and from the darkest pixel under it: a
    // count sits on the player's colour or, when his part is small, on the other part's
    // white end.
    const QRect r = area.intersected(picture.rect());
    double lightest = 0;
    double darkest = 255;
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) {
            const double l = lumaOf(picture.pixel(x, y));
            lightest = std::max(lightest, l);
            darkest = std::min(darkest, l);
        }
    }
    if (r.isEmpty())
        return kWhite;
    return 255 - lightest >= darkest ? kWhite : rgb(0, 0, 0);
}

QRect moveLabelSpot(int barWidth, int textWidth, const QRect& difference) {
    const int height = difference.height();
    QRect centred((barWidth - textWidth) / 2, 0, textWidth, height);
    if (difference.isEmpty() || !centred.intersects(difference))
        return centred;
    // Beside the difference, in the middle of the wider side.
    const int left = difference.left();
    const int right = barWidth - difference.right() - 1;
    if (left >= right)
        return QRect(std::max(0, (left - textWidth) / 2), 0, textWidth, height);
    return QRect(difference.right() + 1 + std::max(0, (right - textWidth) / 2), 0, textWidth,
                 height);
}

namespace {

void setTextColour(QLabel& label, Rgb colour) {
    QPalette pal = label.palette();
    pal.setColor(QPalette::WindowText, toQColor(colour));
    label.setPalette(pal);
}

void setBold(QLabel& label, bool bold) {
    QFont f = label.font();
    f.setBold(bold);
    label.setFont(f);
}

int px(double v) {
    return static_cast<int>(std::nearbyint(v));
}

// Where a label of the score bar puts its glyphs (spaces left out), in the bar's pixels,
// between the bar's two-pixel edges.
QRect glyphArea(const QLabel& label) {
    const QFontMetrics fm = label.fontMetrics();
    const QString all = label.text();
    const QString glyphs = all.trimmed();
    const int total = fm.horizontalAdvance(all);
    const int lead = fm.horizontalAdvance(all.left(all.indexOf(glyphs)));
    int start = (label.width() - total) / 2;
    if (label.alignment() & Qt::AlignLeft)
        start = 0;
    if (label.alignment() & Qt::AlignRight)
        start = label.width() - total;
    return QRect(label.x() + start + lead, label.y() + 2, fm.horizontalAdvance(glyphs),
                 std::max(1, label.height() - 4));
}

}  // namespace

void GameWindow::updateKinds() {
    m_look.kinds = {0, m_game->playerKind(1), m_game->playerKind(2)};
}

void GameWindow::Prekr() {
    updateKinds();
    // 2: clear the pictures.
    m_board->clearPicture();
    m_score->clearPicture();
    m_status->clearPicture();
    // 3-6: the cell size from the picture, the ray widths from the cell width.
    m_painter->setGeometry(m_board->width(), m_board->height(), m_game->board().side());
    m_board->setCellSize(m_painter->cellW(), m_painter->cellH());
    m_board->setRayWidths(rayWidths(m_painter->cellW()));
    // 7-9: names, tokens and clocks in the status strip.
    layoutStatusStrip();
    // 11: every cell.
    m_painter->drawAll(m_game->board(), m_look);
    m_board->surface().refresh();
}

void GameWindow::layoutStatusStrip() {
    const double h = m_status->height();
    const double sw = m_status->width();
    const double cell = h / 3 * 4;
    const double name1Left = cell;
    const double name1Width = sw / 2 - h / 3 * 8;
    const double name2Left = name1Left + name1Width;
    const double name2Width = cell + cell + name1Width;
    const int nameHeight = px(h * 0.5);
    m_names[0]->setGeometry(px(name1Left) + 4, 1, std::max(0, px(name1Width) - 4), nameHeight);
    m_names[1]->setGeometry(px(name2Left), 1, std::max(0, px(name2Width) - 4), nameHeight);
    m_clocks[0]->setGeometry(px(name1Left) + 4, nameHeight, std::max(0, px(name1Width) - 4),
                             px(h) - nameHeight - 1);
    m_clocks[1]->setGeometry(px(name2Left), nameHeight, std::max(0, px(name2Width) - 4),
                             px(h) - nameHeight - 1);
    showNames();
    const PlayerStyle& s1 = m_look.styles[1];
    const PlayerStyle& s2 = m_look.styles[2];
    drawToken(m_status->surface(), {0, 0, h},
              {.shape = s1.shape, .colour = s1.colour, .playerKind = m_look.kinds[1],
               .detailLevel = m_look.detail},
              *m_random);
    drawToken(m_status->surface(), {(sw - cell) / cell, 0, h},
              {.shape = s2.shape, .colour = s2.colour, .playerKind = m_look.kinds[2],
               .detailLevel = m_look.detail},
              *m_random);
}

// ---- GameObserver -----------------------------------------------------------------------

void GameWindow::cellChanged(int x, int y) {
    m_painter->DRWP(m_game->board(), m_look, x, y);
}

void GameWindow::ringsChanged(int x, int y) {
    const PlayerStyle& mover = m_look.styles[static_cast<std::size_t>(m_game->playerToMove())];
    m_painter->ShBrd(m_game->board(), m_game->marks(), m_game->directions(), mover, x, y);
}

void GameWindow::boardReset() {
    m_thinking->hide();
    Prekr();
    m_difference->show();
    m_result->setVisible(m_game->resultShown());
    m_sizeCorner->setEnabled(!m_game->gameOver());
    m_board->setEnabled(m_game->boardEnabled());
}

void GameWindow::selectionMarkerChanged(const CellPos* cell) {
    m_board->setSelection(cell ? std::optional<CellPos>(*cell) : std::nullopt);
}

void GameWindow::hintChanged(const Move* move) {
    if (move)
        m_board->setHint(move->from, move->to);
    else
        m_board->setHint(std::nullopt, std::nullopt);
}

void GameWindow::lastMoveChanged(const CellPos* source, const CellPos* target) {
    m_board->setLastMove(source ? std::optional<CellPos>(*source) : std::nullopt,
                         target ? std::optional<CellPos>(*target) : std::nullopt);
}

void GameWindow::captureRay(CellPos from, CellPos to) {
    m_board->setRay(from, to);
}

void GameWindow::rayParked() {
    m_board->parkRay();
}

void GameWindow::scoreChanged(int tokens1, int tokens2, int /*freeCells*/) {
    m_lastScore = {tokens1, tokens2};
    drawScore(tokens1, tokens2);
}

void GameWindow::drawScore(int a, int b) {
    const Rgb c1 = m_look.styles[1].colour;
    const Rgb c2 = m_look.styles[2].colour;
    const ScoreTexts t = scoreTexts(a, b, c1, c2);
    const double boundary = drawScoreBar(m_score->surface(), m_score->width(), m_score->height(),
                                         m_painter->boardPicW(), a, b, c1, c2);
    m_difference->setText(QString::fromStdString(t.difference));
    setTextColour(*m_difference, t.differenceColour);
    m_difference->adjustSize();
    m_difference->resize(m_difference->width() + 8, m_score->height());
    m_difference->move(px(boundary - m_difference->width() / 2.0), 0);
    m_difference->setVisible(t.differenceVisible);
    m_counts[0]->setText(QString::fromStdString(t.count1));
    m_counts[1]->setText(QString::fromStdString(t.count2));
    for (QLabel* count : m_counts)
        setTextColour(*count, readableOver(m_score->image(), glyphArea(*count)));
    placeMoveLabel();
}

void GameWindow::placeMoveLabel() {
    const int w = m_moveLabel->fontMetrics().horizontalAdvance(m_moveLabel->text()) + 4;
    const QRect difference =
        m_difference->isVisibleTo(m_score) ? m_difference->geometry() : QRect();
    const QRect spot = moveLabelSpot(
        m_score->width(), w, difference.isEmpty() ? QRect(0, 0, 0, m_score->height()) : difference);
    m_moveLabel->setGeometry(spot.x(), 0, spot.width(), m_score->height());
    m_moveLabel->raise();
    setTextColour(*m_moveLabel, readableOver(m_score->image(), glyphArea(*m_moveLabel)));
}

void GameWindow::gameEnded(int tokens1, int tokens2, int winner) {
    recordGame(tokens1, tokens2, winner);
    dropKeptGame();
    showResult(winner);
    m_sizeCorner->setEnabled(false);
}

void GameWindow::recordGame(int tokens1, int tokens2, int /*winner: the record's follows from the counts*/) {
    if (!m_store)
        return;
    m_lastWrite = recordFinishedGame(
        *m_store,
        GameEnd{.board = m_boardName.toStdString(),
                .names = m_setup.names,
                .logic = logicFromLabel(m_setup.logicLabel),
                .timeListPos = m_setup.timeListPos,
                .counts = {tokens1, tokens2},
                .tokens = {TokenStyle{m_look.styles[1].colour, m_look.styles[1].shape},
                           TokenStyle{m_look.styles[2].colour, m_look.styles[2].shape}},
                .moveCounter = m_game->moveCounter()});
}

void GameWindow::showResult(int winner) {
    m_winner->clearPicture();
    const double h = m_winner->width() * 0.75;
    if (winner == 1 || winner == 2) {
        const PlayerStyle& s = m_look.styles[static_cast<std::size_t>(winner)];
        drawToken(m_winner->surface(), {0, 0, h},
                  {.shape = s.shape, .colour = s.colour, .playerKind = m_game->playerKind(winner),
                   .detailLevel = m_look.detail},
                  *m_random);
        m_resultName->setText(
            QString::fromStdString(m_setup.names[static_cast<std::size_t>(winner - 1)]));
    } else {
        drawToken(m_winner->surface(), {0, 0, h},
                  {.shape = 0, .colour = 0, .detailLevel = m_look.detail}, *m_random);
        m_resultName->setText(QStringLiteral("Nerozhodně"));
    }
    setTextColour(*m_resultName, kWhite);
    m_result->show();
    m_result->raise();
}

void GameWindow::moveNumberChanged(int number) {
    m_moveLabel->setText(QString::fromStdString(moveLabelText(number)));
    placeMoveLabel();
}

void GameWindow::turnChanged(int player) {
    m_turn = player;
    m_thinking->hide();
    const auto p = static_cast<std::size_t>(player);
    const PlayerStyle& s = m_look.styles[p];
    m_board->setCursor(playerCursor(player));
    for (std::size_t i = 0; i < 2; ++i) {
        const bool mover = i + 1 == p;
        setBold(*m_names[i], mover);
        setTextColour(*m_names[i], mover ? s.secondColour : kWhite);
    }
    showNames();  // bold takes more room
    m_board->setRayColours({s.colour, s.secondColour, kWhite});
    m_thinking->move(thinkingLeft(player, m_boardBox->width()), m_layout.thinking.top());
    m_thinkingToken->clearPicture();
    drawToken(m_thinkingToken->surface(), {0.1, 0.1, 40},
              {.shape = s.shape, .colour = s.colour, .playerKind = m_look.kinds[p],
               .detailLevel = m_look.detail},
              *m_random);
    m_status->update();
    keepGame();
}

void GameWindow::showNames() {
    // A name too long for its place ends in "…"; the whole name is the tooltip.
    for (std::size_t i = 0; i < 2; ++i) {
        QLabel& label = *m_names[i];
        const QString name = QString::fromStdString(m_setup.names[i]);
        label.setText(label.fontMetrics().elidedText(name, Qt::ElideRight, label.width()));
        label.setToolTip(label.text() == name ? QString() : name);
    }
}

void GameWindow::setPlayerCursor(int player, const QCursor& cursor) {
    if (player != 1 && player != 2)
        return;
    m_cursors[static_cast<std::size_t>(player - 1)] = cursor;
    if (player == m_turn)
        m_board->setCursor(cursor);
}

QCursor GameWindow::playerCursor(int player) {
    if (const auto& given = m_cursors[static_cast<std::size_t>(player == 2 ? 1 : 0)])
        return *given;
    const PlayerStyle& s = m_look.styles[static_cast<std::size_t>(player)];
    // The player's token drawn alone, its black background left transparent.
    ImageSurface picture(32, 32, rgb(0, 0, 0));
    drawToken(picture, {0.25, 0.5, 16},
              {.shape = s.shape, .colour = s.colour, .detailLevel = 1}, *m_random);
    QPixmap pixmap = QPixmap::fromImage(picture.image());
    pixmap.setMask(pixmap.createMaskFromColor(Qt::black));
    return QCursor(pixmap, 16, 16);
}

void GameWindow::takeBackUnavailableChanged(bool unavailable) {
    m_tools[7]->setVisible(unavailable);
}

void GameWindow::thinkingChanged(bool visible) {
    // Hidden as soon as the search ends: the computer's two clicks follow on a board the
    // indicator no longer covers.
    m_thinking->setVisible(visible);
    if (visible) {
        m_thinking->raise();
        m_searchClock.start();
    }
}

void GameWindow::paceSearch(int step, int scaleWidth) {
    if (m_thinkingTime <= 0 || !m_thinking->isVisible() || isMinimized() || step <= 0 ||
        !m_searchClock.isValid())
        return;
    const qint64 due =
        static_cast<qint64>(std::min(step, scaleWidth)) * m_thinkingTime / scaleWidth;
    const qint64 wait = due - m_searchClock.elapsed();
    if (wait <= 0)
        return;
    // The window paints meanwhile, as the search lets the event loop run after each cell;
    // input waits until the search is over, and the game's own timers are not due (the
    // turn change that runs the search is, and is dropped).
    m_pacing = true;
    QEventLoop loop;
    QTimer::singleShot(static_cast<int>(wait), &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    m_pacing = false;
}

void GameWindow::moveMade(int /*player*/, CellPos /*source*/, CellPos /*target*/) {
    m_thinking->hide();
}

void GameWindow::boardEnabledChanged(bool enabled) {
    m_board->setEnabled(enabled);
}

void GameWindow::progressStep(int step, int scaleWidth, int colourPlayer) {
    if (scaleWidth <= 0)
        return;
    paceSearch(step, scaleWidth);
    const double unit = m_progress->width() / static_cast<double>(scaleWidth);
    const Rgb colour =
        m_look.styles[static_cast<std::size_t>(colourPlayer == 2 ? 2 : 1)].secondColour;
    m_progress->surface().fillBox(step * unit, 0, (step + 1) * unit, m_progress->height(), colour);
    m_progress->surface().refresh();
}

void GameWindow::progressCleared() {
    m_progress->clearPicture();
}

void GameWindow::searchProgressChanged(int percent) {
    m_percent->setText(QString::fromStdString(percentText(percent)));
    setWindowTitle(QString::fromStdString(searchCaption(percent)));
}

void GameWindow::clockTextChanged(int player, const std::string& text) {
    if (player != 1 && player != 2)
        return;
    m_clocks[static_cast<std::size_t>(player - 1)]->setText(QString::fromStdString(text));
}

void GameWindow::clockColourChanged(int player, Rgb colour) {
    if (player != 1 && player != 2)
        return;
    setTextColour(*m_clocks[static_cast<std::size_t>(player - 1)], colour);
}

}  // namespace tomelin

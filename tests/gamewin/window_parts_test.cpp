// The game window's parts, each on its own: what it shows for what it is told.

#include <gtest/gtest.h>

#include <QMenu>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "core/manual_timer_host.h"
#include "core/random.h"
#include "gamewin/game_keeper.h"
#include "gamewin/game_window.h"
#include "gamewin/result_panel.h"
#include "gamewin/score_strip.h"
#include "gamewin/status_strip.h"
#include "gamewin/thinking_indicator.h"
#include "gamewin/tool_button.h"
#include "gamewin/window_chrome.h"
#include "platform/draw/image_surface.h"
#include "platform/store/store_location.h"
#include "records/game_record.h"
#include "records/unfinished_game.h"
#include "support/window_parts.h"

namespace tomelin {
namespace {

using test::part;

constexpr PlayerStyle kOrange{rgb(255, 128, 0), kShapeRectangle, rgb(0, 200, 0)};
constexpr PlayerStyle kBlue{rgb(0, 127, 225), kShapeOval, rgb(250, 250, 120)};

Rgb centreOf(PictureBox& box) {
    const QImage image = box.image();
    return fromQColor(image.pixelColor(image.width() / 2, image.height() / 2));
}

TEST(StatusStrip, TheMoverIsBoldInHisSecondColourAndLongNamesAreCut) {
    StatusStrip strip;
    strip.resize(600, 38);
    MtRandomSource random(1);
    BoardLook look;
    look.styles = {PlayerStyle{}, kOrange, kBlue};
    strip.setNames({std::string(80, 'W'), "Jan"});
    strip.redraw(look, random);
    QLabel& first = part<QLabel>(strip, "nameLabel", 1);
    QLabel& second = part<QLabel>(strip, "nameLabel", 2);
    EXPECT_TRUE(first.text().endsWith(QChar(0x2026)));
    EXPECT_EQ(first.toolTip(), QString(80, 'W'));
    EXPECT_EQ(second.text(), QStringLiteral("Jan"));
    EXPECT_TRUE(second.toolTip().isEmpty());

    strip.setMover(2, kBlue.secondColour);
    EXPECT_TRUE(second.font().bold());
    EXPECT_FALSE(first.font().bold());
    EXPECT_EQ(fromQColor(second.palette().color(QPalette::WindowText)), kBlue.secondColour);
    EXPECT_EQ(fromQColor(first.palette().color(QPalette::WindowText)), kWhite);

    strip.setClockText(1, QStringLiteral("9:59"));
    strip.setClockColour(1, rgb(255, 0, 0));
    strip.setClockText(3, QStringLiteral("nikdo"));  // no third player: ignored
    EXPECT_EQ(part<QLabel>(strip, "clockLabel", 1).text(), QStringLiteral("9:59"));
    EXPECT_TRUE(part<QLabel>(strip, "clockLabel", 2).text().isEmpty());
    // Each player's token at his end of the strip.
    const QImage image = strip.image();
    EXPECT_EQ(fromQColor(image.pixelColor(0, 0)), rgb(16, 18, 24));
    EXPECT_NE(fromQColor(image.pixelColor(25, 19)), rgb(16, 18, 24));
    EXPECT_NE(fromQColor(image.pixelColor(600 - 25, 19)), rgb(16, 18, 24));
}

TEST(ScoreStrip, TheDifferenceSitsOnTheBoundaryAndTheMoveLabelBesideIt) {
    ScoreStrip strip;
    strip.resize(500, 19);
    strip.fitLabels();
    strip.showScore(30, 10, kOrange.colour, kBlue.colour, 500);
    QLabel& difference = part<QLabel>(strip, "differenceLabel");
    EXPECT_EQ(difference.text(), QStringLiteral("20"));
    EXPECT_EQ(part<QLabel>(strip, "countLabel", 1).text(), QStringLiteral(" 30"));
    EXPECT_EQ(part<QLabel>(strip, "countLabel", 2).text(), QStringLiteral("10 "));
    // Player 1 holds three quarters of the bar: the difference is centred right of the middle.
    EXPECT_GT(difference.geometry().center().x(), 250);
    strip.setMoveNumber(7);
    QLabel& move = part<QLabel>(strip, "moveLabel");
    EXPECT_EQ(move.text(), QStringLiteral(" 7. TAH"));
    EXPECT_FALSE(move.geometry().intersects(difference.geometry()));
    // Once a side has no tokens the difference goes until a new board shows it again.
    strip.showScore(40, 0, kOrange.colour, kBlue.colour, 500);
    EXPECT_FALSE(difference.isVisibleTo(&strip));
    strip.showDifference();
    EXPECT_TRUE(difference.isVisibleTo(&strip));
}

TEST(ResultPanel, ShowsTheWinnersTokenAndNameOrADraw) {
    QWidget board;
    ResultPanel panel(&board);
    MtRandomSource random(1);
    EXPECT_FALSE(panel.isVisibleTo(&board));
    panel.showResult(&kOrange, 0, QStringLiteral("Jan"), 2, random);
    EXPECT_TRUE(panel.isVisibleTo(&board));
    EXPECT_EQ(part<QLabel>(panel, "resultLabel").text(), QStringLiteral("Jan"));
    EXPECT_NE(centreOf(part<PictureBox>(panel, "winnerPicture")), rgb(0, 0, 0));
    panel.showResult(nullptr, 0, QString(), 2, random);
    EXPECT_EQ(part<QLabel>(panel, "resultLabel").text(), QStringLiteral("Nerozhodně"));
    EXPECT_EQ(centreOf(part<PictureBox>(panel, "winnerPicture")), rgb(0, 0, 0));
}

TEST(ThinkingIndicator, FillsItsProgressBarStepByStepInTheGivenColour) {
    ThinkingIndicator indicator;
    PictureBox& bar = part<PictureBox>(indicator, "progressBar");
    const Rgb empty = fromQColor(bar.image().pixelColor(0, 6));
    indicator.progressStep(0, 4, rgb(250, 0, 0));
    EXPECT_EQ(fromQColor(bar.image().pixelColor(10, 6)), rgb(250, 0, 0));
    EXPECT_EQ(fromQColor(bar.image().pixelColor(bar.width() - 10, 6)), empty);
    indicator.progressStep(3, 4, rgb(250, 0, 0));
    EXPECT_EQ(fromQColor(bar.image().pixelColor(bar.width() - 10, 6)), rgb(250, 0, 0));
    indicator.progressStep(1, 0, rgb(0, 250, 0));  // no scale: nothing drawn
    EXPECT_EQ(fromQColor(bar.image().pixelColor(bar.width() / 2 - 20, 6)), empty);
    indicator.clearProgress();
    EXPECT_EQ(fromQColor(bar.image().pixelColor(10, 6)), empty);
    indicator.setPercent(QStringLiteral(" 42% "));
    EXPECT_EQ(part<QLabel>(indicator, "percentLabel").text(), QStringLiteral(" 42% "));
}

TEST(WindowChrome, ButtonsAndMenusReportWhatWasChosen) {
    QWidget window;
    WindowChrome chrome(window);
    chrome.applyLayout(layoutForHeight(700));
    window.show();
    chrome.setBoardName(QStringLiteral("Dáma"));
    EXPECT_EQ(part<QLabel>(window, "caption").text(), QStringLiteral("Tomelin - Dáma"));
    chrome.setBoardName(QString());
    EXPECT_EQ(part<QLabel>(window, "caption").text(), QStringLiteral("Tomelin"));

    QSignalSpy music(&chrome, &WindowChrome::musicClicked);
    QSignalSpy takeBack(&chrome, &WindowChrome::takeBackClicked);
    QTest::mouseClick(&part<ToolButton>(window, "Picture13_", 1), Qt::LeftButton);
    QTest::mouseClick(&part<ToolButton>(window, "Picture13_", 5), Qt::LeftButton);
    EXPECT_EQ(music.count(), 1);
    EXPECT_EQ(takeBack.count(), 1);

    QSignalSpy steps(&chrome, &WindowChrome::heightStepChosen);
    QMenu& size = part<QMenu>(window, "sizeMenu");
    chrome.setHeightSteps(false, true);
    EXPECT_FALSE(size.actions()[0]->isEnabled());
    EXPECT_TRUE(size.actions()[1]->isEnabled());
    size.actions()[1]->trigger();
    ASSERT_EQ(steps.count(), 1);
    EXPECT_TRUE(steps.at(0).at(0).toBool());

    // The overlay over the take-back button comes and goes with what can be taken back.
    chrome.setTakeBackUnavailable(false);
    EXPECT_FALSE(part<ToolButton>(window, "Picture13_", 7).isVisible());
    chrome.setTakeBackUnavailable(true);
    EXPECT_TRUE(part<ToolButton>(window, "Picture13_", 7).isVisible());
    chrome.setCaptionInactive(true);
    EXPECT_TRUE(chrome.captionInactive());
}

// A long board name is cut with "…" before the toolbar, never under it, at every window
// height; the whole caption is the bar's tooltip then. A short one is shown whole.
TEST(WindowChrome, LongBoardNamesAreCutBeforeTheToolbar) {
    const QString longName = QString(150, QChar(0x017D));  // "Ž" 150 times: stored elsewhere
    for (const int height : {400, 500, 700, 1000}) {
        SCOPED_TRACE(height);
        QWidget window;
        WindowChrome chrome(window);
        const WindowLayout layout = layoutForHeight(height);
        chrome.applyLayout(layout);
        window.resize(layout.window);
        window.show();
        chrome.setBoardName(longName);
        const QLabel& caption = part<QLabel>(window, "caption");
        const QWidget& bar = *caption.parentWidget();
        int toolbarLeft = bar.width();
        for (int i = 0; i < 7; ++i)
            toolbarLeft = std::min(toolbarLeft, part<ToolButton>(window, "Picture13_", i).x());
        EXPECT_LE(caption.x() + caption.width(), toolbarLeft);
        EXPECT_LE(caption.fontMetrics().horizontalAdvance(caption.text()), caption.width());
        EXPECT_TRUE(caption.text().endsWith(QChar(0x2026)));
        EXPECT_EQ(bar.toolTip(), "Tomelin - " + longName);
        chrome.setBoardName(QStringLiteral("Dáma"));
        EXPECT_EQ(caption.text(), QStringLiteral("Tomelin - Dáma"));
        EXPECT_TRUE(bar.toolTip().isEmpty());
    }
}

class GameKeeperTest : public ::testing::Test, public GameObserver {
protected:
    // The keeper keeps the game at each turn change, as the game window has it do.
    void turnChanged(Player /*player*/) override { keeper.keep(game, "Zkouška", BoardLook{}); }

    void start() {
        GameSetup setup;
        setup.board = "+XXXXXXXXXXXXXX-";
        setup.players = {playerNamed("Eva"), playerNamed("Jan")};
        game.setObserver(this);
        timers.setHandler([this](GameTimer t) { game.onTimer(t); });
        ASSERT_FALSE(game.start(setup));
        settle();  // the board appears
    }
    // Fires the game's timers, the clock left alone, until none is due.
    void settle() {
        for (int fired = 0; fired < 100 && timers.fireNext({GameTimer::Clock}); ++fired)
            continue;
    }
    // Player 1's first move (the first the rules offer) and the turn change after it.
    void move() {
        std::vector<Move> legal;
        game.position().legalMoves(game.logic(), legal);
        ASSERT_FALSE(legal.empty());
        game.clickCell(legal.front().from.x, legal.front().from.y);
        game.clickCell(legal.front().to.x, legal.front().to.y);
        settle();
        ASSERT_EQ(game.playerToMove(), Player::Two);
    }

    QTemporaryDir folder;
    StoreOpening store = openStoreAt(folder.filePath("tomelin.db").toStdString());
    ManualTimerHost timers;
    MtRandomSource random{5};
    Game game{timers, random};
    std::vector<std::string> refusals;
    GameKeeper keeper{[this](const std::string& reason) { refusals.push_back(reason); }};
};

TEST_F(GameKeeperTest, KeepsTheRunningGameAtEachTurnAndDropsItAgain) {
    keeper.setStore(store.store.get());
    start();
    move();
    const UnfinishedGameRead kept = readUnfinishedGame(*store.store);
    ASSERT_EQ(kept.outcome, UnfinishedGameRead::Outcome::Ready) << kept.problem;
    EXPECT_EQ(kept.snapshot.boardName, "Zkouška");
    keeper.drop();
    EXPECT_EQ(readUnfinishedGame(*store.store).outcome, UnfinishedGameRead::Outcome::None);
    EXPECT_TRUE(refusals.empty());
}

TEST_F(GameKeeperTest, WithoutAStoreNothingIsKept) {
    start();
    move();
    keeper.setStore(store.store.get());
    EXPECT_EQ(readUnfinishedGame(*store.store).outcome, UnfinishedGameRead::Outcome::None);
}

TEST_F(GameKeeperTest, RecordsAFinishedGameWithItsBoardAndTokens) {
    start();
    keeper.setStore(store.store.get());
    BoardLook look;
    look.styles = {PlayerStyle{}, kOrange, kBlue};
    GameSetup setup;
    setup.players = {playerNamed("Eva"), playerNamed("Jan")};
    keeper.record(game, "Zkouška", setup, look, 10, 6);
    const std::vector<std::string> records = store.store->subkeyNames(kRecordsKey);
    ASSERT_EQ(records.size(), 1u);
    const std::string key = recordKeyPath(*recordNumberFromKeyName(records[0]));
    EXPECT_EQ(valueText(store.store->ReadRegValue(key, kRecBoard)), "Zkouška");
    EXPECT_EQ(valueText(store.store->ReadRegValue(key, kRecToken2)),
              tokenString(kBlue.colour, kShapeOval));
}

}  // namespace
}  // namespace tomelin

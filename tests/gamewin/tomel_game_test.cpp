#include <gtest/gtest.h>

#include "gamewin/tool_button.h"
#include "records/game_record.h"
#include "window_fixture.h"

namespace tomelin {
namespace {

using test::WindowFixture;

// Star logic on 4 x 4: player 1 in the top left corner, player 2 in the bottom right.
const std::string kCorners =
    "+XXX"
    "XXXX"
    "XXXX"
    "XXX-";

TEST(TomelScriptedGame, ClicksPlayCopyJumpCapturesAndTheEnd) {
    WindowFixture f;
    f.start(kCorners);
    ASSERT_TRUE(f.window->isVisible());
    EXPECT_EQ(f.window->moveLabel().text(), QStringLiteral(" 1. TAH"));
    EXPECT_TRUE(f.window->nameLabel(1).font().bold());
    EXPECT_FALSE(f.window->nameLabel(2).font().bold());
    EXPECT_EQ(f.window->countLabel(1).text(), QStringLiteral(" 1"));
    EXPECT_EQ(f.window->countLabel(2).text(), QStringLiteral("1 "));
    EXPECT_EQ(f.window->differenceLabel().text(), QStringLiteral("Vyrovnáno"));
    EXPECT_TRUE(f.window->toolButton(7).isVisible());  // nothing to take back yet

    // Selecting player 1's token rings its targets: copies in the second colour, jumps in
    // the token colour; a cell out of reach keeps the grey ring.
    const Rgb plain = f.ringColour(1, 1);
    f.click(0, 0);
    EXPECT_EQ(f.board().selection(), (CellPos{0, 0}));
    EXPECT_EQ(f.ringColour(1, 1), test::kTestStyle1.secondColour);
    EXPECT_EQ(f.ringColour(2, 2), test::kTestStyle1.colour);
    EXPECT_EQ(f.ringColour(3, 2), plain);

    // Move 1: a copy to (1, 1).
    f.click(1, 1);
    EXPECT_FALSE(f.board().selection());
    EXPECT_EQ(f.board().lastSource(), (CellPos{0, 0}));
    EXPECT_EQ(f.board().lastTarget(), (CellPos{1, 1}));
    EXPECT_EQ(f.ringColour(1, 1), plain);  // rings cleared again
    EXPECT_EQ(f.window->countLabel(1).text(), QStringLiteral(" 2"));
    EXPECT_EQ(f.window->differenceLabel().text(), QStringLiteral("1"));
    EXPECT_EQ(f.window->differenceLabel().palette().color(QPalette::WindowText),
              toQColor(test::kTestStyle1.colour));
    f.settle();
    EXPECT_TRUE(f.window->nameLabel(2).font().bold());
    EXPECT_EQ(f.board().rayColours()[0], test::kTestStyle2.colour);

    // Move 2: player 2 jumps from (3, 3) to (2, 1) and captures (1, 1).
    f.click(3, 3);
    f.click(2, 1);
    EXPECT_EQ(f.game().board().at(3, 3), kFreeCell);
    EXPECT_EQ(f.game().board().at(1, 1), kToken2);
    EXPECT_EQ(f.window->countLabel(1).text(), QStringLiteral(" 1"));
    EXPECT_EQ(f.window->countLabel(2).text(), QStringLiteral("2 "));
    EXPECT_FALSE(f.board().rayShown());  // the ray is parked after the move
    f.settle();
    EXPECT_EQ(f.window->moveLabel().text(), QStringLiteral(" 2. TAH"));

    // Move 3: player 1 copies to (1, 0) and takes both; player 2 cannot move, so the free
    // cells go to player 1 and the game ends.
    f.click(0, 0);
    f.click(1, 0);
    f.settle();
    EXPECT_TRUE(f.game().gameOver());
    EXPECT_EQ(f.window->countLabel(1).text(), QStringLiteral(" 16"));
    EXPECT_EQ(f.window->countLabel(2).text(), QStringLiteral("0 "));
    EXPECT_FALSE(f.window->differenceLabel().isVisible());  // a side without tokens
    EXPECT_TRUE(f.window->resultPanel().isVisible());
    EXPECT_EQ(f.window->resultLabel().text(), QStringLiteral("Eva"));
    EXPECT_FALSE(f.board().isEnabled());
    EXPECT_FALSE(f.window->sizeCorner().isEnabled());
    EXPECT_TRUE(f.window->toolButton(7).isVisible());
    // The winner's token fills the result picture (not just the black background).
    const QImage winner = f.window->winnerPicture().image();
    EXPECT_NE(fromQColor(winner.pixelColor(winner.width() / 2, winner.height() / 2)), rgb(0, 0, 0));

    // The board is locked: a click changes nothing.
    const std::string before = boardString(f.game().board());
    f.click(2, 2);
    EXPECT_EQ(boardString(f.game().board()), before);

    // The game was recorded with what the window holds.
    ASSERT_TRUE(f.window->lastRecordWrite());
    EXPECT_EQ(f.window->lastRecordWrite()->outcome, RecordWrite::Outcome::Written);
    Store& store = *f.store.store;
    const std::string key = recordKeyPath(f.window->lastRecordWrite()->number);
    EXPECT_EQ(valueText(store.ReadRegValue(key, kRecBoard)), "Zkouška");
    EXPECT_EQ(valueText(store.ReadRegValue(key, kRecPlayer1)), "Eva");
    EXPECT_EQ(valueInt(store.ReadRegValue(key, kRecWinner)), 1);
    EXPECT_EQ(valueInt(store.ReadRegValue(key, kRecCount1)), 16);
    EXPECT_EQ(valueText(store.ReadRegValue(key, kRecToken1)),
              tokenString(test::kTestStyle1.colour, 1));

    // Restart gives the same board again with the panel hidden.
    f.window->restartGame();
    f.settle();
    EXPECT_FALSE(f.window->resultPanel().isVisible());
    EXPECT_TRUE(f.board().isEnabled());
    EXPECT_TRUE(f.window->sizeCorner().isEnabled());
    EXPECT_EQ(boardString(f.game().board()), kCorners);
}

TEST(TomelScriptedGame, DrawShowsNerozhodneAndStoresNothing) {
    WindowFixture f;
    // Cross logic; player 1's copy to (1, 0) has no opponent on an edge neighbour and fills
    // the board at 2 : 2.
    f.start(
        "+X0"
        "00-"
        "0-0",
        {"Eva", "Jan"}, {0, 0}, "2");
    f.click(0, 0);
    f.click(1, 0);
    ASSERT_TRUE(f.game().gameOver());
    EXPECT_EQ(f.window->resultLabel().text(), QStringLiteral("Nerozhodně"));
    EXPECT_TRUE(f.window->resultPanel().isVisible());
    const QImage winner = f.window->winnerPicture().image();
    EXPECT_EQ(fromQColor(winner.pixelColor(winner.width() / 2, winner.height() / 2)), rgb(0, 0, 0));
    EXPECT_EQ(f.window->differenceLabel().text(), QStringLiteral("Vyrovnáno"));
    ASSERT_TRUE(f.window->lastRecordWrite());
    EXPECT_EQ(f.window->lastRecordWrite()->outcome, RecordWrite::Outcome::NotStored);
    EXPECT_TRUE(f.store.store->subkeyNames(kRecordsKey).empty());
}

TEST(TomelScriptedGame, TakeBackButtonAndKeyUndoAFullMove) {
    WindowFixture f;
    f.start(kCorners);
    f.click(0, 0);
    f.click(1, 1);
    f.settle();
    f.click(3, 3);
    f.click(3, 2);  // a copy for player 2
    f.settle();
    EXPECT_FALSE(f.window->toolButton(7).isVisible());  // two moves: take-back available
    QTest::mouseClick(&f.window->toolButton(5), Qt::LeftButton);
    f.settle();
    EXPECT_EQ(boardString(f.game().board()), kCorners);
    EXPECT_EQ(f.game().playerToMove(), 1);
    EXPECT_TRUE(f.window->toolButton(7).isVisible());
    EXPECT_EQ(f.window->countLabel(1).text(), QStringLiteral(" 1"));

    // "Z" on the board does the same while a person is to move.
    f.click(0, 0);
    f.click(1, 1);
    f.settle();
    f.click(3, 3);
    f.click(3, 2);
    f.settle();
    QTest::keyClick(&f.board(), Qt::Key_Z);
    f.settle();
    EXPECT_EQ(boardString(f.game().board()), kCorners);
}

TEST(TomelScriptedGame, OverlayOverTheTakeBackButtonSwallowsItsClick) {
    WindowFixture f;
    f.start(kCorners);
    f.click(0, 0);
    f.click(1, 1);
    f.settle();
    ToolButton& overlay = f.window->toolButton(7);
    ASSERT_TRUE(overlay.isVisible());  // one move only
    QTest::mousePress(&overlay, Qt::LeftButton);
    EXPECT_TRUE(overlay.isDown());
    QTest::mouseRelease(&overlay, Qt::LeftButton);
    EXPECT_FALSE(overlay.isDown());
    f.settle();
    EXPECT_EQ(f.game().board().at(1, 1), kToken1);  // nothing taken back
}

TEST(TomelScriptedGame, ComputerOpponentAnswersThroughTheSameClicks) {
    WindowFixture f;
    f.start(kCorners, {"Eva", "PC Profesionál"});
    f.click(0, 0);
    f.click(1, 1);
    f.timers.fire(GameTimer::TimCHng);  // the computer searches and chooses
    ASSERT_TRUE(f.game().computerMovePending());
    EXPECT_TRUE(f.window->thinkingIndicator().isVisible());
    EXPECT_EQ(f.window->thinkingIndicator().x(), thinkingLeft(2, f.board().width()));
    EXPECT_EQ(f.window->percentLabel().text(), QStringLiteral(" 106% "));  // 100 * 16 / 15
    f.settle();                                                            // it selects and moves
    EXPECT_EQ(f.game().playerToMove(), 1);
    EXPECT_EQ(f.game().movesMade(), 2);
    EXPECT_FALSE(f.window->thinkingIndicator().isVisible());
    EXPECT_EQ(f.window->windowTitle(), QStringLiteral("Tomelin"));
    EXPECT_FALSE(f.window->percentLabel().text().isEmpty());
}

}  // namespace
}  // namespace tomelin

#include <gtest/gtest.h>

#include "gamewin/tool_button.h"
#include "records/game_record.h"
#include "window_fixture.h"

namespace tomelin {
namespace {

using test::kCorners;
using test::WindowFixture;

TEST(TomelScriptedGame, ClicksPlayCopyJumpCapturesAndTheEnd) {
    WindowFixture f;
    f.start(kCorners);
    ASSERT_TRUE(f.window->isVisible());
    EXPECT_EQ(f.window->moveLabel().text(), QStringLiteral(" 1. TAH"));
    EXPECT_TRUE(f.window->nameLabel(1).font().bold());
    EXPECT_FALSE(f.window->nameLabel(2).font().bold());
    EXPECT_EQ(f.counts(), " 1|1 ");
    EXPECT_EQ(f.window->differenceLabel().text(), QStringLiteral("Vyrovnáno"));

    // Selecting player 1's token rings its targets: copies in the second colour, jumps in
    // the token colour; a cell out of reach keeps the grey ring.
    const Rgb plain = f.ringColour(1, 1);
    f.click(0, 0);
    EXPECT_EQ(f.board().selection(), (CellPos{0, 0}));
    EXPECT_EQ(f.ringColour(1, 1), test::kTestStyle1.secondColour);
    EXPECT_EQ(f.ringColour(2, 2), test::kTestStyle1.colour);
    EXPECT_EQ(f.ringColour(3, 2), plain);

    // Move 1: a copy to (1, 1); the rings are cleared and the lead shows in player 1's colour.
    f.click(1, 1);
    EXPECT_FALSE(f.board().selection());
    EXPECT_EQ(f.board().lastSource(), (CellPos{0, 0}));
    EXPECT_EQ(f.board().lastTarget(), (CellPos{1, 1}));
    EXPECT_EQ(f.ringColour(1, 1), plain);
    EXPECT_EQ(f.counts(), " 2|1 ");
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
    EXPECT_EQ(f.counts(), " 1|2 ");
    EXPECT_FALSE(f.board().rayShown());  // the ray is parked after the move
    f.settle();
    EXPECT_EQ(f.window->moveLabel().text(), QStringLiteral(" 2. TAH"));

    // Move 3: player 1 copies to (1, 0) and takes both; player 2 cannot move, so the free
    // cells go to player 1 and the game ends.
    f.move({0, 0}, {1, 0});
    ASSERT_TRUE(f.game().gameOver());
    EXPECT_EQ(f.counts(), " 16|0 ");
    EXPECT_FALSE(f.window->differenceLabel().isVisible());  // a side without tokens
    EXPECT_TRUE(f.window->resultPanel().isVisible());
    EXPECT_EQ(f.window->resultLabel().text(), QStringLiteral("Eva"));
    EXPECT_FALSE(f.board().isEnabled());
    EXPECT_FALSE(f.window->sizeCorner().isEnabled());
    EXPECT_TRUE(f.window->toolButton(7).isVisible());
    // The winner's token fills the result picture (not just the black background).
    EXPECT_NE(f.winnerCentre(), rgb(0, 0, 0));

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

    // Restart, once confirmed, gives the same board again, unlocked and without the panel.
    QMenu& restart = f.window->restartMenu();
    EXPECT_EQ(restart.title(), QStringLiteral("Opravdu?"));
    ASSERT_EQ(restart.actions().size(), 1);
    EXPECT_EQ(restart.actions()[0]->text(), QStringLiteral("Restartovat hru"));
    restart.actions()[0]->trigger();
    f.settle();
    EXPECT_EQ(f.window->moveLabel().text(), QStringLiteral(" 1. TAH"));
    EXPECT_FALSE(f.window->resultPanel().isVisible());
    EXPECT_TRUE(f.board().isEnabled());
    EXPECT_TRUE(f.window->sizeCorner().isEnabled());
    EXPECT_EQ(boardString(f.game().board()), kCorners);
}

TEST(TomelScriptedGame, DrawShowsNerozhodneStoresNothingAndSurvivesAHeightStep) {
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
    EXPECT_EQ(f.winnerCentre(), rgb(0, 0, 0));  // no winner's token
    ASSERT_TRUE(f.window->lastRecordWrite());
    EXPECT_EQ(f.window->lastRecordWrite()->outcome, RecordWrite::Outcome::NotStored);
    EXPECT_TRUE(f.store.store->subkeyNames(kRecordsKey).empty());

    // A height step after the end redraws the score bar (each player's colour at its end,
    // above the inset) and keeps the result.
    f.window->setWindowHeight(f.window->windowHeight() + 40);
    const QImage bar = f.window->scoreBar().image();
    EXPECT_EQ(fromQColor(bar.pixelColor(1, 0)), test::kTestStyle1.colour);
    EXPECT_EQ(fromQColor(bar.pixelColor(bar.width() - 2, 0)), test::kTestStyle2.colour);
    EXPECT_EQ(f.window->differenceLabel().text(), QStringLiteral("Vyrovnáno"));
    EXPECT_TRUE(f.window->resultPanel().isVisible());
}

TEST(TomelScriptedGame, TakeBackNeedsTwoMovesAndUndoesAFullMoveByButtonOrKey) {
    WindowFixture f;
    f.start(kCorners);
    // After one move the overlay covers the take-back button and swallows its click.
    f.move({0, 0}, {1, 1});
    ToolButton& overlay = f.window->toolButton(7);
    ASSERT_TRUE(overlay.isVisible());
    QTest::mousePress(&overlay, Qt::LeftButton);
    EXPECT_TRUE(overlay.isDown());
    QTest::mouseRelease(&overlay, Qt::LeftButton);
    f.settle();
    EXPECT_EQ(f.game().board().at(1, 1), kToken1);

    f.move({3, 3}, {3, 2});  // a copy for player 2
    EXPECT_FALSE(overlay.isVisible());
    QTest::mouseClick(&f.window->toolButton(5), Qt::LeftButton);
    f.settle();
    EXPECT_EQ(boardString(f.game().board()), kCorners);
    EXPECT_EQ(f.game().playerToMove(), 1);
    EXPECT_TRUE(overlay.isVisible());
    EXPECT_EQ(f.counts(), " 1|1 ");

    // "Z" on the board does the same while a person is to move.
    f.move({0, 0}, {1, 1});
    f.move({3, 3}, {3, 2});
    QTest::keyClick(&f.board(), Qt::Key_Z);
    f.settle();
    EXPECT_EQ(boardString(f.game().board()), kCorners);
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
}

}  // namespace
}  // namespace tomelin

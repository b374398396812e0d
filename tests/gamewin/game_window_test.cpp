#include <gtest/gtest.h>

#include <QMenu>

#include <QApplication>
#include <QClipboard>

#include <QSignalSpy>

#include "core/fen.h"
#include "core/game_harness.h"
#include "gamewin/title_bar.h"
#include "gamewin/tool_button.h"
#include "records/game_record.h"
#include "window_fixture.h"

namespace tomelin {
namespace {

using test::kCorners;
using test::WindowFixture;

TEST(GameWindowScriptedGame, ClicksPlayCopyJumpCapturesAndTheEnd) {
    WindowFixture f;
    f.start(kCorners);
    ASSERT_TRUE(f.window->isVisible());
    EXPECT_EQ(f.part("moveLabel").text(), QStringLiteral(" 1. TAH"));
    EXPECT_TRUE(f.part("nameLabel", 1).font().bold());
    EXPECT_FALSE(f.part("nameLabel", 2).font().bold());
    EXPECT_EQ(f.counts(), " 1|1 ");
    EXPECT_EQ(f.part("differenceLabel").text(), QStringLiteral("Vyrovnáno"));

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
    EXPECT_EQ(f.part("differenceLabel").text(), QStringLiteral("1"));
    EXPECT_EQ(f.part("differenceLabel").palette().color(QPalette::WindowText),
              toQColor(test::kTestStyle1.colour));
    f.settle();
    EXPECT_TRUE(f.part("nameLabel", 2).font().bold());
    EXPECT_EQ(f.board().rayColours()[0], test::kTestStyle2.colour);

    // Move 2: player 2 jumps from (3, 3) to (2, 1) and captures (1, 1).
    f.click(3, 3);
    f.click(2, 1);
    EXPECT_EQ(f.counts(), " 1|2 ");
    EXPECT_TRUE(f.board().rayShown());  // parked, but held in view for a moment
    f.settle();
    EXPECT_EQ(f.part("moveLabel").text(), QStringLiteral(" 2. TAH"));

    // Move 3: player 1 copies to (1, 0) and takes both; player 2 cannot move, so the free
    // cells go to player 1 and the game ends.
    f.move({0, 0}, {1, 0});
    ASSERT_TRUE(f.game().gameOver());
    EXPECT_EQ(f.counts(), " 16|0 ");
    EXPECT_FALSE(f.part("differenceLabel").isVisible());  // a side without tokens
    EXPECT_TRUE(f.part<QWidget>("result").isVisible());
    EXPECT_EQ(f.part("resultLabel").text(), QStringLiteral("Eva"));
    EXPECT_FALSE(f.board().isEnabled());
    EXPECT_FALSE(f.part<QWidget>("Image10").isEnabled());
    EXPECT_TRUE(f.part<ToolButton>("Picture13_", 7).isVisible());
    // The winner's token fills the result picture (not just the black background).
    EXPECT_NE(f.winnerCentre(), rgb(0, 0, 0));

    // The game was recorded with the board name and tokens the window holds (the record's
    // other values are the record writer's own tests).
    const std::vector<std::string> records = f.store.store->subkeyNames(kRecordsKey);
    ASSERT_EQ(records.size(), 1u);
    const std::optional<int> number = recordNumberFromKeyName(records[0]);
    ASSERT_TRUE(number);
    const std::string key = recordKeyPath(*number);
    EXPECT_EQ(valueText(f.store.store->ReadRegValue(key, kRecBoard)), "Zkouška");
    EXPECT_EQ(valueText(f.store.store->ReadRegValue(key, kRecToken1)),
              tokenString(test::kTestStyle1.colour, 1));

    // Restart, once confirmed, gives the same board again, unlocked and without the panel.
    QMenu& restart = f.part<QMenu>("restartMenu");
    EXPECT_EQ(restart.title(), QStringLiteral("Opravdu?"));
    ASSERT_EQ(restart.actions().size(), 1);
    EXPECT_EQ(restart.actions()[0]->text(), QStringLiteral("Restartovat hru"));
    restart.actions()[0]->trigger();
    f.settle();
    EXPECT_EQ(f.part("moveLabel").text(), QStringLiteral(" 1. TAH"));
    EXPECT_FALSE(f.part<QWidget>("result").isVisible());
    EXPECT_TRUE(f.board().isEnabled());
    EXPECT_TRUE(f.part<QWidget>("Image10").isEnabled());
    EXPECT_EQ(boardString(f.game().position().toBoard()), kCorners);
}

TEST(GameWindowScriptedGame, DrawShowsNerozhodneStoresNothingAndSurvivesAHeightStep) {
    WindowFixture f;
    // Cross logic; player 1's copy to (1, 0) has no opponent on an edge neighbour and fills
    // the board at 2 : 2.
    f.start(test::rows("+X0/00-/0-0/"), {"Eva", "Jan"}, {0, 0}, "2");
    f.click(0, 0);
    f.click(1, 0);
    ASSERT_TRUE(f.game().gameOver());
    EXPECT_EQ(f.part("resultLabel").text(), QStringLiteral("Nerozhodně"));
    EXPECT_EQ(f.winnerCentre(), rgb(0, 0, 0));                     // no winner's token
    EXPECT_TRUE(f.store.store->subkeyNames(kRecordsKey).empty());  // a draw is not stored

    // A height step after the end redraws the score bar (each player's colour at its end,
    // above the inset) and keeps the result.
    f.window->setWindowHeight(f.window->windowHeight() + 40);
    const QImage bar = f.part<PictureBox>("scoreStrip").image();
    EXPECT_EQ(fromQColor(bar.pixelColor(1, 0)), test::kTestStyle1.colour);
    EXPECT_EQ(fromQColor(bar.pixelColor(bar.width() - 2, 0)), test::kTestStyle2.colour);
    EXPECT_EQ(f.part("differenceLabel").text(), QStringLiteral("Vyrovnáno"));
    EXPECT_TRUE(f.part<QWidget>("result").isVisible());
}

TEST(GameWindowScriptedGame, TakeBackNeedsTwoMovesAndUndoesAFullMoveByButtonOrKey) {
    WindowFixture f;
    f.start(kCorners);
    // After one move the overlay covers the take-back button and swallows its click.
    f.move({0, 0}, {1, 1});
    ToolButton& overlay = f.part<ToolButton>("Picture13_", 7);
    ASSERT_TRUE(overlay.isVisible());
    QTest::mouseClick(&overlay, Qt::LeftButton);
    f.settle();
    EXPECT_EQ(f.game().position().toBoard().at(1, 1), kToken1);

    f.move({3, 3}, {3, 2});  // a copy for player 2
    EXPECT_FALSE(overlay.isVisible());
    ASSERT_TRUE(f.board().lastTarget());
    QTest::mouseClick(&f.part<ToolButton>("Picture13_", 5), Qt::LeftButton);
    f.settle();
    EXPECT_EQ(boardString(f.game().position().toBoard()), kCorners);
    EXPECT_TRUE(overlay.isVisible());
    // The frames of the move taken back go with it.
    EXPECT_FALSE(f.board().lastSource());
    EXPECT_FALSE(f.board().lastTarget());

    // "Z" on the board does the same while a person is to move.
    f.move({0, 0}, {1, 1});
    f.move({3, 3}, {3, 2});
    ASSERT_TRUE(f.board().lastTarget());
    QTest::keyClick(&f.board(), Qt::Key_Z);
    f.settle();
    EXPECT_EQ(boardString(f.game().position().toBoard()), kCorners);
    EXPECT_FALSE(f.board().lastTarget());
}

TEST(GameWindowKeyboard, ArrowsMoveTheCursorByAQuarterCellWithinTheBoardAndKeysClickThere) {
    WindowFixture f;
    f.start(kCorners);
    const auto moved = [&f](Qt::Key key, Qt::KeyboardModifiers modifiers) {
        f.board().setKeyCursor(QPoint(100, 100));
        QTest::keyClick(&f.board(), key, modifiers);
        return f.board().keyCursor();
    };
    const auto quarters = [&f](int dx, int dy) {
        return QPoint(static_cast<int>(std::nearbyint(100 + dx * f.board().cellW() / 4)),
                      static_cast<int>(std::nearbyint(100 + dy * f.board().cellH() / 4)));
    };
    EXPECT_EQ(moved(Qt::Key_Right, {}), quarters(1, 0));
    EXPECT_EQ(moved(Qt::Key_3, Qt::KeypadModifier), quarters(1, 1));
    EXPECT_EQ(moved(Qt::Key_Home, Qt::KeypadModifier), quarters(-1, -1));  // 7, Num Lock off
    f.board().setKeyCursor(QPoint(1, 1));
    QTest::keyClick(&f.board(), Qt::Key_Up);
    QTest::keyClick(&f.board(), Qt::Key_Left);
    EXPECT_EQ(f.board().keyCursor(), QPoint(0, 0));

    // Space, Insert and keypad 5 click where the cursor is.
    f.board().setKeyCursor(f.cellCentre(0, 0));
    QTest::keyClick(&f.board(), Qt::Key_Space);
    EXPECT_EQ(f.board().selection(), (CellPos{0, 0}));
    // Four quarter cells right and down reach the copy target (1, 1); keypad 5 clicks.
    for (int i = 0; i < 4; ++i)
        QTest::keyClick(&f.board(), Qt::Key_3, Qt::KeypadModifier);
    QTest::keyClick(&f.board(), Qt::Key_5, Qt::KeypadModifier);
    EXPECT_EQ(f.game().position().toBoard().at(1, 1), kToken1);
    f.settle();
    f.board().setKeyCursor(f.cellCentre(3, 3));
    QTest::keyClick(&f.board(), Qt::Key_Insert);
    EXPECT_EQ(f.board().selection(), (CellPos{3, 3}));
}

// The key cursor shows from a steering key until the mouse pointer moves, wherever it is,
// and a new board never brings it back.
TEST(GameWindowKeyboard, TheKeyCursorGoesWhenThePointerMovesAndWithTheBoard) {
    WindowFixture f;
    f.start(kCorners);
    const QImage before = f.board().grab().toImage();
    // "Z" (nothing to take back yet) and "H" steer nothing: no cursor.
    QTest::keyClick(&f.board(), Qt::Key_Z);
    QTest::keyClick(&f.board(), Qt::Key_H);
    EXPECT_FALSE(f.board().keyCursorShown());
    QTest::keyClick(&f.board(), Qt::Key_Right);
    EXPECT_TRUE(f.board().keyCursorShown());
    EXPECT_NE(f.board().grab().toImage(), before);
    QTest::qWait(400);  // the pointer stands still: the cursor stays
    EXPECT_TRUE(f.board().keyCursorShown());
    QCursor::setPos(QCursor::pos() + QPoint(40, 30));
    QTest::qWait(400);
    EXPECT_FALSE(f.board().keyCursorShown());
    EXPECT_EQ(f.board().grab().toImage(), before);

    QTest::keyClick(&f.board(), Qt::Key_Left);
    ASSERT_TRUE(f.board().keyCursorShown());
    f.window->restartGame();
    f.settle();
    EXPECT_FALSE(f.board().keyCursorShown());
}

// The clock's counting and flashing are the game's own tests; the labels show them.
TEST(GameWindowClock, LabelsShowTheTimeLeftAndTheFlashWhenItRunsOut) {
    WindowFixture f;
    f.start(kCorners, {"Eva", "Jan"}, {4, 0});
    QLabel& clock1 = f.part("clockLabel", 1);
    EXPECT_EQ(clock1.text(), QStringLiteral("0:10:00"));
    EXPECT_TRUE(f.part("clockLabel", 2).text().isEmpty());
    for (int i = 0; i < 600; ++i)
        f.timers.fire(GameTimer::Clock);
    EXPECT_EQ(clock1.text(), QStringLiteral("0:00:00"));
    EXPECT_EQ(clock1.palette().color(QPalette::WindowText), toQColor(kFlashRed));
}

TEST(GameWindowComputerMove, ShowsItsThinkingFinishesDespiteAHeightStepAndHoldsTheMusicKey) {
    WindowFixture f;
    QSignalSpy music(f.window.get(), &GameWindow::musicToggleRequested);
    // 5 x 5: the computer cannot reach player 2's token in its first move.
    f.start(test::rows("+XXXX/XXXXX/XXXXX/XXXXX/XXXX-/"), {"PC Profesionál", "Jan"}, {0, 0}, "1",
            false);
    f.timers.fire(GameTimer::Start);
    f.timers.fire(GameTimer::TurnChange);  // the computer searches and chooses
    ASSERT_TRUE(f.game().computerMovePending());
    EXPECT_FALSE(f.part<QWidget>("thinking").isVisible());  // gone before the clicks
    EXPECT_EQ(f.part<QWidget>("thinking").x(), thinkingLeft(1, f.board().width()));
    EXPECT_EQ(f.part("percentLabel").text(), QStringLiteral(" 104% "));  // 100 * 25 / 24
    QTest::keyClick(&f.board(), Qt::Key_H);
    EXPECT_EQ(music.count(), 0);
    f.timers.fire(GameTimer::ComputerClicks);  // the computer's first click: its token is selected
    ASSERT_EQ(f.game().selection().state(), 1);
    const CellPos selected = f.game().selection().selected();
    f.window->setWindowHeight(f.window->windowHeight() - 60);
    // The selection survives the redraw, rings and frame included, and the move completes.
    EXPECT_EQ(f.board().selection(), selected);
    EXPECT_EQ(f.ringColour(selected.x + 1, selected.y + 1), test::kTestStyle1.secondColour);
    f.settle();
    EXPECT_EQ(f.game().movesMade(), 1);
    ASSERT_EQ(f.game().playerToMove(), Player::Two);
    EXPECT_FALSE(f.part<QWidget>("thinking").isVisible());
    QTest::keyClick(&f.board(), Qt::Key_H);
    EXPECT_EQ(music.count(), 1);
}

TEST(GameWindowSize, HeightStepsRelayTheWindowOutAndRedrawTheBoard) {
    WindowFixture f;
    f.window->setWindowHeight(700);
    f.start(kCorners);
    const double cellBefore = f.board().cellH();
    const QSize before = f.window->size();
    f.window->setWindowHeight(560);
    EXPECT_EQ(f.window->size().height(), 560);
    EXPECT_LT(f.window->size().width(), before.width());
    EXPECT_LT(f.board().cellH(), cellBefore);
    // The redraw put the fields and tokens back at the new cell size.
    EXPECT_EQ(f.ringColour(0, 0), rgb(127, 127, 127));
    EXPECT_NE(fromQColor(f.board().image().pixelColor(f.cellCentre(0, 0))), rgb(0, 0, 0));
    // The menu offers only what the rules allow.
    QMenu& size = f.part<QMenu>("sizeMenu");
    ASSERT_EQ(size.actions().size(), 2);
    EXPECT_EQ(size.actions()[0]->isEnabled(), f.window->canShrink());
    EXPECT_EQ(size.actions()[1]->isEnabled(), f.window->canGrow());
    // A height below the fixed strips is raised to the smallest one with a board.
    f.window->setWindowHeight(40);
    EXPECT_EQ(f.window->windowHeight(), GameWindow::kMinimumHeight);
    EXPECT_GT(f.board().height(), 0);
}

TEST(GameWindowStart, TitleShowsTheBoardAndTheStatusStripBothTokensAtItsEnds) {
    WindowFixture f;
    f.start(kCorners, {"Eva", "PC Génius"});
    EXPECT_EQ(f.part("caption").text(), QStringLiteral("Tomelin - Zkouška"));
    PictureBox& strip = f.part<PictureBox>("statusStrip");
    const QImage image = strip.image();
    const int h = image.height();
    const Rgb background = strip.backgroundColour();
    // Each token sits in a cell of the strip's height, 4/3 as wide, at either end.
    EXPECT_NE(fromQColor(image.pixelColor(h * 2 / 3, h / 2)), background);
    EXPECT_NE(fromQColor(image.pixelColor(image.width() - h * 2 / 3, h / 2)), background);
    EXPECT_EQ(fromQColor(image.pixelColor(image.width() / 2, h / 2)), background);
    // The second name ends where player 2's token begins.
    EXPECT_NEAR(f.part("nameLabel", 2).geometry().right(), image.width() - h * 4 / 3 - 4, 2);
}

// The game lays its board a moment after START; the window, shown at once, already shows
// that board: nothing of the last game (its move, its frames, its score, whose turn it was),
// no black board.
TEST(GameWindowStart, TheFirstFrameShowsTheNewGameNotTheLastOne) {
    WindowFixture f;
    f.start(kCorners, {"Eva", "Jan"}, {2, 0});
    f.move({0, 0}, {1, 1});
    ASSERT_EQ(f.counts(), " 2|1 ");
    ASSERT_TRUE(f.board().lastTarget());
    ASSERT_TRUE(f.part("nameLabel", 2).font().bold());
    const QColor token = f.board().image().pixelColor(f.cellCentre(1, 1));
    f.window->newGame();
    f.start(kCorners, {"Eva", "Jan"}, {2, 0}, "1", /*runToFirstTurn=*/false);
    EXPECT_EQ(f.counts(), " 1|1 ");
    EXPECT_FALSE(f.board().lastSource());
    EXPECT_FALSE(f.board().lastTarget());
    EXPECT_FALSE(f.board().selection());
    EXPECT_FALSE(f.part("nameLabel", 1).font().bold());
    EXPECT_FALSE(f.part("nameLabel", 2).font().bold());
    EXPECT_FALSE(f.part("clockLabel", 1).text().isEmpty());
    const QImage first = f.board().image();
    const QColor freeCell = first.pixelColor(f.cellCentre(1, 1));
    EXPECT_NE(freeCell, token);
    EXPECT_NE(freeCell, QColor(Qt::black));
    EXPECT_EQ(first.pixelColor(f.cellCentre(0, 0)), token);
    // What the game then lays is the same board.
    f.settle();
    EXPECT_EQ(f.board().image().pixelColor(f.cellCentre(1, 1)), freeCell);
    EXPECT_EQ(f.counts(), " 1|1 ");
}

// After the end nobody is highlighted as the one to move.
TEST(GameWindowStart, NoNameIsHighlightedAfterTheEnd) {
    WindowFixture f;
    f.start("+X-X");  // 2 x 2: player 1 fills it at once
    ASSERT_TRUE(f.part("nameLabel", 1).font().bold());
    f.move({0, 0}, {1, 0});
    f.move({1, 1}, {0, 1});
    ASSERT_TRUE(f.game().gameOver());
    EXPECT_FALSE(f.part("nameLabel", 1).font().bold());
    EXPECT_FALSE(f.part("nameLabel", 2).font().bold());
}

TEST(GameWindowChrome, QuitAndNewGameGoThroughTheirConfirmations) {
    WindowFixture f;
    f.start(kCorners);
    QSignalSpy quit(f.window.get(), &GameWindow::quitRequested);
    EXPECT_FALSE(f.window->close());
    QTest::mouseClick(&f.part<ToolButton>("Picture13_", 0), Qt::LeftButton);  // the close button
    EXPECT_TRUE(f.window->isVisible());
    EXPECT_EQ(quit.count(), 0);
    QMenu& menu = f.part<QMenu>("quitMenu");
    ASSERT_EQ(menu.actions().size(), 1);
    EXPECT_EQ(menu.title(), QStringLiteral("Opravdu skončit?"));
    EXPECT_EQ(menu.actions()[0]->text(), QStringLiteral("Opravdu skončit"));
    menu.actions()[0]->trigger();
    EXPECT_EQ(quit.count(), 1);
    EXPECT_TRUE(f.window->isVisible());

    QSignalSpy back(f.window.get(), &GameWindow::newGameRequested);
    QMenu& newGame = f.part<QMenu>("newGameMenu");
    ASSERT_EQ(newGame.actions().size(), 1);
    EXPECT_EQ(newGame.actions()[0]->text(), QStringLiteral("Novou hru"));
    newGame.actions()[0]->trigger();
    EXPECT_EQ(back.count(), 1);
    EXPECT_FALSE(f.window->isVisible());
    EXPECT_EQ(f.window->game().setup().board, kCorners);  // the board string alone
}

TEST(GameWindowChrome, ToolbarButtonsShowTheirPressedHalfAndClickOnTheLeftButtonOnly) {
    WindowFixture f;
    ToolButton& music = f.part<ToolButton>("Picture13_", 1);
    EXPECT_EQ(music.toolTip(), QStringLiteral("Hudba (H)"));
    QSignalSpy toggled(f.window.get(), &GameWindow::musicToggleRequested);
    QTest::mousePress(&music, Qt::RightButton);
    EXPECT_TRUE(music.isDown());
    const QImage pressed = music.grab().toImage();
    QTest::mouseRelease(&music, Qt::RightButton);
    EXPECT_FALSE(music.isDown());
    EXPECT_NE(pressed, music.grab().toImage());
    EXPECT_EQ(toggled.count(), 0);
    QTest::mouseClick(&music, Qt::LeftButton);
    EXPECT_EQ(toggled.count(), 1);
}

// Every toolbar action without the mouse: Tab from the board walks the buttons from left
// to right (Space or Return presses the one with the focus, which shows a frame), and each
// has a key, named in its tooltip.
TEST(GameWindowChrome, EveryToolbarActionIsReachableByKeyboard) {
    WindowFixture f;
    f.start(kCorners);
    f.window->show();
    f.window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(f.window.get()));
    f.board().setFocus();
    QStringList order;
    for (int i = 0; i < 7; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        order << QApplication::focusWidget()->objectName();
    }
    EXPECT_EQ(order, QStringList({"Picture13_3", "Picture13_4", "Picture13_5", "Picture13_6",
                                  "Picture13_1", "Picture13_2", "Picture13_0"}));
    ToolButton& close = f.part<ToolButton>("Picture13_", 0);
    const QImage focused = close.grab().toImage();
    f.board().setFocus();
    EXPECT_NE(close.grab().toImage(), focused);  // the focus frame is gone

    QSignalSpy music(f.window.get(), &GameWindow::musicToggleRequested);
    QSignalSpy about(f.window.get(), &GameWindow::aboutRequested);
    ToolButton& musicButton = f.part<ToolButton>("Picture13_", 1);
    musicButton.setFocus();
    QTest::keyClick(&musicButton, Qt::Key_Space);
    QTest::keyClick(&musicButton, Qt::Key_Return);
    EXPECT_EQ(music.count(), 2);
    f.board().setFocus();
    QTest::keyClick(&f.board(), Qt::Key_F1);
    EXPECT_EQ(about.count(), 1);
    // The menus' keys open them under their buttons, the first item ready.
    const struct {
        QKeySequence keys;
        const char* menu;
    } menus[] = {{QKeySequence(QStringLiteral("Ctrl+R")), "restartMenu"},
                 {QKeySequence(QStringLiteral("Ctrl+N")), "newGameMenu"},
                 {QKeySequence(QStringLiteral("Ctrl+Q")), "quitMenu"}};
    for (const auto& row : menus) {
        SCOPED_TRACE(row.menu);
        QTest::keySequence(f.window.get(), row.keys);
        QMenu& menu = f.part<QMenu>(row.menu);
        EXPECT_TRUE(menu.isVisible());
        EXPECT_EQ(menu.activeAction(), menu.actions().value(0));
        menu.hide();
    }
    const int height = f.window->windowHeight();
    QTest::keySequence(f.window.get(), QKeySequence(QStringLiteral("Ctrl+-")));
    EXPECT_LT(f.window->windowHeight(), height);
    for (int i = 0; i < 7; ++i) {
        const QString tip = f.part<ToolButton>("Picture13_", i).toolTip();
        EXPECT_TRUE(tip.endsWith(QLatin1Char(')'))) << tip.toStdString();
    }
    EXPECT_EQ(f.part<ToolButton>("Picture13_", 5).toolTip(), QStringLiteral("Vrátit tah (Z)"));
}

TEST(GameWindowPosition, CtrlCAndTheStripsMenuCopyThePositionAsFenWithTheSideToMove) {
    WindowFixture f;
    f.start(kCorners);
    f.window->show();
    f.window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(f.window.get()));
    f.board().setFocus();
    QClipboard& clipboard = *QGuiApplication::clipboard();

    clipboard.setText(QStringLiteral("před"));
    QTest::keySequence(f.window.get(), QKeySequence::Copy);
    EXPECT_EQ(clipboard.text(), QStringLiteral("x3/4/4/3o x 0 1"));

    // After player 1's copy to (1, 1): player 2 is to move, the counters follow the game.
    f.click(0, 0);
    f.click(1, 1);
    f.settle();
    for (QWidget* strip : {&f.part<QWidget>("statusStrip"), &f.part<QWidget>("scoreStrip")}) {
        SCOPED_TRACE(strip->objectName().toStdString());
        clipboard.clear();
        ASSERT_EQ(strip->contextMenuPolicy(), Qt::ActionsContextMenu);
        ASSERT_EQ(strip->actions().size(), 1);
        EXPECT_EQ(strip->actions()[0]->text(), QStringLiteral("Kopírovat pozici jako FEN"));
        strip->actions()[0]->trigger();
        const QString fen = clipboard.text();
        EXPECT_TRUE(fen.startsWith(QStringLiteral("x3/1x2/4/3o o "))) << fen.toStdString();
        // What is copied reads back as the position on the board.
        const FenResult read = readFen(fen.toStdString());
        ASSERT_TRUE(read.position) << read.error;
        EXPECT_EQ(read.position->boardString(), f.game().position().boardString());
    }
}

}  // namespace
}  // namespace tomelin

// The game window as a player sees it: what is readable, what stays in view, what shows up.

#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>

#include "core/game_harness.h"
#include "gamewin/score_strip.h"
#include "gamewin/tool_button.h"
#include "window_fixture.h"

namespace tomelin {
namespace {

using test::kCorners;
using test::part;
using test::WindowFixture;

double luma(QRgb c) {
    return 0.299 * qRed(c) + 0.587 * qGreen(c) + 0.114 * qBlue(c);
}

// The smallest difference in brightness between a label's text colour and the score bar's
// pixels under its text.
double worstContrast(GameWindow& window, QLabel& label) {
    const QImage& bar = test::part<PictureBox>(window, "scoreStrip").image();
    const QFontMetrics fm = label.fontMetrics();
    const QString all = label.text();
    const QString glyphs = all.trimmed();
    const int total = fm.horizontalAdvance(all);
    const int lead = fm.horizontalAdvance(all.left(all.indexOf(glyphs)));
    const QPoint origin = label.mapTo(&test::part<PictureBox>(window, "scoreStrip"), QPoint(0, 0));
    const int start = label.alignment() & Qt::AlignRight  ? label.width() - total
                      : label.alignment() & Qt::AlignLeft ? 0
                                                          : (label.width() - total) / 2;
    const int left = origin.x() + start + lead;
    const double text = luma(label.palette().color(QPalette::WindowText).rgb());
    double worst = 255;
    // The glyphs' columns, between the bar's two-pixel top and bottom edges.
    for (int x = std::max(0, left); x < std::min(bar.width(), left + fm.horizontalAdvance(glyphs));
         ++x)
        for (int y = 2; y < bar.height() - 2; ++y)
            worst = std::min(worst, std::abs(text - luma(bar.pixel(x, y))));
    return worst;
}

TEST(GameWindowScoreBar, EveryNumberStandsOutFromTheBarUnderIt) {
    // Dark, light and mid colours; a side with no tokens puts its count on the other side's
    // white end.
    const std::array<Rgb, 4> colours{rgb(0, 127, 225), rgb(255, 255, 15), rgb(15, 15, 15),
                                     rgb(135, 135, 135)};
    const std::array<std::string, 3> boards{kCorners, test::rows("+XXX/XXXX/XXXX/XXXX/"),
                                            test::rows("XXXX/XXXX/XXXX/XXX-/")};
    for (Rgb c1 : colours) {
        for (Rgb c2 : colours) {
            for (const std::string& board : boards) {
                SCOPED_TRACE(testing::Message() << std::hex << c1 << " " << c2 << " " << board);
                WindowFixture f;
                f.window->setPlayerStyle(1, {c1, kShapeRectangle, kWhite});
                f.window->setPlayerStyle(2, {c2, kShapeOval, kWhite});
                f.start(board, {"Eva", "Jan"}, {0, 0}, "1", false);
                f.timers.fire(GameTimer::Start);  // the board and the score appear
                EXPECT_GE(worstContrast(*f.window, f.part("countLabel", 1)), 100);
                EXPECT_GE(worstContrast(*f.window, f.part("countLabel", 2)), 100);
            }
        }
    }
}

TEST(GameWindowScoreBar, TheMoveLabelSitsInTheLowerPanelClearOfTheDifference) {
    WindowFixture f;
    f.start(kCorners);  // 1 : 1, "Vyrovnáno" in the middle
    QLabel& move = f.part("moveLabel");
    EXPECT_EQ(move.text(), QStringLiteral(" 1. TAH"));
    EXPECT_EQ(move.parentWidget(), &f.part<PictureBox>("scoreStrip"));
    EXPECT_TRUE(f.part<PictureBox>("scoreStrip").rect().contains(move.geometry()));
    EXPECT_FALSE(move.geometry().intersects(f.part("differenceLabel").geometry()));
    EXPECT_GE(worstContrast(*f.window, move), 100);
    f.move({0, 0}, {1, 1});  // 2 : 1
    EXPECT_EQ(move.text(), QStringLiteral(" 1. TAH"));
    EXPECT_FALSE(move.geometry().intersects(f.part("differenceLabel").geometry()));
}

// Over a game whose difference wanders about the bar, the move label moves only when the
// difference would otherwise cover it: it does not jump from side to side at every move.
TEST(GameWindowScoreBar, TheMoveLabelMovesOnlyWhenTheDifferenceWouldCoverIt) {
    ScoreStrip strip;
    strip.resize(600, 20);
    strip.fitLabels();
    strip.show();
    QLabel& move = part<QLabel>(strip, "moveLabel");
    QLabel& difference = part<QLabel>(strip, "differenceLabel");
    strip.setMoveNumber(1);
    int moves = 0;
    // The two counts of a long game, the lead going back and forth.
    const int counts[][2] = {{2, 2},   {3, 2},   {3, 4},   {6, 3},   {5, 7},   {9, 6},   {8, 10},
                             {12, 9},  {11, 14}, {16, 12}, {15, 18}, {20, 16}, {19, 22}, {30, 12},
                             {14, 31}, {25, 25}, {27, 24}, {24, 28}, {33, 20}, {21, 34}};
    int number = 1;
    for (const auto& c : counts) {
        const QRect before = move.geometry();
        strip.setMoveNumber(++number);
        strip.showScore(c[0], c[1], rgb(255, 128, 0), rgb(0, 127, 225), 600);
        ASSERT_FALSE(move.geometry().intersects(difference.geometry())) << c[0] << ":" << c[1];
        if (std::abs(move.geometry().center().x() - before.center().x()) > 2) {
            ++moves;
            // It moved: where it stood, the difference would have covered it.
            EXPECT_TRUE(QRect(before.center().x() - move.width() / 2, 0, move.width(), 20)
                            .intersects(difference.geometry()))
                << c[0] << ":" << c[1];
        }
    }
    EXPECT_LT(moves, 10);
}

TEST(MoveLabelSpot, CentredUnlessTheDifferenceIsThereThenOnTheWiderSide) {
    EXPECT_EQ(moveLabelSpot(400, 60, QRect()), QRect(170, 0, 60, 0));
    EXPECT_EQ(moveLabelSpot(400, 60, QRect(20, 0, 30, 19)), QRect(170, 0, 60, 19));
    // The difference in the middle, a little left of it: the text goes right.
    EXPECT_EQ(moveLabelSpot(400, 60, QRect(180, 0, 30, 19)), QRect(210 + 65, 0, 60, 19));
    // Right of the middle: the text goes left.
    EXPECT_EQ(moveLabelSpot(400, 60, QRect(210, 0, 30, 19)), QRect(75, 0, 60, 19));
}

TEST(GameWindowStatusStrip, ALongNameEndsInAnEllipsisAndShowsWholeAsATooltip) {
    WindowFixture f;
    const std::string longName(80, 'W');
    f.start(kCorners, {longName, "Jan"});
    for (int player : {1, 2}) {
        QLabel& label = f.part("nameLabel", player);
        SCOPED_TRACE(player);
        EXPECT_LE(label.fontMetrics().horizontalAdvance(label.text()), label.width());
    }
    QLabel& cut = f.part("nameLabel", 1);
    EXPECT_TRUE(cut.text().endsWith(QChar(0x2026))) << cut.text().toStdString();
    EXPECT_EQ(cut.toolTip(), QString::fromStdString(longName));
    EXPECT_FALSE(cut.testAttribute(Qt::WA_TransparentForMouseEvents));
    EXPECT_EQ(f.part("nameLabel", 2).text(), QStringLiteral("Jan"));
    EXPECT_TRUE(f.part("nameLabel", 2).toolTip().isEmpty());
    // Bold for the player to move takes more room; the cut follows.
    f.move({0, 0}, {1, 1});
    QLabel& other = f.part("nameLabel", 1);
    EXPECT_LE(other.fontMetrics().horizontalAdvance(other.text()), other.width());
}

TEST(GameWindowStart, AGameAfterAMinimisedOneStartsShownNormally) {
    WindowFixture f;
    f.start(kCorners);
    // "Pauza-Minimalizovat".
    QTest::mouseClick(&f.part<ToolButton>("Picture13_", 2), Qt::LeftButton);
    EXPECT_TRUE(f.window->isMinimized());
    f.window->newGame();
    f.start(kCorners);
    EXPECT_TRUE(f.window->isVisible());
    EXPECT_FALSE(f.window->windowState().testFlag(Qt::WindowMinimized));
}

TEST(GameWindowCaptureRay, StaysInViewForAMomentAfterTheMove) {
    WindowFixture f;
    f.board().setRayHold(60);
    f.start(kCorners);
    f.move({0, 0}, {1, 1});
    // Player 2 jumps from (3, 3) to (2, 1) and captures (1, 1).
    f.click(3, 3);
    f.click(2, 1);
    EXPECT_TRUE(f.board().rayShown());
    ASSERT_EQ(f.board().heldRays().size(), 1u);
    EXPECT_EQ(f.board().heldRays()[0][0], (CellPos{2, 1}));
    EXPECT_EQ(f.board().heldRays()[0][1], (CellPos{1, 1}));
    // It is painted over the board: the pixel between the two cell centres has its colour.
    const QImage seen = f.board().grab().toImage();
    const QPoint between = (f.cellCentre(2, 1) + f.cellCentre(1, 1)) / 2;
    const Rgb ray = fromQColor(seen.pixelColor(between));
    EXPECT_TRUE(ray == kWhite || ray == test::kTestStyle2.colour ||
                ray == test::kTestStyle2.secondColour)
        << std::hex << ray;
    QTRY_VERIFY_WITH_TIMEOUT(!f.board().rayShown(), 2000);
    EXPECT_GE(BoardView::kRayHoldMs, 250);  // long enough to be seen by default
}

TEST(GameWindowComputerMove, TheIndicatorShowsProgressAndIsGoneBeforeTheClicks) {
    WindowFixture f;
    f.window->setThinkingTime(200);
    f.start(test::rows("+XXXX/XXXXX/XXXXX/XXXXX/XXXX-/"), {"PC Profesionál", "Jan"}, {0, 0}, "1",
            false);
    f.timers.fire(GameTimer::Start);
    // What a person would see while the search runs, sampled as the event loop runs.
    QStringList seen;
    QTimer sample;
    QObject::connect(&sample, &QTimer::timeout, f.window.get(), [&] {
        if (f.part<QWidget>("thinking").isVisible())
            seen << f.part("percentLabel").text();
    });
    sample.start(5);
    f.timers.fire(GameTimer::TurnChange);  // the computer searches and chooses
    sample.stop();
    seen.removeDuplicates();
    EXPECT_GE(seen.size(), 3) << seen.join(',').toStdString();
    for (const QString& percent : seen)
        EXPECT_LT(percent.trimmed().chopped(1).toInt(), 105);
    ASSERT_TRUE(f.game().computerMovePending());
    EXPECT_FALSE(f.part<QWidget>("thinking").isVisible());
    EXPECT_EQ(f.game().selection().state(), 0);  // its clicks are still to come
}

}  // namespace
}  // namespace tomelin

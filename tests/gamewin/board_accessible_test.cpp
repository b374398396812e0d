// The board as a screen reader reads it: a table of cells named by square and content, with the
// key cursor's cell focused. (The events a reader hears need a real accessibility bus: the
// screen reader desktop test listens for them.)

#include <gtest/gtest.h>

#include <QAccessible>
#include <QTest>

#include "gamewin/window_fixture.h"

namespace tomelin {
namespace {

// 4 x 4: player 1 at a4, player 2 at d1, a hole at b3.
const std::string kBoardWithHole = "+XXXX0XXXXXXXXX-";

QAccessibleInterface* boardOf(test::WindowFixture& f) {
    return QAccessible::queryAccessibleInterface(&f.board());
}

TEST(BoardForScreenReaders, IsATableOfNamedCellsReadFromTheGame) {
    test::WindowFixture f;
    f.window->show();
    f.start(kBoardWithHole);
    QAccessibleInterface* board = boardOf(f);
    ASSERT_NE(board, nullptr);
    EXPECT_EQ(board->role(), QAccessible::Table);
    EXPECT_EQ(board->text(QAccessible::Name), QStringLiteral("Hrací pole"));
    ASSERT_NE(board->tableInterface(), nullptr);
    EXPECT_EQ(board->tableInterface()->rowCount(), 4);
    EXPECT_EQ(board->tableInterface()->columnCount(), 4);
    ASSERT_EQ(board->childCount(), 16);

    // Cells read row by row from the top; squares are named from the bottom left (a1).
    const struct {
        int row, column;
        QString name;
    } cells[] = {
        {0, 0, QStringLiteral("a4, hráč 1 (Eva)")},
        {0, 1, QStringLiteral("b4, volné")},
        {1, 1, QStringLiteral("b3, mimo hru")},
        {3, 3, QStringLiteral("d1, hráč 2 (Jan)")},
    };
    for (const auto& c : cells) {
        SCOPED_TRACE(c.name.toStdString());
        QAccessibleInterface* cell = board->tableInterface()->cellAt(c.row, c.column);
        ASSERT_NE(cell, nullptr);
        EXPECT_EQ(cell->role(), QAccessible::Cell);
        EXPECT_EQ(cell->text(QAccessible::Name), c.name);
        EXPECT_EQ(cell->parent(), board);
        EXPECT_EQ(board->indexOfChild(cell), c.row * 4 + c.column);
        EXPECT_EQ(board->child(c.row * 4 + c.column), cell);  // the same cell each time asked
        ASSERT_NE(cell->tableCellInterface(), nullptr);
        EXPECT_EQ(cell->tableCellInterface()->rowIndex(), c.row);
        EXPECT_EQ(cell->tableCellInterface()->columnIndex(), c.column);
        // A cell lies where it is drawn.
        const QPoint centre = f.board().mapToGlobal(f.cellCentre(c.column, c.row));
        EXPECT_TRUE(cell->rect().contains(centre));
    }
    EXPECT_EQ(board->tableInterface()->cellAt(4, 0), nullptr);
    EXPECT_EQ(board->child(16), nullptr);

    // A person selects a4: the cell is the table's selected one.
    f.click(0, 0);
    ASSERT_EQ(board->tableInterface()->selectedCellCount(), 1);
    EXPECT_EQ(board->tableInterface()->selectedCells().front()->text(QAccessible::Name),
              QStringLiteral("a4, hráč 1 (Eva)"));
    EXPECT_TRUE(board->tableInterface()->cellAt(0, 0)->state().selected);
}

TEST(BoardForScreenReaders, TheFocusedCellFollowsTheKeyCursorAndCellsReadTheirNewContent) {
    test::WindowFixture f;
    f.window->show();
    f.start(kBoardWithHole);
    f.window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(f.window.get()));
    f.board().setFocus();
    ASSERT_TRUE(f.board().hasFocus());
    f.board().setKeyCursor(f.cellCentre(0, 0));
    QAccessibleInterface* board = boardOf(f);
    ASSERT_NE(board->focusChild(), nullptr);
    EXPECT_EQ(board->focusChild()->text(QAccessible::Name), QStringLiteral("a4, hráč 1 (Eva)"));

    // An arrow moves the cursor a quarter of a cell; the focused cell follows the cursor.
    QTest::keyClick(&f.board(), Qt::Key_Right);
    EXPECT_EQ(board->focusChild()->text(QAccessible::Name), QStringLiteral("a4, hráč 1 (Eva)"));
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(&f.board(), Qt::Key_Right);
    ASSERT_NE(board->focusChild(), nullptr);
    EXPECT_EQ(board->focusChild()->text(QAccessible::Name), QStringLiteral("b4, volné"));
    EXPECT_TRUE(board->focusChild()->state().focused);
    EXPECT_FALSE(board->tableInterface()->cellAt(0, 0)->state().focused);

    // Eva copies a4 to b4 by the keyboard: the cell reads its new content.
    for (int i = 0; i < 4; ++i)
        QTest::keyClick(&f.board(), Qt::Key_Left);
    QTest::keyClick(&f.board(), Qt::Key_Space);
    for (int i = 0; i < 4; ++i)
        QTest::keyClick(&f.board(), Qt::Key_Right);
    QTest::keyClick(&f.board(), Qt::Key_Space);
    f.settle();
    EXPECT_EQ(board->tableInterface()->cellAt(0, 1)->text(QAccessible::Name),
              QStringLiteral("b4, hráč 1 (Eva)"));
}

TEST(BoardForScreenReaders, ABoardOfAnotherSizeGivesATableOfThatSize) {
    test::WindowFixture f;
    f.window->show();
    f.start(kBoardWithHole);
    QAccessibleInterface* board = boardOf(f);
    ASSERT_NE(board->tableInterface()->cellAt(3, 3), nullptr);

    // 3 x 3: the cells of a 4 x 4 board are gone, the new ones named afresh.
    f.start("+XXXXXXX-");
    EXPECT_EQ(board->childCount(), 9);
    EXPECT_EQ(board->tableInterface()->cellAt(3, 3), nullptr);
    EXPECT_EQ(board->tableInterface()->cellAt(2, 2)->text(QAccessible::Name),
              QStringLiteral("c1, hráč 2 (Jan)"));
    EXPECT_EQ(board->tableInterface()->cellAt(0, 0)->text(QAccessible::Name),
              QStringLiteral("a3, hráč 1 (Eva)"));
}

}  // namespace
}  // namespace tomelin

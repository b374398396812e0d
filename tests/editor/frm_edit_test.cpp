#include "editor/frm_edit.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <memory>
#include <string>

#include "editor/edit_canvas.h"
#include "editor/edit_cursors.h"
#include "platform/store/sqlite_store.h"
#include "setup/board_list.h"

namespace tomelin {
namespace {

// An n x n board string of free cells with a player 1 token top-left and a player 2 token
// bottom-right.
QString plainBoard(int n) {
    std::string s(static_cast<std::size_t>(n * n), 'X');
    s.front() = '+';
    s.back() = '-';
    return QString::fromStdString(s);
}

// What a canvas pixel shows, told apart by colour alone.
enum class Seen { Black, Grey, Orange, Blue };

Seen classify(QColor c) {
    if (c.red() < 20 && c.green() < 20 && c.blue() < 20)
        return Seen::Black;
    if (c.red() > c.blue() + 40)
        return Seen::Orange;
    if (c.blue() > c.red() + 40)
        return Seen::Blue;
    return Seen::Grey;
}

class FrmEditTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto opened = SqliteStore::open(":memory:");
        ASSERT_TRUE(opened.store) << opened.detail;
        m_store = std::move(opened.store);
    }

    std::unique_ptr<FrmEdit> open(const QString& board, const QString& name = "Pole",
                                  const QString& slot = "01") {
        auto editor = std::make_unique<FrmEdit>(*m_store, board, name, slot);
        editor->setMessageHandler([this](const QString& title, const QString& text) {
            m_titles << title;
            m_texts << text;
        });
        return editor;
    }

    // The centre of board cell (c, r) on the canvas.
    static QPoint cellCentre(const FrmEdit& editor, int c, int r) {
        const EditCanvas* canvas = editor.canvas();
        const double n = editor.board().side();
        return QPoint(static_cast<int>((c + 0.5) * canvas->width() / n),
                      static_cast<int>((r + 0.5) * canvas->height() / n));
    }
    static Seen seenAt(const FrmEdit& editor, int c, int r) {
        return classify(editor.canvas()->image().pixelColor(cellCentre(editor, c, r)));
    }
    static void leftClick(FrmEdit& editor, int c, int r) {
        QTest::mouseClick(editor.canvas(), Qt::LeftButton, Qt::NoModifier,
                          cellCentre(editor, c, r));
    }
    static void leftDragTo(FrmEdit& editor, QPointF to) {
        QMouseEvent move(QEvent::MouseMove, to, editor.canvas()->mapToGlobal(to), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(editor.canvas(), &move);
    }
    std::string storedText(const std::string& slot, const char* name) {
        return valueText(m_store->ReadRegValue(boardKeyPath(slot), name));
    }

    std::unique_ptr<SqliteStore> m_store;
    QStringList m_titles;
    QStringList m_texts;
};

TEST_F(FrmEditTest, OpensWithTheBoardTheNameAndTheFreeCellTool) {
    auto editor = open(plainBoard(7), "Moje pole", "04");
    EXPECT_EQ(editor->windowTitle(), "Editor");
    EXPECT_EQ(editor->nameBox()->text(), "Moje pole");
    EXPECT_EQ(editor->sizeBox()->text(), "7");
    EXPECT_EQ(editor->slot(), "04");
    EXPECT_TRUE(editor->mirrorBox()->isChecked());
    EXPECT_EQ(editor->board().tool(), EditCell::Free);
    EXPECT_EQ(seenAt(*editor, 0, 0), Seen::Orange);
    EXPECT_EQ(seenAt(*editor, 6, 6), Seen::Blue);
    EXPECT_EQ(seenAt(*editor, 3, 3), Seen::Grey);
}

TEST_F(FrmEditTest, LaysTheWindowOutFromTheCanvasWidth) {
    auto editor = open(plainBoard(8));
    const int w = editor->canvasWidth();
    EXPECT_EQ(editor->canvas()->geometry(), QRect(4, 52, w, w * 3 / 4));
    EXPECT_EQ(editor->size(), QSize(w + 8, w * 3 / 4 + 56));
    EXPECT_EQ(editor->nameBox()->geometry(), QRect(52, 4, w + 8 - 56, 21));
    // The size box sits over the middle of the spinner, flanked by its arrows.
    const QRect spinner = editor->sizeSpinner()->geometry();
    const QRect box = editor->sizeBox()->geometry();
    EXPECT_GT(box.left(), spinner.left());
    EXPECT_LT(box.right(), spinner.right());
}

TEST(FrmEditLayout, CanvasIsTwoThirdsOfTheScreenWidthUnlessTheScreenIsTooLow) {
    EXPECT_EQ(FrmEdit::canvasWidthFor(1200, 1000), 800);
    // On a wide, low screen the window would not fit: the height limits the canvas.
    EXPECT_EQ(FrmEdit::canvasWidthFor(2560, 1040), (1040 - 96) * 4 / 3);
    EXPECT_EQ(FrmEdit::canvasWidthFor(100, 100), 240);
}

TEST_F(FrmEditTest, SpinnerKeepsTheSideWithinSixToFifteen) {
    auto editor = open(plainBoard(6));
    QScrollBar* spinner = editor->sizeSpinner();
    spinner->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(editor->sizeBox()->text(), "6");
    EXPECT_EQ(spinner->value(), 1);

    editor->EDM(plainBoard(8));
    for (int i = 0; i < 10; ++i) {
        spinner->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        EXPECT_EQ(spinner->value(), 1);
    }
    EXPECT_EQ(editor->sizeBox()->text(), "15");
    EXPECT_EQ(editor->board().side(), 15);
    spinner->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(editor->sizeBox()->text(), "14");
}

TEST_F(FrmEditTest, SizeBoxCannotBeTypedInto) {
    auto editor = open(plainBoard(8));
    editor->sizeBox()->setFocus();
    QTest::keyClicks(editor->sizeBox(), "0");
    QTest::keyClick(editor->sizeBox(), Qt::Key_Backspace);
    EXPECT_EQ(editor->sizeBox()->text(), "8");
    EXPECT_EQ(editor->board().side(), 8);
}

TEST_F(FrmEditTest, GrowingALoadedBoardShowsFreeCells) {
    std::string s(64, '0');
    s[0] = '+';
    s[63] = '-';
    auto editor = open(QString::fromStdString(s));
    EXPECT_EQ(seenAt(*editor, 7, 0), Seen::Black);
    editor->sizeSpinner()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    ASSERT_EQ(editor->board().side(), 9);
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(seenAt(*editor, 8, i), Seen::Grey) << "right column, row " << i;
        EXPECT_EQ(seenAt(*editor, i, 8), Seen::Grey) << "bottom row, column " << i;
    }
    EXPECT_EQ(seenAt(*editor, 7, 0), Seen::Black);
    EXPECT_EQ(seenAt(*editor, 7, 7), Seen::Blue);
}

TEST_F(FrmEditTest, MirrorPaintsTheOtherPlayersTokenOpposite) {
    auto editor = open(QString(64, 'X'));
    QTest::mouseClick(editor->canvas(), Qt::RightButton);  // free cell -> player 1 token
    leftClick(*editor, 1, 2);
    EXPECT_EQ(editor->board().at(1, 2), EditCell::Player1);
    EXPECT_EQ(editor->board().at(6, 5), EditCell::Player2);
    EXPECT_EQ(seenAt(*editor, 1, 2), Seen::Orange);
    EXPECT_EQ(seenAt(*editor, 6, 5), Seen::Blue);
}

TEST_F(FrmEditTest, DraggingBeyondTheCanvasPaintsTheBorderCells) {
    auto editor = open(QString(64, 'X'));
    editor->mirrorBox()->setChecked(false);
    for (int i = 0; i < 3; ++i) {
        QTest::mouseClick(editor->canvas(), Qt::RightButton);  // no cell
    }
    ASSERT_EQ(editor->board().tool(), EditCell::NoCell);
    const double w = editor->canvas()->width();
    leftDragTo(*editor, QPointF(w + 50, -20));
    leftDragTo(*editor, QPointF(-30, 10));
    EXPECT_EQ(editor->board().at(7, 0), EditCell::NoCell);
    EXPECT_EQ(editor->board().at(0, 0), EditCell::NoCell);
    EXPECT_EQ(seenAt(*editor, 7, 0), Seen::Black);
    // With "Zrcadlo" unticked the opposite cells stay as they were.
    EXPECT_EQ(editor->board().at(0, 7), EditCell::Free);
    EXPECT_EQ(editor->board().at(7, 7), EditCell::Free);
    // A move with no button held paints nothing.
    QMouseEvent hover(QEvent::MouseMove, QPointF(cellCentre(*editor, 3, 3)),
                      editor->canvas()->mapToGlobal(QPointF(cellCentre(*editor, 3, 3))),
                      Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(editor->canvas(), &hover);
    EXPECT_EQ(editor->board().at(3, 3), EditCell::Free);
}

TEST_F(FrmEditTest, RightClicksCycleTheToolsAndTheirPointersWithoutPainting) {
    auto editor = open(plainBoard(8));
    const std::string before = editor->board().boardString();
    const EditCell expected[] = {EditCell::Player1, EditCell::Player2, EditCell::NoCell,
                                 EditCell::Free};
    for (EditCell tool : expected) {
        QTest::mouseClick(editor->canvas(), Qt::RightButton, Qt::NoModifier,
                          cellCentre(*editor, 2, 2));
        EXPECT_EQ(editor->board().tool(), tool);
        EXPECT_EQ(editor->canvas()->cursor().pixmap().toImage(), editToolPicture(tool).toImage());
    }
    EXPECT_EQ(editor->board().boardString(), before);
    // The middle button does nothing.
    QTest::mouseClick(editor->canvas(), Qt::MiddleButton, Qt::NoModifier,
                      cellCentre(*editor, 2, 2));
    EXPECT_EQ(editor->board().tool(), EditCell::Free);
    EXPECT_EQ(editor->board().boardString(), before);
}

TEST_F(FrmEditTest, ClearingTheNamePutsBackTheDefaultSelected) {
    auto editor = open(plainBoard(8), "Pole");
    editor->nameBox()->clear();
    EXPECT_EQ(editor->nameBox()->text(), "Nové pole");
    EXPECT_EQ(editor->nameBox()->selectedText(), "Nové pole");
    // An empty name from the opener gets the default as well.
    auto unnamed = open(plainBoard(8), "");
    EXPECT_EQ(unnamed->nameBox()->text(), "Nové pole");
}

TEST_F(FrmEditTest, SaveRefusesBoardsInTheOrderOfTheChecks) {
    auto editor = open(QString(36, '0'));
    QSignalSpy saved(editor.get(), &FrmEdit::boardSaved);
    QTest::mouseClick(editor->saveButton(), Qt::LeftButton);
    editor->EDM(QString(36, 'X'));
    EXPECT_FALSE(editor->save());
    editor->EDM(QString(35, 'X') + "+");
    EXPECT_FALSE(editor->save());
    EXPECT_EQ(m_texts, (QStringList{"Není žádné volné políčko.", "Nejsou žádné figurky hráče 1",
                                    "Nejsou žádné figurky hráče 2"}));
    EXPECT_EQ(m_titles, (QStringList{"Nelze uložit", "Nelze uložit", "Nelze uložit"}));
    EXPECT_EQ(saved.count(), 0);
    EXPECT_EQ(storedText("01", ""), "");
    EXPECT_EQ(storedText("01", kBoardStringValue), "");
    // The refused board is still there to be mended.
    EXPECT_EQ(editor->board().boardString(), std::string(35, 'X') + "+");
}

TEST_F(FrmEditTest, SaveStoresTheNameAndBoardStringInTheSlot) {
    auto editor = open(plainBoard(8), "Pole", "03");
    QSignalSpy saved(editor.get(), &FrmEdit::boardSaved);
    editor->nameBox()->setText("Hvězdné pole");
    editor->sizeSpinner()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QTest::mouseClick(editor->saveButton(), Qt::LeftButton);

    EXPECT_TRUE(m_texts.isEmpty()) << m_texts.join("; ").toStdString();
    ASSERT_EQ(saved.count(), 1);
    EXPECT_EQ(saved.at(0).at(0).toString(), "03");
    const std::string expected = editor->board().boardString();
    EXPECT_EQ(expected.size(), 81u);
    EXPECT_EQ(storedText("03", kBoardStringValue), expected);
    EXPECT_EQ(storedText("03", ""), "Hvězdné pole");

    // The rebuilt board list shows the board after the five built-in ones.
    const BoardList list = NajitMapy(*m_store);
    ASSERT_EQ(list.size(), 6);
    EXPECT_EQ(list.names[5], "Hvězdné pole");
    EXPECT_EQ(list.keys[5], "03");
    EXPECT_EQ(list.strings[5], expected);

    // Saving again overwrites the same slot.
    editor->EDM(plainBoard(6));
    ASSERT_TRUE(editor->save());
    EXPECT_EQ(storedText("03", kBoardStringValue), plainBoard(6).toStdString());
    EXPECT_EQ(NajitMapy(*m_store).size(), 6);
    EXPECT_EQ(saved.count(), 2);
}

TEST_F(FrmEditTest, SaveIntoNoSlotIsReportedNotClaimed) {
    auto editor = open(plainBoard(8), "Pole", "N");
    QSignalSpy saved(editor.get(), &FrmEdit::boardSaved);
    EXPECT_FALSE(editor->save());
    EXPECT_EQ(saved.count(), 0);
    ASSERT_EQ(m_titles.size(), 1);
    EXPECT_EQ(m_titles[0], "Nelze uložit");
    EXPECT_EQ(NajitMapy(*m_store).size(), 5);
}

}  // namespace
}  // namespace tomelin

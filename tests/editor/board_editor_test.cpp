#include "editor/board_editor.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <memory>
#include <string>

#include "editor/edit_canvas.h"
#include "editor/edit_cursors.h"
#include "platform/store/sqlite_store.h"
#include "boards/board_list.h"
#include "support/window_parts.h"

namespace tomelin {
namespace {

// An n x n board string of `fill` cells with a player 1 token top-left and a player 2 token
// bottom-right.
QString plainBoard(int n, char fill = 'X') {
    std::string s(static_cast<std::size_t>(n * n), fill);
    s.front() = '+';
    s.back() = '-';
    return QString::fromStdString(s);
}

EditCanvas& canvasOf(const BoardEditor& editor) {
    return test::part<EditCanvas>(editor, "canvas");
}

// What a canvas pixel shows, told apart by colour alone.
enum class Seen { Black, Grey, Orange, Blue };

class BoardEditorTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_store); }

    // An editor whose messages are collected as "title: text".
    std::unique_ptr<BoardEditor> open(const QString& board, const QString& name = "Pole",
                                  const QString& slot = "01") {
        auto editor = std::make_unique<BoardEditor>(*m_store, board, name, slot);
        editor->setMessageHandler([this](const QString& title, const QString& text) {
            m_messages << title + ": " + text;
        });
        return editor;
    }

    // The centre of board cell (c, r) on the canvas.
    static QPoint cellCentre(const BoardEditor& editor, int c, int r) {
        const double n = editor.board().side();
        return QPoint(static_cast<int>((c + 0.5) * canvasOf(editor).width() / n),
                      static_cast<int>((r + 0.5) * canvasOf(editor).height() / n));
    }
    static Seen seenAt(const BoardEditor& editor, int c, int r) {
        const QColor px = canvasOf(editor).image().pixelColor(cellCentre(editor, c, r));
        if (px.red() < 20 && px.green() < 20 && px.blue() < 20)
            return Seen::Black;
        if (px.red() > px.blue() + 40)
            return Seen::Orange;
        return px.blue() > px.red() + 40 ? Seen::Blue : Seen::Grey;
    }
    static void click(BoardEditor& editor, Qt::MouseButton button, int c = 2, int r = 2) {
        QTest::mouseClick(&canvasOf(editor), button, Qt::NoModifier, cellCentre(editor, c, r));
    }
    // A mouse move over the canvas with `buttons` held.
    static void moveTo(BoardEditor& editor, QPointF to, Qt::MouseButtons buttons) {
        QMouseEvent move(QEvent::MouseMove, to, canvasOf(editor).mapToGlobal(to), Qt::NoButton,
                         buttons, Qt::NoModifier);
        QApplication::sendEvent(&canvasOf(editor), &move);
    }

    std::unique_ptr<SqliteStore> m_store = SqliteStore::open(":memory:").store;
    QStringList m_messages;
};

TEST(BoardEditorLayout, CanvasIsTwoThirdsOfTheScreenWidthUnlessTheScreenIsTooLow) {
    EXPECT_EQ(BoardEditor::canvasWidthFor(1200, 1000), 800);
    // On a wide, low screen the window would not fit: the height limits the canvas.
    EXPECT_EQ(BoardEditor::canvasWidthFor(2560, 1040), (1040 - 120) * 4 / 3);
    EXPECT_EQ(BoardEditor::canvasWidthFor(100, 100), 240);
}

TEST_F(BoardEditorTest, OpensOnTheBoardWithTheFreeCellToolAndOnlyTheSpinnerChangesTheSide) {
    auto editor = open(plainBoard(6, '0'), "Moje pole");
    EXPECT_EQ(editor->windowTitle(), "Editor");
    EXPECT_EQ(test::part<QLineEdit>(*editor, "Text1").text(), "Moje pole");
    EXPECT_EQ(test::part<QLineEdit>(*editor, "Text2").text(), "6");
    EXPECT_TRUE(test::part<QCheckBox>(*editor, "Check1").isChecked());
    EXPECT_EQ(editor->board().tool(), EditCell::Free);
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int w = BoardEditor::canvasWidthFor(screen->geometry().width(),
                                              screen->availableGeometry().height());
    EXPECT_EQ(canvasOf(*editor).size(), QSize(w, w * 3 / 4));
    // The size box sits over the middle of the spinner, flanked by its arrows.
    const QRect spinnerRect = test::part<QScrollBar>(*editor, "HScroll1").geometry();
    const QRect box = test::part<QLineEdit>(*editor, "Text2").geometry();
    EXPECT_TRUE(box.left() > spinnerRect.left() && box.right() < spinnerRect.right());

    QScrollBar* spinner = &test::part<QScrollBar>(*editor, "HScroll1");
    spinner->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    ASSERT_EQ(test::part<QLineEdit>(*editor, "Text2").text(), "7");
    // The loaded cells are redrawn where they were and the new ones are free.
    EXPECT_EQ(seenAt(*editor, 0, 0), Seen::Orange);
    EXPECT_EQ(seenAt(*editor, 4, 0), Seen::Black);
    EXPECT_EQ(seenAt(*editor, 5, 5), Seen::Blue);
    EXPECT_EQ(seenAt(*editor, 6, 2), Seen::Grey);
    EXPECT_EQ(seenAt(*editor, 3, 6), Seen::Grey);
    // The spinner springs back after each click, so the second one meets the lower limit.
    spinner->triggerAction(QAbstractSlider::SliderSingleStepSub);
    spinner->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(test::part<QLineEdit>(*editor, "Text2").text(), "6");
    EXPECT_EQ(spinner->value(), 1);
    QTest::keyClick(&test::part<QLineEdit>(*editor, "Text2"), Qt::Key_Backspace);
    QTest::keyClicks(&test::part<QLineEdit>(*editor, "Text2"), "9");
    EXPECT_EQ(test::part<QLineEdit>(*editor, "Text2").text(), "6");
}

TEST_F(BoardEditorTest, RightClicksCycleToolsAndPointersWhileTheLeftButtonPaints) {
    auto editor = open(QString(64, 'X'));
    const auto nextTool = [&](EditCell expected) {
        click(*editor, Qt::RightButton);
        ASSERT_EQ(editor->board().tool(), expected);
        EXPECT_EQ(canvasOf(*editor).cursor().pixmap().toImage(),
                  editToolPicture(expected).toImage());
    };
    nextTool(EditCell::Player1);
    click(*editor, Qt::LeftButton, 1, 2);
    EXPECT_EQ(editor->board().at(6, 5), EditCell::Player2);  // "Zrcadlo" mirrors the stroke
    EXPECT_EQ(seenAt(*editor, 1, 2), Seen::Orange);
    EXPECT_EQ(seenAt(*editor, 6, 5), Seen::Blue);

    test::part<QCheckBox>(*editor, "Check1").setChecked(false);
    nextTool(EditCell::Player2);
    nextTool(EditCell::NoCell);
    moveTo(*editor, QPointF(canvasOf(*editor).width() + 50, -20), Qt::LeftButton);
    EXPECT_EQ(editor->board().at(7, 0), EditCell::NoCell);  // a drag beyond paints the border
    EXPECT_EQ(seenAt(*editor, 7, 0), Seen::Black);
    EXPECT_EQ(editor->board().at(0, 7), EditCell::Free);
    moveTo(*editor, cellCentre(*editor, 3, 3), Qt::NoButton);
    click(*editor, Qt::MiddleButton);
    EXPECT_EQ(editor->board().tool(), EditCell::NoCell);
    nextTool(EditCell::Free);
    // Neither hovering nor the right and middle clicks painted.
    EXPECT_EQ(editor->board().at(3, 3), EditCell::Free);
    EXPECT_EQ(editor->board().at(2, 2), EditCell::Free);
}

TEST_F(BoardEditorTest, RefusedSavesAreReportedStoreNothingAndKeepTheBoard) {
    const struct {
        QString board, slot, message;
    } rows[] = {
        // The checks speak in this order: no free cell and no tokens fails the first one.
        {QString(36, '0'), "01", "Není žádné volné políčko."},
        {QString(36, 'X'), "01", "Nejsou žádné figurky hráče 1"},
        {QString(35, 'X') + "+", "01", "Nejsou žádné figurky hráče 2"},
        // A slot the store has no place for is an error, not a claimed save.
        {plainBoard(8), "N", "Pro toto hrací pole není v úložišti místo."},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.message.toStdString());
        m_messages.clear();
        auto editor = open(row.board, "Pole", row.slot);
        QSignalSpy saved(editor.get(), &BoardEditor::boardSaved);
        EXPECT_FALSE(editor->save());
        EXPECT_EQ(m_messages, QStringList{"Nelze uložit: " + row.message});
        EXPECT_EQ(saved.count(), 0);
        EXPECT_EQ(editor->board().boardString(), row.board.toStdString());
    }
    EXPECT_EQ(readBoardList(*m_store).size(), 5);
}

TEST_F(BoardEditorTest, SaveStoresTheNameAndBoardInTheSlotAndSavingAgainOverwritesIt) {
    auto editor = open(plainBoard(8), "", "03");
    QSignalSpy saved(editor.get(), &BoardEditor::boardSaved);
    // An empty name, given or typed, comes back as the default, selected so typing replaces it.
    test::part<QLineEdit>(*editor, "Text1").clear();
    EXPECT_EQ(test::part<QLineEdit>(*editor, "Text1").text(), "Nové pole");
    test::part<QLineEdit>(*editor, "Text1").insert("Hvězdné pole");
    test::part<QScrollBar>(*editor, "HScroll1").triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QTest::mouseClick(&test::part<QPushButton>(*editor, "Command1"), Qt::LeftButton);
    ASSERT_EQ(saved.count(), 1) << m_messages.join("; ").toStdString();
    EXPECT_EQ(saved.at(0).at(0).toString(), "03");
    // The rebuilt board list shows the grown board after the five built-in ones.
    BoardList list = readBoardList(*m_store);
    ASSERT_EQ(list.size(), 6);
    EXPECT_EQ(list.names[5], "Hvězdné pole");
    EXPECT_EQ(list.keys[5], "03");
    EXPECT_EQ(list.strings[5], editor->board().boardString());

    editor->loadBoard(plainBoard(6));
    ASSERT_TRUE(editor->save());
    list = readBoardList(*m_store);
    ASSERT_EQ(list.size(), 6);
    EXPECT_EQ(list.strings[5], plainBoard(6).toStdString());
    EXPECT_EQ(saved.count(), 2);
}

// The name box: white space alone is no name (the default comes back), the name is saved
// without the white space around it, at most kMaxBoardNameLength letters go in, and a name
// another board has is refused under "Nelze uložit". A save says so in the window.
TEST_F(BoardEditorTest, NamesAreTrimmedLimitedAndNotSharedWithAnotherBoard) {
    ASSERT_FALSE(saveBoardToSlot(*m_store, "01", "Moje", plainBoard(6).toStdString()));
    auto editor = open(plainBoard(8), "Nové pole", "02");
    QLineEdit& name = test::part<QLineEdit>(*editor, "Text1");
    QLabel& saved = test::part<QLabel>(*editor, "saved");
    name.selectAll();
    QTest::keyClicks(&name, "   ");
    EXPECT_EQ(name.text(), "Nové pole");
    EXPECT_EQ(name.selectedText(), "Nové pole");

    for (const QString& taken : {QString("Moje"), QString(" moje "), QString("ORIGINÁL")}) {
        m_messages.clear();
        name.setText(taken);
        EXPECT_FALSE(editor->save());
        EXPECT_EQ(m_messages, QStringList{"Nelze uložit: Hrací pole se jménem „" + taken.trimmed() +
                                          "“ už existuje. Zvolte jiné jméno."});
        EXPECT_FALSE(saved.isVisibleTo(editor.get()));
    }
    EXPECT_EQ(readBoardList(*m_store).size(), 6);

    name.clear();
    name.insert("  " + QString(40, QChar(0x17E)));  // "ž" forty times, as typed
    EXPECT_EQ(name.text().size(), kMaxBoardNameLength);
    name.setText("  Další pole  ");
    ASSERT_TRUE(editor->save()) << m_messages.join("; ").toStdString();
    EXPECT_TRUE(saved.isVisibleTo(editor.get()));
    EXPECT_EQ(readBoardList(*m_store).names.back(), "Další pole");
    // Saving again under its own name is no clash; a change takes "Uloženo" away.
    ASSERT_TRUE(editor->save());
    name.setText("Další pole 2");
    EXPECT_FALSE(saved.isVisibleTo(editor.get()));
}

// Boards of sides the editor does not make (16 x 16 from the tool, 5 x 5) open at their own
// side and save back unchanged; the size box shows that side.
TEST_F(BoardEditorTest, BoardsOfOtherSidesOpenAtTheirSideAndSaveUnchanged) {
    for (const int n : {16, 5}) {
        SCOPED_TRACE(n);
        auto editor = open(plainBoard(n), "Cizí", "07");
        EXPECT_EQ(test::part<QLineEdit>(*editor, "Text2").text(), QString::number(n));
        ASSERT_TRUE(editor->save()) << m_messages.join("; ").toStdString();
        EXPECT_EQ(valueText(m_store->ReadRegValue(boardKeyPath("07"), kBoardStringValue)),
                  plainBoard(n).toStdString());
    }
    // The spinner may take the 16 x 16 board down and back up, but not beyond.
    auto editor = open(plainBoard(16));
    test::part<QScrollBar>(*editor, "HScroll1").triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(test::part<QLineEdit>(*editor, "Text2").text(), "16");
    test::part<QScrollBar>(*editor, "HScroll1").triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(test::part<QLineEdit>(*editor, "Text2").text(), "15");
}

TEST_F(BoardEditorTest, AFenTypedOrPastedIsShownAsTheBoardAndABadOneIsRefusedInCzech) {
    auto editor = open(plainBoard(8), "Z FEN");
    QLineEdit& fen = test::part<QLineEdit>(*editor, "fenBox");
    const struct {
        const char* fen;
        bool viaEnter;
        const char* board;  // the board string shown, or nullptr: refused, the board kept
    } cases[] = {
        {"x5o/7/7/7/7/7/o5x x 0 1", true, "+XXXXX-" "XXXXXXX" "XXXXXXX" "XXXXXXX" "XXXXXXX" "XXXXXXX" "-XXXXX+"},
        // Holes as holes, the other side to move and no counters; spaces around it.
        {"  x2-2o/7/2-1-2/7/2-1-2/7/o2-2x o  ", false,
         "+XX0XX-" "XXXXXXX" "XX0X0XX" "XXXXXXX" "XX0X0XX" "XXXXXXX" "-XX0XX+"},
        {"x5o/7/7/7/7/7/o5 x", true, nullptr},   // a row short
        {"x5o/7/7/7/7/7/o5x", false, nullptr},   // no side to move
        {"x5o/7/7/7/7/7/o5x z", true, nullptr},  // no such side
        {"", false, nullptr},
        {"+XXXXX-XXXX", true, nullptr},  // a board string is no FEN
    };
    std::string shown = editor->board().boardString();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fen);
        m_messages.clear();
        fen.setText(QString::fromUtf8(c.fen));
        if (c.viaEnter)
            QTest::keyClick(&fen, Qt::Key_Return);
        else
            test::part<QPushButton>(*editor, "fenLoad").click();
        if (c.board) {
            EXPECT_TRUE(m_messages.isEmpty());
            shown = c.board;
            EXPECT_EQ(test::part<QLineEdit>(*editor, "Text2").text(), "7");
        } else {
            ASSERT_EQ(m_messages.size(), 1);
            EXPECT_TRUE(m_messages[0].startsWith("Nelze načíst: Text není pozice ve formátu FEN"))
                << m_messages[0].toStdString();
        }
        EXPECT_EQ(editor->board().boardString(), shown);
    }
    // The loaded board is drawn: a hole black, the start tokens in the players' colours.
    EXPECT_EQ(seenAt(*editor, 3, 0), Seen::Black);
    EXPECT_NE(seenAt(*editor, 0, 0), seenAt(*editor, 6, 0));
    // And saved as it is shown.
    ASSERT_TRUE(editor->save());
    const BoardList boards = readBoardList(*m_store);
    EXPECT_EQ(boards.strings.back(), shown);
}

}  // namespace
}  // namespace tomelin

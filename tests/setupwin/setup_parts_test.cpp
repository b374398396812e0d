// The setup window's parts, each on its own: the logic, the board list and the players'
// tokens.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QSignalSpy>

#include "boards/board_list.h"
#include "core/board.h"
#include "platform/store/sqlite_store.h"
#include "setupwin/board_chooser.h"
#include "setupwin/logic_chooser.h"
#include "setupwin/player_panel.h"
#include "setupwin/player_tokens.h"
#include "setupwin/setup_menus.h"
#include "support/contrast.h"
#include "support/window_parts.h"

namespace tomelin {
namespace {

using test::part;

TEST(LogicChooser, StarUnlessTheCrossIsChosen) {
    LogicChooser logic(nullptr);
    EXPECT_EQ(logic.logic(), Logic::Star);
    part<QRadioButton>(logic, "Option2").click();
    EXPECT_EQ(logic.logic(), Logic::Cross);
    logic.chooseStar();
    EXPECT_EQ(logic.logic(), Logic::Star);
    EXPECT_TRUE(part<QRadioButton>(logic, "Option1").isChecked());
}

class BoardChooserTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(store);
        chooser.showMessage = [this](const QString& title, const QString&) { messages << title; };
        chooser.runDialog = [this](QDialog& dialog) { dialogs << dialog.objectName(); };
    }

    std::unique_ptr<SqliteStore> store = SqliteStore::open(":memory:").store;
    QWidget window;
    SetupMenus menus{&window};
    BoardChooser chooser{*store, menus, &window};
    QStringList messages;
    QStringList dialogs;
};

TEST_F(BoardChooserTest, ListsTheBuiltinsAndTheStoredBoardsAndTellsWhichIsChosen) {
    ASSERT_FALSE(saveBoardToSlot(*store, "02", "Moje", builtinBoards()[3].boardString));
    QSignalSpy chosen(&chooser, &BoardChooser::boardChosen);
    chooser.reloadBoards();
    QListWidget& list = part<QListWidget>(chooser, "List1");
    ASSERT_EQ(list.count(), static_cast<int>(builtinBoards().size()) + 1);
    EXPECT_EQ(list.item(list.count() - 1)->text(), QStringLiteral("Moje"));
    ASSERT_EQ(chosen.count(), 1);  // the first board, selected by the rebuild
    EXPECT_EQ(chosen.last().at(0).toString(), QString::fromStdString(builtinBoards()[0].name));
    list.setCurrentRow(list.count() - 1);
    EXPECT_EQ(chooser.selectedBoard(), list.count() - 1);
    EXPECT_EQ(chosen.last().at(1).toString(),
              QString::fromStdString(builtinBoards()[3].boardString));

    chooser.deleteBoard();  // the stored board goes; the list starts again at the first
    EXPECT_EQ(list.count(), static_cast<int>(builtinBoards().size()));
    EXPECT_EQ(chooser.selectedBoard(), 0);
    chooser.deleteBoard();  // a built-in board is never deleted
    EXPECT_EQ(list.count(), static_cast<int>(builtinBoards().size()));
    chooser.editBoard();  // nor edited
    EXPECT_TRUE(dialogs.isEmpty());
    EXPECT_TRUE(messages.isEmpty());
}

// The four strengths sit on rows from grey to nearly black: each row's round indicator
// stands out from its row (3:1 at least, as a control's parts must), and so does its text.
TEST(PlayerPanel, StrengthIndicatorsStandOutFromTheirDarkRows) {
    PlayerPanel panel(0);
    panel.chooseComputer();
    panel.show();
    for (const char* name : {"Option21", "Option22", "Option23", "Option24"}) {
        SCOPED_TRACE(name);
        QRadioButton& option = part<QRadioButton>(panel, name);
        for (const bool chosen : {false, true}) {
            if (chosen)
                option.setChecked(true);
            else
                part<QRadioButton>(panel, name == std::string("Option21") ? "Option22" : "Option21")
                    .setChecked(true);
            const QImage image = option.grab().toImage();
            const QColor row = image.pixelColor(image.width() - 3, image.height() / 2);
            // The indicator lies at the row's left, before the text.
            const QRect indicator(0, 0, 24, image.height());
            EXPECT_GE(test::strongestContrast(image, indicator, row), 3.0) << chosen;
            EXPECT_GE(test::contrastRatio(option.palette().color(QPalette::WindowText), row), 4.5);
        }
    }
}

TEST(PlayerTokens, AppliesTokensAndBringsBackAKnownPlayersLastOne) {
    QWidget window;
    std::array<PlayerPanel*, 2> panels{new PlayerPanel(0, &window), new PlayerPanel(1, &window)};
    MtRandomSource random(2);
    TokenChooser chooser(1, random, &window);
    PlayerTokens tokens(panels, chooser, 1, random, &window);
    QSignalSpy applied(&tokens, &PlayerTokens::tokenApplied);
    tokens.applyToken(0);
    tokens.applyToken(1);
    ASSERT_EQ(applied.count(), 2);
    EXPECT_EQ(applied.at(1).at(0).toInt(), 2);
    EXPECT_EQ(tokens.token(0).style.shape, PlayerTokens::kInitialStyle1.shape);
    EXPECT_EQ(tokens.token(1).style.shape, PlayerTokens::kInitialStyle2.shape);

    // Player 2's name list offers "Jana", whose last token was green rings.
    panels[1]->setKnownPlayers({QStringLiteral("Jana")});
    tokens.setKnownTokens({"EAE7"});
    part<QComboBox>(*panels[1], "Text3").lineEdit()->setText(QStringLiteral("Jan"));
    EXPECT_EQ(applied.count(), 2);
    part<QComboBox>(*panels[1], "Text3").lineEdit()->setText(QStringLiteral("Jana"));
    ASSERT_EQ(applied.count(), 3);
    EXPECT_EQ(tokens.token(1).style.shape, 7);
    EXPECT_EQ(tokens.token(1).style.colour, rgb(15, 255, 15));
    // A computer player keeps his token whatever his name box says.
    panels[0]->setKnownPlayers({QStringLiteral("Jana")});
    panels[0]->chooseComputer();
    const int before = applied.count();
    part<QComboBox>(*panels[0], "Text3").lineEdit()->setText(QStringLiteral("Jana"));
    EXPECT_EQ(applied.count(), before);
}

}  // namespace
}  // namespace tomelin

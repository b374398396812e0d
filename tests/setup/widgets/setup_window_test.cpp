#include "setup/widgets/setup_window.h"

#include <gtest/gtest.h>
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

#include "core/board.h"
#include "core/random.h"
#include "editor/frm_edit.h"
#include "gamewin/window_layout.h"
#include "platform/store/store_location.h"
#include "records/game_record.h"
#include "setup/widgets/player_panel.h"
#include "setup/widgets/setup_menus.h"

namespace tomelin {
namespace {

class SetupWindow : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        opening = openStoreAt((dir.path() + "/store.db").toStdString());
    }

    Store& store() { return *opening.store; }

    // The start-up's part of the setup window, as the program runs it.
    std::unique_ptr<Form1> makeWindow() {
        auto form = std::make_unique<Form1>(store(), 1, random);
        form->setMessageHandler(
            [this](const QString& title, const QString& text) { messages << title + "|" + text; });
        form->setDialogRunner([this](QDialog& dialog) {
            dialogs << dialog.objectName() + "|" + dialog.windowTitle();
            if (auto* editor = qobject_cast<FrmEdit*>(&dialog)) {
                editorSlot = editor->slot();
                editorName = editor->boardName();
                if (onEditor) {
                    onEditor(*editor);
                }
            }
        });
        form->NastavNazvy();
        form->NajitMapy();
        form->PruzkHer();
        form->starOption()->setChecked(true);
        form->applyToken(0);
        form->applyToken(1);
        form->panel(0)->chooseHuman();
        form->panel(1)->chooseHuman();
        return form;
    }

    StartRequest start(Form1& form) {
        QSignalSpy spy(&form, &Form1::startGame);
        form.Command1_Click();
        EXPECT_EQ(spy.count(), 1);
        return spy.count() == 1 ? spy.at(0).at(0).value<StartRequest>() : StartRequest{};
    }

    void storeBoard(const char* slot, const char* name) {
        ASSERT_FALSE(saveBoardToSlot(store(), slot, name, builtinBoards()[1].boardString));
    }

    QTemporaryDir dir;
    StoreOpening opening;
    MtRandomSource random{11};
    QStringList messages;
    QStringList dialogs;
    QString editorSlot;
    QString editorName;
    std::function<void(FrmEdit&)> onEditor;
};

TEST_F(SetupWindow, StartsWithTheBuiltInBoardsAndDefaultPlayersOnAnEmptyStore) {
    auto form = makeWindow();
    ASSERT_EQ(form->boards().size(), 5);
    EXPECT_EQ(form->boardList()->count(), 5);
    EXPECT_EQ(form->boardList()->item(0)->text(), QStringLiteral("Originál"));
    EXPECT_EQ(form->selectedBoard(), 0);
    EXPECT_EQ(form->panel(0)->name(), QStringLiteral("Hráč 1"));
    EXPECT_EQ(form->panel(1)->name(), QStringLiteral("Hráč 2"));
    EXPECT_EQ(form->panel(0)->title(), QStringLiteral("1. hráč"));
    EXPECT_EQ(form->panel(0)->Text3->count(), 0);
    // The first apply snaps the initial colours to the grid.
    EXPECT_EQ(form->token(0).style, (PlayerStyle{rgb(255, 135, 15), 1, rgb(255, 127, 127)}));
    EXPECT_EQ(form->token(1).style, (PlayerStyle{rgb(15, 135, 255), 5, rgb(127, 127, 255)}));
    EXPECT_EQ(form->token(0).icon, 0);
    EXPECT_EQ(form->token(1).icon, 1);

    const StartRequest request = start(*form);
    EXPECT_EQ(request.setup.descriptor, builtinBoards()[0].boardString + "1");
    EXPECT_EQ(request.boardName, QStringLiteral("Originál"));
    EXPECT_EQ(request.setup.names[0], "Hráč 1");
    EXPECT_EQ(request.setup.names[1], "Hráč 2");
    EXPECT_EQ(request.setup.logicLabel, "1");
    EXPECT_EQ(request.setup.person, (std::array<bool, 2>{true, true}));
    EXPECT_FALSE(form->isVisible());
}

TEST_F(SetupWindow, ListsStoredBoardsAfterTheBuiltInsInSlotOrder) {
    storeBoard("12", "Dvanáctka");
    storeBoard("03", "Trojka");
    auto form = makeWindow();
    ASSERT_EQ(form->boardList()->count(), 7);
    EXPECT_EQ(form->boardList()->item(5)->text(), QStringLiteral("Trojka"));
    EXPECT_EQ(form->boardList()->item(6)->text(), QStringLiteral("Dvanáctka"));

    QSignalSpy chosen(form.get(), &Form1::boardChosen);
    form->boardList()->setCurrentRow(6);
    ASSERT_EQ(chosen.count(), 1);
    EXPECT_EQ(chosen.at(0).at(0).toString(), QStringLiteral("Dvanáctka"));
    const StartRequest request = start(*form);
    EXPECT_EQ(request.boardName, QStringLiteral("Dvanáctka"));
}

TEST_F(SetupWindow, TheEditorMenuEditsAndDeletesOnlyStoredBoards) {
    storeBoard("03", "Trojka");
    auto form = makeWindow();
    SetupMenus& menus = form->menus();
    form->boardList()->setCurrentRow(2);
    form->Command3_Click();
    menus.EDI->hide();
    EXPECT_TRUE(menus.ADDMAP->isEnabled());
    EXPECT_FALSE(menus.EDMAP->isEnabled());
    EXPECT_FALSE(menus.DELMAPcc->menuAction()->isEnabled());

    form->boardList()->setCurrentRow(5);
    form->Command3_Click();
    menus.EDI->hide();
    EXPECT_TRUE(menus.EDMAP->isEnabled());
    EXPECT_TRUE(menus.DELMAPcc->menuAction()->isEnabled());
    // The delete sits behind two levels: "Smazat pole" -> "Opravdu smazat?" -> "ANO".
    EXPECT_EQ(menus.DELMAPcc->title(), QStringLiteral("Smazat pole"));
    EXPECT_EQ(menus.DELMAPc->title(), QStringLiteral("Opravdu smazat?"));
    EXPECT_EQ(menus.DELMAP->text(), QStringLiteral("ANO"));

    form->EDMAP_Click();
    EXPECT_EQ(editorSlot, QStringLiteral("03"));
    EXPECT_EQ(editorName, QStringLiteral("Trojka"));

    QSignalSpy chosen(form.get(), &Form1::boardChosen);
    menus.DELMAP->trigger();
    EXPECT_EQ(form->boardList()->count(), 5);
    EXPECT_EQ(form->selectedBoard(), 0);
    ASSERT_GE(chosen.count(), 1);
    EXPECT_EQ(chosen.last().at(0).toString(), QStringLiteral("Originál"));
    EXPECT_TRUE(isEmptyValue(store().ReadRegValue(boardKeyPath("03"), "")));
}

TEST_F(SetupWindow, ANewBoardStartsAsACopyOfTheFirstInTheLowestFreeSlot) {
    auto form = makeWindow();
    form->ADDMAP_Click();
    EXPECT_EQ(editorSlot, QStringLiteral("01"));
    EXPECT_EQ(editorName, QStringLiteral("Nové pole"));

    storeBoard("01", "Jednička");
    storeBoard("03", "Trojka");
    form->NajitMapy();
    onEditor = [](FrmEdit& editor) { editor.save(); };
    form->ADDMAP_Click();
    EXPECT_EQ(editorSlot, QStringLiteral("02"));
    // The save rebuilt the list: the new board is listed, the first board selected.
    EXPECT_EQ(form->boardList()->count(), 8);
    EXPECT_EQ(form->boardList()->item(6)->text(), QStringLiteral("Nové pole"));
    EXPECT_EQ(form->selectedBoard(), 0);
}

TEST_F(SetupWindow, AFullBoardStoreRefusesANewBoardInsteadOfOverwritingOne) {
    for (int slot = 1; slot <= 99; ++slot) {
        storeBoard(slotText(slot).c_str(), "Pole");
    }
    auto form = makeWindow();
    form->ADDMAP_Click();
    EXPECT_TRUE(editorSlot.isEmpty());
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith(QString::fromUtf8(kBoardStoreFullTitle)));
}

TEST_F(SetupWindow, ReservedAndEmptyNamesAreMendedAtStart) {
    auto form = makeWindow();
    form->panel(0)->setName(QStringLiteral("PC Novák"));
    form->panel(1)->setName(QStringLiteral("NEROZHODNĚ"));
    StartRequest request = start(*form);
    EXPECT_EQ(request.setup.names[0], ":-) Novák");
    EXPECT_EQ(request.setup.names[1], "Rozhodně");
    EXPECT_EQ(form->panel(0)->name(), QStringLiteral(":-) Novák"));

    form->panel(0)->setName(QString());
    form->panel(1)->setName(QString());
    request = start(*form);
    EXPECT_EQ(request.setup.names[0], "Hráč 1");
    EXPECT_EQ(request.setup.names[1], "Hráč 2");

    // "pc" without the space is an ordinary name.
    form->panel(0)->setName(QStringLiteral("Pcháček"));
    EXPECT_EQ(start(*form).setup.names[0], "Pcháček");
}

TEST_F(SetupWindow, SwitchingToTheComputerResetsStrengthAndTimeAndBackRestoresTheName) {
    auto form = makeWindow();
    PlayerPanel* p = form->panel(1);
    p->setName(QStringLiteral("Eva"));
    p->Combo1->setCurrentIndex(3);
    p->chooseComputer();
    EXPECT_TRUE(p->Frame7->isVisibleTo(form.get()));
    EXPECT_FALSE(p->Frame4->isVisibleTo(form.get()));
    EXPECT_EQ(p->identity(), QStringLiteral("PC Profesionál"));
    EXPECT_EQ(p->timeListPosition(), 0);
    p->chooseStrength(3);
    EXPECT_EQ(p->identity(), QStringLiteral("PC Génius"));
    p->chooseHuman();
    p->chooseComputer();
    EXPECT_EQ(p->identity(), QStringLiteral("PC Profesionál"));

    StartRequest request = start(*form);
    EXPECT_EQ(request.setup.names[1], "PC Profesionál");
    EXPECT_FALSE(request.setup.person[1]);
    // A computer player's token gets the computer icon of its class.
    EXPECT_EQ(request.tokens[1].icon, 7);

    p->chooseHuman();
    EXPECT_EQ(p->identity(), QStringLiteral("Eva"));
    EXPECT_EQ(p->timeListPosition(), 0);
    request = start(*form);
    EXPECT_EQ(request.setup.names[1], "Eva");
    EXPECT_EQ(request.tokens[1].icon, 1);
}

TEST_F(SetupWindow, AKnownPlayersLastTokenComesBackWhenHisNameIsTypedOrPicked) {
    GameRecord record;
    record.board = "Originál";
    record.names = {"Jana", "Petr"};
    record.counts = {30, 10};
    record.tokens = {"EAE7", "AAE2"};  // green rings, yellow triangles
    record.winner = 1;
    record.moves = 20;
    ASSERT_EQ(writeGameRecord(store(), record).outcome, RecordWrite::Outcome::Written);
    auto form = makeWindow();
    PlayerPanel* p = form->panel(1);
    ASSERT_GE(p->Text3->findText("Jana"), 0);

    QSignalSpy applied(form.get(), &Form1::tokenApplied);
    p->Text3->lineEdit()->setText(QStringLiteral("Jan"));
    EXPECT_EQ(applied.count(), 0);
    p->Text3->lineEdit()->setText(QStringLiteral("Jana"));
    ASSERT_EQ(applied.count(), 1);
    EXPECT_EQ(applied.at(0).at(0).toInt(), 2);
    EXPECT_EQ(form->token(1).style.colour, rgb(15, 255, 15));
    EXPECT_EQ(form->token(1).style.shape, 7);
    EXPECT_EQ(form->token(1).icon, 3);

    // Names match exactly, case included.
    p->Text3->lineEdit()->setText(QStringLiteral("petr"));
    EXPECT_EQ(applied.count(), 1);
    p->Text3->activated(p->Text3->findText("Petr"));
    EXPECT_EQ(form->token(1).style.colour, rgb(255, 255, 15));
    EXPECT_EQ(form->token(1).style.shape, 2);
}

TEST_F(SetupWindow, ADamagedRecordedShapeFallsBackToTheFirstShape) {
    GameRecord record;
    record.board = "Originál";
    record.names = {"Jana", "Petr"};
    record.counts = {30, 10};
    record.tokens = {"EAE9", "AAE2"};
    record.winner = 1;
    ASSERT_EQ(writeGameRecord(store(), record).outcome, RecordWrite::Outcome::Written);
    auto form = makeWindow();
    form->panel(0)->Text3->lineEdit()->setText(QStringLiteral("Jana"));
    EXPECT_EQ(form->token(0).style.shape, 1);
    EXPECT_EQ(form->token(0).style.colour, rgb(15, 255, 15));
}

TEST_F(SetupWindow, RecordsWithoutAnyGameShowTheMessageAndNoViewer) {
    auto form = makeWindow();
    form->Check2_Click();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0], QStringLiteral("Tomelin|Zatím nejsou žádné záznamy výsledků"));
    EXPECT_TRUE(dialogs.isEmpty());

    GameRecord record;
    record.board = "Dáma";
    record.names = {"PC Génius", "PC Začátečník"};
    record.counts = {30, 10};
    record.tokens = {"AAA1", "EEE2"};
    record.winner = 1;
    ASSERT_EQ(writeGameRecord(store(), record).outcome, RecordWrite::Outcome::Written);
    form->Check2_Click();
    EXPECT_EQ(messages.size(), 1);
    ASSERT_EQ(dialogs.size(), 1);
}

TEST_F(SetupWindow, ANameBoxClickedEmptyGetsTheDefaultNameSelected) {
    auto form = makeWindow();
    form->show();
    PlayerPanel* p = form->panel(0);
    p->setName(QString());
    emit p->nameBoxClicked();
    EXPECT_EQ(p->name(), QStringLiteral("Hráč 1"));
    EXPECT_EQ(p->Text3->lineEdit()->selectedText(), QStringLiteral("Hráč 1"));
    p->setName(QStringLiteral("Ema"));
    emit p->nameBoxClicked();
    EXPECT_EQ(p->name(), QStringLiteral("Ema"));
}

TEST_F(SetupWindow, TheLogoGrowsOpenAndThenStops) {
    auto form = makeWindow();
    form->startLogoAnimation();
    QPushButton* logo = form->logoButton();
    EXPECT_EQ(logo->size(), QSize(5, 10));
    for (int i = 0; i < 4; ++i) {
        form->Timer2_Timer();
    }
    EXPECT_EQ(logo->size(), QSize(5, 50));
    form->Timer2_Timer();
    EXPECT_EQ(logo->width(), 6);
    for (int i = 0; i < 40; ++i) {
        form->Timer2_Timer();
    }
    EXPECT_EQ(logo->size(), QSize(Form1::kLogoWidth, 50));
    EXPECT_FALSE(form->findChild<QTimer*>("Timer2")->isActive());
}

TEST_F(SetupWindow, TheLogoOpensTheAboutWindowAndStaysUnchecked) {
    auto form = makeWindow();
    form->logoButton()->click();
    ASSERT_EQ(dialogs.size(), 1);
    EXPECT_TRUE(dialogs[0].startsWith("frmAbout|"));
    EXPECT_FALSE(form->logoButton()->isChecked());
}

TEST_F(SetupWindow, TheConfirmationMenusForwardTheirActions) {
    auto form = makeWindow();
    SetupMenus& menus = form->menus();
    EXPECT_EQ(menus.NGc->title(), QStringLiteral("Opravdu?"));
    EXPECT_EQ(menus.EDNc->title(), QStringLiteral("Opravdu skončit?"));
    QSignalSpy restart(form.get(), &Form1::restartRequested);
    QSignalSpy newGame(form.get(), &Form1::newGameRequested);
    QSignalSpy quit(form.get(), &Form1::quitRequested);
    menus.NG->trigger();
    menus.UNG->trigger();
    menus.EDN->trigger();
    EXPECT_EQ(restart.count(), 1);
    EXPECT_EQ(newGame.count(), 1);
    EXPECT_EQ(quit.count(), 1);
    form->close();
    EXPECT_EQ(quit.count(), 2);
}

TEST_F(SetupWindow, TheMusicButtonShowsItsPressedHalfWhileHeldAndTogglesOnRelease) {
    auto form = makeWindow();
    form->show();
    QLabel* music = form->musicButton();
    QSignalSpy toggled(form.get(), &Form1::musicToggleRequested);
    const QImage normal = music->pixmap().toImage();
    QTest::mousePress(music, Qt::LeftButton);
    const QImage pressed = music->pixmap().toImage();
    EXPECT_NE(pressed, normal);
    EXPECT_EQ(toggled.count(), 0);
    QTest::mouseRelease(music, Qt::LeftButton);
    EXPECT_EQ(music->pixmap().toImage(), normal);
    EXPECT_EQ(toggled.count(), 1);
    // Start-up recolours the key colours: none of them is left in the picture.
    form->recolourMusicButton(QColor(100, 100, 100));
    const QImage shown = music->pixmap().toImage();
    for (int y = 0; y < shown.height(); ++y) {
        for (int x = 0; x < shown.width(); ++x) {
            const QRgb px = shown.pixel(x, y) & 0xFFFFFF;
            EXPECT_NE(px, 0xFF0000u);
            EXPECT_NE(px, 0x00FF00u);
            EXPECT_NE(px, 0x0000FFu);
            EXPECT_NE(px, 0xFFFF00u);
        }
    }
}

TEST(SizeMenu, AtThirteenFifteenthsOnlyShrinkingIsOffered) {
    EXPECT_EQ(sizeMenuState(1080 * 13 / 15, 1080), (SizeMenuState{true, false}));
    EXPECT_EQ(sizeMenuState(1080 * 11 / 15, 1080), (SizeMenuState{true, true}));
    // One more step would leave less than 420 pixels.
    EXPECT_EQ(sizeMenuState(1080 * 5 / 15, 1080), (SizeMenuState{false, true}));
    EXPECT_EQ(sizeMenuState(144 + 420, 1080), (SizeMenuState{true, true}));
    EXPECT_EQ(sizeMenuState(144 + 419, 1080), (SizeMenuState{false, true}));
    EXPECT_EQ(heightStep(1080), 144);
}

TEST_F(SetupWindow, TheSizeMenuFollowsTheGameWindowHeight) {
    auto form = makeWindow();
    form->updateSizeMenu(936, 1080);
    EXPECT_TRUE(form->menus().HGM->isEnabled());
    EXPECT_FALSE(form->menus().HGV->isEnabled());
    form->updateSizeMenu(792, 1080);
    EXPECT_TRUE(form->menus().HGV->isEnabled());
}

}  // namespace
}  // namespace tomelin

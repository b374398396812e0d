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
#include <algorithm>

#include "core/random.h"
#include "editor/frm_edit.h"
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

    // The start-up's part of the setup window, as the program runs it; dialogs and messages
    // are recorded instead of shown.
    std::unique_ptr<Form1> makeWindow() {
        auto form = std::make_unique<Form1>(store(), 1, random);
        form->setMessageHandler(
            [this](const QString& title, const QString& text) { messages << title + "|" + text; });
        form->setDialogRunner([this](QDialog& dialog) {
            dialogs << dialog.objectName();
            if (auto* edit = qobject_cast<FrmEdit*>(&dialog)) {
                editor = edit->slot() + "|" + edit->boardName();
                if (saveInEditor) {
                    edit->save();
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

    void storeBoard(const std::string& slot, const char* name) {
        ASSERT_FALSE(saveBoardToSlot(store(), slot, name, builtinBoards()[1].boardString));
    }

    void storeGame(std::array<std::string, 2> names, std::array<std::string, 2> tokens) {
        const GameRecord record{
            .board = "Originál", .names = names, .counts = {30, 10}, .tokens = tokens, .winner = 1};
        ASSERT_EQ(writeGameRecord(store(), record).outcome, RecordWrite::Outcome::Written);
    }

    QTemporaryDir dir;
    StoreOpening opening;
    MtRandomSource random{11};
    QStringList messages;
    QStringList dialogs;
    QString editor;  // "slot|name" of the board the editor last opened
    bool saveInEditor = false;
};

TEST_F(SetupWindow, TheEditorMenuEditsAndDeletesOnlyStoredBoards) {
    storeBoard("03", "Trojka");
    auto form = makeWindow();
    SetupMenus& menus = form->menus();
    for (const auto& [row, stored] : {std::pair{2, false}, {5, true}}) {
        SCOPED_TRACE(row);
        form->boardList()->setCurrentRow(row);
        form->Command3_Click();
        menus.EDI->hide();
        EXPECT_TRUE(menus.ADDMAP->isEnabled());
        EXPECT_EQ(menus.EDMAP->isEnabled(), stored);
        EXPECT_EQ(menus.DELMAPcc->menuAction()->isEnabled(), stored);
    }
    form->EDMAP_Click();
    EXPECT_EQ(editor, QStringLiteral("03|Trojka"));

    QSignalSpy chosen(form.get(), &Form1::boardChosen);
    menus.DELMAP->trigger();  // "Smazat pole" -> "Opravdu smazat?" -> "ANO"
    EXPECT_EQ(form->boardList()->count(), 5);
    EXPECT_EQ(form->selectedBoard(), 0);
    ASSERT_GE(chosen.count(), 1);
    EXPECT_EQ(chosen.last().at(0).toString(), QStringLiteral("Originál"));
    EXPECT_TRUE(isEmptyValue(store().ReadRegValue(boardKeyPath("03"), "")));
}

TEST_F(SetupWindow, ANewBoardStartsAsACopyOfTheFirstInTheLowestFreeSlotUntilTheStoreIsFull) {
    auto form = makeWindow();
    form->ADDMAP_Click();
    EXPECT_EQ(editor, QStringLiteral("01|Nové pole"));

    storeBoard("01", "Jednička");
    storeBoard("03", "Trojka");
    form->NajitMapy();
    saveInEditor = true;
    form->ADDMAP_Click();
    EXPECT_EQ(editor, QStringLiteral("02|Nové pole"));
    // The save rebuilt the list in slot order: the new board is listed, the first selected.
    ASSERT_EQ(form->boardList()->count(), 8);
    EXPECT_EQ(form->boardList()->item(6)->text(), QStringLiteral("Nové pole"));
    EXPECT_EQ(form->selectedBoard(), 0);

    // With all 99 slots taken a new board is refused instead of overwriting one.
    for (int slot = 4; slot <= 99; ++slot) {
        storeBoard(slotText(slot), "Pole");
    }
    form->NajitMapy();
    editor.clear();
    form->ADDMAP_Click();
    EXPECT_TRUE(editor.isEmpty());
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith(QString::fromUtf8(kBoardStoreFullTitle)));
}

TEST_F(SetupWindow, ReservedAndEmptyNamesAreMendedAtStartAndAnEmptyBoxClickedGetsTheDefault) {
    auto form = makeWindow();
    form->show();
    struct Row {
        int panel;
        QString typed;
        std::string expected;
    };
    const Row rows[] = {{0, "PC Novák", ":-) Novák"},
                        {1, "NEROZHODNĚ", "Rozhodně"},
                        {0, "", "Hráč 1"},
                        {1, "", "Hráč 2"},
                        {0, "Pcháček", "Pcháček"}};  // "pc" without the space is a name
    for (const Row& row : rows) {
        SCOPED_TRACE(row.typed.toStdString());
        form->panel(row.panel)->setName(row.typed);
        EXPECT_EQ(start(*form).setup.names[row.panel], row.expected);
        EXPECT_EQ(form->panel(row.panel)->name().toStdString(), row.expected);
    }
    PlayerPanel* p = form->panel(0);
    p->setName(QString());
    emit p->nameBoxClicked();
    EXPECT_EQ(p->Text3->lineEdit()->selectedText(), QStringLiteral("Hráč 1"));
    p->setName(QStringLiteral("Ema"));
    emit p->nameBoxClicked();
    EXPECT_EQ(p->name(), QStringLiteral("Ema"));
}

TEST_F(SetupWindow, SwitchingToTheComputerResetsStrengthAndTimeAndBackRestoresTheName) {
    auto form = makeWindow();
    PlayerPanel* p = form->panel(1);
    p->setName(QStringLiteral("Eva"));
    p->Combo1->setCurrentIndex(3);
    p->chooseComputer();
    EXPECT_TRUE(p->Frame7->isVisibleTo(form.get()));
    EXPECT_FALSE(p->Frame4->isVisibleTo(form.get()));
    EXPECT_EQ(p->timeListPosition(), 0);
    p->chooseStrength(3);
    EXPECT_EQ(p->identity(), QStringLiteral("PC Génius"));
    p->chooseHuman();
    p->chooseComputer();
    EXPECT_EQ(p->identity(), QStringLiteral("PC Profesionál"));
    StartRequest request = start(*form);
    EXPECT_EQ(request.setup.names[1], "PC Profesionál");
    EXPECT_FALSE(request.setup.person[1]);
    EXPECT_EQ(request.tokens[1].icon, 7);  // the computer icon of the token's class

    p->chooseHuman();
    EXPECT_EQ(p->timeListPosition(), 0);
    request = start(*form);
    EXPECT_EQ(request.setup.names[1], "Eva");
    EXPECT_TRUE(request.setup.person[1]);
    EXPECT_EQ(request.tokens[1].icon, 1);
}

TEST_F(SetupWindow, AKnownPlayersLastTokenComesBackWhenHisExactNameIsTypedOrPicked) {
    storeGame({"Jana", "Petr"}, {"EAE7", "AAE9"});  // green rings; yellow, a damaged shape
    auto form = makeWindow();
    PlayerPanel* p = form->panel(1);
    ASSERT_GE(p->Text3->findText("Jana"), 0);
    QSignalSpy applied(form.get(), &Form1::tokenApplied);
    p->Text3->lineEdit()->setText(QStringLiteral("Jan"));
    EXPECT_EQ(applied.count(), 0);
    p->Text3->lineEdit()->setText(QStringLiteral("Jana"));
    ASSERT_EQ(applied.count(), 1);
    EXPECT_EQ(applied.at(0).at(0).toInt(), 2);
    EXPECT_EQ(form->token(1).style, (PlayerStyle{rgb(15, 255, 15), 7, rgb(0, 255, 0)}));
    EXPECT_EQ(form->token(1).icon, 3);

    p->Text3->lineEdit()->setText(QStringLiteral("petr"));  // the case counts
    EXPECT_EQ(applied.count(), 1);
    p->Text3->activated(p->Text3->findText("Petr"));
    // The damaged shape falls back to the first.
    EXPECT_EQ(form->token(1).style, (PlayerStyle{rgb(255, 255, 15), 1, rgb(255, 255, 0)}));
}

TEST_F(SetupWindow, RecordsWithoutAnyGameShowTheMessageAndNoViewer) {
    auto form = makeWindow();
    form->Check2_Click();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0], QStringLiteral("Tomelin|Zatím nejsou žádné záznamy výsledků"));
    EXPECT_TRUE(dialogs.isEmpty());
    storeGame({"PC Génius", "PC Začátečník"}, {"AAA1", "EEE2"});
    form->Check2_Click();
    EXPECT_EQ(messages.size(), 1);
    EXPECT_EQ(dialogs.size(), 1);
}

TEST_F(SetupWindow, TheLogoGrowsOpenStopsAndOpensTheAboutWindowUnchecked) {
    auto form = makeWindow();
    form->startLogoAnimation();
    QPushButton* logo = form->logoButton();
    EXPECT_EQ(logo->size(), QSize(5, 10));
    for (int tick = 0; tick < 100; ++tick) {
        form->Timer2_Timer();
    }
    EXPECT_EQ(logo->size(), QSize(Form1::kLogoWidth, Form1::kLogoHeight));
    EXPECT_FALSE(form->findChild<QTimer*>("Timer2")->isActive());
    logo->click();
    EXPECT_EQ(dialogs, QStringList{"frmAbout"});
    EXPECT_FALSE(logo->isChecked());
}

TEST_F(SetupWindow, RestartAndClosingTheWindowAreForwardedToTheProgram) {
    auto form = makeWindow();
    QSignalSpy restart(form.get(), &Form1::restartRequested);
    QSignalSpy quit(form.get(), &Form1::quitRequested);
    form->menus().NG->trigger();
    EXPECT_EQ(restart.count(), 1);
    form->close();
    EXPECT_EQ(quit.count(), 1);
}

TEST_F(SetupWindow, TheMusicButtonShowsItsPressedHalfWhileHeldAndTogglesOnRelease) {
    auto form = makeWindow();
    form->show();
    QLabel* music = form->musicButton();
    QSignalSpy toggled(form.get(), &Form1::musicToggleRequested);
    const QImage normal = music->pixmap().toImage();
    QTest::mousePress(music, Qt::LeftButton);
    EXPECT_NE(music->pixmap().toImage(), normal);
    EXPECT_EQ(toggled.count(), 0);
    QTest::mouseRelease(music, Qt::LeftButton);
    EXPECT_EQ(music->pixmap().toImage(), normal);
    EXPECT_EQ(toggled.count(), 1);
    // Start-up recolours the key colours: none of them is left in the picture.
    form->recolourMusicButton(QColor(100, 100, 100));
    const QImage shown = music->pixmap().toImage().convertToFormat(QImage::Format_RGB32);
    const auto* px = reinterpret_cast<const QRgb*>(shown.constBits());
    const auto isKey = [](QRgb p) {
        return QList<QRgb>{0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00}.contains(p & 0xFFFFFF);
    };
    EXPECT_EQ(std::count_if(px, px + shown.width() * shown.height(), isKey), 0);
}

}  // namespace
}  // namespace tomelin

#include "setupwin/setup_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTextLayout>
#include <QTimer>
#include <algorithm>
#include <filesystem>

#include "platform/store/engine_list.h"
#include "platform/store/store_location.h"
#include "setupwin/launched_program.h"
#include "setupwin/player_panel.h"
#include "setupwin/setup_menus.h"
#include "support/temp_folder.h"

namespace tomelin {
namespace {

class SetupWindowTest : public LaunchedProgram {};

TEST_F(SetupWindowTest, TheEditorMenuEditsAndDeletesOnlyStoredBoards) {
    storeBoard("03", "Trojka");
    SetupWindow& form = launch();
    SetupMenus& menus = form.menus();
    for (const auto& [row, stored] : {std::pair{2, false}, {5, true}}) {
        SCOPED_TRACE(row);
        boardList().setCurrentRow(row);
        boardChooser().openEditorMenu();
        menus.editorMenu->hide();
        EXPECT_TRUE(menus.addBoardItem->isEnabled());
        EXPECT_EQ(menus.editBoardItem->isEnabled(), stored);
        EXPECT_EQ(menus.deleteBoardMenu->menuAction()->isEnabled(), stored);
    }
    boardChooser().editBoard();
    EXPECT_EQ(editor, QStringLiteral("03|Trojka"));

    QSignalSpy chosen(&form, &SetupWindow::boardChosen);
    menus.deleteBoardItem->trigger();  // "Smazat pole" -> "Opravdu smazat?" -> "ANO"
    EXPECT_EQ(boardList().count(), 5);
    EXPECT_EQ(boardChooser().selectedBoard(), 0);
    ASSERT_GE(chosen.count(), 1);
    EXPECT_EQ(chosen.last().at(0).toString(), QStringLiteral("Originál"));
    EXPECT_TRUE(isEmptyValue(store().ReadRegValue(boardKeyPath("03"), "")));
}

// A stored board the game cannot use is listed, plainly marked, so that the user sees the
// slot it takes and can delete it; it neither starts a game nor opens in the editor.
TEST_F(SetupWindowTest, ADamagedStoredBoardIsListedAsUnplayableAndCanOnlyBeDeleted) {
    const std::string path = boardKeyPath("04");
    store().CreateRegKey(path);
    store().WriteRegValue(path, "", std::string("Rozbité"), kTypeText);
    store().WriteRegValue(path, kBoardStringValue, std::string("+X-Y"), kTypeText);
    SetupWindow& form = launch();
    ASSERT_EQ(boardList().count(), 6);
    EXPECT_EQ(boardList().item(5)->text().toStdString(), unplayableBoardLabel("Rozbité"));
    boardList().setCurrentRow(5);

    QSignalSpy started(&form, &SetupWindow::startGame);
    form.requestStart();
    EXPECT_EQ(started.count(), 0);
    EXPECT_TRUE(form.isVisible());
    boardChooser().editBoard();
    EXPECT_TRUE(editor.isEmpty());
    ASSERT_EQ(messages.size(), 2);
    for (const QString& message : messages)
        EXPECT_TRUE(message.contains(QStringLiteral("„Rozbité“"))) << message.toStdString();

    form.menus().deleteBoardItem->trigger();
    EXPECT_EQ(boardList().count(), 5);
    EXPECT_FALSE(store().openKey(path));
}

TEST_F(SetupWindowTest, ANewBoardStartsAsACopyOfTheFirstInTheLowestFreeSlotUntilTheStoreIsFull) {
    SetupWindow& form = launch();
    boardChooser().addBoard();
    EXPECT_EQ(editor, QStringLiteral("01|Nové pole"));

    storeBoard("01", "Jednička");
    storeBoard("03", "Trojka");
    form.reloadBoards();
    saveInEditor = true;
    boardChooser().addBoard();
    EXPECT_EQ(editor, QStringLiteral("02|Nové pole"));
    // The save rebuilt the list in slot order: the new board is listed, the first selected.
    ASSERT_EQ(boardList().count(), 8);
    EXPECT_EQ(boardList().item(6)->text(), QStringLiteral("Nové pole"));
    EXPECT_EQ(boardChooser().selectedBoard(), 0);

    // With all 99 slots taken a new board is refused instead of overwriting one.
    for (int slot = 4; slot <= 99; ++slot) {
        storeBoard(slotText(slot), ("Pole " + slotText(slot)).c_str());
    }
    form.reloadBoards();
    editor.clear();
    boardChooser().addBoard();
    EXPECT_TRUE(editor.isEmpty());
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith(QString::fromUtf8(kBoardStoreFullTitle)));
}

TEST_F(SetupWindowTest, ReservedAndEmptyNamesAreMendedAtStartAndAnEmptyBoxClickedGetsTheDefault) {
    SetupWindow& form = launch();
    // "pc" without the space is an ordinary name.
    for (const auto& [panel, typed, expected] : {std::tuple{0, "PC Novák", ":-) Novák"},
                                                 {1, "NEROZHODNĚ", "Rozhodně"},
                                                 {0, "", "Hráč 1"},
                                                 {1, "", "Hráč 2"},
                                                 {0, "Pcháček", "Pcháček"}}) {
        SCOPED_TRACE(typed);
        form.panel(panel)->setName(QString::fromUtf8(typed));
        EXPECT_EQ(start().setup.players[panel].name, expected);
        EXPECT_EQ(form.panel(panel)->name(), QString::fromUtf8(expected));
    }
    PlayerPanel* p = form.panel(0);
    p->setName(QString());
    emit p->nameBoxClicked();
    EXPECT_EQ(test::part<QComboBox>(*p, "Text3").lineEdit()->selectedText(),
              QStringLiteral("Hráč 1"));
    p->setName(QStringLiteral("Ema"));
    emit p->nameBoxClicked();
    EXPECT_EQ(p->name(), QStringLiteral("Ema"));
}

TEST_F(SetupWindowTest, VelmistrIsTheFourthStrengthAndStartsAsPcVelmistr) {
    SetupWindow& form = launch();
    PlayerPanel* p = form.panel(0);
    p->chooseComputer();
    ASSERT_NE(p->findChild<QRadioButton*>("Option24"), nullptr);
    QRadioButton& velmistr = test::part<QRadioButton>(*p, "Option24");
    QRadioButton& genius = test::part<QRadioButton>(*p, "Option23");
    EXPECT_EQ(velmistr.text(), QStringLiteral("Velmistr"));
    // After "Génius", darker than it, with white text.
    const auto background = [](QRadioButton* option) {
        const QString sheet = option->styleSheet();
        const int at = sheet.indexOf(QStringLiteral("background: "));
        return QColor(sheet.mid(at + 12, 7));
    };
    EXPECT_LT(background(&velmistr).lightness(), background(&genius).lightness());
    EXPECT_TRUE(velmistr.styleSheet().contains(QStringLiteral("color: white")));
    EXPECT_GT(velmistr.y(), genius.y());
    velmistr.click();
    EXPECT_EQ(p->strengthMark(), 4);
    EXPECT_EQ(p->identity(), QStringLiteral("PC Velmistr"));
    StartRequest request = start();
    EXPECT_EQ(request.setup.players[0].name, "PC Velmistr");
    EXPECT_NE(request.setup.players[0].kind, PlayerKind::Person);
    EXPECT_EQ(playerKindFromName(request.setup.players[0].name), kMasterKind);
    // Choosing the computer again starts from "Profesionál", as for the other strengths.
    p->chooseHuman();
    p->chooseComputer();
    EXPECT_EQ(p->identity(), QStringLiteral("PC Profesionál"));
}

TEST_F(SetupWindowTest, SwitchingToTheComputerResetsStrengthAndTimeAndBackRestoresTheName) {
    SetupWindow& form = launch();
    PlayerPanel* p = form.panel(1);
    p->setName(QStringLiteral("Eva"));
    test::part<QComboBox>(*p, "Combo1").setCurrentIndex(3);
    p->chooseComputer();
    EXPECT_TRUE(test::part<QRadioButton>(*p, "Option24").isVisibleTo(&form));
    EXPECT_FALSE(test::part<QComboBox>(*p, "Text3").isVisibleTo(&form));
    EXPECT_EQ(p->timeListPosition(), 0);
    p->chooseStrength(3);
    EXPECT_EQ(p->identity(), QStringLiteral("PC Génius"));
    p->chooseHuman();
    p->chooseComputer();
    EXPECT_EQ(p->identity(), QStringLiteral("PC Profesionál"));
    StartRequest request = start();
    EXPECT_EQ(request.setup.players[1].name, "PC Profesionál");
    EXPECT_NE(request.setup.players[1].kind, PlayerKind::Person);
    EXPECT_EQ(request.tokens[1].icon, 7);  // the computer icon of the token's class

    p->chooseHuman();
    EXPECT_EQ(p->timeListPosition(), 0);
    request = start();
    EXPECT_EQ(request.setup.players[1].name, "Eva");
    EXPECT_EQ(request.setup.players[1].kind, PlayerKind::Person);
    EXPECT_EQ(request.tokens[1].icon, 1);
}

TEST_F(SetupWindowTest, AKnownPlayersLastTokenComesBackWhenHisExactNameIsTypedOrPicked) {
    storeGame({"Jana", "Petr"}, {"EAE7", "AAE9"});  // green rings; yellow, a damaged shape
    SetupWindow& form = launch();
    PlayerPanel* p = form.panel(1);
    QSignalSpy applied(&form, &SetupWindow::tokenApplied);
    QComboBox& name = test::part<QComboBox>(*p, "Text3");
    name.lineEdit()->setText(QStringLiteral("Jan"));
    EXPECT_EQ(applied.count(), 0);
    name.lineEdit()->setText(QStringLiteral("Jana"));
    ASSERT_EQ(applied.count(), 1);
    EXPECT_EQ(applied.at(0).at(0).toInt(), 2);
    EXPECT_EQ(token(1).style, (PlayerStyle{rgb(15, 255, 15), 7, rgb(0, 255, 0)}));
    EXPECT_EQ(token(1).icon, 3);

    name.lineEdit()->setText(QStringLiteral("petr"));  // the case counts
    EXPECT_EQ(applied.count(), 1);
    name.activated(name.findText("Petr"));
    // The damaged shape falls back to the first.
    EXPECT_EQ(token(1).style, (PlayerStyle{rgb(255, 255, 15), 1, rgb(255, 255, 0)}));
}

// Two players with the same shape and colour (here one known player's last token picked by
// both names) cannot start; a different token for either can.
TEST_F(SetupWindowTest, StartRefusesTwoPlayersWithTheSameToken) {
    storeGame({"Alena", "Bohouš"}, {"AEE1", "EEA6"});
    SetupWindow& form = launch();
    test::part<QComboBox>(*form.panel(0), "Text3").setEditText(QStringLiteral("Alena"));
    test::part<QComboBox>(*form.panel(1), "Text3").setEditText(QStringLiteral("Alena"));
    ASSERT_EQ(token(0).style, token(1).style);
    QSignalSpy started(&form, &SetupWindow::startGame);
    form.requestStart();
    EXPECT_EQ(started.count(), 0);
    EXPECT_TRUE(form.isVisible());
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith(QStringLiteral("Tomelin|Oba hráči mají stejnou figurku.")))
        << messages[0].toStdString();
    // However wide the box lays it out, no line ends with a one-letter word ("z").
    const QString text = messages[0].section(QLatin1Char('|'), 1);
    for (int width = 120; width <= 700; width += 7) {
        for (const QString& paragraph : text.split(QLatin1Char('\n'))) {
            QTextLayout layout(paragraph, QApplication::font());
            layout.beginLayout();
            for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
                line.setLineWidth(width);
                const QString shown = paragraph.mid(line.textStart(), line.textLength()).trimmed();
                const QString last = shown.section(QLatin1Char(' '), -1);
                EXPECT_GT(last.size(), 1) << width << ": " << shown.toStdString();
            }
            layout.endLayout();
        }
    }
    test::part<QComboBox>(*form.panel(1), "Text3").setEditText(QStringLiteral("Bohouš"));
    form.requestStart();
    EXPECT_EQ(started.count(), 1);
    EXPECT_EQ(messages.size(), 1);
}

// Return is START wherever the keyboard is in the window: the name box, the board list, the
// logo button that has it after start-up.
TEST_F(SetupWindowTest, ReturnPressesStartWhereverTheKeyboardIs) {
    SetupWindow& form = launch();
    QSignalSpy started(&form, &SetupWindow::startGame);
    QWidget* places[] = {&test::part<QComboBox>(*form.panel(0), "Text3"), &boardList(),
                         &test::part<QWidget>(form, "Check3")};
    int expected = 0;
    for (QWidget* place : places) {
        SCOPED_TRACE(place->objectName().toStdString());
        form.show();
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
        place->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        EXPECT_EQ(started.count(), ++expected);
    }
    form.show();
    QTest::keyClick(&boardList(), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(started.count(), ++expected);
}

// Without any game "Záznamy her" shows only a message, as the user gets it: its title, text,
// one OK button and no icon; with a game, the viewer and no message.
TEST_F(SetupWindowTest, RecordsWithoutAnyGameShowAPlainBoxWithOnlyOkAndNoViewer) {
    SetupWindow& form = launch();
    form.setMessageHandler({});
    QString seen;
    QTimer poll;
    int tries = 0;
    QObject::connect(&poll, &QTimer::timeout, &form, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr && ++tries < 200)
            return;
        poll.stop();
        if (box != nullptr) {
            seen = QStringLiteral("%1|%2|icon %3|buttons %4")
                       .arg(box->windowTitle(), box->text())
                       .arg(static_cast<int>(box->icon()))
                       .arg(box->buttons().size());
            box->accept();
        } else {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                if (auto* other = qobject_cast<QMessageBox*>(w))
                    other->reject();
            }
        }
    });
    poll.start(10);
    form.openRecords();
    EXPECT_EQ(seen, QStringLiteral("Tomelin|Zatím nejsou žádné záznamy výsledků|icon %1|buttons 1")
                        .arg(static_cast<int>(QMessageBox::NoIcon)));
    EXPECT_TRUE(dialogs.isEmpty());
    form.setMessageHandler([this](const QString& title, const QString& text) {
        messages << title + "|" + text;
    });
    storeGame({"PC Génius", "PC Začátečník"}, {"AAA1", "EEE2"});
    form.openRecords();
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(dialogs, QStringList{"frmVlst"});
}

TEST_F(SetupWindowTest, TheLogoGrowsOpenStopsAndOpensTheAboutWindowUnchecked) {
    SetupWindow& form = launch();  // start-up set the logo growing
    QPushButton* logo = &test::part<QPushButton>(form, "Check3");
    EXPECT_EQ(logo->size(), QSize(5, 10));
    for (int tick = 0; tick < 100; ++tick) {
        test::part<SetupTitleStrip>(form, "Picture1").growLogoStep();
    }
    EXPECT_EQ(logo->size(), QSize(SetupTitleStrip::kLogoWidth, SetupTitleStrip::kLogoHeight));
    EXPECT_FALSE(form.findChild<QTimer*>("Timer2")->isActive());
    logo->click();
    EXPECT_EQ(dialogs, QStringList{"frmAbout"});
    EXPECT_FALSE(logo->isChecked());
}

TEST_F(SetupWindowTest, TheMusicButtonShowsItsPressedHalfWhileHeldAndTogglesOnRelease) {
    SetupWindow& form = launch();
    QLabel* music = &test::part<QLabel>(form, "Picture12");
    QSignalSpy toggled(&form, &SetupWindow::musicToggleRequested);
    const QImage normal = music->pixmap().toImage();
    // Start-up recoloured the key colours: none of them is left in the picture.
    const QImage shown = normal.convertToFormat(QImage::Format_RGB32);
    const auto* px = reinterpret_cast<const QRgb*>(shown.constBits());
    const auto isKey = [](QRgb p) {
        return QList<QRgb>{0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00}.contains(p & 0xFFFFFF);
    };
    EXPECT_EQ(std::count_if(px, px + shown.width() * shown.height(), isKey), 0);
    QTest::mousePress(music, Qt::LeftButton);
    EXPECT_NE(music->pixmap().toImage(), normal);
    EXPECT_EQ(toggled.count(), 0);
    QTest::mouseRelease(music, Qt::LeftButton);
    EXPECT_EQ(music->pixmap().toImage(), normal);
    EXPECT_EQ(toggled.count(), 1);
}

TEST_F(SetupWindowTest, AnEngineIsChosenOnceKeptWithItsNameAndOnlyOfferedWhereFenReaches) {
    test::TempFolder folder;
    const QString good = QString::fromStdString(
        folder.writeScript("tomelin-uai", "exec '" TOMELIN_CLI_PATH "' uai\n"));
    const QString broken =
        QString::fromStdString(folder.writeScript("broken", "read line; echo uaiok; exit 1\n"));
    SetupWindow& form = launch();
    PlayerPanel* p = form.panel(1);
    p->chooseComputer();
    QRadioButton& engine = test::part<QRadioButton>(*p, "Option25");
    QComboBox& engines = test::part<QComboBox>(*p, "engineChoice");
    QPushButton& browse = test::part<QPushButton>(*p, "engineBrowse");
    EXPECT_EQ(engine.text(), QStringLiteral("Engine UAI"));
    EXPECT_EQ(engines.count(), 0);

    // Where the protocol reaches: the star logic on a board FEN writes (7 x 7 at most).
    const QString boardWhy = QStringLiteral(
        "Engine protokolu UAI hraje jen na polích, která zapíše FEN (nejvýše 7 × 7).");
    const QString logicWhy =
        QStringLiteral("Engine protokolu UAI hraje jen s logikou pohybu Hvězda.");
    const struct {
        int board;  // row of the board list: 0 "Originál" 11 x 11, 2 "Čelem vzad" 7 x 7
        const char* logic;
        QString why;
    } places[] = {{0, "Option1", boardWhy}, {2, "Option2", logicWhy}, {2, "Option1", {}}};
    for (const auto& place : places) {
        SCOPED_TRACE(place.board);
        boardList().setCurrentRow(place.board);
        test::part<QRadioButton>(form, place.logic).click();
        EXPECT_EQ(engine.isEnabled(), place.why.isEmpty());
        EXPECT_EQ(browse.isEnabled(), place.why.isEmpty());
        EXPECT_EQ(engine.toolTip(), place.why);
        EXPECT_EQ(form.engineUnavailableReason(), place.why);
    }

    // "Engine UAI" without a program: START says what is missing.
    engine.click();
    QSignalSpy started(&form, &SetupWindow::startGame);
    form.requestStart();
    EXPECT_EQ(started.count(), 0);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages.takeFirst(),
              QStringLiteral("Tomelin|Vyberte program enginu tlačítkem „Vybrat…“."));

    // A program that fails the handshake is said so and not kept.
    QString answer = broken;
    form.setProgramChooser([&] { return answer; });
    const auto waitFor = [](auto done) {
        QElapsedTimer clock;
        clock.start();
        while (!done() && clock.elapsed() < 15000)
            QTest::qWait(20);
    };
    browse.click();
    waitFor([&] { return !messages.isEmpty(); });
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages.takeFirst(), QStringLiteral("Tomelin|Engine broken nečekaně skončil."));
    EXPECT_TRUE(loadKnownEngines(store()).empty());

    // One that answers is kept with the name it reports, offered to both players, chosen
    // for this one, and START hands over its program.
    answer = good;
    browse.click();
    waitFor([&] { return engines.count() > 0; });
    ASSERT_EQ(engines.count(), 1);
    EXPECT_TRUE(messages.isEmpty()) << messages.join(' ').toStdString();
    const QString name = engines.currentText();
    EXPECT_TRUE(name.startsWith(QStringLiteral("Tomelin "))) << name.toStdString();
    EXPECT_EQ(loadKnownEngines(store()),
              (std::vector<KnownEngine>{{good.toStdString(), name.toStdString()}}));
    EXPECT_EQ(test::part<QComboBox>(*form.panel(0), "engineChoice").count(), 1);
    EXPECT_TRUE(p->isEngine());
    EXPECT_EQ(p->strengthMark(), 0);
    const StartRequest request = start();
    EXPECT_EQ(request.setup.players[1].name, name.toStdString());
    EXPECT_EQ(request.setup.players[1].timeLimit, TimeLimit::none());
    EXPECT_EQ(request.engines[1], good);
    EXPECT_TRUE(request.engines[0].isEmpty());

    // Moving to a board FEN cannot write turns the engine back into "Profesionál".
    form.returnFromGame();
    boardList().setCurrentRow(0);
    EXPECT_FALSE(p->isEngine());
    EXPECT_EQ(p->identity(), QStringLiteral("PC Profesionál"));
}

}  // namespace
}  // namespace tomelin

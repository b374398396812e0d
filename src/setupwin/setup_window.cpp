#include "setupwin/setup_window.h"

#include <QCoreApplication>
#include "platform/draw/ui_text.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

#include "gamewin/window_layout.h"
#include "platform/draw/file_dialog.h"
#include "platform/engine/engine_client.h"
#include "platform/store/engine_list.h"
#include "records/game_record.h"
#include "records/pgn_records.h"
#include "records/time_list.h"
#include "recordswin/records_viewer.h"
#include "setupwin/about_window.h"
#include "setupwin/artwork.h"
#include "setupwin/board_chooser.h"
#include "setupwin/logic_chooser.h"
#include "setupwin/player_panel.h"
#include "setupwin/player_tokens.h"
#include "setupwin/resume_offer.h"
#include "setupwin/setup_menus.h"
#include "setupwin/setup_title_strip.h"

namespace tomelin {
namespace {

const QString kCaption = QStringLiteral("Tomelin");
const UiText kNoRecords{"SetupWindow",
                        QT_TRANSLATE_NOOP("SetupWindow", "Zatím nejsou žádné záznamy výsledků")};
// A line for each sentence, and "z" kept with "nich" (no one-letter word ends a line).
const UiText kSameTokens{
    "SetupWindow",
    QT_TRANSLATE_NOOP(
        "SetupWindow",
        "Oba hráči mají stejnou figurku.\nZměňte tvar nebo barvu figurky jednoho z\u00A0nich.")};

bool sameLook(const PlayerStyle& a, const PlayerStyle& b) {
    return a.shape == b.shape && a.colour == b.colour;
}

}  // namespace

SetupWindow::SetupWindow(Store& store, int detailLevel, RandomSource& random, QWidget* parent)
    : QWidget(parent),
      m_store(store),
      m_detailLevel(detailLevel),
      m_title(Artwork::titlePicture()) {
    setObjectName("Form1");
    setWindowTitle(kCaption);
    // A fixed size: the window system offers no maximise button.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    m_chooser = new TokenChooser(detailLevel, random, this);
    m_menus = new SetupMenus(this);
    buildControls();
    m_playerTokens = new PlayerTokens(m_panels, *m_chooser, detailLevel, random, this);
    m_playerTokens->setObjectName(QStringLiteral("playerTokens"));
    m_playerTokens->runDialog = [this](QDialog& dialog) { runDialog(dialog); };
    connect(m_playerTokens, &PlayerTokens::tokenApplied, this, &SetupWindow::tokenApplied);
    m_boardChooser->runDialog = [this](QDialog& dialog) { runDialog(dialog); };
    m_boardChooser->showMessage = [this](const QString& title, const QString& text) {
        showMessage(title, text);
    };
    connect(m_boardChooser, &BoardChooser::boardChosen, this, &SetupWindow::boardSelected);
    connect(m_logic, &LogicChooser::logicChanged, this, &SetupWindow::updateEngineAvailability);
    const std::vector<KnownEngine> engines = loadKnownEngines(m_store);
    for (int i = 0; i < 2; ++i) {
        m_panels[i]->setKnownEngines(engines);
        connect(m_panels[i], &PlayerPanel::engineBrowseRequested, this,
                [this, i] { chooseEngine(i); });
    }
    connect(m_strip, &SetupTitleStrip::logoClicked, this, &SetupWindow::openAbout);
    connect(m_strip, &SetupTitleStrip::musicClicked, this, &SetupWindow::musicToggleRequested);
    connect(m_menus->restartItem, &QAction::triggered, this, &SetupWindow::restartRequested);
    connect(m_menus->newGameItem, &QAction::triggered, this, &SetupWindow::newGameRequested);
    connect(m_menus->quitItem, &QAction::triggered, this, &SetupWindow::quitRequested);
    connect(m_menus->shrinkItem, &QAction::triggered, this, [this] {
        emit heightStepRequested(
            -std::max(1, heightStep(screen() ? screen()->geometry().height() : 0)));
    });
    connect(m_menus->growItem, &QAction::triggered, this, [this] {
        emit heightStepRequested(
            std::max(1, heightStep(screen() ? screen()->geometry().height() : 0)));
    });
    setCursor(Artwork::sharedCursor(10));
}

SetupWindow::~SetupWindow() = default;

void SetupWindow::buildControls() {
    m_strip = new SetupTitleStrip(this);
    m_panels = {new PlayerPanel(0, this), new PlayerPanel(1, this)};
    m_logic = new LogicChooser(this);
    m_boardChooser = new BoardChooser(m_store, *m_menus, this);

    m_command1 = new QPushButton(QCoreApplication::translate("SetupWindow", "START"), this);
    m_command1->setObjectName("Command1");
    QFont startFont = m_command1->font();
    startFont.setBold(true);
    startFont.setPointSizeF(startFont.pointSizeF() * 1.3);
    m_command1->setFont(startFont);
    m_command1->setMinimumHeight(36);
    m_command1->setDefault(true);
    connect(m_command1, &QPushButton::clicked, this, &SetupWindow::requestStart);
    // Return presses START wherever the keyboard is in the window (Space presses the button
    // that has the keyboard); the lists' pop-ups keep their own Return.
    for (const int key : {int(Qt::Key_Return), int(Qt::Key_Enter)}) {
        auto* shortcut = new QShortcut(QKeySequence(key), this);
        connect(shortcut, &QShortcut::activated, m_command1, &QPushButton::click);
    }
    m_check2 = new QPushButton(QCoreApplication::translate("SetupWindow", "Záznamy her"), this);
    m_check2->setObjectName("Check2");
    m_check2->setMinimumHeight(36);
    connect(m_check2, &QPushButton::clicked, this, &SetupWindow::openRecords);

    auto* grid = new QGridLayout;
    grid->addWidget(m_panels[0], 0, 0);
    grid->addWidget(m_panels[1], 0, 1);
    grid->addWidget(m_logic, 1, 0);
    grid->addWidget(m_boardChooser, 1, 1);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);
    // A kept unfinished game: a button as big as START beside it.
    m_resume = new ResumeOffer(*this, startFont);
    connect(m_resume, &ResumeOffer::chosen, this, [this] {
        hideForGame();
        emit resumeRequested();
    });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_check2);
    buttons->addStretch();
    buttons->addWidget(m_resume->button(), 0);
    buttons->addWidget(m_command1, 0);
    m_command1->setMinimumWidth(140);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 10);
    layout->addWidget(m_strip);
    auto* body = new QVBoxLayout;
    body->setContentsMargins(10, 4, 10, 0);
    body->addLayout(grid);
    body->addLayout(buttons);
    body->addWidget(m_resume->noteLine());
    layout->addLayout(body);
    setFixedSize(620, sizeHint().height() + 10);

    // Place the strip's children now that the width is known.
    m_strip->placeFor(width());
}

void SetupWindow::applyToken(int playerIndex) {
    m_playerTokens->applyToken(playerIndex);
}

void SetupWindow::recolourMusicButton(const QColor& key) {
    m_strip->recolourMusicButton(key);
}

void SetupWindow::reloadBoards() {
    m_boardChooser->reloadBoards();
}

void SetupWindow::selectBoard(int index) {
    m_boardChooser->selectBoard(index);
}

void SetupWindow::boardSelected(const QString& name, const QString& boardString) {
    m_panels[1]->show();
    m_panels[0]->allowComputer();
    m_logic->setEnabled(true);
    updateEngineAvailability();
    emit boardChosen(name, boardString);
}

QString SetupWindow::engineUnavailableReason() const {
    if (m_logic->logic() != Logic::Star)
        return tr("Engine protokolu UAI hraje jen s logikou pohybu Hvězda.");
    const BoardList& boards = m_boardChooser->boards();
    const int s = m_boardChooser->selectedBoard();
    if (!boards.isPlayable(s) ||
        !fenForBoard(boards.strings[static_cast<std::size_t>(s)], Logic::Star))
        return tr("Engine protokolu UAI hraje jen na polích, která zapíše FEN (nejvýše 7 × 7).");
    return {};
}

void SetupWindow::updateEngineAvailability() {
    const QString why = engineUnavailableReason();
    for (PlayerPanel* p : m_panels)
        p->setEngineUnavailable(why);
}

void SetupWindow::chooseEngine(int playerIndex) {
    const QString program =
        m_chooseProgram ? m_chooseProgram()
                        : openFileName(this, tr("Vyberte program enginu UAI"));
    if (program.isEmpty())
        return;
    if (m_probe)
        m_probe->deleteLater();
    auto* probe = new EngineClient(this);
    m_probe = probe;
    const auto done = [this, probe] {
        probe->stop();
        if (m_probe == probe)
            m_probe = nullptr;
        // Gone once it has said quit (or been killed), never inside its own signal.
        QTimer::singleShot(2000, probe, &QObject::deleteLater);
    };
    connect(probe, &EngineClient::ready, this,
            [this, probe, program, playerIndex, done](const QString& name) {
                done();
                if (!rememberEngine(m_store, {program.toStdString(), name.toStdString()})) {
                    showMessage(kCaption,
                                tr("Engine %1 se nepodařilo zapsat do úložiště.").arg(name));
                    return;
                }
                const std::vector<KnownEngine> engines = loadKnownEngines(m_store);
                for (int i = 0; i < 2; ++i)
                    m_panels[i]->setKnownEngines(engines, i == playerIndex ? program : QString());
            });
    connect(probe, &EngineClient::failed, this, [this, done](EngineFault, const QString& message) {
        done();
        showMessage(kCaption, message);
    });
    probe->start(program);
}

void SetupWindow::NastavNazvy() {
    m_panels[0]->setName(QString::fromUtf8(kDefaultName1));
    m_panels[1]->setName(QString::fromUtf8(kDefaultName2));
    m_panels[0]->setTitle(QCoreApplication::translate("SetupWindow", "1. hráč"));
    m_panels[1]->setTitle(QCoreApplication::translate("SetupWindow", "2. hráč"));
}

void SetupWindow::refreshSurvey() {
    m_survey = tomelin::readSurvey(m_store);
    QStringList names;
    for (const std::string& name : m_survey.setupPlayers) {
        names << QString::fromStdString(name);
    }
    for (PlayerPanel* p : m_panels) {
        p->setKnownPlayers(names);
    }
    m_playerTokens->setKnownTokens(m_survey.lists[kListSetupTokens]);
}

void SetupWindow::startLogoAnimation() {
    m_strip->startLogoAnimation();
}

void SetupWindow::chooseStarLogic() {
    m_logic->chooseStar();
}

void SetupWindow::updateSizeMenu(int windowHeight, int screenHeight) {
    m_menus->applySizeState(sizeMenuState(windowHeight, screenHeight));
}

void SetupWindow::requestStart() {
    const BoardList& boards = m_boardChooser->boards();
    const int s = m_boardChooser->selectedBoard();
    if (!boards.isPlayable(s) && s < boards.size()) {
        const std::string& name = boards.names[static_cast<std::size_t>(s)];
        showMessage(QCoreApplication::translate("Boards", kUnplayableTitle),
                    QString::fromStdString(unplayableBoardText(name)));
        return;
    }
    for (PlayerPanel* p : m_panels) {
        if (p->engineChosen() && !p->isEngine()) {
            showMessage(kCaption, tr("Vyberte program enginu tlačítkem „Vybrat…“."));
            return;
        }
    }
    StartRequest request;
    for (int i = 0; i < 2; ++i) {
        PlayerPanel* p = m_panels[i];
        p->mendNameForStart();
        // The panel's controls in the game's types: the strength option is the kind, the time
        // list's position the limit (a computer plays without one); an engine's program is
        // seated by the game window on a seat the game holds as a person's.
        PlayerSetup& player = request.setup.players[static_cast<std::size_t>(i)];
        player.name = p->identity().toStdString();
        player.kind = playerKindOf(p->strengthMark());
        player.timeLimit =
            p->isComputer() ? TimeLimit::none() : timeLimitAtListPosition(p->timeListPosition());
        request.engines[i] = p->enginePath();
    }
    if (s >= 0 && s < boards.size()) {
        // Trimmed as the board string and its starting digit were always trimmed together.
        std::string board = QString::fromStdString(boards.strings[s] + "1").trimmed().toStdString();
        board.pop_back();
        request.setup.board = board;
        request.setup.starting = Player::One;
        request.boardName = QString::fromStdString(boards.names[s]);
    }
    request.setup.logic = m_logic->logic();
    applyToken(0);
    applyToken(1);
    request.tokens = {m_playerTokens->token(0), m_playerTokens->token(1)};
    // Two players with one look cannot tell their tokens apart on the board.
    if (sameLook(request.tokens[0].style, request.tokens[1].style)) {
        showMessage(kCaption, kSameTokens);
        return;
    }
    // Hidden first, so that a game window refusing the board can bring this window back.
    hideForGame();
    emit startGame(request);
}

void SetupWindow::offerResume(const QString& summary) {
    m_resume->offer(summary);
}

void SetupWindow::withdrawResume() {
    m_resume->withdraw();
}

void SetupWindow::showNote(const QString& text) {
    m_resume->showNote(text);
}

void SetupWindow::hideForGame() {
    m_placeBeforeGame = geometry().topLeft();  // the inside, without the frame
    hide();
}

void SetupWindow::returnFromGame() {
    refreshSurvey();
    // Asked for explicitly, the place is kept; left to the window manager, a window shown
    // again is placed anew, away from the music window when that is open.
    // (A move to where the widget thinks it still is would be dropped: the window is told.)
    if (m_placeBeforeGame && windowHandle())
        windowHandle()->setPosition(*m_placeBeforeGame);
    show();
    raise();
    activateWindow();
}

void SetupWindow::openRecords() {
    refreshSurvey();
    if (m_survey.recordCount() == 0) {
        showMessage(kCaption, kNoRecords);
        return;
    }
    RecordsViewer viewer(m_survey, m_detailLevel, this);
    viewer.setBoards(m_boardChooser->boards());
    viewer.setCursor(Artwork::sharedCursor(7));
    runDialog(viewer);
}

void SetupWindow::openAbout() {
    emit aboutRequested();
    AboutWindow about(m_title, this, &m_store);
    runDialog(about);
}

void SetupWindow::runDialog(QDialog& dialog) {
    if (m_runDialog) {
        m_runDialog(dialog);
    } else {
        dialog.exec();
    }
}

void SetupWindow::showMessage(const QString& title, const QString& text) {
    if (m_showMessage) {
        m_showMessage(title, text);
    } else {
        // A plain box: the text and OK, no icon.
        QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, this);
        box.exec();
    }
}

void SetupWindow::closeEvent(QCloseEvent* event) {
    emit quitRequested();
    event->accept();
}

}  // namespace tomelin

#include "app/startup.h"

#include <QCoreApplication>

#include <QApplication>
#include <QComboBox>
#include <QEventLoop>
#include <QGuiApplication>
#include <QMessageBox>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>

#include "gamewin/game_window.h"
#include "gamewin/toolbar_pictures.h"
#include "gamewin/window_chrome.h"
#include "gamewin/window_layout.h"
#include "records/store_check.h"
#include "records/unfinished_game.h"
#include "setupwin/about_window.h"
#include "setupwin/artwork.h"
#include "setupwin/key_colours.h"
#include "setupwin/music_window.h"
#include "setupwin/player_panel.h"
#include "setupwin/setup_menus.h"
#include "setupwin/setup_window.h"
#include "setupwin/splash_window.h"

namespace tomelin {

namespace {

int screenHeight() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->geometry().height() : 768;
}

}  // namespace

void endProgram() {
    QCoreApplication::exit(0);
}

const QStringList& Startup::statusTexts() {
    static const QStringList texts = {QCoreApplication::translate("Startup", "Nahrávám..."),
                                      QCoreApplication::translate("Startup", "Načítám hudbu..."),
                                      QCoreApplication::translate("Startup", "Načítám pole..."),
                                      QCoreApplication::translate("Startup", "Načítám záznamy..."),
                                      QCoreApplication::translate("Startup", "Načítám grafiku..."),
                                      QCoreApplication::translate("Startup", "Nastavuji okna...")};
    return texts;
}

Startup::Startup(StoreOpening opening, TimerHost* timers, std::unique_ptr<MidiPlayer> player,
                 RandomSource* gameRandom)
    : m_opening(std::move(opening)) {
    // Only a splash on a real screen is worth waiting for.
    const QString platform = QGuiApplication::platformName();
    if (platform != QLatin1String("offscreen") && platform != QLatin1String("minimal"))
        m_splashMinMs = kSplashMinMs;
    // The splash goes up before anything else is made: creating the windows is the largest
    // part of the start.
    m_splash = std::make_unique<SplashWindow>(Artwork::logo(), Artwork::titlePicture());
    m_splash->showAtOnce();
    m_splashClock.start();
    status(0);
    m_game = std::make_unique<GameWindow>(nullptr, timers, gameRandom);
    m_game->setStore(m_opening.store.get());
    m_music = std::make_unique<MusicWindow>(std::move(player));
    m_form = std::make_unique<SetupWindow>(*m_opening.store, m_game->detailLevel(), m_random);
    wire();
}

Startup::~Startup() = default;

QString Startup::storeProblem() const {
    return m_opening.hasProblem() ? QString::fromStdString(m_opening.czechMessage()) : QString();
}

void Startup::status(int step) {
    m_statuses << statusTexts()[step];
    m_splash->setStatus(statusTexts()[step]);
}

void Startup::holdSplash() {
    // Loading takes a few milliseconds: without a pause the splash would only flash. The
    // work already done counts, so a slow start waits no longer than it takes anyway.
    if (m_splashMinMs <= 0 || !m_splashClock.isValid())
        return;
    const qint64 wait = m_splashMinMs - m_splashClock.elapsed();
    if (wait <= 0)
        return;
    QEventLoop loop;
    QTimer::singleShot(static_cast<int>(wait), &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

void Startup::wire() {
    SetupWindow* form = m_form.get();
    GameWindow* game = m_game.get();
    connect(form, &SetupWindow::boardChosen, game,
            [game](const QString& name, const QString&) { game->setBoardName(name); });
    // The player's icon is also his mouse pointer over the board while he is to move.
    connect(form, &SetupWindow::tokenApplied, game, [game](int player, const AppliedToken& token) {
        game->setPlayerStyle(player, token.style);
        game->setPlayerCursor(player, Artwork::sharedCursor(token.icon));
    });
    connect(form, &SetupWindow::startGame, game, [form, game](const StartRequest& request) {
        game->setBoardName(request.boardName);
        game->setPlayerStyle(1, request.tokens[0].style);
        game->setPlayerStyle(2, request.tokens[1].style);
        game->setGameSetup(request.setup);
        game->setEnginePrograms(request.engines);
        // A board the game refuses would leave no window on the screen: stay in the setup.
        if (!game->startGame()) {
            form->returnFromGame();
        }
    });
    connect(form, &SetupWindow::restartRequested, game, &GameWindow::restartGame);
    connect(form, &SetupWindow::newGameRequested, game, &GameWindow::newGame);
    // The game window pops up the setup window's menus; their handlers live here.
    SetupMenus& menus = form->menus();
    game->chrome().useMenus(menus.restartMenu, menus.newGameMenu, menus.quitMenu, menus.sizeMenu);
    connect(form, &SetupWindow::heightStepRequested, game, [form, game](int delta) {
        game->stepHeight(delta > 0);
        form->updateSizeMenu(game->windowHeight(), screenHeight());
    });
    connect(game, &GameWindow::newGameRequested, form, &SetupWindow::returnFromGame);
    connect(game, &GameWindow::newGameRequested, this, &Startup::offerKeptGame);
    connect(form, &SetupWindow::startGame, form, &SetupWindow::withdrawResume);
    connect(form, &SetupWindow::resumeRequested, this, &Startup::resumeKeptGame);
    connect(game, &GameWindow::keepRefused, form, &SetupWindow::showNote);
    // Said once the setup window is back, where "Pokračovat ve hře" offers the game again.
    connect(game, &GameWindow::engineFailed, this, [this, form](const QString& message) {
        QTimer::singleShot(0, form, [this, form, message] {
            if (m_showMessage) {
                m_showMessage(QStringLiteral("Tomelin"), message);
            } else {
                QMessageBox::warning(form, QStringLiteral("Tomelin"), message, QMessageBox::Ok);
            }
        });
    });
    connect(form, &SetupWindow::musicToggleRequested, m_music.get(), &MusicWindow::toggle);
    connect(game, &GameWindow::musicToggleRequested, m_music.get(), &MusicWindow::toggle);
    connect(game, &GameWindow::aboutRequested, this, &Startup::showAbout);
    connect(form, &SetupWindow::quitRequested, this, &Startup::quitRequested);
    connect(game, &GameWindow::quitRequested, this, &Startup::quitRequested);
    m_music->addProgramWindow(form);
    m_music->addProgramWindow(game);
    connect(m_music.get(), &MusicWindow::gameBarInactiveChanged, &game->chrome(),
            &WindowChrome::setCaptionInactive);
}

void Startup::offerKeptGame() {
    // A store that takes no writes could not remove the game at its end, so it might be one
    // that has ended already; one another window plays is not to be played twice.
    if (store().readOnly()) {
        m_form->withdrawResume();
        return;
    }
    if (unfinishedGameInPlay(store())) {
        m_form->withdrawResume();
        m_form->showNote(QCoreApplication::translate("Startup", kUnfinishedGameInPlay));
        return;
    }
    const UnfinishedGameRead read = readUnfinishedGame(store());
    switch (read.outcome) {
        case UnfinishedGameRead::Outcome::None:
            m_form->withdrawResume();
            break;
        case UnfinishedGameRead::Outcome::Ready:
            m_form->offerResume(QString::fromStdString(unfinishedGameSummary(read.snapshot)));
            break;
        case UnfinishedGameRead::Outcome::Damaged:
            clearUnfinishedGame(store());
            m_form->withdrawResume();
            m_form->showNote(QCoreApplication::translate("Startup", kUnfinishedGameDropped));
            break;
    }
}

void Startup::resumeKeptGame() {
    const UnfinishedGameTake take = takeUnfinishedGame(store());
    if (take.outcome == UnfinishedGameTake::Outcome::InPlay) {
        m_form->withdrawResume();
        m_form->showNote(QCoreApplication::translate("Startup", kUnfinishedGameInPlay));
        m_form->returnFromGame();
        return;
    }
    const UnfinishedGameRead& read = take.read;
    if (take.outcome == UnfinishedGameTake::Outcome::Taken && m_game->resumeGame(read.snapshot)) {
        m_form->withdrawResume();
        return;
    }
    store().releaseKeptGameClaim();
    // Gone or spoilt since it was offered: say so where the user is.
    offerKeptGame();
    if (read.outcome != UnfinishedGameRead::Outcome::None)
        m_form->showNote(QCoreApplication::translate("Startup", kUnfinishedGameDropped));
    m_form->returnFromGame();
}

void Startup::showAbout() {
    AboutWindow about(m_form->titlePicture(), m_game.get(), &store());
    // While the About window is up, the game's caption counts as active.
    m_music->addProgramWindow(&about);
    about.exec();
}

void Startup::start() {
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    QApplication::processEvents();
    m_random.seedFromTime();

    status(1);
    m_music->loadDefaultSongs();
    m_music->startRandomSong(m_random.next());

    SetupWindow& form = *m_form;
    for (int i = 0; i < 2; ++i) {
        form.panel(i)->setTimeListPosition(0);
    }
    form.NastavNazvy();
    status(2);
    form.reloadBoards();
    status(3);
    form.refreshSurvey();
    form.selectBoard(0);
    form.chooseStarLogic();
    form.applyToken(0);
    form.applyToken(1);
    form.panel(0)->chooseHuman();
    form.panel(1)->chooseHuman();

    status(4);
    m_music->paintTitleStrips();
    const SystemColours system = SystemColours::fromPalette(QApplication::palette());
    const QColor key = toolbarKeyColour(system);
    for (int i = 0; i < kToolbarPictureCount; ++i) {
        RecolourKeyColours(m_game->chrome().toolbarImage(i), key, system);
    }
    m_game->chrome().refreshToolbar();
    form.recolourMusicButton(key);

    status(5);
    m_game->setWindowHeight(startHeight(screenHeight()));
    form.updateSizeMenu(m_game->windowHeight(), screenHeight());
    QGuiApplication::restoreOverrideCursor();

    holdSplash();
    m_splash.reset();
    form.startLogoAnimation();
    offerKeptGame();
    form.show();
    // A damaged store was moved aside and replaced; say once where the old file is. Say
    // once, too, how much of the store no window can show.
    const QString hidden =
        QString::fromStdString(hiddenEntriesMessage(checkStore(store()), m_opening.path));
    for (const QString& text : {m_opening.hasProblem() ? storeProblem() : QString(), hidden}) {
        if (text.isEmpty())
            continue;
        if (m_showMessage) {
            m_showMessage(QStringLiteral("Tomelin"), text);
        } else {
            QMessageBox::warning(&form, QStringLiteral("Tomelin"), text, QMessageBox::Ok);
        }
    }
}

}  // namespace tomelin

#pragma once
// `Startup` (`Module1`) and its start: the start-up sequence that shows the splash, creates
// the windows, loads the music, boards and records, prepares the game window and shows the
// setup window.

#include <QElapsedTimer>
#include <QObject>
#include <QStringList>
#include <functional>
#include <memory>

#include "core/random.h"
#include "platform/midi/midi_player.h"
#include "platform/store/store_location.h"

namespace tomelin {

class SetupWindow;
class MusicWindow;
class GameWindow;
class SplashWindow;
class RandomSource;
class TimerHost;

// Ends the event loop at once with status 0. Not QApplication::quit: that first asks every
// window to close, and the game window never agrees, so the program would live on.
void endProgram();

// Owns the program's windows for the whole run and wires them to each other.
class Startup : public QObject {
    Q_OBJECT
public:
    // The splash's status texts in the order shown.
    static const QStringList& statusTexts();

    // Shows the splash first, then creates the windows. `opening` is the store the program
    // works with; `timers` (may be null: real timers) drives the game, `player` (may be
    // null: FluidSynth) plays the music, `gameRandom` (may be null: seeded from the clock)
    // is the game's random source.
    Startup(StoreOpening opening, TimerHost* timers = nullptr,
            std::unique_ptr<MidiPlayer> player = nullptr, RandomSource* gameRandom = nullptr);
    ~Startup() override;

    // The splash stays up at least this long on a real screen (0 offscreen), counted from
    // when it is shown and including the work: long enough to be seen, never a flash, and
    // no longer than a start that really takes that long. Each status shows at once.
    static constexpr int kSplashMinMs = 120;
    void setSplashMinTime(int ms) { m_splashMinMs = ms; }
    int splashMinTime() const { return m_splashMinMs; }

    // Runs the start-up sequence and shows the setup window. A store found damaged is
    // reported once in a message box, naming where the old file was moved.
    void start();

    SetupWindow& setupWindow() { return *m_form; }
    GameWindow& gameWindow() { return *m_game; }
    MusicWindow& musicWindow() { return *m_music; }
    Store& store() { return *m_opening.store; }
    // The statuses the splash showed, in order (for tests).
    const QStringList& shownStatuses() const { return m_statuses; }
    // The damaged-store report, if the store was damaged (empty otherwise).
    QString storeProblem() const;

    // How the damaged-store message is shown; tests replace it.
    using MessageHandler = std::function<void(const QString& title, const QString& text)>;
    void setMessageHandler(MessageHandler handler) { m_showMessage = std::move(handler); }

signals:
    // The user ended the program (setup window closed or "Opravdu skončit").
    void quitRequested();

private:
    void wire();
    void status(int step);
    void holdSplash();
    void showAbout();
    // Offers the kept unfinished game in the setup window, or drops a damaged one with a
    // line there.
    void offerKeptGame();
    void resumeKeptGame();

    StoreOpening m_opening;
    MtRandomSource m_random;
    std::unique_ptr<SplashWindow> m_splash;
    std::unique_ptr<GameWindow> m_game;
    std::unique_ptr<MusicWindow> m_music;
    std::unique_ptr<SetupWindow> m_form;
    QStringList m_statuses;
    MessageHandler m_showMessage;
    int m_splashMinMs = 0;
    QElapsedTimer m_splashClock;
};

}  // namespace tomelin

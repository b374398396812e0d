#pragma once
// `MusicWindow` (`MPlay`), the music window "Hudba ke Tomelinu": the song list, the playing
// position on its title strip, and the songs played over and over until "(Ticho)" is chosen.

#include <QAbstractNativeEventFilter>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

#include "platform/midi/midi_player.h"
#include "platform/midi/playback_watch.h"

class QWindow;

namespace tomelin {

class PictureBox;

// The music player window. It lives for the whole run: its close box only hides it and the
// music goes on. Typical wiring at start-up:
//
//     MusicWindow music;                       // FluidSynth on the system's audio device
//     music.loadDefaultSongs();          // "(Ticho)" plus the songs of the "Zvuk" folder
//     music.startRandomSong(random.next());
//     connect(&form1, &SetupWindow::musicToggleRequested, &music, &MusicWindow::toggle);
//     music.addProgramWindow(&form1);    // windows that keep the game's caption active:
//     music.addProgramWindow(&tomel);    // the setup, game and About windows
//     connect(&music, &MusicWindow::gameBarInactiveChanged, &tomel, <show/hide Picture4>);
class MusicWindow : public QWidget, public QAbstractNativeEventFilter {
    Q_OBJECT
public:
    // Without a player, plays through FluidSynth on the system's audio device.
    explicit MusicWindow(std::unique_ptr<MidiPlayer> player = nullptr, QWidget* parent = nullptr);
    ~MusicWindow() override;

    // The folders searched for "Zvuk", most specific first: beside the program, the
    // relocated and the configured installation's data folder, the source tree's assets.
    static std::vector<std::filesystem::path> defaultSongFolders();

    // Fills the song list (start-up step 6): "(Ticho)", then the songs of `folder`.
    void loadSongs(const std::optional<std::filesystem::path>& folder);
    // loadSongs with the first of defaultSongFolders() that holds a song.
    void loadDefaultSongs();
    // Start-up step 7: selects a random song for r in [0, 1) (never "(Ticho)" when there is
    // a song; "(Ticho)" when there is none) and starts it.
    void startRandomSong(double r);
    // Selects `item` of the song list and runs the click handler, as a click on it would.
    void chooseSong(int item);

    // `Combo1_Click`: "(Ticho)" stops the music and hides the marker; any other item starts
    // that song from its beginning.
    void songChosen();
    // `Timer1_Timer`, every 100 ms while a song is chosen: moves the marker and plays the
    // song again once its position has stood still for 20 ticks.
    void positionTick();

    // Shows the window when hidden (in front, but without taking the keyboard from the
    // window that asked), hides it when shown: the "Hudba" buttons and the game window's "H".
    void toggle();

    // `PaintTitleStrip` for both strips: `Picture1` active, `Picture2` inactive.
    void paintTitleStrips();

    // A window whose activation keeps the game window's caption bar active (the game, setup
    // and About windows; this window always counts). Destroyed windows drop out by themselves.
    void addProgramWindow(QWidget* window);
    // The active window changed to `active` (null: another program's window). Follows Qt's
    // focus window; public so that it can be driven directly.
    void activeWindowChanged(QWindow* active);

    // The parts by object name: "Combo1" (the songs), "Picture1" and "Picture2" (the active
    // and inactive title strips), "Command2" (the position marker), "Timer1" (the position
    // timer).

signals:
    // The game window's inactive caption bar `Picture4` should be shown (true: none of the
    // program's windows is active) or hidden. Emitted when that changes.
    void gameBarInactiveChanged(bool inactive);

public:
    // X takes the keyboard away from the program's window for as long as a window is moved
    // by its caption or a pop-up menu is open (a grab). Qt then reports no active window,
    // though the window system still treats it as active: the caption must not turn grey.
    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;
    // Whether such a grab is on (tests drive it through the same X events).
    bool keyboardGrabbed() const { return m_grabbed; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // `Play`: "Close", "Open" the selected song's file, "Play".
    void play();
    bool isProgramWindow(QWindow* window) const;

    std::unique_ptr<MidiPlayer> m_player;
    std::optional<std::filesystem::path> m_folder;
    QListWidget* m_songs;    // `Combo1`
    PictureBox* m_strip;     // `Picture1`
    PictureBox* m_stripOff;  // `Picture2`
    QPushButton* m_marker;   // `Command2`
    QTimer* m_positionTimer;  // `Timer1`
    PlaybackWatch m_watch;
    // The open song's length, asked of the player once it knows it (a long song's length
    // takes a walk over all its events); 0 until then.
    long m_songLength = 0;
    std::vector<QPointer<QWidget>> m_programWindows;
    bool m_gameBarInactive = true;
    bool m_grabbed = false;
};

}  // namespace tomelin

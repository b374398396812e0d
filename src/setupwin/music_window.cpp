#include "setupwin/music_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include "platform/draw/ui_text.h"
#include <QGuiApplication>
#include <QWindow>
#include <algorithm>
#include <cstdint>

#include "drawing/title_strip.h"
#include "platform/draw/picture_box.h"
#include "platform/midi/fluid_midi_player.h"
#include "platform/midi/song_library.h"
#include "setupwin/title_room.h"

namespace tomelin {

namespace fs = std::filesystem;

namespace {

const UiText kTitle{"MusicWindow", QT_TRANSLATE_NOOP("MusicWindow", "Hudba ke Tomelinu")};

// The window's design in pixels (its twips divided by 15).
constexpr QSize kClientSize{161, 148};
constexpr QRect kListPlace{4, 28, 153, 116};
constexpr QRect kStripPlace{8, 10, 145, 8};
constexpr QRect kMarkerPlace{4, 4, 8, 20};
constexpr int kPositionIntervalMs = 100;
// The marker's left edge sits this far right of the position it shows (its design offset).
constexpr int kMarkerOffset = 4;

fs::path fromQString(const QString& text) {
    return fs::path(text.toStdString());
}

}  // namespace

MusicWindow::MusicWindow(std::unique_ptr<MidiPlayer> player, QWidget* parent)
    : QWidget(parent, Qt::Tool),
      m_player(player ? std::move(player) : std::make_unique<FluidMidiPlayer>()),
      m_songs(new QListWidget(this)),
      m_strip(new PictureBox(this)),
      m_stripOff(new PictureBox(this)),
      m_marker(new QPushButton(this)),
      m_positionTimer(new QTimer(this)) {
    setObjectName(QStringLiteral("MPlay"));
    setWindowTitle(kTitle);
    // The design is narrower than its title; the list and the strip take the extra width.
    const int extra = std::max(0, titleRoom(kTitle) - kClientSize.width());
    setFixedSize(kClientSize + QSize(extra, 0));

    m_songs->setObjectName(QStringLiteral("Combo1"));
    m_songs->setAccessibleName(QCoreApplication::translate("MusicWindow", "Skladby"));
    m_songs->setGeometry(kListPlace.adjusted(0, 0, extra, 0));
    m_strip->setObjectName(QStringLiteral("Picture1"));
    m_strip->setGeometry(kStripPlace.adjusted(0, 0, extra, 0));
    m_stripOff->setObjectName(QStringLiteral("Picture2"));
    m_stripOff->setGeometry(kStripPlace.adjusted(0, 0, extra, 0));
    m_marker->setObjectName(QStringLiteral("Command2"));
    m_marker->setAccessibleName(QCoreApplication::translate("MusicWindow", "Místo ve skladbě"));
    m_marker->setGeometry(kMarkerPlace);
    m_marker->setFocusPolicy(Qt::NoFocus);
    m_marker->hide();
    m_marker->raise();  // over both strips
    paintTitleStrips();

    m_positionTimer->setObjectName(QStringLiteral("Timer1"));
    m_positionTimer->setInterval(kPositionIntervalMs);
    connect(m_positionTimer, &QTimer::timeout, this, &MusicWindow::positionTick);
    // Mouse and keyboard both change the current row; programmatic changes block signals
    // and run the handler themselves.
    connect(m_songs, &QListWidget::currentRowChanged, this, [this] { songChosen(); });
    // The inactive strips follow the window system's activation instead of polling it.
    connect(qGuiApp, &QGuiApplication::focusWindowChanged, this, &MusicWindow::activeWindowChanged);
    QCoreApplication::instance()->installNativeEventFilter(this);

    loadSongs(std::nullopt);
}

MusicWindow::~MusicWindow() {
    if (QCoreApplication::instance() != nullptr)
        QCoreApplication::instance()->removeNativeEventFilter(this);
    m_positionTimer->stop();
    m_player->stop();
    m_player->close();
}

std::vector<fs::path> MusicWindow::defaultSongFolders() {
    fs::path program;
    std::vector<fs::path> data;
    if (QCoreApplication::instance() != nullptr) {
        program = fromQString(QCoreApplication::applicationDirPath());
        data.push_back((program / ".." / "share" / "tomelin").lexically_normal());
    }
    data.emplace_back(TOMELIN_INSTALLED_DATA_DIR);
    data.emplace_back(TOMELIN_SOURCE_DATA_DIR);
    return songFolderCandidates(program, data);
}

void MusicWindow::loadSongs(const std::optional<fs::path>& folder) {
    m_folder = folder;
    const QSignalBlocker quiet(m_songs);
    m_songs->clear();
    // The songs shipped with the game have names in each language; the list keeps the
    // file's own name beside the one shown.
    static const char* const kShippedSongs[] = {
        QT_TRANSLATE_NOOP("Songs", "Bratře Kubo"), QT_TRANSLATE_NOOP("Songs", "Kočka leze dírou"),
        QT_TRANSLATE_NOOP("Songs", "Skákal pes"), QT_TRANSLATE_NOOP("Songs", "Zelené rukávy")};
    Q_UNUSED(kShippedSongs);
    for (const std::string& item : buildSongList(folder)) {
        auto* entry = new QListWidgetItem(
            item == kSilenceItem ? QCoreApplication::translate("MusicWindow", "(Ticho)")
                                 : QCoreApplication::translate("Songs", item.c_str()));
        entry->setData(Qt::UserRole, QString::fromStdString(item));
        m_songs->addItem(entry);
    }
}

void MusicWindow::loadDefaultSongs() {
    loadSongs(findSongFolder(defaultSongFolders()));
}

void MusicWindow::startRandomSong(double r) {
    chooseSong(randomSongItem(m_songs->count(), r));
}

void MusicWindow::chooseSong(int item) {
    if (item < 0 || item >= m_songs->count()) {
        return;
    }
    {
        const QSignalBlocker quiet(m_songs);
        m_songs->setCurrentRow(item);
    }
    songChosen();
}

void MusicWindow::songChosen() {
    m_watch.reset();
    if (m_songs->currentRow() <= 0) {
        m_positionTimer->stop();
        m_marker->hide();
        m_player->stop();
        m_player->close();
        return;
    }
    m_positionTimer->start();
    m_marker->show();
    play();
}

void MusicWindow::play() {
    m_player->close();
    m_songLength = 0;
    if (m_folder) {
        const std::string name = m_songs->currentItem()->data(Qt::UserRole).toString().toStdString();
        m_player->open(songFile(*m_folder, name).string());
    }
    m_player->play();
}

void MusicWindow::positionTick() {
    if (m_songLength <= 0)
        m_songLength = m_player->length();
    const PlaybackWatch::Step step =
        m_watch.tick(m_songLength, m_player->position(), m_strip->width());
    if (!step.hasLength) {
        return;
    }
    m_marker->move(step.markerOffset + kMarkerOffset, m_marker->y());
    if (step.giveUp) {
        // A song that a restart did not move cannot be played: silence, the marker stays.
        m_positionTimer->stop();
        m_player->stop();
        m_player->close();
        return;
    }
    if (step.restart) {
        play();
    }
}

void MusicWindow::toggle() {
    if (isVisible()) {
        hide();
        return;
    }
    // The window that asked keeps the keyboard: its next keys (the game's arrows, a second
    // "H") must not reach the song list. A click into this window activates it as usual.
    setAttribute(Qt::WA_ShowWithoutActivating, true);
    show();
    raise();
}

void MusicWindow::paintTitleStrips() {
    for (PictureBox* strip : {m_strip, m_stripOff}) {
        const CaptionColours colours = captionColours(palette(), strip == m_strip);
        PaintTitleStrip(strip->surface(), strip->width(), strip->height(), colours.start,
                        colours.end);
    }
}

void MusicWindow::addProgramWindow(QWidget* window) {
    if (window == nullptr) {
        return;
    }
    m_programWindows.emplace_back(window);
    activeWindowChanged(QGuiApplication::focusWindow());
}

bool MusicWindow::isProgramWindow(QWindow* active) const {
    if (active == nullptr) {
        return false;
    }
    if (active == windowHandle()) {
        return true;
    }
    return std::any_of(m_programWindows.begin(), m_programWindows.end(),
                       [active](const QPointer<QWidget>& w) {
                           return w && w->window()->windowHandle() == active;
                       });
}

bool MusicWindow::nativeEventFilter(const QByteArray& eventType, void* message,
                                    qintptr* /*result*/) {
    if (eventType != "xcb_generic_event_t" || message == nullptr)
        return false;
    // The head of an X FocusIn (9) or FocusOut (10) event: type, detail, sequence, window,
    // mode (0 normal, 1 grab, 2 ungrab, 3 while grabbed).
    struct FocusEvent {
        std::uint8_t type;
        std::uint8_t detail;
        std::uint16_t sequence;
        std::uint32_t window;
        std::uint8_t mode;
    };
    const auto* e = static_cast<const FocusEvent*>(message);
    const int type = e->type & 0x7F;
    constexpr int kFocusIn = 9;
    constexpr int kFocusOut = 10;
    constexpr int kNotifyGrab = 1;
    constexpr int kNotifyUngrab = 2;
    constexpr int kDetailPointer = 5;
    if ((type != kFocusIn && type != kFocusOut) || e->detail == kDetailPointer)
        return false;
    if (type == kFocusOut && e->mode == kNotifyGrab)
        m_grabbed = true;
    else if (type == kFocusIn || e->mode != kNotifyGrab)
        m_grabbed = type == kFocusIn ? false : m_grabbed && e->mode != kNotifyUngrab;
    return false;
}

void MusicWindow::activeWindowChanged(QWindow* active) {
    // A pop-up menu of a program window counts as that window; no window at all while the
    // keyboard is grabbed (a move, a menu) leaves the caption as it was.
    if (active != nullptr && active->type() == Qt::Popup)
        return;
    if (active == nullptr && (m_grabbed || QApplication::activePopupWidget() != nullptr))
        return;
    m_stripOff->setVisible(active == nullptr || active != windowHandle());
    const bool inactive = !isProgramWindow(active);
    if (inactive != m_gameBarInactive) {
        m_gameBarInactive = inactive;
        emit gameBarInactiveChanged(inactive);
    }
}

void MusicWindow::closeEvent(QCloseEvent* event) {
    // The close box only hides the window: it and the music live on.
    hide();
    event->ignore();
}

void MusicWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange) {
        activeWindowChanged(QGuiApplication::focusWindow());
    } else if (event->type() == QEvent::PaletteChange) {
        paintTitleStrips();
    }
    QWidget::changeEvent(event);
}

}  // namespace tomelin

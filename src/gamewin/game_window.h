#pragma once
// `GameWindow` (`Tomel`): the game window. It owns the running game and shows what the game reports.
//
// How the setup window drives it (START, Part of the start-up and setup windows):
//   tomel.setStore(&store);                    // once: detail level + where records go
//   tomel.setWindowHeight(startHeight(screen)); // `Rozmery` at 13/15 of the screen
//   tomel.setBoardName("Originál");            // title "Tomelin - Originál", record's board
//   tomel.setPlayerStyle(1, style1);           // `HR1`, `HR2`: colour, shape, second colour
//   tomel.setGameSetup(setup);                 // descriptor, names, logic, times, persons
//   tomel.startGame();                         // hides the result panel, starts, shows
// and listens to newGameRequested() ("Novou hru": the window has hidden itself; show the
// setup window and refresh its statistics), quitRequested() ("Opravdu skončit"),
// musicToggleRequested() and aboutRequested(). Player kinds follow from the names.

#include <QCursor>
#include <QElapsedTimer>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QWidget>
#include <array>
#include <memory>
#include <optional>

#include "core/game.h"
#include "drawing/board_painter.h"
#include "drawing/token_painter.h"
#include "gamewin/window_layout.h"
#include "platform/draw/picture_box.h"
#include "records/game_record.h"
#include "records/unfinished_game.h"

namespace tomelin {

class Store;
class BoardView;
class TitleBar;
class ToolButton;

// Black or white, whichever stands out from every pixel of `picture` in `area`.
Rgb readableOver(const QImage& picture, const QRect& area);
// Where the move label of `textWidth` goes in the lower panel `barWidth` wide: centred, or
// beside the difference label when that would cover it.
QRect moveLabelSpot(int barWidth, int textWidth, const QRect& difference);

class GameWindow : public QWidget, private GameObserver, private SearchObserver {
    Q_OBJECT
public:
    // The window makes its own QTimer host and random source unless given ones (tests step
    // the game through a manual timer host).
    explicit GameWindow(QWidget* parent = nullptr, TimerHost* timers = nullptr,
                   RandomSource* random = nullptr);
    ~GameWindow() override;

    // ---- what the setup window hands over ----
    // Where finished games are recorded; also reads the token detail level (window load).
    void setStore(Store* store);
    void setDetailLevel(int level) { m_look.detail = level; }
    int detailLevel() const { return m_look.detail; }
    void setBoardName(const QString& name);
    QString boardName() const { return m_boardName; }
    void setGameSetup(const GameSetup& setup);
    const GameSetup& gameSetup() const { return m_setup; }
    // `HR1` (player 1) and `HR2` (player 2).
    void setPlayerStyle(int player, const PlayerStyle& style);
    const PlayerStyle& playerStyle(int player) const;
    // The board's mouse cursor while `player` is to move (the setup window's player
    // pictures); until set, the player's token drawn small.
    void setPlayerCursor(int player, const QCursor& cursor);
    // START: hides the result panel, starts the game (the board appears 100 ms later) and
    // shows the window. Returns false (and shows nothing) for a descriptor the game refuses.
    bool startGame();
    // "Pokračovat ve hře": the kept game exactly as it was (board, markers, clocks, move list,
    // whose turn); its board name, tokens and players replace the window's. Returns false
    // (and shows nothing) for a snapshot the game refuses.
    bool resumeGame(const GameSnapshot& snapshot);
    // The last write or removal of the kept unfinished game (for tests).
    std::optional<KeepResult> lastKeep() const { return m_lastKeep; }

    // ---- size ----
    static constexpr int kMinimumHeight = design::kChromeHeight + 60;
    // The window's height in pixels (at least kMinimumHeight); lays it out (`Rozmery`), centres it
    // (`Vycentrovat`) and redraws the board (`Prekr`) when a game is on it.
    void setWindowHeight(int height);
    int windowHeight() const { return m_layout.window.height(); }
    const WindowLayout& layout() const { return m_layout; }
    // "Zmenšit okno" / "Zvětšit okno": one height step of 2/15 of the screen height.
    void stepHeight(bool grow);
    bool canGrow() const;
    bool canShrink() const;

    // ---- actions (toolbar and menus) ----
    void restartGame();  // "Restartovat hru" (`NG_Click`)
    void newGame();      // "Novou hru" (`UNG_Click`): hides the window, newGameRequested()
    void takeBack();     // the take-back button and "Z": `TZ_Click`(2)
    // The setup window's own pop-up menus to show instead of the window's built-in ones
    // ("Opravdu?" → "Restartovat hru", "Opravdu?" → "Novou hru", "Opravdu skončit?" →
    // "Opravdu skončit", and the window-size menu). Null keeps the built-in one. Their
    // actions should call restartGame(), newGame(), quit, and stepHeight().
    void useMenus(QMenu* restart, QMenu* newGame, QMenu* quit, QMenu* size);
    // `Picture4`: the inactive caption bar over the title bar, shown while none of the
    // program's windows is active (the music window's title-strip timer decides).
    void setCaptionInactive(bool inactive);
    bool captionInactive() const;
    // Toolbar picture i (0 … 7, in key colours until start-up recolours them).
    QImage& toolbarImage(int index);
    void refreshToolbar();

    // The search takes a few milliseconds; its progress is paced over this long so that a
    // person sees it move (the window's own timers only; 0: not paced).
    static constexpr int kThinkingTimeMs = 350;
    void setThinkingTime(int ms) { m_thinkingTime = ms; }

    // ---- for tests and start-up ----
    Game& game() { return *m_game; }
    BoardView& boardView() { return *m_board; }
    PictureBox& statusStrip() { return *m_status; }
    PictureBox& scoreBar() { return *m_score; }
    PictureBox& winnerPicture() { return *m_winner; }
    PictureBox& progressBar() { return *m_progress; }
    QWidget& resultPanel() { return *m_result; }
    QWidget& thinkingIndicator() { return *m_thinking; }
    QWidget& sizeCorner() { return *m_sizeCorner; }
    ToolButton& toolButton(int index) { return *m_tools[static_cast<std::size_t>(index)]; }
    TitleBar& titleBar() { return *m_title; }
    QLabel& nameLabel(int player) { return *m_names[static_cast<std::size_t>(player - 1)]; }
    QLabel& clockLabel(int player) { return *m_clocks[static_cast<std::size_t>(player - 1)]; }
    QLabel& differenceLabel() { return *m_difference; }
    QLabel& countLabel(int player) { return *m_counts[static_cast<std::size_t>(player - 1)]; }
    QLabel& moveLabel() { return *m_moveLabel; }
    QLabel& percentLabel() { return *m_percent; }
    QLabel& resultLabel() { return *m_resultName; }
    QMenu& quitMenu() { return *m_quitMenu; }
    QMenu& restartMenu() { return *m_restartMenu; }
    QMenu& newGameMenu() { return *m_newGameMenu; }
    QMenu& sizeMenu() { return *m_sizeMenu; }
    double cellW() const { return m_painter->cellW(); }
    double cellH() const { return m_painter->cellH(); }
    // `Prekr`: the full redraw of the board picture and the status strip.
    void Prekr();
    // The last record written at a game end (for the setup window and tests).
    std::optional<RecordWrite> lastRecordWrite() const { return m_lastWrite; }

signals:
    void newGameRequested();
    void quitRequested();
    void musicToggleRequested();
    void aboutRequested();
    // The store refused to keep the running game (once per game): the reason, in Czech.
    void keepRefused(const QString& reason);

protected:
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // GameObserver
    void cellChanged(int x, int y) override;
    void ringsChanged(int x, int y) override;
    void boardReset() override;
    void selectionMarkerChanged(const CellPos* cell) override;
    void lastMoveChanged(const CellPos* source, const CellPos* target) override;
    void captureRay(CellPos from, CellPos to) override;
    void rayParked() override;
    void moveMade(int player, CellPos source, CellPos target) override;
    void scoreChanged(int tokens1, int tokens2, int freeCells) override;
    void gameEnded(int tokens1, int tokens2, int winner) override;
    void moveNumberChanged(int number) override;
    void turnChanged(int player) override;
    void takeBackUnavailableChanged(bool unavailable) override;
    void thinkingChanged(bool visible) override;
    void boardEnabledChanged(bool enabled) override;
    void progressStep(int step, int scaleWidth, int colourPlayer) override;
    void progressCleared() override;
    void searchProgressChanged(int percent) override;
    void clockTextChanged(int player, const std::string& text) override;
    void clockColourChanged(int player, Rgb colour) override;

    void buildParts();
    void buildMenus();
    void applyLayout();
    void layoutStatusStrip();
    void showNames();
    void placeMoveLabel();
    void paceSearch(int step, int scaleWidth);
    void drawScore(int tokens1, int tokens2);
    void recordGame(int tokens1, int tokens2, int winner);
    // After every turn change the running game is kept in the store; an ended or given-up
    // game is removed from it (game_window_keep.cpp).
    void keepGame();
    void dropKeptGame();
    void noteKeep(const KeepResult& result);
    void showResult(int winner);
    void popUp(QMenu& menu);
    void updateKinds();
    QCursor playerCursor(int player);
    int screenHeight() const;

    std::unique_ptr<TimerHost> m_ownTimers;
    std::unique_ptr<RandomSource> m_ownRandom;
    RandomSource* m_random = nullptr;
    std::unique_ptr<Game> m_game;
    std::unique_ptr<class ThreadSearchRunner> m_searchRunner;
    void hintChanged(const Move* move) override;

    Store* m_store = nullptr;
    GameSetup m_setup;
    QString m_boardName;
    BoardLook m_look;
    WindowLayout m_layout;
    QImage m_decoration;
    std::array<int, 2> m_lastScore{0, 0};
    std::optional<RecordWrite> m_lastWrite;
    std::optional<KeepResult> m_lastKeep;
    bool m_keepRefusalTold = false;
    int m_turn = 1;
    int m_thinkingTime = 0;
    // START's window is restored when minimised within this time of showing, unless the
    // player minimised it himself.
    static constexpr int kStartSettleMs = 1500;
    QElapsedTimer m_shownAt;
    bool m_minimiseAsked = false;
    bool m_pacing = false;
    QElapsedTimer m_searchClock;

    TitleBar* m_title = nullptr;
    TitleBar* m_inactiveTitle = nullptr;
    std::array<ToolButton*, 8> m_tools{};
    std::array<QImage, 8> m_toolImages;
    PictureBox* m_status = nullptr;
    std::array<QLabel*, 2> m_names{};
    std::array<QLabel*, 2> m_clocks{};
    QWidget* m_boardBox = nullptr;  // `PLNP`
    BoardView* m_board = nullptr;   // `PL`
    std::unique_ptr<BoardPainter> m_painter;
    PictureBox* m_score = nullptr;      // `Picture1`
    QLabel* m_difference = nullptr;     // `PLS`
    std::array<QLabel*, 2> m_counts{};  // `PL1S`, `PL2S`
    QLabel* m_moveLabel = nullptr;      // `Label7`
    QWidget* m_result = nullptr;        // `Picture3`
    PictureBox* m_winner = nullptr;     // `Picture6`
    QLabel* m_resultName = nullptr;     // `Check3`
    QWidget* m_thinking = nullptr;      // `Picture9`
    PictureBox* m_thinkingToken = nullptr;
    PictureBox* m_progress = nullptr;  // `PPru`
    QLabel* m_percent = nullptr;       // `Label1`
    QWidget* m_sizeCorner = nullptr;   // `Image10`
    QMenu* m_quitMenu = nullptr;
    QMenu* m_restartMenu = nullptr;
    QMenu* m_newGameMenu = nullptr;
    QMenu* m_sizeMenu = nullptr;
    std::array<QMenu*, 4> m_externalMenus{};  // restart, new game, quit, size
    std::array<std::optional<QCursor>, 2> m_cursors;
    QAction* m_shrinkAction = nullptr;
    QAction* m_growAction = nullptr;
};

}  // namespace tomelin

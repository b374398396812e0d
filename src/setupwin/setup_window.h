#pragma once
// `SetupWindow` (`Form1`): the game setup window. Players, names, strengths, time limits,
// the movement logic and the board are chosen here; START hands them to the game window.
// Its parts: the title strip `SetupTitleStrip` (`Picture1`), the two `PlayerPanel`s
// (`Frame6_0`, `Frame6_1`) with their tokens in `PlayerTokens` ("playerTokens"), the logic
// `LogicChooser` (`Frame1`) and the boards `BoardChooser` (`Frame3`); tests find them and
// their controls by these object names.

#include <QPoint>
#include <QString>
#include <QWidget>
#include <array>
#include <functional>
#include <optional>

#include "boards/board_list.h"
#include "core/game.h"
#include "drawing/token_painter.h"
#include "records/survey.h"
#include "setupwin/token_chooser.h"

class QDialog;
class QPushButton;

namespace tomelin {

class BoardChooser;
class LogicChooser;
class PlayerPanel;
class PlayerTokens;
class ResumeOffer;
class SetupMenus;
class SetupTitleStrip;
class EngineClient;
class Store;

// Everything START hands to the game window.
struct StartRequest {
    GameSetup setup;                     // board, logic, identities, kinds, time limits
    std::array<AppliedToken, 2> tokens;  // both players' token styles and icons
    QString boardName;                   // the title becomes "Tomelin - " + name
    // The program of a player that is an external engine (its name is setup.names[i]);
    // empty for the others.
    std::array<QString, 2> engines;
};

// The setup window; closing it ends the program.
class SetupWindow : public QWidget {
    Q_OBJECT
public:
    SetupWindow(Store& store, int detailLevel, RandomSource& random, QWidget* parent = nullptr);
    ~SetupWindow() override;

    // ---- the start-up's steps ----
    // `NastavNazvy`: default names "Hráč 1", "Hráč 2" and the panel captions.
    void NastavNazvy();
    // `NajitMapy`: rebuilds the board list from the built-ins and the store, selects the first.
    void reloadBoards();
    // Selects board `index` of the list (the game window's title and descriptor follow).
    void selectBoard(int index);
    // `PruzkHer`: reads the records again and offers the known players in the name lists.
    void refreshSurvey();
    // `figur` then `SetFigur` for player index i (0 or 1): the start-up and START apply step.
    void applyToken(int playerIndex);
    // `Timer2`: the logo button grows open, 50 ms a step.
    void startLogoAnimation();
    // The movement logic back to the star ("Hvězda").
    void chooseStarLogic();

    // ---- players and tokens ----
    PlayerPanel* panel(int index) const { return m_panels[index]; }

    // ---- START and the way back ----
    // START (`Command1_Click`): the panels' players, the board and the logic go out as a
    // StartRequest, unless the board cannot be played or both tokens look alike.
    void requestStart();
    // "Novou hru": the game window hides and this window comes back with fresh known players.
    void returnFromGame();
    // "Pokračovat ve hře" for a kept game (`ResumeOffer`), and the line below the buttons
    // (a dropped kept game, a store that cannot keep games).
    void offerResume(const QString& summary);
    void withdrawResume();
    void showNote(const QString& text);
    // "Záznamy her" (`Check2`).
    void openRecords();
    // The logo (`Check3`): the About window.
    void openAbout();

    // ---- menus ----
    SetupMenus& menus() { return *m_menus; }
    // Updates "Zmenšit okno" / "Zvětšit okno" for the game window's height.
    void updateSizeMenu(int windowHeight, int screenHeight);

    // The shared title picture (`Image2`, `Image3`), for the About window.
    const QPixmap& titlePicture() const { return m_title; }
    // Recolours the music button's key colours (start-up, with the system colours).
    void recolourMusicButton(const QColor& key);

    // How modal windows and messages are shown; tests replace them to run without blocking.
    using DialogRunner = std::function<void(QDialog&)>;
    using MessageHandler = std::function<void(const QString& title, const QString& text)>;
    void setDialogRunner(DialogRunner runner) { m_runDialog = std::move(runner); }
    void setMessageHandler(MessageHandler handler) { m_showMessage = std::move(handler); }
    // Asks for an engine's program (an empty answer cancels); by default a file dialog.
    using ProgramChooser = std::function<QString()>;
    void setProgramChooser(ProgramChooser chooser) { m_chooseProgram = std::move(chooser); }

    // "Vybrat…" of player i's engines: the chosen program is started, asked for its name and
    // ended; an engine that answers is kept in the store and chosen for the player, one that
    // does not is said so.
    void chooseEngine(int playerIndex);
    // Why no engine can play the chosen logic and board (empty: they can).
    QString engineUnavailableReason() const;

signals:
    void startGame(const tomelin::StartRequest& request);
    // "Pokračovat ve hře" was pressed; the window has hidden itself.
    void resumeRequested();
    // The board selection: the game window's title and descriptor follow it.
    void boardChosen(const QString& name, const QString& boardString);
    // A player's token was applied (player 1 or 2).
    void tokenApplied(int player, const tomelin::AppliedToken& token);
    void restartRequested();
    void newGameRequested();
    void quitRequested();
    // The window-size menu: the game window grows (positive) or shrinks by `delta` pixels.
    void heightStepRequested(int delta);
    void musicToggleRequested();
    void aboutRequested();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void boardSelected(const QString& name, const QString& boardString);
    void runDialog(QDialog& dialog);
    // START and "Pokračovat ve hře": hidden while the game runs, its place kept.
    void hideForGame();
    void showMessage(const QString& title, const QString& text);
    void updateEngineAvailability();

    Store& m_store;
    int m_detailLevel;
    Survey m_survey;
    QPixmap m_title;

    std::array<PlayerPanel*, 2> m_panels{};
    TokenChooser* m_chooser = nullptr;
    PlayerTokens* m_playerTokens = nullptr;
    SetupMenus* m_menus = nullptr;
    SetupTitleStrip* m_strip = nullptr;      // `Picture1`
    LogicChooser* m_logic = nullptr;         // `Frame1`
    BoardChooser* m_boardChooser = nullptr;  // `Frame3`
    QPushButton* m_command1 = nullptr;
    ResumeOffer* m_resume = nullptr;
    QPushButton* m_check2 = nullptr;
    DialogRunner m_runDialog;
    MessageHandler m_showMessage;
    ProgramChooser m_chooseProgram;
    EngineClient* m_probe = nullptr;  // the engine being asked for its name
    std::optional<QPoint> m_placeBeforeGame;
};

}  // namespace tomelin

Q_DECLARE_METATYPE(tomelin::StartRequest)

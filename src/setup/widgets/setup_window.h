#pragma once
// `SetupWindow` (`Form1`): the game setup window. Players, names, strengths, time limits,
// the movement logic and the board are chosen here; START hands them to the game window.

#include <QString>
#include <QWidget>
#include <array>
#include <functional>

#include "core/game.h"
#include "drawing/token_painter.h"
#include "records/survey.h"
#include "boards/board_list.h"
#include "setup/widgets/token_chooser.h"

class QDialog;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTimer;

namespace tomelin {

class PlayerPanel;
class SetupMenus;
class Store;

// Everything START hands to the game window.
struct StartRequest {
    GameSetup setup;                     // descriptor with "1", identities, logic, times, person
    std::array<AppliedToken, 2> tokens;  // both players' token styles and icons
    QString boardName;                   // the title becomes "Tomelin - " + name
};

// The setup window; closing it ends the program.
class SetupWindow : public QWidget {
    Q_OBJECT
public:
    // The tokens of both players before start-up applies them (snapped to the colour grid by
    // the first apply): an orange "Obdélník" and a blue "Ovál".
    static constexpr PlayerStyle kInitialStyle1{rgb(255, 128, 0), 1, kWhite};
    static constexpr PlayerStyle kInitialStyle2{rgb(0, 127, 225), 5, kWhite};
    static constexpr int kLogoWidth = 264;
    static constexpr int kLogoHeight = 50;

    SetupWindow(Store& store, int detailLevel, RandomSource& random, QWidget* parent = nullptr);
    ~SetupWindow() override;

    // ---- the start-up's steps ----
    // `NastavNazvy`: default names "Hráč 1", "Hráč 2" and the panel captions.
    void NastavNazvy();
    // `NajitMapy`: rebuilds the board list from the built-ins and the store, selects the first.
    void NajitMapy();
    // `PruzkHer`: reads the records again and offers the known players in the name lists.
    void PruzkHer();
    // `figur` then `SetFigur` for player index i (0 or 1): the start-up and START apply step.
    void applyToken(int playerIndex);
    // `Timer2`: the logo button grows open, 50 ms a step.
    void startLogoAnimation();
    void Timer2_Timer();

    // ---- board list (`List1`, `List2`, `List3`) ----
    const BoardList& boards() const { return m_boards; }
    int selectedBoard() const;
    void selectBoard(int index);
    void ADDMAP_Click();
    void EDMAP_Click();
    void DELMAP_Click();
    // "Editor" (`Command3`): enables the menu items for the selected board and pops it up.
    void Command3_Click();

    // ---- players and tokens ----
    PlayerPanel* panel(int index) const { return m_panels[index]; }
    const AppliedToken& token(int playerIndex) const { return m_tokens[playerIndex]; }
    void figur(int playerIndex);
    // `SetFigur` for player p (1 or 2) from the chooser's current shape and colour.
    void SetFigur(int player);
    // `FigDr`: redraws player i's preview.
    void FigDr(int playerIndex);
    // A click on player i's preview: the chooser opens for him.
    void openChooser(int playerIndex);
    // A known player's last token, by his index in the name list.
    void applyKnownPlayerToken(int playerIndex, int listIndex);
    TokenChooser& chooser() { return *m_chooser; }

    // ---- START and the way back ----
    void Command1_Click();
    // "Novou hru": the game window hides and this window comes back with fresh known players.
    void returnFromGame();
    // "Pokračovat ve hře" beside START, for a kept unfinished game ("Originál, 3. tah" as
    // its tooltip and on the small line below the buttons); hidden again by withdrawResume().
    void offerResume(const QString& summary);
    void withdrawResume();
    // One line below the buttons (a dropped kept game, a store that cannot keep games).
    void showNote(const QString& text);
    QPushButton* resumeButton() const { return m_resume; }
    QLabel* noteLine() const { return m_note; }
    // "Záznamy her" (`Check2`).
    void Check2_Click();
    // The logo (`Check3`): the About window.
    void Check3_Click();
    // The movement logic: "1" star ("Hvězda"), "2" cross ("Kříž").
    QString logic() const;

    // ---- menus ----
    SetupMenus& menus() { return *m_menus; }
    // Updates "Zmenšit okno" / "Zvětšit okno" for the game window's height.
    void updateSizeMenu(int windowHeight, int screenHeight);

    // The shared pictures (`Image2`, `Image3`) and the logo button.
    const QPixmap& titlePicture() const { return m_title; }
    QPushButton* logoButton() const { return m_check3; }
    QLabel* musicButton() const { return m_music; }
    // Recolours the music button's key colours (start-up, with the system colours).
    void recolourMusicButton(const QColor& key);
    QListWidget* boardList() const { return m_list1; }
    QRadioButton* starOption() const { return m_option1; }
    QRadioButton* crossOption() const { return m_option2; }

    // How modal windows and messages are shown; tests replace them to run without blocking.
    using DialogRunner = std::function<void(QDialog&)>;
    using MessageHandler = std::function<void(const QString& title, const QString& text)>;
    void setDialogRunner(DialogRunner runner) { m_runDialog = std::move(runner); }
    void setMessageHandler(MessageHandler handler) { m_showMessage = std::move(handler); }

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
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void connectPanel(int index);
    void nameEdited(int index, const QString& text);
    void nameBoxClicked(int index);
    void runDialog(QDialog& dialog);
    void showMessage(const QString& title, const QString& text);

    Store& m_store;
    int m_detailLevel;
    RandomSource& m_random;
    BoardList m_boards;
    Survey m_survey;
    std::array<PlayerStyle, 2> m_styles{kInitialStyle1, kInitialStyle2};
    std::array<AppliedToken, 2> m_tokens{};
    QPixmap m_title;
    QPixmap m_logo;
    QImage m_musicImage;

    std::array<PlayerPanel*, 2> m_panels{};
    TokenChooser* m_chooser = nullptr;
    SetupMenus* m_menus = nullptr;
    QLabel* m_strip = nullptr;
    QPushButton* m_check3 = nullptr;
    QLabel* m_music = nullptr;
    QRadioButton* m_option1 = nullptr;
    QRadioButton* m_option2 = nullptr;
    QListWidget* m_list1 = nullptr;
    QPushButton* m_command3 = nullptr;
    QPushButton* m_command1 = nullptr;
    QPushButton* m_resume = nullptr;
    QLabel* m_note = nullptr;
    QPushButton* m_check2 = nullptr;
    QTimer* m_timer2 = nullptr;
    DialogRunner m_runDialog;
    MessageHandler m_showMessage;
};

}  // namespace tomelin

Q_DECLARE_METATYPE(tomelin::StartRequest)
Q_DECLARE_METATYPE(tomelin::AppliedToken)

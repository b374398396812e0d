#pragma once
// One player's panel of the setup window (`Frame6(i)`): person or computer, name, time limit,
// computer strength and the token preview.

#include <QGroupBox>
#include <QString>
#include <QStringList>

#include <vector>

#include "core/random.h"
#include "drawing/token_painter.h"
#include "platform/store/engine_list.h"

class QComboBox;
class QPushButton;
class QRadioButton;

namespace tomelin {

class PictureBox;

// The controls of one player and the identity they give him: his name for a person, the
// computer's name for its strength ("PC Začátečník", "PC Profesionál", "PC Génius").
class PlayerPanel : public QGroupBox {
    Q_OBJECT
public:
    PlayerPanel(int index, QWidget* parent = nullptr);

    int index() const { return m_index; }
    bool isComputer() const;
    // 0 for a person, 1..3 the computer's strength (the token's strength mark).
    int strengthMark() const;
    // The player's identity as handed to the game window (an engine's: the name it reported).
    QString identity() const;
    // An external engine plays (`Option25` "Engine UAI" among the strengths).
    bool isEngine() const;
    // "Engine UAI" is chosen, with or without an engine to play.
    bool engineChosen() const;
    // The chosen engine's program; empty unless isEngine().
    QString enginePath() const;
    // The engines offered ("engineChoice"); `select` (a path) becomes the chosen one.
    void setKnownEngines(const std::vector<KnownEngine>& engines, const QString& select = {});
    // `why` empty: an engine may play; otherwise the option is disabled with `why` as its
    // tooltip, and a player that was an engine becomes "Profesionál".
    void setEngineUnavailable(const QString& why);
    QString name() const;
    void setName(const QString& name);
    // Time-limit list position 0..4.
    int timeListPosition() const;
    // Before START: a reserved name is mended ("Nerozhodně" marks a draw in the records,
    // "PC " the computer players) and a person left without a name is "Hráč n" again.
    void mendNameForStart();

    // `Option19` "Člověk" / `Option18` "Počítač" as the user would click them.
    void chooseHuman();
    void chooseComputer();
    // `Option21` / `Option22` / `Option23` / `Option24`: strength 1..4.
    void chooseStrength(int strength);

    void setTimeListPosition(int position);
    // "Počítač" may be chosen.
    void allowComputer();

    // The known players offered in the name list (`Text3(i)`).
    void setKnownPlayers(const QStringList& names);
    // Where `name` stands in the known players' list (exactly, case counting), or -1.
    int knownPlayerIndex(const QString& name) const;
    // A click into the empty name box offers "Hráč n" (n = index + 1), selected.
    void offerDefaultName();
    // `FigDr`'s drawing: the token preview (`Picture7`) in `style`, with the strength mark.
    void showToken(const PlayerStyle& style, int detailLevel, RandomSource& random);

signals:
    // The player's kind or strength changed: the preview must be redrawn (`FigDr`).
    void strengthChanged();
    // The name text changed (typed or picked) / the name box was clicked.
    void nameEdited(const QString& text);
    void nameBoxClicked();
    // A known player was picked from the list.
    void knownPlayerPicked(int listIndex);
    // The preview was clicked: the token chooser opens.
    void previewClicked();
    // "Vybrat…" beside the engines ("engineBrowse"): a program is to be chosen.
    void engineBrowseRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The constructor's parts (`PlayerPanel`'s controls, made in the order the keyboard visits
    // them).
    void makeKindOptions();
    void makePersonSettings();
    void makeComputerSettings();
    void makeTokenPreview();
    void arrangeParts();
    void kindChanged();

    int m_index;
    // The controls keep their object names (the old ones, in backquotes), by which tests and
    // the desktop test find them.
    QRadioButton* m_personOption = nullptr;        // `Option19`, "Člověk"
    QRadioButton* m_computerOption = nullptr;      // `Option18`, "Počítač"
    QGroupBox* m_personBox = nullptr;              // `Frame4`, person's settings
    QComboBox* m_nameBox = nullptr;                // `Text3`, name, editable
    QComboBox* m_timeList = nullptr;               // `Combo1`, time limit
    QGroupBox* m_strengthBox = nullptr;            // `Frame7`, computer's strength
    QRadioButton* m_beginnerOption = nullptr;      // `Option21`, "Začátečník"
    QRadioButton* m_professionalOption = nullptr;  // `Option22`, "Profesionál"
    QRadioButton* m_geniusOption = nullptr;        // `Option23`, "Génius"
    QRadioButton* m_masterOption = nullptr;        // `Option24`, "Velmistr"
    QRadioButton* m_engineOption = nullptr;        // `Option25`, "Engine UAI"
    QComboBox* m_engines = nullptr;                // "engineChoice": name, path as item data
    QPushButton* m_engineBrowse = nullptr;
    QWidget* m_previewFrame = nullptr;  // `Picture2`, frame around the preview
    PictureBox* m_preview = nullptr;    // `Picture7`, token preview
};

}  // namespace tomelin

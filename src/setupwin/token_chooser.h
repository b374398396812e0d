#pragma once
// `TokenChooser` (`frmVyb`): the token chooser, where a player picks the shape of his tokens from a
// list and their colour with three sliders, with a swatch and a token preview.

#include <QDialog>
#include <array>
#include <optional>

#include "core/ports.h"
#include "drawing/token_painter.h"
#include "setupwin/token_class.h"

class QComboBox;
class QLabel;
class QPushButton;
class QScrollBar;
class QTimer;

namespace tomelin {

class PictureBox;

// What applying the chooser gives a player: the token style (colour, shape, highlight colour)
// and the shared picture used as the player's icon.
struct AppliedToken {
    PlayerStyle style;
    int colourClass = 12;
    int icon = 12;
    bool operator==(const AppliedToken&) const = default;
};

// The token chooser; created once, hidden after each use.
class TokenChooser : public QDialog {
    Q_OBJECT
public:
    // The eight shape names in list order; list index + 1 is the shape code.
    static const std::array<QString, 8>& shapeNames();
    static constexpr int kPreviewDelayMs = 500;

    TokenChooser(int detailLevel, RandomSource& random, QWidget* parent = nullptr);

    // The chooser's part of `figur`: refills the shape list, sets the caption "Výběr figurky
    // hráče N" for player index `playerIndex`, puts the sliders at the indices of the current
    // colour and selects the current shape (a shape outside 1..8 selects "Obdélník").
    // `strengthMark` is the mark the preview draws: 0 a person, 1..3 the computer's strength.
    // `other` is the other player's token: while the choice looks the same (shape and
    // colour), a note says that the other player already has it.
    void load(int playerIndex, const PlayerStyle& current, int strengthMark,
              const std::optional<PlayerStyle>& other = std::nullopt);
    // Whether the choice looks like the other player's token (the note is shown).
    bool takenByOther() const;

    // `SetFigur`'s computation: the token made of the chooser's shape and colour with the
    // highlight colour and icon of its colour class for a person or a computer player.
    AppliedToken SetFigur(bool computer) const;

    // The player the chooser serves: the last character of its caption (1 or 2).
    int player() const;
    int shape() const;
    Rgb colour() const;
    ChannelIndices sliders() const;

    // The preview redraw (`Timer1`'s tick, and at once after a shape change or a click).
    void redrawPreview();
    bool previewPending() const;
    // OK (`Command1_Click`): reports the confirmed player, clears the preview and hides.
    void confirm();

    // The parts by object name: "Combo1" (shapes), "VScroll1_0" … "VScroll1_2" (red, green,
    // blue) with their values "value0" … "value2", "Picture2" (the preview), "Picture3" (the swatch), "takenNote" (the other
    // player has this token) and "Command1" (OK).

signals:
    // OK was pressed for player 1 or 2.
    void confirmed(int player);

private:
    void sliderChanged();
    void showTaken();

    int m_detailLevel;
    RandomSource& m_random;
    int m_strengthMark = 0;
    QComboBox* m_combo = nullptr;
    std::array<QScrollBar*, 3> m_sliders{};
    std::array<QLabel*, 3> m_values{};
    QLabel* m_swatch = nullptr;
    PictureBox* m_preview = nullptr;
    QLabel* m_taken = nullptr;
    std::optional<PlayerStyle> m_other;
    QPushButton* m_ok = nullptr;
    QTimer* m_timer = nullptr;
};

}  // namespace tomelin

Q_DECLARE_METATYPE(tomelin::AppliedToken)

#pragma once
// `Picture5`: the strip above the board. Each player's token at his end, his name beside it
// (the player to move in bold and in his second colour) and his clock under the name.

#include <QLabel>
#include <array>
#include <string>

#include "drawing/board_painter.h"
#include "platform/draw/picture_box.h"

namespace tomelin {

// Its object name is "statusStrip"; its labels are "nameLabel1", "nameLabel2", "clockLabel1"
// and "clockLabel2".
class StatusStrip : public PictureBox {
    Q_OBJECT
public:
    explicit StatusStrip(QWidget* parent = nullptr);

    // A name too long for its place ends in "…", and the whole name is its tooltip.
    void setNames(const std::array<std::string, 2>& names);
    // Lays the names and clocks out for the strip's size and draws the two tokens in
    // `look` (`Prekr`'s steps 7 to 9). The picture is cleared first.
    void redraw(const BoardLook& look, RandomSource& random);
    // `player` is to move: his name in bold and in `colour`, the other's plain and white.
    void setMover(int player, Rgb colour);
    void setClockText(int player, const QString& text);
    void setClockColour(int player, Rgb colour);

private:
    void showNames();

    std::array<std::string, 2> m_nameTexts;
    std::array<QLabel*, 2> m_names{};
    std::array<QLabel*, 2> m_clocks{};
};

}  // namespace tomelin

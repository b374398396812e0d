#include "core/person_input.h"

namespace tomelin {

bool personMayClick(const Game& game) {
    const Player p = game.playerToMove();
    return game.boardEnabled() && !game.gameOver() && game.movesByClicks(p) &&
           game.clock().timeLeft(p) != kTimeRanOut;
}

void pressCell(Game& game, CellPos cell) {
    if (!personMayClick(game))
        return;
    game.clickCell(cell.x, cell.y);
}

void dropPersonSelection(Game& game) {
    if (game.selection().state() == 1 && personMayClick(game))
        game.clickCell(-1, -1);
}

}  // namespace tomelin

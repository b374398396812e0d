#pragma once
// A person's way onto the board (`PL_MouseDown`): a press reaches the game's select-then-
// target clicks only while a person with time left is to move and the board takes clicks.
// The window passes a person's presses and keys through here; the computer's paced answer
// goes onto the same selection from inside the turn sequence.

#include "core/game.h"

namespace tomelin {

// Whether a click from a person may reach the board now: the player to move moves by the
// board's clicks, the board is enabled, the game is on and that player's time has not run out.
bool personMayClick(const Game& game);

// A press on board cell `cell` (the window finds the cell under the pointer), passed to the
// game's clickCell only while personMayClick.
void pressCell(Game& game, CellPos cell);

// A person's open selection is dropped (the window's full redraw); the computer's pending
// move keeps its own.
void dropPersonSelection(Game& game);

}  // namespace tomelin

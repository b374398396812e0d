#pragma once
// What the game window writes for the facts the game reports: the move label, the
// computer's progress percentage and the window caption during a search, and the board
// cell under a pointer position.

#include <optional>
#include <string>

#include "core/ports.h"

namespace tomelin {

// `Label7`: the full-move number with a sign position and ". TAH" (" 1. TAH"); empty for
// 0, the game start's cleared label.
std::string moveLabelText(int moveNumber);

// `Label1` during a search: " 42% " (a sign position, the number, "% ").
std::string percentText(int percent);
// The window caption during a search: "Tomelin - 42% ", and "Tomelin" again from 100 on.
std::string searchCaption(int percent);

// The cell under picture position (px, py): column Int(px / cellW), row Int(py / cellH),
// rounding towards minus infinity. None for a cell size that is not positive or a position
// far outside any board (or not a number).
std::optional<CellPos> cellAt(double px, double py, double cellW, double cellH);

}  // namespace tomelin
